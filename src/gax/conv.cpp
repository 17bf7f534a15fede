// Full linear convolution: direct summation for short work, otherwise FFT products, as one
// transform of the whole result or as overlap-save blocks when one operand is much longer.
#include "gax/gax.h"

namespace zaforq::gax {

namespace {

constexpr size_t kFftMinTotal = 512;   // result length from which the FFT pays
constexpr size_t kFftMinShort = 64;    // shorter operand length from which the FFT pays
constexpr size_t kBlockedRatio = 3;    // longer >= 3 x shorter: overlap-save
constexpr size_t kDirectChunk = 4096;  // direct path: longer operand in chunks of this size

template <class T>
struct Ops;
template <>
struct Ops<float> {
  using Spec = FftSpecR_32f;
  static int32_t init(Spec** s, int order) { return gaxsFFTInitAlloc_R_32f(s, order, GAXS_FFT_DIV_INV_BY_N, 0); }
  static int32_t bufsize(const Spec* s, int32_t* n) { return gaxsFFTGetBufSize_R_32f(s, n); }
  static int32_t fwd(float* x, const Spec* s, uint8_t* w) { return gaxsFFTFwd_RToPerm_32f(x, x, s, w); }
  static int32_t inv(float* x, const Spec* s, uint8_t* w) { return gaxsFFTInv_PermToR_32f(x, x, s, w); }
  static void release(Spec* s) { gaxsFFTFree_R_32f(s); }
  static void mul(const float* a, float* b, size_t n) { gaxsMulPerm_32f_I(a, b, static_cast<int32_t>(n)); }
  static void direct(const float* l, size_t L, const float* s, size_t S, float* d) {
    ownConv_32f(l, static_cast<int32_t>(L), s, static_cast<int32_t>(S), d);
  }
};
template <>
struct Ops<double> {
  using Spec = FftSpecR_64f;
  static int32_t init(Spec** s, int order) { return gaxsFFTInitAlloc_R_64f(s, order, GAXS_FFT_DIV_INV_BY_N, 0); }
  static int32_t bufsize(const Spec* s, int32_t* n) { return gaxsFFTGetBufSize_R_64f(s, n); }
  static int32_t fwd(double* x, const Spec* s, uint8_t* w) { return gaxsFFTFwd_RToPerm_64f(x, x, s, w); }
  static int32_t inv(double* x, const Spec* s, uint8_t* w) { return gaxsFFTInv_PermToR_64f(x, x, s, w); }
  static void release(Spec* s) { gaxsFFTFree_R_64f(s); }
  static void mul(const double* a, double* b, size_t n) { gaxsMulPerm_64f_I(a, b, static_cast<int32_t>(n)); }
  static void direct(const double* l, size_t L, const double* s, size_t S, double* d) {
    ownConv_64f(l, static_cast<int32_t>(L), s, static_cast<int32_t>(S), d);
  }
};

template <class T>
void zero(T* p, size_t n) {
  if (n) ownsZero_8u(reinterpret_cast<uint8_t*>(p), n * sizeof(T));
}
template <class T>
void copy(const T* s, T* d, size_t n) {
  if (n) ownsCopy_8u(reinterpret_cast<const uint8_t*>(s), reinterpret_cast<uint8_t*>(d), n * sizeof(T));
}

// A spec of the given order with the inverse scaled by 1/P, and one aligned block of 2P
// values followed by the transform's work buffer (and one spare value).
template <class T>
struct FftWork {
  typename Ops<T>::Spec* spec = nullptr;
  T* block = nullptr;
  uint8_t* buf = nullptr;
  int32_t open(int order) {
    if (const int32_t st = Ops<T>::init(&spec, order)) return st;
    int32_t bytes = 0;
    Ops<T>::bufsize(spec, &bytes);
    const size_t P = size_t(1) << order;
    const size_t buf_values = (static_cast<size_t>(bytes) + sizeof(T) - 1) / sizeof(T);
    size_t total;
    if (!mul_size(2 * P + buf_values + 1, sizeof(T), total)) return GAXS_STATUS_MEM_ALLOC_ERR;
    block = static_cast<T*>(alloc(total));
    if (!block) return GAXS_STATUS_MEM_ALLOC_ERR;
    buf = bytes ? reinterpret_cast<uint8_t*>(block + 2 * P) : nullptr;
    return GAXS_STATUS_OK;
  }
  ~FftWork() {
    release(block);
    if (spec) Ops<T>::release(spec);
  }
};

int order_for(size_t n, int at_least) {
  int o = at_least;
  while ((size_t(1) << o) < n && o < 31) ++o;
  return o;
}

template <class T>
int32_t conv_single(const T* lng, size_t L, const T* shrt, size_t S, T* dst, size_t N) {
  const int order = order_for(N, 2);
  FftWork<T> w;
  if (const int32_t st = w.open(order)) return st;
  const size_t P = size_t(1) << order;
  T* a = w.block;
  T* b = w.block + P;
  copy(lng, a, L);
  zero(a + L, P - L);
  copy(shrt, b, S);
  zero(b + S, P - S);
  if (const int32_t st = Ops<T>::fwd(a, w.spec, w.buf)) return st;
  if (const int32_t st = Ops<T>::fwd(b, w.spec, w.buf)) return st;
  Ops<T>::mul(a, b, P);
  const int32_t st = Ops<T>::inv(b, w.spec, w.buf);
  if (st == 0) copy(b, dst, N);
  return st;
}

template <class T>
int32_t conv_blocked(const T* lng, size_t L, const T* shrt, size_t S, T* dst, size_t N) {
  const int o1 = order_for(2 * S, 1);
  FftWork<T> w;
  if (const int32_t st = w.open(o1 + 1)) return st;
  const size_t P = size_t(1) << (o1 + 1), step = P - S + 1;
  T* h = w.block;  // the shorter operand's spectrum
  T* blk = w.block + P;
  copy(shrt, h, S);
  zero(h + S, P - S);
  if (const int32_t st = Ops<T>::fwd(h, w.spec, w.buf)) return st;
  for (size_t m = 0; m < N; m += step) {
    const size_t lead = m == 0 ? 0 : S - 1;
    size_t count = L - m + lead;  // positive: m < N = L + S - 1
    if (count > lead + step) count = lead + step;
    if (count > L) count = L;
    copy(lng + (m - lead), blk, count);
    zero(blk + count, P - count);
    if (const int32_t st = Ops<T>::fwd(blk, w.spec, w.buf)) return st;
    Ops<T>::mul(h, blk, P);
    if (const int32_t st = Ops<T>::inv(blk, w.spec, w.buf)) return st;
    copy(blk + lead, dst + m, N - m < step ? N - m : step);
  }
  return GAXS_STATUS_OK;
}

template <class T>
void conv_direct(const T* lng, size_t L, const T* shrt, size_t S, T* dst, size_t N) {
  if (L < kDirectChunk) {
    zero(dst, N);
    Ops<T>::direct(lng, L, shrt, S, dst);
    return;
  }
  // Each chunk adds onto the tail the previous chunk left and clears only what it first reaches.
  zero(dst, S - 1);
  for (size_t o = 0; o < L; o += kDirectChunk) {
    const size_t c = L - o < kDirectChunk ? L - o : kDirectChunk;
    zero(dst + o + S - 1, c);
    Ops<T>::direct(lng + o, c, shrt, S, dst + o);
  }
}

template <class T>
int32_t conv(const T* src1, int32_t len1, const T* src2, int32_t len2, T* dst) {
  if (!src1 || !src2 || !dst) return GAXS_STATUS_NULL_PTR_ERR;
  if (len1 < 1 || len2 < 1) return GAXS_STATUS_SIZE_ERR;
  const T* lng = src1;
  const T* shrt = src2;
  size_t L = static_cast<size_t>(len1), S = static_cast<size_t>(len2);
  if (len1 < len2) lng = src2, shrt = src1, L = static_cast<size_t>(len2), S = static_cast<size_t>(len1);
  const size_t N = L + S - 1;
  if (N >= kFftMinTotal && S >= kFftMinShort)
    return L < kBlockedRatio * S ? conv_single(lng, L, shrt, S, dst, N) : conv_blocked(lng, L, shrt, S, dst, N);
  conv_direct(lng, L, shrt, S, dst, N);
  return GAXS_STATUS_OK;
}

}  // namespace
}  // namespace zaforq::gax

extern "C" ZAFORQ_API int32_t gaxsConv_32f(const float* src1, int32_t len1, const float* src2, int32_t len2, float* dst) {
  return zaforq::gax::conv(src1, len1, src2, len2, dst);
}
extern "C" ZAFORQ_API int32_t gaxsConv_64f(const double* src1, int32_t len1, const double* src2, int32_t len2,
                                           double* dst) {
  return zaforq::gax::conv(src1, len1, src2, len2, dst);
}
