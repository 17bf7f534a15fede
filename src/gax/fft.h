// Shared declarations of the real FFT: per-precision constants, the spec helpers, the small
// kernels and the large path.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "gax/fft_tables.h"
#include "gax/gax.h"

namespace zaforq::gax {

template <class T>
struct Fft;
template <>
struct Fft<float> {
  using Spec = FftSpecR_32f;
  static constexpr int32_t tag = GAXS_FFT_SPEC_TAG_32F;
  static constexpr int large_min = 16;  // log2 M from which the large path serves
  static constexpr int row_max = 15;    // rows of the large path up to this size use the core
};
template <>
struct Fft<double> {
  using Spec = FftSpecR_64f;
  static constexpr int32_t tag = GAXS_FFT_SPEC_TAG_64F;
  static constexpr int large_min = 14;
  static constexpr int row_max = 13;
};

// Small real transforms, N = 2^order for order 0 .. 3. scale is applied when norm is set.
template <class T>
void small_forward(int order, const T* src, T* dst, bool norm, T scale);
template <class T>
void small_inverse(int order, const T* src, T* dst, bool norm, T scale);

// Large path. Sizes in bytes of the column twiddles of level 0.. (summed) and of the work
// block; false when they do not fit in memory sizes.
template <class T>
bool large_sizes(int log2M, size_t& twiddle_bytes, size_t& work_bytes);
// Builds the level tables and the inner radix-4 table into spec; false on allocation failure
// (partial tables stay in spec for the caller to release).
template <class T>
bool large_init(typename Fft<T>::Spec* spec, int log2M, const SineBase<T>& sb);
// Outer stages k and log2 of the column-group size g of a large transform of 2^m values.
struct LargeSplit {
  int k, g;
};
template <class T>
LargeSplit large_split(int m);

// What the transforms read from a descriptor, typed: the one place that knows which spec word
// holds which table. Plain data (no inline code), so that every path may read it.
template <class T>
struct Plan {
  int order, log2M;
  bool large;                    // the half-length transform takes the blocked path
  bool scale_fwd, scale_inv;
  T scale;
  const int32_t* rev;            // bit reversal of the half-length transform
  const T* twiddles;             // radix-4 table (of the innermost rows on the large path)
  const T* realrec;              // forward recombination
  const T* ccsrec;               // inverse recombination
  const T* level[GAXS_FFT_LEVEL_TABLES];  // column twiddles per level of the large path
  int32_t work_bytes;            // work area a transform needs
};
template <class T>
Plan<T> plan_of(const typename Fft<T>::Spec* spec);

// Descriptor creation with the exported entry's checks and statuses, and its release.
template <class T>
int32_t create_spec(typename Fft<T>::Spec** handle, int32_t order, int32_t flag, int32_t hint);
template <class T>
void delete_spec(typename Fft<T>::Spec* spec);

// The transform of plan in either direction on the given instruction-set path; src may equal
// dst; work: plan.work_bytes bytes (16-byte aligned), unused when 0.
template <class T>
void transform(const Plan<T>& plan, const T* src, T* dst, T* work, bool inv, int path);
// count complex products b[k] = a[k] * b[k] on interleaved (re, im) pairs, on the given path.
template <class T>
void products(const T* a, T* b, size_t count, int path);

// Product of two Perm spectra of len values into srcDst, without checks.
template <class T>
void mul_perm_unchecked(const T* src, T* srcDst, size_t len, int path);

// The same, per path (order >= 4 for the transform); one source compiled per instruction set.
#define ZAFORQ_GAX_PATH_DECLS                                                            \
  template <class T>                                                                     \
  void path_transform(const Plan<T>& plan, const T* src, T* dst, T* work, bool inv);     \
  template <class T>                                                                     \
  void path_products(const T* a, T* b, size_t count);
namespace sse2 {
ZAFORQ_GAX_PATH_DECLS
}
#if defined(__x86_64__)
namespace avx2 {
ZAFORQ_GAX_PATH_DECLS
}
namespace avx512 {
ZAFORQ_GAX_PATH_DECLS
}
namespace avx512_narrow {  // for arrays that do not start on a cache line
ZAFORQ_GAX_PATH_DECLS
}
#endif
#undef ZAFORQ_GAX_PATH_DECLS

}  // namespace zaforq::gax
