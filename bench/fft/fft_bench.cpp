// The real FFT and the convolution primitive beside FFTW (FFTW_MEASURE plans, r2c and c2r),
// in the same run. Names: <fwd|inv>_<32f|64f>/<zaforq|zaforq_sse2|fftw>/<order> and
// conv_<64f|32f>/<zaforq|fftw>/<long>/<short>; `bench/fft/run` interleaves the repetitions and
// prints the ratios. zaforq runs on the automatic path (the widest this machine has) and, as a
// second contender, pinned to SSE2.
//
// Every buffer is allocated and written before the timed loop. The inverse is timed on a
// preserved input: FFTW's c2r overwrites its input, so each iteration of both libraries first
// copies the spectrum from a pristine buffer into the transform's input and then transforms
// (out of place); both pay the same copy, and FFTW keeps its fastest (input-destroying) plans.
#include <benchmark/benchmark.h>
#include <fftw3.h>
#include <math.h>

#include <random>
#include <string>
#include <vector>

#include "zaforq.h"
#include "zaforq/cpu.h"

namespace {

// ---- one precision's worth of both libraries, behind the same names --------------------------
template <class T>
struct Lib;

template <>
struct Lib<double> {
  using Spec = FftSpecR_64f;
  using Plan = fftw_plan;
  static constexpr const char* tag = "64f";
  static int32_t init(Spec** s, int order, int flag) { return gaxsFFTInitAlloc_R_64f(s, order, flag, 0); }
  static int32_t bufsize(const Spec* s, int32_t* b) { return gaxsFFTGetBufSize_R_64f(s, b); }
  static int32_t fwd(const double* x, double* y, const Spec* s, uint8_t* b) { return gaxsFFTFwd_RToPerm_64f(x, y, s, b); }
  static int32_t inv(const double* x, double* y, const Spec* s, uint8_t* b) { return gaxsFFTInv_PermToR_64f(x, y, s, b); }
  static void release(Spec* s) { gaxsFFTFree_R_64f(s); }
  static int32_t conv(const double* a, int la, const double* b, int lb, double* d) { return gaxsConv_64f(a, la, b, lb, d); }
  static double* alloc(size_t n) { return fftw_alloc_real(n); }
  static void* calloc_c(size_t n) { return fftw_alloc_complex(n); }
  static void free_(void* p) { fftw_free(p); }
  static Plan r2c(int n, double* x, void* y, unsigned f) { return fftw_plan_dft_r2c_1d(n, x, (fftw_complex*)y, f); }
  static Plan c2r(int n, void* x, double* y, unsigned f) { return fftw_plan_dft_c2r_1d(n, (fftw_complex*)x, y, f); }
  static void execute(Plan p) { fftw_execute(p); }
  static void destroy(Plan p) { fftw_destroy_plan(p); }
};

template <>
struct Lib<float> {
  using Spec = FftSpecR_32f;
  using Plan = fftwf_plan;
  static constexpr const char* tag = "32f";
  static int32_t init(Spec** s, int order, int flag) { return gaxsFFTInitAlloc_R_32f(s, order, flag, 0); }
  static int32_t bufsize(const Spec* s, int32_t* b) { return gaxsFFTGetBufSize_R_32f(s, b); }
  static int32_t fwd(const float* x, float* y, const Spec* s, uint8_t* b) { return gaxsFFTFwd_RToPerm_32f(x, y, s, b); }
  static int32_t inv(const float* x, float* y, const Spec* s, uint8_t* b) { return gaxsFFTInv_PermToR_32f(x, y, s, b); }
  static void release(Spec* s) { gaxsFFTFree_R_32f(s); }
  static int32_t conv(const float* a, int la, const float* b, int lb, float* d) { return gaxsConv_32f(a, la, b, lb, d); }
  static float* alloc(size_t n) { return fftwf_alloc_real(n); }
  static void* calloc_c(size_t n) { return fftwf_alloc_complex(n); }
  static void free_(void* p) { fftwf_free(p); }
  static Plan r2c(int n, float* x, void* y, unsigned f) { return fftwf_plan_dft_r2c_1d(n, x, (fftwf_complex*)y, f); }
  static Plan c2r(int n, void* x, float* y, unsigned f) { return fftwf_plan_dft_c2r_1d(n, (fftwf_complex*)x, y, f); }
  static void execute(Plan p) { fftwf_execute(p); }
  static void destroy(Plan p) { fftwf_destroy_plan(p); }
};

template <class T>
std::vector<T> random_vector(size_t n, unsigned seed) {
  std::mt19937_64 g(seed);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  std::vector<T> v(n);
  for (T& x : v) x = static_cast<T>(u(g));
  return v;
}

// ---- transforms ----------------------------------------------------------------------------
template <class T>
void zaforq_fft(benchmark::State& state, bool inverse, int path) {
  using L = Lib<T>;
  const int order = static_cast<int>(state.range(0));
  const size_t n = size_t{1} << order;
  typename L::Spec* spec = nullptr;
  if (zaforqSetCpuPath(path) != 0 || L::init(&spec, order, GAXS_FFT_NODIV_BY_ANY) != 0) {
    state.SkipWithError("path or spec");
    return;
  }
  int32_t bytes = 0;
  L::bufsize(spec, &bytes);
  uint8_t* buf = bytes > 0 ? gaxsMalloc_8u(bytes) : nullptr;
  if (buf) std::fill(buf, buf + bytes, uint8_t(0));
  T* x = L::alloc(n);
  T* y = L::alloc(n);
  T* pristine = L::alloc(n);
  const std::vector<T> v = random_vector<T>(n, 1);
  std::copy(v.begin(), v.end(), x);
  std::copy(v.begin(), v.end(), pristine);
  std::fill(y, y + n, T(0));
  for (auto _ : state) {
    if (inverse) {
      std::copy(pristine, pristine + n, x);
      L::inv(x, y, spec, buf);
    } else {
      L::fwd(x, y, spec, buf);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
  zaforqSetCpuPath(ZAFORQ_PATH_AUTO);
  L::free_(x);
  L::free_(y);
  L::free_(pristine);
  gaxsFree(buf);
  L::release(spec);
}

template <class T>
void fftw_fft(benchmark::State& state, bool inverse) {
  using L = Lib<T>;
  const size_t n = size_t{1} << state.range(0);
  T* x = L::alloc(n + 2);
  T* c = reinterpret_cast<T*>(L::calloc_c(n / 2 + 1));
  T* pristine = L::alloc(n + 2);
  // planned with the buffers the loop uses (planning with FFTW_MEASURE overwrites them)
  typename L::Plan p = inverse ? L::c2r(static_cast<int>(n), c, x, FFTW_MEASURE)
                               : L::r2c(static_cast<int>(n), x, c, FFTW_MEASURE);
  const std::vector<T> v = random_vector<T>(n + 2, 1);
  std::copy(v.begin(), v.end(), x);
  std::copy(v.begin(), v.end(), c);
  std::copy(v.begin(), v.end(), pristine);
  for (auto _ : state) {
    if (inverse) std::copy(pristine, pristine + n + 2, c);  // c2r destroys its input
    L::execute(p);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
  L::destroy(p);
  L::free_(x);
  L::free_(c);
  L::free_(pristine);
}

// ---- convolution ---------------------------------------------------------------------------
template <class T>
void zaforq_conv(benchmark::State& state) {
  using L = Lib<T>;
  const int la = static_cast<int>(state.range(0)), lb = static_cast<int>(state.range(1));
  const std::vector<T> a = random_vector<T>(la, 2), b = random_vector<T>(lb, 3);
  std::vector<T> d(la + lb - 1);
  L::conv(a.data(), la, b.data(), lb, d.data());  // warm: the library's own blocks are reused by malloc
  for (auto _ : state) {
    L::conv(a.data(), la, b.data(), lb, d.data());
    benchmark::ClobberMemory();
  }
}

// The FFTW way: one transform of the zero-padded operands at the next power of two of the
// full length (plans made once, outside the timing), product, inverse, scale.
template <class T>
void fftw_conv(benchmark::State& state) {
  using L = Lib<T>;
  const int la = static_cast<int>(state.range(0)), lb = static_cast<int>(state.range(1));
  const size_t n = static_cast<size_t>(la + lb - 1);
  size_t p = 1;
  while (p < n) p <<= 1;
  T* xa = L::alloc(p);
  T* xb = L::alloc(p);
  T* ca = reinterpret_cast<T*>(L::calloc_c(p / 2 + 1));
  T* cb = reinterpret_cast<T*>(L::calloc_c(p / 2 + 1));
  typename L::Plan fa = L::r2c(static_cast<int>(p), xa, ca, FFTW_MEASURE);
  typename L::Plan fb = L::r2c(static_cast<int>(p), xb, cb, FFTW_MEASURE);
  typename L::Plan back = L::c2r(static_cast<int>(p), cb, xb, FFTW_MEASURE);
  const std::vector<T> a = random_vector<T>(la, 2), b = random_vector<T>(lb, 3);
  std::vector<T> d(n);
  for (auto _ : state) {
    std::fill(xa, xa + p, T(0));
    std::fill(xb, xb + p, T(0));
    std::copy(a.begin(), a.end(), xa);
    std::copy(b.begin(), b.end(), xb);
    L::execute(fa);
    L::execute(fb);
    for (size_t k = 0; k <= p / 2; ++k) {
      const T re = ca[2 * k] * cb[2 * k] - ca[2 * k + 1] * cb[2 * k + 1];
      const T im = ca[2 * k] * cb[2 * k + 1] + ca[2 * k + 1] * cb[2 * k];
      cb[2 * k] = re;
      cb[2 * k + 1] = im;
    }
    L::execute(back);
    const T s = T(1) / static_cast<T>(p);
    for (size_t k = 0; k < n; ++k) d[k] = xb[k] * s;
    benchmark::ClobberMemory();
  }
  L::destroy(fa);
  L::destroy(fb);
  L::destroy(back);
  L::free_(xa);
  L::free_(xb);
  L::free_(ca);
  L::free_(cb);
}

template <class T>
void register_precision() {
  const std::string tag = Lib<T>::tag;
  for (const char* dir : {"fwd", "inv"}) {
    const bool inverse = dir[0] == 'i';
    auto* z = benchmark::RegisterBenchmark((std::string(dir) + "_" + tag + "/zaforq").c_str(),
                                           [inverse](benchmark::State& s) { zaforq_fft<T>(s, inverse, ZAFORQ_PATH_AUTO); });
    auto* z2 = benchmark::RegisterBenchmark((std::string(dir) + "_" + tag + "/zaforq_sse2").c_str(),
                                            [inverse](benchmark::State& s) { zaforq_fft<T>(s, inverse, ZAFORQ_PATH_SSE2); });
    auto* f = benchmark::RegisterBenchmark((std::string(dir) + "_" + tag + "/fftw").c_str(),
                                           [inverse](benchmark::State& s) { fftw_fft<T>(s, inverse); });
    z->DenseRange(6, 22, 1);
    z2->DenseRange(6, 22, 1);
    f->DenseRange(6, 22, 1);
  }
  const std::vector<std::pair<int64_t, int64_t>> conv_sizes = {{100000, 100000}, {1000000, 1000}, {10000, 100}};
  auto* z = benchmark::RegisterBenchmark(("conv_" + tag + "/zaforq").c_str(), zaforq_conv<T>);
  auto* f = benchmark::RegisterBenchmark(("conv_" + tag + "/fftw").c_str(), fftw_conv<T>);
  for (auto [l, s] : conv_sizes) {
    z->Args({l, s});
    f->Args({l, s});
  }
  z->Unit(benchmark::kMicrosecond);
  f->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char** argv) {
  register_precision<double>();
  register_precision<float>();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
