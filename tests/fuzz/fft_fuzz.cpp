// Fuzz target for real-FFT descriptors: fuzzed orders, scaling flags and hints, and
// transforms through caller work buffers of exactly the reported size at any alignment.
// A forward then inverse transform must give the input back, scaled as the flag says.
#include <math.h>
#include <stdlib.h>

#include <vector>

#include "fuzz_input.h"
#include "zaforq/gaxs_fft.h"

namespace {

template <class T, class Spec>
void round_trip(FuzzInput& in, int order, int32_t flag, int32_t hint,
                int32_t (*init)(Spec**, int32_t, int32_t, int32_t), int32_t (*release)(Spec*),
                int32_t (*size_of)(const Spec*, int32_t*),
                int32_t (*fwd)(const T*, T*, const Spec*, uint8_t*),
                int32_t (*inv)(const T*, T*, const Spec*, uint8_t*)) {
  // Valid orders above 2^20 are left out only for the memory their tables take.
  if (order > 20 && order <= 30 && (flag == 1 || flag == 2 || flag == 4 || flag == 8)) return;
  Spec* spec = nullptr;
  const int32_t status = init(&spec, order, flag, hint);
  const bool valid_flag = flag == 1 || flag == 2 || flag == 4 || flag == 8;
  if (order < 0 || order > 30) {
    if (status != GAXS_STATUS_FFT_ORDER_ERR || spec) abort();
    return;
  }
  if (!valid_flag) {
    if (status != GAXS_STATUS_FFT_FLAG_ERR || spec) abort();
    return;
  }
  if (status == GAXS_STATUS_MEM_ALLOC_ERR) return;
  if (status != 0 || !spec) abort();
  if (order <= 14) {
    int32_t bytes = -1;
    if (size_of(spec, &bytes) != 0 || bytes < 0) abort();
    const size_t offset = in.in(0, 15);
    std::vector<uint8_t> storage(offset + static_cast<size_t>(bytes));
    uint8_t* buffer = bytes > 0 && (in.byte() & 1) ? storage.data() + offset : nullptr;
    const size_t n = size_t(1) << order;
    std::vector<T> a(n), f(n), b(n);
    for (size_t i = 0; i < n; ++i) a[i] = T(in.in(-100, 100));
    if (fwd(a.data(), f.data(), spec, buffer) != 0 || inv(f.data(), b.data(), spec, buffer) != 0) abort();
    const double scale = flag == 8 ? double(n) : 1.0;
    const double tol = (sizeof(T) == 4 ? 1e-4 : 1e-11) * 100.0 * (order + 1) * scale;
    for (size_t i = 0; i < n; ++i)
      if (!(fabs(double(b[i]) - scale * double(a[i])) <= tol)) abort();
  }
  release(spec);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in{data, size};
  const int order = in.in(-3, 33);
  const int32_t flag = in.in(0, 9), hint = in.in(-2, 2);
  if (in.byte() & 1)
    round_trip<float, FftSpecR_32f>(in, order, flag, hint, gaxsFFTInitAlloc_R_32f, gaxsFFTFree_R_32f,
                                    gaxsFFTGetBufSize_R_32f, gaxsFFTFwd_RToPerm_32f, gaxsFFTInv_PermToR_32f);
  else
    round_trip<double, FftSpecR_64f>(in, order, flag, hint, gaxsFFTInitAlloc_R_64f, gaxsFFTFree_R_64f,
                                     gaxsFFTGetBufSize_R_64f, gaxsFFTFwd_RToPerm_64f, gaxsFFTInv_PermToR_64f);
  return 0;
}
