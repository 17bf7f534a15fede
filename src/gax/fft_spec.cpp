// Creation, release and buffer query of the real-FFT descriptors (FftSpecR).
#include <math.h>
#include <string.h>

#include "gax/fft.h"
#include "gax/fft_tables.h"

namespace zaforq::gax {

template <class T>
void delete_spec(typename Fft<T>::Spec* spec) {
  release(spec->bitRevTable);
  release(spec->twiddles);
  release(spec->largeTables);
  release(spec->largeWork);
  release(spec->realRecTable);
  release(spec->ccsRecTable);
  for (void* t : spec->levelTwiddles) release(t);
  release(spec);
}

namespace {

template <class T>
void* alloc_values(size_t count) {
  size_t bytes;
  return mul_size(count, sizeof(T), bytes) ? alloc(bytes) : nullptr;
}

// The tables of a transform of order >= 4; false on allocation failure.
template <class T>
bool create_tables(typename Fft<T>::Spec* spec, int order) {
  const size_t N = size_t(1) << order, M = N / 2;
  const int log2M = order - 1;
  T* base = static_cast<T*>(alloc_values<T>(N / 4 + 1));
  if (!base) return false;
  init_sine_base(base, N);
  const SineBase<T> sb{base, N};
  bool ok = true;
  spec->bitRevTable = alloc_values<int32_t>(M / 4 + 1);
  ok = spec->bitRevTable != nullptr;
  if (ok) init_bitrev_table(log2M, static_cast<int32_t*>(spec->bitRevTable));
  if (ok && log2M < Fft<T>::large_min) {
    if (M >= 16) {
      spec->twiddles = alloc_values<T>(radix4_table_reals(log2M));
      ok = spec->twiddles != nullptr;
      if (ok) init_radix4_twiddles(log2M, sb, static_cast<T*>(spec->twiddles));
    }
    // The core reads through the bit-reversal table into a work area of M complex values.
    spec->bufSize = static_cast<int32_t>(sizeof(float) == sizeof(T) ? ((8 * M + 15) & ~size_t(15)) : 16 * M);
  } else if (ok) {
    size_t twiddle_bytes, work_bytes;
    ok = large_sizes<T>(log2M, twiddle_bytes, work_bytes) && large_init<T>(spec, log2M, sb);
    spec->bufSize = static_cast<int32_t>(work_bytes);
  }
  if (ok) {
    spec->realRecTable = alloc_values<T>(N / 2);  // N/4 pairs
    spec->ccsRecTable = alloc_values<T>(N / 2);
    ok = spec->realRecTable && spec->ccsRecTable;
  }
  if (ok) {
    init_realrec_table(sb, static_cast<T*>(spec->realRecTable));
    init_ccsrec_table(sb, static_cast<T*>(spec->ccsRecTable));
  }
  release(base);
  return ok;
}

}  // namespace

template <class T>
int32_t create_spec(typename Fft<T>::Spec** handle, int32_t order, int32_t flag, int32_t hint) {
  using Spec = typename Fft<T>::Spec;
  if (!handle) return GAXS_STATUS_NULL_PTR_ERR;
  if (order < 0 || order > 30) return GAXS_STATUS_FFT_ORDER_ERR;
  Spec* spec = static_cast<Spec*>(alloc(sizeof(Spec)));
  if (!spec) return GAXS_STATUS_MEM_ALLOC_ERR;
  memset(spec, 0, sizeof(Spec));
  spec->tag = Fft<T>::tag;
  spec->order = order;
  spec->hint = hint;
  spec->one = 1;
  const double n = static_cast<double>(size_t(1) << order);
  switch (flag) {
    case GAXS_FFT_DIV_FWD_BY_N: spec->scaleForward = 1, spec->scale = static_cast<T>(1.0 / n); break;
    case GAXS_FFT_DIV_INV_BY_N: spec->scaleInverse = 1, spec->scale = static_cast<T>(1.0 / n); break;
    case GAXS_FFT_DIV_BY_SQRTN:
      spec->scaleForward = spec->scaleInverse = 1, spec->scale = static_cast<T>(1.0 / sqrt(n));
      break;
    case GAXS_FFT_NODIV_BY_ANY: spec->scale = 1; break;
    default: release(spec); return GAXS_STATUS_FFT_FLAG_ERR;
  }
  if (order >= 4 && !create_tables<T>(spec, order)) {
    delete_spec<T>(spec);
    return GAXS_STATUS_MEM_ALLOC_ERR;
  }
  *handle = spec;
  return GAXS_STATUS_OK;
}

template int32_t create_spec<float>(FftSpecR_32f**, int32_t, int32_t, int32_t);
template int32_t create_spec<double>(FftSpecR_64f**, int32_t, int32_t, int32_t);
template void delete_spec<float>(FftSpecR_32f*);
template void delete_spec<double>(FftSpecR_64f*);

namespace {

template <class T>
int32_t free_spec(typename Fft<T>::Spec* spec) {
  if (!spec) return GAXS_STATUS_NULL_PTR_ERR;
  if (spec->tag != Fft<T>::tag) return GAXS_STATUS_CONTEXT_MATCH_ERR;
  delete_spec<T>(spec);
  return GAXS_STATUS_OK;
}

template <class T>
int32_t get_buf_size(const typename Fft<T>::Spec* spec, int32_t* size) {
  if (!spec) return GAXS_STATUS_NULL_PTR_ERR;
  if (spec->tag != Fft<T>::tag) return GAXS_STATUS_CONTEXT_MATCH_ERR;
  if (!size) return GAXS_STATUS_NULL_PTR_ERR;
  *size = spec->bufSize < 1 ? 0 : spec->bufSize + 16;  // room to align the caller's block
  return GAXS_STATUS_OK;
}

}  // namespace
}  // namespace zaforq::gax

using namespace zaforq::gax;

extern "C" ZAFORQ_API int32_t gaxsFFTInitAlloc_R_32f(FftSpecR_32f** spec, int32_t order, int32_t flag, int32_t hint) {
  return create_spec<float>(spec, order, flag, hint);
}
extern "C" ZAFORQ_API int32_t gaxsFFTInitAlloc_R_64f(FftSpecR_64f** spec, int32_t order, int32_t flag, int32_t hint) {
  return create_spec<double>(spec, order, flag, hint);
}
extern "C" ZAFORQ_API int32_t gaxsFFTFree_R_32f(FftSpecR_32f* spec) { return free_spec<float>(spec); }
extern "C" ZAFORQ_API int32_t gaxsFFTFree_R_64f(FftSpecR_64f* spec) { return free_spec<double>(spec); }
extern "C" ZAFORQ_API int32_t gaxsFFTGetBufSize_R_32f(const FftSpecR_32f* spec, int32_t* size) {
  return get_buf_size<float>(spec, size);
}
extern "C" ZAFORQ_API int32_t gaxsFFTGetBufSize_R_64f(const FftSpecR_64f* spec, int32_t* size) {
  return get_buf_size<double>(spec, size);
}
