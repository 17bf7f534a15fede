// Distributions beside std:: distributions over std::mt19937_64 and GSL's over gsl_rng_mt19937,
// the library drawing from MT19937; numpy's Generator is timed by numpy_dist.py and joined in
// bench/rng/run. Sizes: 1000 (in cache) and 10^7. Rows of one distribution and size compare
// directly: items_per_second is variates per second. The "parts/" rows time the pieces of a
// transform (uniform draw, kernels, affine map) in cache and at 10^7, to show where a distribution's time goes.
#include <benchmark/benchmark.h>
#include <gsl/gsl_randist.h>
#include <gsl/gsl_rng.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "zaforq.h"

namespace {

OrqStream mt_stream() {
  OrqStream s = nullptr;
  const uint32_t seed = 42;
  __orqNewStreamEx(&s, ORQ_BRNG_MT19937, 1, &seed);
  return s;
}

template <class T, class F>
void Zaforq(benchmark::State& state, F draw) {
  const int32_t n = static_cast<int32_t>(state.range(0));
  OrqStream s = mt_stream();
  std::vector<T> r(static_cast<size_t>(n));
  for (auto _ : state) {
    draw(s, n, r.data());
    benchmark::DoNotOptimize(r.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * n);
  __orqDeleteStream(&s);
}

template <class T, class Dist>
void Std(benchmark::State& state, Dist dist) {
  const size_t n = static_cast<size_t>(state.range(0));
  std::mt19937_64 e(42);
  std::vector<T> r(n);
  for (auto _ : state) {
    for (size_t i = 0; i < n; ++i) r[i] = static_cast<T>(dist(e));
    benchmark::DoNotOptimize(r.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
}

template <class T, class F>
void Gsl(benchmark::State& state, F f) {
  const size_t n = static_cast<size_t>(state.range(0));
  gsl_rng* g = gsl_rng_alloc(gsl_rng_mt19937);
  gsl_rng_set(g, 42);
  std::vector<T> r(n);
  for (auto _ : state) {
    for (size_t i = 0; i < n; ++i) r[i] = static_cast<T>(f(g));
    benchmark::DoNotOptimize(r.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
  gsl_rng_free(g);
}

// The pieces of a transform on 10^7 elements: the uniform draw, each kernel, the affine map.
template <class F>
void Part(benchmark::State& state, F f) {
  const int32_t n = static_cast<int32_t>(state.range(0));
  OrqStream s = mt_stream();
  std::vector<double> x(static_cast<size_t>(n)), y(static_cast<size_t>(n));
  _orqdRngUniform(0, s, n, x.data(), 0.0, 1.0);
  for (auto _ : state) {
    f(s, n, x.data(), y.data());
    benchmark::DoNotOptimize(y.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * n);
  __orqDeleteStream(&s);
}

// Registration by name: dist/DISTRIBUTION/PEER, with the two sizes.
template <class F>
void reg(const char* dist, const char* peer, F f) {
  benchmark::RegisterBenchmark((std::string("dist/") + dist + "/" + peer).c_str(), f)
      ->Arg(1000)
      ->Arg(10000000)
      ->Unit(benchmark::kMillisecond);
}
template <class T, class F>
void zaforq(const char* dist, const char* peer, F draw) {
  reg(dist, peer, [draw](benchmark::State& st) { Zaforq<T>(st, draw); });
}
template <class T, class D>
void std_peer(const char* dist, D d) {
  reg(dist, "std", [d](benchmark::State& st) { Std<T>(st, d); });
}
template <class T, class F>
void gsl_peer(const char* dist, const char* peer, F f) {
  reg(dist, peer, [f](benchmark::State& st) { Gsl<T>(st, f); });
}
using Rd = double*;
using Rf = float*;
using Ri = int32_t*;
using G = const gsl_rng*;

const int registered = [] {
  zaforq<double>("gaussian_m0", "zaforq", [](OrqStream s, int32_t n, Rd r) { _orqdRngGaussian(0, s, n, r, 0.0, 1.0); });
  zaforq<double>("gaussian_m1", "zaforq", [](OrqStream s, int32_t n, Rd r) { _orqdRngGaussian(1, s, n, r, 0.0, 1.0); });
  zaforq<float>("gaussian_m1", "zaforq_float", [](OrqStream s, int32_t n, Rf r) { _orqsRngGaussian(1, s, n, r, 0.0f, 1.0f); });
  std_peer<double>("gaussian_m1", std::normal_distribution<double>(0.0, 1.0));
  gsl_peer<double>("gaussian_m1", "gsl_boxmuller_polar", [](G g) { return gsl_ran_gaussian(g, 1.0); });
  gsl_peer<double>("gaussian_m1", "gsl_ziggurat", [](G g) { return gsl_ran_gaussian_ziggurat(g, 1.0); });

  zaforq<double>("exponential", "zaforq", [](OrqStream s, int32_t n, Rd r) { _orqdRngExponential(0, s, n, r, 0.0, 1.0); });
  zaforq<float>("exponential", "zaforq_float", [](OrqStream s, int32_t n, Rf r) { _orqsRngExponential(0, s, n, r, 0.0f, 1.0f); });
  std_peer<double>("exponential", std::exponential_distribution<double>(1.0));
  gsl_peer<double>("exponential", "gsl", [](G g) { return gsl_ran_exponential(g, 1.0); });

  zaforq<double>("lognormal", "zaforq", [](OrqStream s, int32_t n, Rd r) { _orqdRngLognormal(0, s, n, r, 0.0, 1.0, 0.0, 1.0); });
  std_peer<double>("lognormal", std::lognormal_distribution<double>(0.0, 1.0));
  gsl_peer<double>("lognormal", "gsl", [](G g) { return gsl_ran_lognormal(g, 0.0, 1.0); });

  zaforq<double>("laplace", "zaforq", [](OrqStream s, int32_t n, Rd r) { _orqdRngLaplace(0, s, n, r, 0.0, 1.0); });
  gsl_peer<double>("laplace", "gsl", [](G g) { return gsl_ran_laplace(g, 1.0); });

  zaforq<double>("weibull", "zaforq", [](OrqStream s, int32_t n, Rd r) { _orqdRngWeibull(0, s, n, r, 1.5, 0.0, 1.0); });
  std_peer<double>("weibull", std::weibull_distribution<double>(1.5, 1.0));
  gsl_peer<double>("weibull", "gsl", [](G g) { return gsl_ran_weibull(g, 1.0, 1.5); });

  zaforq<double>("cauchy", "zaforq", [](OrqStream s, int32_t n, Rd r) { _orqdRngCauchy(0, s, n, r, 0.0, 1.0); });
  std_peer<double>("cauchy", std::cauchy_distribution<double>(0.0, 1.0));
  gsl_peer<double>("cauchy", "gsl", [](G g) { return gsl_ran_cauchy(g, 1.0); });

  zaforq<double>("rayleigh", "zaforq", [](OrqStream s, int32_t n, Rd r) { _orqdRngRayleigh(0, s, n, r, 0.0, 1.0); });
  gsl_peer<double>("rayleigh", "gsl", [](G g) { return gsl_ran_rayleigh(g, 1.0); });

  zaforq<double>("gumbel", "zaforq", [](OrqStream s, int32_t n, Rd r) { _orqdRngGumbel(0, s, n, r, 0.0, 1.0); });
  std_peer<double>("gumbel", std::extreme_value_distribution<double>(0.0, 1.0));
  gsl_peer<double>("gumbel", "gsl", [](G g) { return gsl_ran_gumbel1(g, 1.0, 1.0); });

  zaforq<int32_t>("uniform_int", "zaforq", [](OrqStream s, int32_t n, Ri r) { _orqiRngUniform(0, s, n, r, -1000, 1000); });
  std_peer<int32_t>("uniform_int", std::uniform_int_distribution<int32_t>(-1000, 999));
  gsl_peer<int32_t>("uniform_int", "gsl", [](G g) { return static_cast<int32_t>(gsl_rng_uniform_int(g, 2000)) - 1000; });

  zaforq<int32_t>("bernoulli", "zaforq", [](OrqStream s, int32_t n, Ri r) { _orqiRngBernoulli(0, s, n, r, 0.3); });
  std_peer<int32_t>("bernoulli", std::bernoulli_distribution(0.3));
  gsl_peer<int32_t>("bernoulli", "gsl", [](G g) { return static_cast<int32_t>(gsl_ran_bernoulli(g, 0.3)); });

  zaforq<int32_t>("geometric", "zaforq", [](OrqStream s, int32_t n, Ri r) { _orqiRngGeometric(0, s, n, r, 0.3); });
  std_peer<int32_t>("geometric", std::geometric_distribution<int32_t>(0.3));
  gsl_peer<int32_t>("geometric", "gsl", [](G g) { return static_cast<int32_t>(gsl_ran_geometric(g, 0.3)) - 1; });
  return 0;
}();

// Multivariate Gaussian of dimension 4, full storage: n counts scalars (n / 4 vectors).
void Zaforq_MV(benchmark::State& state) {
  const int32_t n = static_cast<int32_t>(state.range(0)), d = 4;
  OrqStream s = mt_stream();
  std::vector<double> r(static_cast<size_t>(n));
  const double a[4] = {0, 1, 2, 3}, t[16] = {1, 0, 0, 0, 0.5, 1, 0, 0, 0.2, 0.3, 1, 0, 0.1, 0.1, 0.1, 1};
  for (auto _ : state) {
    _orqdRngGaussianMV(1, s, n / d, r.data(), d, ORQ_MV_STORAGE_FULL, a, t);
    benchmark::DoNotOptimize(r.data());
  }
  state.SetItemsProcessed(state.iterations() * n);
  __orqDeleteStream(&s);
}
void Gsl_MV(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0)), d = 4;
  gsl_rng* g = gsl_rng_alloc(gsl_rng_mt19937);
  gsl_rng_set(g, 42);
  gsl_vector* mu = gsl_vector_alloc(d);
  gsl_matrix* l = gsl_matrix_calloc(d, d);
  const double t[16] = {1, 0, 0, 0, 0.5, 1, 0, 0, 0.2, 0.3, 1, 0, 0.1, 0.1, 0.1, 1};
  for (size_t i = 0; i < d; ++i) {
    gsl_vector_set(mu, i, static_cast<double>(i));
    for (size_t j = 0; j <= i; ++j) gsl_matrix_set(l, i, j, t[i * d + j]);
  }
  std::vector<double> r(n);
  for (auto _ : state) {
    for (size_t k = 0; k + d <= n; k += d) {
      gsl_vector_view v = gsl_vector_view_array(r.data() + k, d);
      gsl_ran_multivariate_gaussian(g, mu, l, &v.vector);
    }
    benchmark::DoNotOptimize(r.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
  gsl_matrix_free(l);
  gsl_vector_free(mu);
  gsl_rng_free(g);
}
const int registered_mv = [] {
  reg("gaussian_mv4", "zaforq", Zaforq_MV);
  reg("gaussian_mv4", "gsl", Gsl_MV);
  return 0;
}();

#define PART(name, body) \
  BENCHMARK_CAPTURE(Part, name, [](OrqStream s, int32_t n, double* x, double* y) { body; })->Name("parts/" #name)->Arg(1024)->Arg(10000000)->Unit(benchmark::kMillisecond)
PART(uniform_mt19937, _orqdRngUniform(0, s, n, y, 0.0, 1.0));
PART(ln_50, _zafdLn_50(n, x, y));
PART(sqrt_50, _zafdSqrt_50(n, x, y));
PART(sincos_50, _zafdSinCos_50(n / 2, x, y, y + n / 2));  // n / 2 angles: one per pair
PART(sin_ha, _zafdSin_HA(n, x, y));
PART(tan_50, _zafdTan_50(n, x, y));
PART(exp_50, _zafdExp_50(n, x, y));
PART(powx_ha, _zafdPowx_HA(n, x, 0.6666666666666666, y));
PART(affine, for (int32_t i = 0; i < n; ++i) y[i] = x[i] * 2.0 + 1.0);

}  // namespace
