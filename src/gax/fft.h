// Shared declarations of the real FFT: per-precision constants, the spec helpers, the small
// kernels, bit reversal and the large path.
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

// Complex bit reversal of M = 2^log2M values with the table of init_bitrev_table: in place
// by swaps, or copied from src to dst (separate arrays).
template <class T>
void bitrev_inplace(T* data, int log2M, const int32_t* table);
template <class T>
void bitrev_copy(const T* src, T* dst, int log2M, const int32_t* table);

// Large path. Sizes in bytes of the column twiddles of level 0.. (summed) and of the work
// block; false when they do not fit in memory sizes.
template <class T>
bool large_sizes(int log2M, size_t& twiddle_bytes, size_t& work_bytes);
// Builds the level tables and the inner radix-4 table into spec; false on allocation failure
// (partial tables stay in spec for the caller to release).
template <class T>
bool large_init(typename Fft<T>::Spec* spec, int log2M, const SineBase<T>& sb);
// Complex DFT of 2^log2M bit-reversed values in place, interleaved pairs out, with the
// direction's scale applied when set.
template <class T, bool inv>
void large_transform(T* data, int log2M, const typename Fft<T>::Spec* spec, T* work, bool scale);

}  // namespace zaforq::gax
