// Sobol and Niederreiter points as doubles on [0, 1) beside GSL's gsl_qrng_sobol and
// gsl_qrng_niederreiter_2: n coordinates (n / D points of D coordinates) per iteration, so
// items_per_second counts coordinates. Arguments: D, n.
#include <benchmark/benchmark.h>
#include <gsl/gsl_qrng.h>

#include <vector>

#include "zaforq.h"

namespace {

template <int32_t Id>
void Zaforq_Quasi(benchmark::State& state) {
  const uint32_t dim = static_cast<uint32_t>(state.range(0));
  const int32_t n = static_cast<int32_t>(state.range(1)) / static_cast<int32_t>(dim) * static_cast<int32_t>(dim);
  OrqStream s = nullptr;
  __orqNewStreamEx(&s, Id, 1, &dim);
  std::vector<double> r(n);
  for (auto _ : state) {
    _orqdRngUniform(0, s, n, r.data(), 0.0, 1.0);
    benchmark::DoNotOptimize(r.data());
  }
  state.SetItemsProcessed(state.iterations() * n);
  __orqDeleteStream(&s);
}

// A fresh GSL generator every 2^20 points keeps it inside its sequence length (2^30 and 2^31
// points); the re-creation happens outside the timed region.
template <int Which>
void Gsl_Quasi(benchmark::State& state) {
  const gsl_qrng_type* type = Which == 0 ? gsl_qrng_sobol : gsl_qrng_niederreiter_2;
  const unsigned dim = static_cast<unsigned>(state.range(0));
  const size_t np = static_cast<size_t>(state.range(1)) / dim;
  gsl_qrng* g = gsl_qrng_alloc(type, dim);
  std::vector<double> r(np * dim);
  size_t drawn = 0;
  for (auto _ : state) {
    if (drawn > (1u << 20)) {
      state.PauseTiming();
      gsl_qrng_init(g);
      drawn = 0;
      state.ResumeTiming();
    }
    for (size_t i = 0; i < np; ++i) gsl_qrng_get(g, r.data() + i * dim);
    drawn += np;
    benchmark::DoNotOptimize(r.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(np * dim));
  gsl_qrng_free(g);
}

#define QUASI_ARGS(maxd) ->ArgsProduct({{1, 2, 10, maxd}, {1000, 1000000}})

BENCHMARK(Zaforq_Quasi<ORQ_BRNG_SOBOL>)->Name("quasi/zaforq_sobol") QUASI_ARGS(40);
BENCHMARK(Gsl_Quasi<0>)->Name("quasi/gsl_qrng_sobol") QUASI_ARGS(40);
BENCHMARK(Zaforq_Quasi<ORQ_BRNG_NIEDERR>)->Name("quasi/zaforq_niederr") QUASI_ARGS(12);
BENCHMARK(Gsl_Quasi<1>)->Name("quasi/gsl_qrng_niederreiter_2") QUASI_ARGS(12);

}  // namespace
