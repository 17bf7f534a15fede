// Direct convolution and correlation against plain loops in the same run (numpy is timed by
// bench/conv/run beside this binary). Sizes: 64 taps over 10^5 samples (rank 1), a 5x5
// kernel over 1000x1000 (rank 2); full results.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "zaforq.h"

namespace {

constexpr int32_t kTaps = 64, kLen = 100000;
constexpr int32_t kK = 5, kImg = 1000;

template <class T>
std::vector<T> noise(size_t n, uint32_t seed) {
  std::mt19937 g(seed);
  std::uniform_real_distribution<double> u(-1, 1);
  std::vector<T> v(n);
  for (auto& x : v) x = T(u(g));
  return v;
}

// The full correlation z[k] = sum_i x[i] y[i + k + 1 - nx] as a plain scalar loop in double.
template <class T>
void plain_corr(const T* x, int nx, const T* y, int ny, T* z) {
  for (int k = 0; k < nx + ny - 1; ++k) {
    const int s = k + 1 - nx;
    const int lo = s < 0 ? -s : 0, hi = nx - 1 < ny - 1 - s ? nx - 1 : ny - 1 - s;
    double acc = 0;
    for (int i = lo; i <= hi; ++i) acc += double(x[i]) * double(y[i + s]);
    z[k] = T(acc);
  }
}

template <class T>
void BM_Corr1D_Plain(benchmark::State& state) {
  auto x = noise<T>(kTaps, 1), y = noise<T>(kLen, 2);
  std::vector<T> z(kTaps + kLen - 1);
  for (auto _ : state) {
    plain_corr(x.data(), kTaps, y.data(), kLen, z.data());
    benchmark::DoNotOptimize(z.data());
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kTaps) * kLen);
}

template <class T>
void BM_Corr1D_Zaforq(benchmark::State& state) {
  auto x = noise<T>(kTaps, 1), y = noise<T>(kLen, 2);
  const int32_t nz = kTaps + kLen - 1;
  std::vector<T> z(static_cast<size_t>(nz));
  CcTask* t = nullptr;
  __orqNewTask(&t, ORQ_CC_KIND_CORR, 0, ORQ_CC_METHOD_DIRECT, 0, sizeof(T) == 4 ? 1 : 2, 1, &kTaps, &kLen, &nz);
  for (auto _ : state) {
    if (__orqExec(t, x.data(), nullptr, y.data(), nullptr, z.data(), nullptr) != 0) state.SkipWithError("exec failed");
    benchmark::DoNotOptimize(z.data());
  }
  __orqDeleteTask(&t);
  state.SetItemsProcessed(state.iterations() * int64_t(kTaps) * kLen);
}

template <class T>
void BM_Conv1D_Zaforq(benchmark::State& state) {
  auto x = noise<T>(kTaps, 1), y = noise<T>(kLen, 2);
  const int32_t nz = kTaps + kLen - 1;
  std::vector<T> z(static_cast<size_t>(nz));
  CcTask* t = nullptr;
  __orqNewTask(&t, ORQ_CC_KIND_CONV, 0, ORQ_CC_METHOD_DIRECT, 0, sizeof(T) == 4 ? 1 : 2, 1, &kTaps, &kLen, &nz);
  for (auto _ : state) {
    if (__orqExec(t, x.data(), nullptr, y.data(), nullptr, z.data(), nullptr) != 0) state.SkipWithError("exec failed");
    benchmark::DoNotOptimize(z.data());
  }
  __orqDeleteTask(&t);
  state.SetItemsProcessed(state.iterations() * int64_t(kTaps) * kLen);
}

// Rank 2, 5x5 kernel over 1000x1000, the full (1004x1004) correlation, plain loops in double.
template <class T>
void BM_Corr2D_Plain(benchmark::State& state) {
  auto x = noise<T>(kK * kK, 3), y = noise<T>(size_t(kImg) * kImg, 4);
  const int nz = kK + kImg - 1;
  std::vector<T> z(size_t(nz) * nz);
  for (auto _ : state) {
    for (int k1 = 0; k1 < nz; ++k1)
      for (int k0 = 0; k0 < nz; ++k0) {
        const int s0 = k0 + 1 - kK, s1 = k1 + 1 - kK;
        double acc = 0;
        for (int i1 = 0; i1 < kK; ++i1) {
          const int j1 = i1 + s1;
          if (j1 < 0 || j1 >= kImg) continue;
          for (int i0 = 0; i0 < kK; ++i0) {
            const int j0 = i0 + s0;
            if (j0 < 0 || j0 >= kImg) continue;
            acc += double(x[size_t(i0 + kK * i1)]) * double(y[size_t(j0) + size_t(kImg) * j1]);
          }
        }
        z[size_t(k0) + size_t(nz) * k1] = T(acc);
      }
    benchmark::DoNotOptimize(z.data());
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kK * kK) * kImg * kImg);
}

template <class T>
void BM_Corr2D_Zaforq(benchmark::State& state) {
  auto x = noise<T>(kK * kK, 3), y = noise<T>(size_t(kImg) * kImg, 4);
  const int32_t xs[2] = {kK, kK}, ys[2] = {kImg, kImg}, zs[2] = {kK + kImg - 1, kK + kImg - 1};
  std::vector<T> z(size_t(zs[0]) * zs[1]);
  CcTask* t = nullptr;
  __orqNewTask(&t, ORQ_CC_KIND_CORR, 0, ORQ_CC_METHOD_DIRECT, 0, sizeof(T) == 4 ? 1 : 2, 2, xs, ys, zs);
  for (auto _ : state) {
    if (__orqExec(t, x.data(), nullptr, y.data(), nullptr, z.data(), nullptr) != 0) state.SkipWithError("exec failed");
    benchmark::DoNotOptimize(z.data());
  }
  __orqDeleteTask(&t);
  state.SetItemsProcessed(state.iterations() * int64_t(kK * kK) * kImg * kImg);
}

// Long filters, where the FFT method pays: 2000 taps over 10^5 samples, direct against FFT.
constexpr int32_t kLongTaps = 2000;

template <class T>
void BM_Conv1DLong(benchmark::State& state) {
  auto x = noise<T>(kLongTaps, 5), y = noise<T>(kLen, 6);
  const int32_t nz = kLongTaps + kLen - 1;
  std::vector<T> z(static_cast<size_t>(nz));
  CcTask* t = nullptr;
  __orqNewTask(&t, ORQ_CC_KIND_CONV, 0, int32_t(state.range(0)), 0, sizeof(T) == 4 ? 1 : 2, 1, &kLongTaps, &kLen,
               &nz);
  for (auto _ : state) {
    if (__orqExec(t, x.data(), nullptr, y.data(), nullptr, z.data(), nullptr) != 0) state.SkipWithError("exec failed");
    benchmark::DoNotOptimize(z.data());
  }
  __orqDeleteTask(&t);
  state.SetLabel(state.range(0) == ORQ_CC_METHOD_DIRECT ? "direct" : "fft");
}

BENCHMARK_TEMPLATE(BM_Corr1D_Plain, double)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Corr1D_Plain, float)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Corr1D_Zaforq, float)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Corr1D_Zaforq, double)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Conv1D_Zaforq, float)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Conv1D_Zaforq, double)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Corr2D_Plain, double)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Corr2D_Zaforq, float)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Corr2D_Zaforq, double)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Conv1DLong, float)->Arg(ORQ_CC_METHOD_DIRECT)->Arg(ORQ_CC_METHOD_FFT)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Conv1DLong, double)->Arg(ORQ_CC_METHOD_DIRECT)->Arg(ORQ_CC_METHOD_FFT)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
