// Basic generators beside their peers: integer words, and doubles on [0, 1). The library's
// MT19937, MCG31m1, R250 and MRG32k3a doubles each take one generator word per double, so their
// first peers do too (std32: a std:: engine with a conversion written here, GSL's
// gsl_rng_uniform); std:: defaults (uniform_real_distribution, which takes two 32-bit words per
// double, and std::mt19937_64) are there as what a user gets without thinking. numpy's side is
// numpy_peers.py. Sobol and Niederreiter points beside GSL's quasi-random generators.
#include <gsl/gsl_qrng.h>

#include "harness.h"

namespace rngbench {
namespace {

// One 32-bit word per double, the same map as the library's: y * 2^-32.
template <class Engine>
struct Std32 {
  Engine e{42};
  double scale;
  void operator()(double* r, int32_t n) {
    for (int32_t i = 0; i < n; ++i) r[i] = static_cast<double>(e() - Engine::min()) * scale;
  }
};
void std32_mt(benchmark::State& st) {
  timed<double>(st, [] { return Std32<std::mt19937>{std::mt19937(42), 0x1p-32}; });
}
void std32_minstd(benchmark::State& st) {
  timed<double>(st, [] { return Std32<std::minstd_rand>{std::minstd_rand(42), 1.0 / 2147483646.0}; });
}

// The textbook MRG32k3a step with 64-bit remainders, one output at a time.
void plain_mrg32k3a(benchmark::State& st) {
  timed<double>(st, [] {
    return [a0 = uint64_t{42}, a1 = uint64_t{43}, a2 = uint64_t{44}, b0 = uint64_t{45}, b1 = uint64_t{1},
            b2 = uint64_t{1}](double* r, int32_t n) mutable {
      const uint64_t m1 = 4294967087ull, m2 = 4294944443ull;
      for (int32_t i = 0; i < n; ++i) {
        const uint64_t x = (1403580 * a1 + 810728 * (m1 - a0)) % m1;
        const uint64_t y = (527612 * b2 + 1370589 * (m2 - b0)) % m2;
        a0 = a1, a1 = a2, a2 = x;
        b0 = b1, b1 = b2, b2 = y;
        r[i] = static_cast<double>(x >= y ? x - y : x + m1 - y) * (1.0 / 4294967087.0);
      }
    };
  });
}

// Quasi-random points of dimension D as doubles: n / D points of D coordinates per call. GSL's
// generator starts over every 2^20 points to stay inside its sequence length.
template <int32_t Id, int D>
void zaf_quasi(benchmark::State& st) {
  timed<double>(st, [] {
    return [h = std::make_shared<Stream>(Id, std::vector<uint32_t>{D})](double* r, int32_t n) {
      _orqdRngUniform(0, h->s, n / D * D, r, 0.0, 1.0);
    };
  });
}
template <int Which, int D>
void gsl_quasi(benchmark::State& st) {
  timed<double>(st, [] {
    auto g = std::shared_ptr<gsl_qrng>(gsl_qrng_alloc(Which == 0 ? gsl_qrng_sobol : gsl_qrng_niederreiter_2, D),
                                       gsl_qrng_free);
    return [g, drawn = size_t{0}](double* r, int32_t n) mutable {
      if (drawn > (1u << 20)) gsl_qrng_init(g.get()), drawn = 0;
      for (int32_t i = 0; i + D <= n; i += D) gsl_qrng_get(g.get(), r + i);
      drawn += static_cast<size_t>(n / D);
    };
  });
}

using U = uint32_t;
const std::vector<U> kMrgSeed = {42, 43, 44, 45};

const Entry kGenerators[] = {
    // integer words
    {"int_mt19937", "zaforq", RB_ZAF(U, ORQ_BRNG_MT19937, _orqiRngUniformBits(0, s, n, r))},
    {"int_mt19937", "std", RB_STD(U, std::mt19937, [](std::mt19937& e) { return e(); })},
    {"int_mt19937", "gsl", RB_GSL(U, gsl_rng_mt19937, gsl_rng_get(rng))},
    {"int_mcg31m1", "zaforq", RB_ZAF(U, ORQ_BRNG_MCG31, _orqiRngUniformBits(0, s, n, r))},
    {"int_mcg31m1", "std", RB_STD(U, std::minstd_rand, [](std::minstd_rand& e) { return e(); })},
    {"int_mcg31m1", "gsl", RB_GSL(U, gsl_rng_minstd, gsl_rng_get(rng))},
    {"int_r250", "zaforq", RB_ZAF(U, ORQ_BRNG_R250, _orqiRngUniformBits(0, s, n, r))},
    {"int_r250", "gsl", RB_GSL(U, gsl_rng_r250, gsl_rng_get(rng))},
    {"int_mrg32k3a", "zaforq",
     [](benchmark::State& st) {
       timed<U>(st, [] {
         return [h = std::make_shared<Stream>(ORQ_BRNG_MRG32K3A, kMrgSeed)](U* r, int32_t n) {
           _orqiRngUniformBits(0, h->s, n, r);
         };
       });
     }},
    {"int_mrg32k3a", "gsl", RB_GSL(U, gsl_rng_mrg, gsl_rng_get(rng))},
    // doubles
    {"double_mt19937", "zaforq", RB_ZAF(double, ORQ_BRNG_MT19937, _orqdRngUniform(0, s, n, r, 0.0, 1.0))},
    {"double_mt19937", "std32", std32_mt},
    {"double_mt19937", "gsl", RB_GSL(double, gsl_rng_mt19937, gsl_rng_uniform(rng))},
    {"double_mt19937", "std", RB_STD(double, std::mt19937, (std::uniform_real_distribution<double>(0.0, 1.0)))},
    {"double_mt19937", "std64", RB_STD(double, std::mt19937_64, (std::uniform_real_distribution<double>(0.0, 1.0)))},
    {"double_mcg31m1", "zaforq", RB_ZAF(double, ORQ_BRNG_MCG31, _orqdRngUniform(0, s, n, r, 0.0, 1.0))},
    {"double_mcg31m1", "std32", std32_minstd},
    {"double_mcg31m1", "gsl", RB_GSL(double, gsl_rng_minstd, gsl_rng_uniform(rng))},
    {"double_r250", "zaforq", RB_ZAF(double, ORQ_BRNG_R250, _orqdRngUniform(0, s, n, r, 0.0, 1.0))},
    {"double_r250", "gsl", RB_GSL(double, gsl_rng_r250, gsl_rng_uniform(rng))},
    {"double_mrg32k3a", "zaforq",
     [](benchmark::State& st) {
       timed<double>(st, [] {
         return [h = std::make_shared<Stream>(ORQ_BRNG_MRG32K3A, kMrgSeed)](double* r, int32_t n) {
           _orqdRngUniform(0, h->s, n, r, 0.0, 1.0);
         };
       });
     }},
    {"double_mrg32k3a", "plain", plain_mrg32k3a},
    {"double_mrg32k3a", "gsl", RB_GSL(double, gsl_rng_mrg, gsl_rng_uniform(rng))},
    // quasi-random points
    {"sobol_d1", "zaforq", zaf_quasi<ORQ_BRNG_SOBOL, 1>},
    {"sobol_d1", "gsl", gsl_quasi<0, 1>},
    {"sobol_d10", "zaforq", zaf_quasi<ORQ_BRNG_SOBOL, 10>},
    {"sobol_d10", "gsl", gsl_quasi<0, 10>},
    {"sobol_d40", "zaforq", zaf_quasi<ORQ_BRNG_SOBOL, 40>},
    {"sobol_d40", "gsl", gsl_quasi<0, 40>},
    {"niederr_d1", "zaforq", zaf_quasi<ORQ_BRNG_NIEDERR, 1>},
    {"niederr_d1", "gsl", gsl_quasi<1, 1>},
    {"niederr_d12", "zaforq", zaf_quasi<ORQ_BRNG_NIEDERR, 12>},
    {"niederr_d12", "gsl", gsl_quasi<1, 12>},
};

const int registered = (register_table("gen", kGenerators), 0);

}  // namespace
}  // namespace rngbench

BENCHMARK_MAIN();
