// Distributions beside std:: distributions over std::mt19937_64 and GSL's over
// gsl_rng_mt19937, the library drawing from MT19937; numpy's Generator is numpy_peers.py. Two
// tables of cases: the transforms (one variate from a fixed number of uniforms) and the
// rejection and table methods, each case named with its parameters, a second method of the same
// distribution as its own contender ("zaforq_m1"). The large hypergeometric case stops at 10^5,
// where GSL's method, one uniform per item of the sample, already takes seconds.
#include <gsl/gsl_randist.h>

#include <cmath>

#include "harness.h"

namespace rngbench {
namespace {

using Rd = double;
using Rf = float;
#define ZAF(T, call) RB_ZAF(T, ORQ_BRNG_MT19937, call)
#define STD(T, dist) RB_STD(T, std::mt19937_64, dist)
#define GSL(T, expr) RB_GSL(T, gsl_rng_mt19937, expr)

// Multivariate Gaussian of dimension 4, full storage: n counts scalars (n / 4 vectors).
const double kMvMean[4] = {0, 1, 2, 3};
const double kMvFactor[16] = {1, 0, 0, 0, 0.5, 1, 0, 0, 0.2, 0.3, 1, 0, 0.1, 0.1, 0.1, 1};
void gsl_mv4(benchmark::State& st) {
  timed<double>(st, [] {
    auto mu = std::shared_ptr<gsl_vector>(gsl_vector_alloc(4), gsl_vector_free);
    auto l = std::shared_ptr<gsl_matrix>(gsl_matrix_calloc(4, 4), gsl_matrix_free);
    for (size_t i = 0; i < 4; ++i) {
      gsl_vector_set(mu.get(), i, kMvMean[i]);
      for (size_t j = 0; j <= i; ++j) gsl_matrix_set(l.get(), i, j, kMvFactor[i * 4 + j]);
    }
    return [g = std::make_shared<GslRng>(gsl_rng_mt19937), mu, l](double* r, int32_t n) {
      for (int32_t k = 0; k + 4 <= n; k += 4) {
        gsl_vector_view v = gsl_vector_view_array(r + k, 4);
        gsl_ran_multivariate_gaussian(g->g, mu.get(), l.get(), &v.vector);
      }
    };
  });
}

// PoissonV's means: log-uniform on [0.1, 10^4], a table of 4096 repeated along the array
// (numpy_peers.py draws the same kind of table).
const std::vector<double>& spread_table() {
  static const std::vector<double> m = [] {
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
void gsl_poissonv(benchmark::State& st) {
  const std::vector<double>& m = spread_table();
  timed<I>(st, [&m] {
    return [g = std::make_shared<GslRng>(gsl_rng_mt19937), &m](I* r, int32_t n) {
      for (int32_t i = 0; i < n; ++i) r[i] = static_cast<I>(gsl_ran_poisson(g->g, m[static_cast<size_t>(i) % m.size()]));
    };
  });
}
void zaf_poissonv(benchmark::State& st) {
  spread_means(static_cast<int32_t>(st.range(0)));  // the means are made before timing
  timed<I>(st, [] {
    return [h = std::make_shared<Stream>(ORQ_BRNG_MT19937)](I* r, int32_t n) {
      _orqiRngPoissonV(0, h->s, n, r, spread_means(n));
    };
  });
}

const Entry kTransforms[] = {
    {"gaussian", "zaforq_m0", ZAF(Rd, _orqdRngGaussian(0, s, n, r, 0.0, 1.0))},
    {"gaussian", "zaforq", ZAF(Rd, _orqdRngGaussian(1, s, n, r, 0.0, 1.0))},
    {"gaussian", "zaforq_float", ZAF(Rf, _orqsRngGaussian(1, s, n, r, 0.0f, 1.0f))},
    {"gaussian", "std", STD(Rd, std::normal_distribution<double>(0.0, 1.0))},
    {"gaussian", "gsl", GSL(Rd, gsl_ran_gaussian(rng, 1.0))},
    {"gaussian", "gsl_zig", GSL(Rd, gsl_ran_gaussian_ziggurat(rng, 1.0))},
    {"exponential", "zaforq", ZAF(Rd, _orqdRngExponential(0, s, n, r, 0.0, 1.0))},
    {"exponential", "zaforq_float", ZAF(Rf, _orqsRngExponential(0, s, n, r, 0.0f, 1.0f))},
    {"exponential", "std", STD(Rd, std::exponential_distribution<double>(1.0))},
    {"exponential", "gsl", GSL(Rd, gsl_ran_exponential(rng, 1.0))},
    {"lognormal", "zaforq", ZAF(Rd, _orqdRngLognormal(0, s, n, r, 0.0, 1.0, 0.0, 1.0))},
    {"lognormal", "std", STD(Rd, std::lognormal_distribution<double>(0.0, 1.0))},
    {"lognormal", "gsl", GSL(Rd, gsl_ran_lognormal(rng, 0.0, 1.0))},
    {"laplace", "zaforq", ZAF(Rd, _orqdRngLaplace(0, s, n, r, 0.0, 1.0))},
    {"laplace", "gsl", GSL(Rd, gsl_ran_laplace(rng, 1.0))},
    {"weibull", "zaforq", ZAF(Rd, _orqdRngWeibull(0, s, n, r, 1.5, 0.0, 1.0))},
    {"weibull", "std", STD(Rd, std::weibull_distribution<double>(1.5, 1.0))},
    {"weibull", "gsl", GSL(Rd, gsl_ran_weibull(rng, 1.0, 1.5))},
    {"cauchy", "zaforq", ZAF(Rd, _orqdRngCauchy(0, s, n, r, 0.0, 1.0))},
    {"cauchy", "std", STD(Rd, std::cauchy_distribution<double>(0.0, 1.0))},
    {"cauchy", "gsl", GSL(Rd, gsl_ran_cauchy(rng, 1.0))},
    {"rayleigh", "zaforq", ZAF(Rd, _orqdRngRayleigh(0, s, n, r, 0.0, 1.0))},
    {"rayleigh", "gsl", GSL(Rd, gsl_ran_rayleigh(rng, 1.0))},
    {"gumbel", "zaforq", ZAF(Rd, _orqdRngGumbel(0, s, n, r, 0.0, 1.0))},
    {"gumbel", "std", STD(Rd, std::extreme_value_distribution<double>(0.0, 1.0))},
    {"gumbel", "gsl", GSL(Rd, gsl_ran_gumbel1(rng, 1.0, 1.0))},
    {"uniform_int", "zaforq", ZAF(I, _orqiRngUniform(0, s, n, r, -1000, 1000))},
    {"uniform_int", "std", STD(I, std::uniform_int_distribution<I>(-1000, 999))},
    {"uniform_int", "gsl", GSL(I, static_cast<I>(gsl_rng_uniform_int(rng, 2000)) - 1000)},
    {"bernoulli", "zaforq", ZAF(I, _orqiRngBernoulli(0, s, n, r, 0.3))},
    {"bernoulli", "std", STD(I, std::bernoulli_distribution(0.3))},
    {"bernoulli", "gsl", GSL(I, gsl_ran_bernoulli(rng, 0.3))},
    {"geometric", "zaforq", ZAF(I, _orqiRngGeometric(0, s, n, r, 0.3))},
    {"geometric", "std", STD(I, std::geometric_distribution<I>(0.3))},
    {"geometric", "gsl", GSL(I, static_cast<I>(gsl_ran_geometric(rng, 0.3)) - 1)},
    {"gaussian_mv4", "zaforq",
     ZAF(Rd, _orqdRngGaussianMV(1, s, n / 4, r, 4, ORQ_MV_STORAGE_FULL, kMvMean, kMvFactor))},
    {"gaussian_mv4", "gsl", gsl_mv4},
};

const Entry kRejection[] = {
    {"gamma_2.5", "zaforq", ZAF(Rd, _orqdRngGamma(0, s, n, r, 2.5, 0.0, 1.0))},
    {"gamma_2.5", "zaforq_float", ZAF(Rf, _orqsRngGamma(0, s, n, r, 2.5f, 0.0f, 1.0f))},
    {"gamma_2.5", "std", STD(Rd, std::gamma_distribution<double>(2.5, 1.0))},
    {"gamma_2.5", "gsl", GSL(Rd, gsl_ran_gamma(rng, 2.5, 1.0))},
    {"gamma_0.8", "zaforq", ZAF(Rd, _orqdRngGamma(0, s, n, r, 0.8, 0.0, 1.0))},
    {"gamma_0.8", "std", STD(Rd, std::gamma_distribution<double>(0.8, 1.0))},
    {"gamma_0.8", "gsl", GSL(Rd, gsl_ran_gamma(rng, 0.8, 1.0))},
    {"gamma_0.3", "zaforq", ZAF(Rd, _orqdRngGamma(0, s, n, r, 0.3, 0.0, 1.0))},
    {"gamma_0.3", "std", STD(Rd, std::gamma_distribution<double>(0.3, 1.0))},
    {"gamma_0.3", "gsl", GSL(Rd, gsl_ran_gamma(rng, 0.3, 1.0))},
    {"beta_2_3", "zaforq", ZAF(Rd, _orqdRngBeta(0, s, n, r, 2.0, 3.0, 0.0, 1.0))},
    {"beta_2_3", "zaforq_float", ZAF(Rf, _orqsRngBeta(0, s, n, r, 2.0f, 3.0f, 0.0f, 1.0f))},
    {"beta_2_3", "gsl", GSL(Rd, gsl_ran_beta(rng, 2.0, 3.0))},
    {"beta_0.5_0.5", "zaforq", ZAF(Rd, _orqdRngBeta(0, s, n, r, 0.5, 0.5, 0.0, 1.0))},
    {"beta_0.5_0.5", "gsl", GSL(Rd, gsl_ran_beta(rng, 0.5, 0.5))},
    {"beta_0.5_3", "zaforq", ZAF(Rd, _orqdRngBeta(0, s, n, r, 0.5, 3.0, 0.0, 1.0))},
    {"beta_0.5_3", "gsl", GSL(Rd, gsl_ran_beta(rng, 0.5, 3.0))},
    {"binomial_100_0.3", "zaforq", ZAF(I, _orqiRngBinomial(0, s, n, r, 100, 0.3))},
    {"binomial_100_0.3", "std", STD(I, std::binomial_distribution<I>(100, 0.3))},
    {"binomial_100_0.3", "gsl", GSL(I, gsl_ran_binomial(rng, 0.3, 100))},
    {"binomial_20_0.3", "zaforq", ZAF(I, _orqiRngBinomial(0, s, n, r, 20, 0.3))},
    {"binomial_20_0.3", "std", STD(I, std::binomial_distribution<I>(20, 0.3))},
    {"binomial_20_0.3", "gsl", GSL(I, gsl_ran_binomial(rng, 0.3, 20))},
    {"poisson_30", "zaforq", ZAF(I, _orqiRngPoisson(0, s, n, r, 30.0))},
    {"poisson_30", "zaforq_m1", ZAF(I, _orqiRngPoisson(1, s, n, r, 30.0))},
    {"poisson_30", "std", STD(I, std::poisson_distribution<I>(30.0))},
    {"poisson_30", "gsl", GSL(I, gsl_ran_poisson(rng, 30.0))},
    {"poisson_5", "zaforq", ZAF(I, _orqiRngPoisson(0, s, n, r, 5.0))},
    {"poisson_5", "std", STD(I, std::poisson_distribution<I>(5.0))},
    {"poisson_5", "gsl", GSL(I, gsl_ran_poisson(rng, 5.0))},
    {"poisson_1000", "zaforq", ZAF(I, _orqiRngPoisson(0, s, n, r, 1000.0))},
    {"poisson_1000", "std", STD(I, std::poisson_distribution<I>(1000.0))},
    {"poisson_1000", "gsl", GSL(I, gsl_ran_poisson(rng, 1000.0))},
    {"poissonv_spread", "zaforq", zaf_poissonv},
    {"poissonv_spread", "gsl", gsl_poissonv},
    {"negbinomial_5_0.3", "zaforq", ZAF(I, _orqiRngNegbinomial(0, s, n, r, 5.0, 0.3))},
    {"negbinomial_5_0.3", "std", STD(I, std::negative_binomial_distribution<I>(5, 0.3))},
    {"negbinomial_5_0.3", "gsl", GSL(I, gsl_ran_negative_binomial(rng, 0.3, 5.0))},
    {"negbinomial_200_0.5", "zaforq", ZAF(I, _orqiRngNegbinomial(0, s, n, r, 200.0, 0.5))},
    {"negbinomial_200_0.5", "std", STD(I, std::negative_binomial_distribution<I>(200, 0.5))},
    {"negbinomial_200_0.5", "gsl", GSL(I, gsl_ran_negative_binomial(rng, 0.5, 200.0))},
    // lot, sample, marked; GSL takes (marked, unmarked, sample)
    {"hypergeometric_1000_100_300", "zaforq", ZAF(I, _orqiRngHypergeometric(0, s, n, r, 1000, 100, 300))},
    {"hypergeometric_1000_100_300", "gsl", GSL(I, gsl_ran_hypergeometric(rng, 300, 700, 100))},
    {"hypergeometric_10000_2000_3000", "zaforq", ZAF(I, _orqiRngHypergeometric(0, s, n, r, 10000, 2000, 3000)),
     100000},
    {"hypergeometric_10000_2000_3000", "gsl", GSL(I, gsl_ran_hypergeometric(rng, 3000, 7000, 2000)), 100000},
};

const int registered = (register_table("dist", kTransforms), register_table("dist", kRejection), 0);

}  // namespace
}  // namespace rngbench
