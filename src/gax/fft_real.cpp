// Real forward and inverse FFT in Perm layout: the exported entries, the typed view of a
// descriptor, and the choice of the instruction-set path. The transform itself (a complex
// transform of half length M = N/2 over the reals taken as (re, im) pairs, and the
// recombination that separates the spectra of the even and the odd samples) is fft_core.h,
// compiled once per path.
#include <string.h>

#include "cpu/path.h"
#include "gax/fft.h"

namespace zaforq::gax {

template <class T>
Plan<T> plan_of(const typename Fft<T>::Spec* spec) {
  Plan<T> p;
  p.order = spec->order;
  p.log2M = spec->order - 1;
  p.large = p.log2M >= Fft<T>::large_min;
  p.scale_fwd = spec->scaleForward != 0;
  p.scale_inv = spec->scaleInverse != 0;
  p.scale = spec->scale;
  p.rev = static_cast<const int32_t*>(spec->bitRevTable);
  p.twiddles = static_cast<const T*>(spec->twiddles);
  p.realrec = static_cast<const T*>(spec->realRecTable);
  p.ccsrec = static_cast<const T*>(spec->ccsRecTable);
  for (int i = 0; i < GAXS_FFT_LEVEL_TABLES; ++i) p.level[i] = static_cast<const T*>(spec->levelTwiddles[i]);
  p.work_bytes = spec->bufSize;
  return p;
}

template <class T>
void transform(const Plan<T>& plan, const T* src, T* dst, T* work, bool inv, int path) {
  if (plan.order <= 3) {
    const bool norm = inv ? plan.scale_inv : plan.scale_fwd;
    if (inv)
      small_inverse<T>(plan.order, src, dst, norm, plan.scale);
    else
      small_forward<T>(plan.order, src, dst, norm, plan.scale);
    return;
  }
  switch (path) {
#if defined(__x86_64__)
    case cpu::kAvx512: {
      // the work area counts only where the transform uses it (not a forward core transform
      // out of place)
      const bool uses_work = plan.large || inv || src == dst;
      const uintptr_t lines = reinterpret_cast<uintptr_t>(src) | reinterpret_cast<uintptr_t>(dst) |
                              (uses_work ? reinterpret_cast<uintptr_t>(work) : 0);
      // Off a line, a 64-byte access costs two; that pays for floats while the arrays stay in
      // the second-level cache (measured 1-34% faster to 2^16, where the narrow build needs
      // four 16-byte pieces per register), not for doubles (two 32-byte pieces; 4-13% slower).
      if (lines % 64 == 0 || (sizeof(T) == 4 && plan.order <= 16))
        return avx512::path_transform<T>(plan, src, dst, work, inv);
      return avx512_narrow::path_transform<T>(plan, src, dst, work, inv);
    }
    case cpu::kAvx2: return avx2::path_transform<T>(plan, src, dst, work, inv);
#endif
    default: return sse2::path_transform<T>(plan, src, dst, work, inv);
  }
}

template <class T>
void products(const T* a, T* b, size_t count, int path) {
  switch (path) {
#if defined(__x86_64__)
    case cpu::kAvx512: return avx512::path_products<T>(a, b, count);
    case cpu::kAvx2: return avx2::path_products<T>(a, b, count);
#endif
    default: return sse2::path_products<T>(a, b, count);
  }
}

template Plan<float> plan_of<float>(const FftSpecR_32f*);
template Plan<double> plan_of<double>(const FftSpecR_64f*);
template void transform<float>(const Plan<float>&, const float*, float*, float*, bool, int);
template void transform<double>(const Plan<double>&, const double*, double*, double*, bool, int);
template void products<float>(const float*, float*, size_t, int);
template void products<double>(const double*, double*, size_t, int);

namespace {

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
    mine = static_cast<uint8_t*>(alloc_aligned(static_cast<size_t>(bytes), 64));
    area = mine;
    return mine != nullptr;
  }
  ~Work() { release(mine); }
};

// Both directions: the same checks, work area and path choice.
template <class T>
int32_t execute(const T* src, T* dst, const typename Fft<T>::Spec* spec, uint8_t* buffer, bool inv) {
  if (!spec) return GAXS_STATUS_NULL_PTR_ERR;
  if (spec->tag != Fft<T>::tag) return GAXS_STATUS_CONTEXT_MATCH_ERR;
  if (!src || !dst) return GAXS_STATUS_NULL_PTR_ERR;
  const Plan<T> plan = plan_of<T>(spec);
  Work work;
  if (plan.order > 3 && !work.take(plan.work_bytes, buffer)) return GAXS_STATUS_MEM_ALLOC_ERR;
  transform(plan, src, dst, static_cast<T*>(work.area), inv, cpu::current());
  return GAXS_STATUS_OK;
}

}  // namespace
}  // namespace zaforq::gax

using namespace zaforq::gax;

extern "C" ZAFORQ_API int32_t gaxsFFTFwd_RToPerm_32f(const float* src, float* dst, const FftSpecR_32f* spec,
                                                     uint8_t* buffer) {
  return execute<float>(src, dst, spec, buffer, false);
}
extern "C" ZAFORQ_API int32_t gaxsFFTFwd_RToPerm_64f(const double* src, double* dst, const FftSpecR_64f* spec,
                                                     uint8_t* buffer) {
  return execute<double>(src, dst, spec, buffer, false);
}
extern "C" ZAFORQ_API int32_t gaxsFFTInv_PermToR_32f(const float* src, float* dst, const FftSpecR_32f* spec,
                                                     uint8_t* buffer) {
  return execute<float>(src, dst, spec, buffer, true);
}
extern "C" ZAFORQ_API int32_t gaxsFFTInv_PermToR_64f(const double* src, double* dst, const FftSpecR_64f* spec,
                                                     uint8_t* buffer) {
  return execute<double>(src, dst, spec, buffer, true);
}
