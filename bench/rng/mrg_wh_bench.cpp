// MRG32k3a beside GSL's combined multiple recursive generator (gsl_rng_mrg) and a plain 64-bit
// MRG32k3a loop (the recurrence with 64-bit remainders, one output at a time); Wichmann-Hill
// doubles and 16-byte words. n = 1000 and 10^6; compare items_per_second of rows with equal n.
#include <benchmark/benchmark.h>
#include <gsl/gsl_rng.h>

#include <vector>

#include "zaforq.h"

namespace {

template <int32_t Id, int Kind>  // Kind 0 doubles, 1 floats, 2 integer words
void MrgWh_Zaforq(benchmark::State& state) {
  const int32_t n = static_cast<int32_t>(state.range(0));
  OrqStream s = nullptr;
  const uint32_t seed[4] = {42, 43, 44, 45};
  __orqNewStreamEx(&s, Id, 4, seed);
  BrngRow p;
  __orqGetBrngProperties(Id, &p);
  std::vector<unsigned char> r(static_cast<size_t>(n) * (Kind == 2 ? p.WordBytes : 8));
  for (auto _ : state) {
    if (Kind == 0) _orqdRngUniform(0, s, n, reinterpret_cast<double*>(r.data()), 0.0, 1.0);
    if (Kind == 1) _orqsRngUniform(0, s, n, reinterpret_cast<float*>(r.data()), 0.0f, 1.0f);
    if (Kind == 2) _orqiRngUniformBits(0, s, n, r.data());
    benchmark::DoNotOptimize(r.data());
  }
  state.SetItemsProcessed(state.iterations() * n);
  __orqDeleteStream(&s);
}

template <int Double>
void MrgWh_GslMrg(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0));
  gsl_rng* g = gsl_rng_alloc(gsl_rng_mrg);
  gsl_rng_set(g, 42);
  std::vector<double> d(n);
  std::vector<uint32_t> w(n);
  for (auto _ : state) {
    if (Double) {
      for (size_t i = 0; i < n; ++i) d[i] = gsl_rng_uniform(g);
      benchmark::DoNotOptimize(d.data());
    } else {
      for (size_t i = 0; i < n; ++i) w[i] = static_cast<uint32_t>(gsl_rng_get(g));
      benchmark::DoNotOptimize(w.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
  gsl_rng_free(g);
}

// The textbook MRG32k3a step with 64-bit remainders.
void MrgWh_Plain64(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0));
  const uint64_t m1 = 4294967087ull, m2 = 4294944443ull;
  uint64_t a0 = 42, a1 = 43, a2 = 44, b0 = 45, b1 = 1, b2 = 1;
  std::vector<double> d(n);
  for (auto _ : state) {
    for (size_t i = 0; i < n; ++i) {
      const uint64_t x = (1403580 * a1 + 810728 * (m1 - a0)) % m1;
      const uint64_t y = (527612 * b2 + 1370589 * (m2 - b0)) % m2;
      a0 = a1, a1 = a2, a2 = x;
      b0 = b1, b1 = b2, b2 = y;
      d[i] = static_cast<double>(x >= y ? x - y : x + m1 - y) * (1.0 / 4294967087.0);
    }
    benchmark::DoNotOptimize(d.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
}

#define SIZES ->Arg(1000)->Arg(1000000)

BENCHMARK(MrgWh_Zaforq<ORQ_BRNG_MRG32K3A, 0>)->Name("mrg/double/zaforq_mrg32k3a") SIZES;
BENCHMARK(MrgWh_Plain64)->Name("mrg/double/plain64_mrg32k3a") SIZES;
BENCHMARK(MrgWh_GslMrg<1>)->Name("mrg/double/gsl_mrg") SIZES;
BENCHMARK(MrgWh_Zaforq<ORQ_BRNG_MRG32K3A, 1>)->Name("mrg/float/zaforq_mrg32k3a") SIZES;
BENCHMARK(MrgWh_Zaforq<ORQ_BRNG_MRG32K3A, 2>)->Name("mrg/int/zaforq_mrg32k3a") SIZES;
BENCHMARK(MrgWh_GslMrg<0>)->Name("mrg/int/gsl_mrg") SIZES;
BENCHMARK(MrgWh_Zaforq<ORQ_BRNG_WH, 0>)->Name("wh/double/zaforq_wh") SIZES;
BENCHMARK(MrgWh_Zaforq<ORQ_BRNG_WH, 2>)->Name("wh/int16/zaforq_wh") SIZES;

}  // namespace
