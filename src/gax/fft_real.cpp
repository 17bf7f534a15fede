// Real forward and inverse FFT in Perm layout: a complex transform of half length M = N/2 over
// the reals taken as (re, im) pairs, and the recombination that separates the spectra of the
// even and the odd samples.
#include <string.h>

#include "gax/fft.h"
#include "gax/radix4.h"

namespace zaforq::gax {

namespace {

template <class T>
void scale_values(T* d, size_t n, T s) {
  for (size_t i = 0; i < n; ++i) d[i] *= s;
}

// Z = DFT of the M pairs z_n = x_2n + i x_2n+1 in d (bins 1 .. M-1). With F = Z_k and
// G = conj Z_(M-k), X_k = (F + G)/2 - i w^k (F - G)/2 = G + (F - G)(b - i a) with a = cos/2,
// b = (1 - sin)/2 of 2 pi k / N, and X_(M-k) = conj(F - (F - G)(b - i a)). Four bins from the
// front and the four mirrored bins from the back per step (two of each in double precision);
// the last step's runs meet in the middle bin, which both compute alike as conj Z_(M/2).
template <class T>
void real_recombine(T* d, size_t M, const T* tab) {
  using C = CV<T>;
  using V = typename C::V;
  constexpr size_t W = C::W;
  for (size_t k = 1; k < M / 2; k += W) {
    const T* t = tab + group_table_offset<T>(k - 1, 8);
    T* front = d + 2 * k;
    T* back = d + 2 * (M - k - (W - 1));
    const C F = C::load_pairs(front);
    const C G = conj(C::load_pairs(back).reversed());
    const C P = cmul_conj(F - G, V::load_aligned(t + 4), V::load_aligned(t));
    const C xf = G + P, xb = conj(F - P);
    xf.store_pairs(front);
    xb.reversed().store_pairs(back);
  }
}

// The inverse: Z_k = F + G + (F - G)(-sin + i cos) with F = X_k, G = conj X_(M-k), which is
// twice the spectrum the forward step started from; Z_(M-k) = conj(F + G - (F - G)(...)).
template <class T>
void ccs_recombine(const T* s, T* d, size_t M, const T* tab) {
  using C = CV<T>;
  using V = typename C::V;
  constexpr size_t W = C::W;
  for (size_t k = 1; k < M / 2; k += W) {
    const T* t = tab + group_table_offset<T>(k - 1, 8);
    const C F = C::load_pairs(s + 2 * k);
    const C G = conj(C::load_pairs(s + 2 * (M - k - (W - 1))).reversed());
    const C Q = cmul(F - G, V::load_aligned(t + 4), V::load_aligned(t));
    const C S = F + G;
    (S + Q).store_pairs(d + 2 * k);
    conj(S - Q).reversed().store_pairs(d + 2 * (M - k - (W - 1)));
  }
}

// Work area for one call: the caller's block from its first 16-byte boundary, or a block of
// bufSize bytes taken for the call.
struct Work {
  uint8_t* mine = nullptr;
  void* area = nullptr;
  bool take(int32_t bytes, uint8_t* caller) {
    if (bytes < 1) return true;
    if (caller) {
      area = align16(caller);
      return true;
    }
    mine = static_cast<uint8_t*>(alloc(static_cast<size_t>(bytes)));
    area = mine;
    return mine != nullptr;
  }
  ~Work() { release(mine); }
};

template <class T>
int32_t check(const T* src, const T* dst, const typename Fft<T>::Spec* spec) {
  if (!spec) return GAXS_STATUS_NULL_PTR_ERR;
  if (spec->tag != Fft<T>::tag) return GAXS_STATUS_CONTEXT_MATCH_ERR;
  if (!src || !dst) return GAXS_STATUS_NULL_PTR_ERR;
  return GAXS_STATUS_OK;
}

template <class T>
int32_t forward(const T* src, T* dst, const typename Fft<T>::Spec* spec, uint8_t* buffer) {
  if (const int32_t st = check(src, dst, spec)) return st;
  const int order = spec->order;
  if (order <= 3) {
    small_forward<T>(order, src, dst, spec->scaleForward != 0, spec->scale);
    return GAXS_STATUS_OK;
  }
  Work work;
  if (!work.take(spec->bufSize, buffer)) return GAXS_STATUS_MEM_ALLOC_ERR;
  T* w = static_cast<T*>(work.area);
  const int log2M = order - 1;
  const size_t M = size_t(1) << log2M;
  const int32_t* rev = static_cast<const int32_t*>(spec->bitRevTable);
  const T* tw = static_cast<const T*>(spec->twiddles);
  // Below the large path the core reads src through the bit-reversal table, which saves the
  // separate reordering pass over the whole array.
  const bool large = log2M >= Fft<T>::large_min;
  if (!large) {
    radix4<T, false>(src, dst, log2M, rev, tw, true, w);
  } else {
    if (src == dst)
      bitrev_inplace(dst, log2M, rev);
    else
      bitrev_copy(src, dst, log2M, rev);
    large_transform<T, false>(dst, log2M, spec, w, spec->scaleForward != 0);
  }
  if (spec->scaleForward && !large) scale_values(dst, 2 * M, spec->scale);
  const T a = dst[0], b = dst[1];
  dst[0] = a + b, dst[1] = a - b;
  real_recombine(dst, M, static_cast<const T*>(spec->realRecTable));
  return GAXS_STATUS_OK;
}

template <class T>
int32_t inverse(const T* src, T* dst, const typename Fft<T>::Spec* spec, uint8_t* buffer) {
  if (const int32_t st = check(src, dst, spec)) return st;
  const int order = spec->order;
  if (order <= 3) {
    small_inverse<T>(order, src, dst, spec->scaleInverse != 0, spec->scale);
    return GAXS_STATUS_OK;
  }
  Work work;
  if (!work.take(spec->bufSize, buffer)) return GAXS_STATUS_MEM_ALLOC_ERR;
  T* w = static_cast<T*>(work.area);
  const int log2M = order - 1;
  const size_t M = size_t(1) << log2M;
  const int32_t* rev = static_cast<const int32_t*>(spec->bitRevTable);
  const T* tw = static_cast<const T*>(spec->twiddles);
  const bool large = log2M >= Fft<T>::large_min;
  const T x0 = src[0], xh = src[1];
  ccs_recombine(src, dst, M, static_cast<const T*>(spec->ccsRecTable));
  dst[0] = x0 + xh, dst[1] = x0 - xh;
  if (!large) {
    radix4<T, true>(dst, dst, log2M, rev, tw, true, w);
  } else {
    bitrev_inplace(dst, log2M, rev);
    large_transform<T, true>(dst, log2M, spec, w, spec->scaleInverse != 0);
  }
  if (spec->scaleInverse && !large) scale_values(dst, 2 * M, spec->scale);
  return GAXS_STATUS_OK;
}

}  // namespace
}  // namespace zaforq::gax

using namespace zaforq::gax;

extern "C" ZAFORQ_API int32_t gaxsFFTFwd_RToPerm_32f(const float* src, float* dst, const FftSpecR_32f* spec,
                                                     uint8_t* buffer) {
  return forward<float>(src, dst, spec, buffer);
}
extern "C" ZAFORQ_API int32_t gaxsFFTFwd_RToPerm_64f(const double* src, double* dst, const FftSpecR_64f* spec,
                                                     uint8_t* buffer) {
  return forward<double>(src, dst, spec, buffer);
}
extern "C" ZAFORQ_API int32_t gaxsFFTInv_PermToR_32f(const float* src, float* dst, const FftSpecR_32f* spec,
                                                     uint8_t* buffer) {
  return inverse<float>(src, dst, spec, buffer);
}
extern "C" ZAFORQ_API int32_t gaxsFFTInv_PermToR_64f(const double* src, double* dst, const FftSpecR_64f* spec,
                                                     uint8_t* buffer) {
  return inverse<double>(src, dst, spec, buffer);
}
