// Gamma, beta, binomial, negative binomial, hypergeometric and Poisson beside std:: over
// std::mt19937_64 and GSL over gsl_rng_mt19937, the library drawing from MT19937; numpy's
// Generator is timed by numpy_dist2.py and joined in bench/rng/run. Rows are named like those of
// dist_bench.cpp, dist/CASE/PEER with sizes 1000 and 10^7, so run prints them as ratios too.
// Each case names its parameters; a rejection method and the inversion of the same distribution
// appear as separate cases.
#include <benchmark/benchmark.h>
#include <gsl/gsl_randist.h>
#include <gsl/gsl_rng.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "zaforq.h"

namespace {

template <class T, class F>
void Zaforq(benchmark::State& state, F draw) {
  const int32_t n = static_cast<int32_t>(state.range(0));
  OrqStream s = nullptr;
  const uint32_t seed = 42;
  __orqNewStreamEx(&s, ORQ_BRNG_MT19937, 1, &seed);
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

// Sizes 1000 and 10^7; the large hypergeometric case stops at 10^5, where GSL's method, which
// draws one uniform per item of the sample, already takes seconds.
template <class F>
void reg(const char* dist, const char* peer, F f) {
  const bool slow = std::string(dist) == "hypergeometric_10000_2000_3000";
  benchmark::RegisterBenchmark((std::string("dist/") + dist + "/" + peer).c_str(), f)
      ->Arg(1000)
      ->Arg(slow ? 100000 : 10000000)
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
void gsl_peer(const char* dist, F f) {
  reg(dist, "gsl", [f](benchmark::State& st) { Gsl<T>(st, f); });
}
using Rd = double*;
using Rf = float*;
using Ri = int32_t*;
using G = const gsl_rng*;
using I = int32_t;

// Means log-uniform on [0.1, 10^4], a fixed table of 4096 repeated along the array.
const std::vector<double>& spread_table() {
  static std::vector<double> m = [] {
    std::vector<double> v(4096);
    std::mt19937_64 e(7);
    std::uniform_real_distribution<double> u(std::log(0.1), std::log(1e4));
    for (double& x : v) x = std::exp(u(e));
    return v;
  }();
  return m;
}
const double* spread_means(int32_t n) {
  static std::vector<double> all;
  if (all.size() < static_cast<size_t>(n)) {
    all.resize(static_cast<size_t>(n));
    for (size_t i = 0; i < all.size(); ++i) all[i] = spread_table()[i % 4096];
  }
  return all.data();
}

const int registered = [] {
  zaforq<double>("gamma_2.5", "zaforq", [](OrqStream s, I n, Rd r) { _orqdRngGamma(0, s, n, r, 2.5, 0.0, 1.0); });
  zaforq<float>("gamma_2.5", "zaforq_float", [](OrqStream s, I n, Rf r) { _orqsRngGamma(0, s, n, r, 2.5f, 0.0f, 1.0f); });
  std_peer<double>("gamma_2.5", std::gamma_distribution<double>(2.5, 1.0));
  gsl_peer<double>("gamma_2.5", [](G g) { return gsl_ran_gamma(g, 2.5, 1.0); });
  zaforq<double>("gamma_0.8", "zaforq", [](OrqStream s, I n, Rd r) { _orqdRngGamma(0, s, n, r, 0.8, 0.0, 1.0); });
  std_peer<double>("gamma_0.8", std::gamma_distribution<double>(0.8, 1.0));
  gsl_peer<double>("gamma_0.8", [](G g) { return gsl_ran_gamma(g, 0.8, 1.0); });
  zaforq<double>("gamma_0.3", "zaforq", [](OrqStream s, I n, Rd r) { _orqdRngGamma(0, s, n, r, 0.3, 0.0, 1.0); });
  std_peer<double>("gamma_0.3", std::gamma_distribution<double>(0.3, 1.0));
  gsl_peer<double>("gamma_0.3", [](G g) { return gsl_ran_gamma(g, 0.3, 1.0); });

  zaforq<double>("beta_2_3", "zaforq", [](OrqStream s, I n, Rd r) { _orqdRngBeta(0, s, n, r, 2.0, 3.0, 0.0, 1.0); });
  zaforq<float>("beta_2_3", "zaforq_float", [](OrqStream s, I n, Rf r) { _orqsRngBeta(0, s, n, r, 2.0f, 3.0f, 0.0f, 1.0f); });
  gsl_peer<double>("beta_2_3", [](G g) { return gsl_ran_beta(g, 2.0, 3.0); });
  zaforq<double>("beta_0.5_0.5", "zaforq", [](OrqStream s, I n, Rd r) { _orqdRngBeta(0, s, n, r, 0.5, 0.5, 0.0, 1.0); });
  gsl_peer<double>("beta_0.5_0.5", [](G g) { return gsl_ran_beta(g, 0.5, 0.5); });
  zaforq<double>("beta_0.5_3", "zaforq", [](OrqStream s, I n, Rd r) { _orqdRngBeta(0, s, n, r, 0.5, 3.0, 0.0, 1.0); });
  gsl_peer<double>("beta_0.5_3", [](G g) { return gsl_ran_beta(g, 0.5, 3.0); });

  zaforq<I>("binomial_100_0.3", "zaforq", [](OrqStream s, I n, Ri r) { _orqiRngBinomial(0, s, n, r, 100, 0.3); });
  std_peer<I>("binomial_100_0.3", std::binomial_distribution<I>(100, 0.3));
  gsl_peer<I>("binomial_100_0.3", [](G g) { return static_cast<I>(gsl_ran_binomial(g, 0.3, 100)); });
  zaforq<I>("binomial_20_0.3", "zaforq", [](OrqStream s, I n, Ri r) { _orqiRngBinomial(0, s, n, r, 20, 0.3); });
  std_peer<I>("binomial_20_0.3", std::binomial_distribution<I>(20, 0.3));
  gsl_peer<I>("binomial_20_0.3", [](G g) { return static_cast<I>(gsl_ran_binomial(g, 0.3, 20)); });

  zaforq<I>("poisson_30", "zaforq", [](OrqStream s, I n, Ri r) { _orqiRngPoisson(0, s, n, r, 30.0); });
  zaforq<I>("poisson_30", "zaforq_m1", [](OrqStream s, I n, Ri r) { _orqiRngPoisson(1, s, n, r, 30.0); });
  std_peer<I>("poisson_30", std::poisson_distribution<I>(30.0));
  gsl_peer<I>("poisson_30", [](G g) { return static_cast<I>(gsl_ran_poisson(g, 30.0)); });
  zaforq<I>("poisson_5", "zaforq", [](OrqStream s, I n, Ri r) { _orqiRngPoisson(0, s, n, r, 5.0); });
  std_peer<I>("poisson_5", std::poisson_distribution<I>(5.0));
  gsl_peer<I>("poisson_5", [](G g) { return static_cast<I>(gsl_ran_poisson(g, 5.0)); });
  zaforq<I>("poisson_1000", "zaforq", [](OrqStream s, I n, Ri r) { _orqiRngPoisson(0, s, n, r, 1000.0); });
  std_peer<I>("poisson_1000", std::poisson_distribution<I>(1000.0));
  gsl_peer<I>("poisson_1000", [](G g) { return static_cast<I>(gsl_ran_poisson(g, 1000.0)); });

  // one mean per element, log-uniform on [0.1, 10^4]
  zaforq<I>("poissonv_spread", "zaforq", [](OrqStream s, I n, Ri r) { _orqiRngPoissonV(0, s, n, r, spread_means(n)); });
  gsl_peer<I>("poissonv_spread", [](G g) {
    static size_t i = 0;
    const std::vector<double>& m = spread_table();
    return static_cast<I>(gsl_ran_poisson(g, m[i++ % m.size()]));
  });

  zaforq<I>("negbinomial_5_0.3", "zaforq", [](OrqStream s, I n, Ri r) { _orqiRngNegbinomial(0, s, n, r, 5.0, 0.3); });
  std_peer<I>("negbinomial_5_0.3", std::negative_binomial_distribution<I>(5, 0.3));
  gsl_peer<I>("negbinomial_5_0.3", [](G g) { return static_cast<I>(gsl_ran_negative_binomial(g, 0.3, 5.0)); });
  zaforq<I>("negbinomial_200_0.5", "zaforq", [](OrqStream s, I n, Ri r) { _orqiRngNegbinomial(0, s, n, r, 200.0, 0.5); });
  std_peer<I>("negbinomial_200_0.5", std::negative_binomial_distribution<I>(200, 0.5));
  gsl_peer<I>("negbinomial_200_0.5", [](G g) { return static_cast<I>(gsl_ran_negative_binomial(g, 0.5, 200.0)); });

  // lot, sample, marked; GSL takes (marked, unmarked, sample)
  zaforq<I>("hypergeometric_1000_100_300", "zaforq",
            [](OrqStream s, I n, Ri r) { _orqiRngHypergeometric(0, s, n, r, 1000, 100, 300); });
  gsl_peer<I>("hypergeometric_1000_100_300", [](G g) { return static_cast<I>(gsl_ran_hypergeometric(g, 300, 700, 100)); });
  zaforq<I>("hypergeometric_10000_2000_3000", "zaforq",
            [](OrqStream s, I n, Ri r) { _orqiRngHypergeometric(0, s, n, r, 10000, 2000, 3000); });
  gsl_peer<I>("hypergeometric_10000_2000_3000",
              [](G g) { return static_cast<I>(gsl_ran_hypergeometric(g, 3000, 7000, 2000)); });
  return 0;
}();

}  // namespace
