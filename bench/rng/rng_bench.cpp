// Integer and double output of the basic generators beside std:: and GSL generators, n = 1000
// (in cache) and 10^6. Compare rows of the same n: items_per_second is the throughput.
#include <benchmark/benchmark.h>
#include <gsl/gsl_rng.h>

#include <random>
#include <vector>

#include "zaforq.h"

namespace {

template <int32_t Id>
void Zaforq_Int(benchmark::State& state) {
  const int32_t n = static_cast<int32_t>(state.range(0));
  OrqStream s = nullptr;
  const uint32_t seed = 42;
  __orqNewStreamEx(&s, Id, 1, &seed);
  BrngRow p;
  __orqGetBrngProperties(Id, &p);
  std::vector<unsigned char> r(static_cast<size_t>(n) * p.WordBytes);
  for (auto _ : state) {
    _orqiRngUniformBits(0, s, n, r.data());
    benchmark::DoNotOptimize(r.data());
  }
  state.SetItemsProcessed(state.iterations() * n);
  __orqDeleteStream(&s);
}

template <int32_t Id>
void Zaforq_Double(benchmark::State& state) {
  const int32_t n = static_cast<int32_t>(state.range(0));
  OrqStream s = nullptr;
  const uint32_t seed = 42;
  __orqNewStreamEx(&s, Id, 1, &seed);
  std::vector<double> r(n);
  for (auto _ : state) {
    _orqdRngUniform(0, s, n, r.data(), 0.0, 1.0);
    benchmark::DoNotOptimize(r.data());
  }
  state.SetItemsProcessed(state.iterations() * n);
  __orqDeleteStream(&s);
}

template <class Engine>
void Std_Int(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0));
  Engine e(42);
  std::vector<uint32_t> r(n);
  for (auto _ : state) {
    for (size_t i = 0; i < n; ++i) r[i] = static_cast<uint32_t>(e());
    benchmark::DoNotOptimize(r.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
}

template <class Engine>
void Std_Double(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0));
  Engine e(42);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  std::vector<double> r(n);
  for (auto _ : state) {
    for (size_t i = 0; i < n; ++i) r[i] = u(e);
    benchmark::DoNotOptimize(r.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
}

const gsl_rng_type* gsl_type(int which) {
  switch (which) {
    case 0: return gsl_rng_mt19937;
    case 1: return gsl_rng_r250;
    case 2: return gsl_rng_minstd;
    default: return gsl_rng_taus2;
  }
}

template <int Which>
void Gsl_Int(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0));
  gsl_rng* g = gsl_rng_alloc(gsl_type(Which));
  gsl_rng_set(g, 42);
  std::vector<uint32_t> r(n);
  for (auto _ : state) {
    for (size_t i = 0; i < n; ++i) r[i] = static_cast<uint32_t>(gsl_rng_get(g));
    benchmark::DoNotOptimize(r.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
  gsl_rng_free(g);
}

template <int Which>
void Gsl_Double(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0));
  gsl_rng* g = gsl_rng_alloc(gsl_type(Which));
  gsl_rng_set(g, 42);
  std::vector<double> r(n);
  for (auto _ : state) {
    for (size_t i = 0; i < n; ++i) r[i] = gsl_rng_uniform(g);
    benchmark::DoNotOptimize(r.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
  gsl_rng_free(g);
}

#define SIZES ->Arg(1000)->Arg(1000000)

BENCHMARK(Zaforq_Int<ORQ_BRNG_MT19937>)->Name("int/zaforq_mt19937") SIZES;
BENCHMARK(Zaforq_Int<ORQ_BRNG_MT2203>)->Name("int/zaforq_mt2203") SIZES;
BENCHMARK(Zaforq_Int<ORQ_BRNG_MCG31>)->Name("int/zaforq_mcg31m1") SIZES;
BENCHMARK(Zaforq_Int<ORQ_BRNG_MCG59>)->Name("int/zaforq_mcg59") SIZES;
BENCHMARK(Zaforq_Int<ORQ_BRNG_R250>)->Name("int/zaforq_r250") SIZES;
BENCHMARK(Std_Int<std::mt19937>)->Name("int/std_mt19937") SIZES;
BENCHMARK(Std_Int<std::minstd_rand>)->Name("int/std_minstd_rand") SIZES;
BENCHMARK(Gsl_Int<0>)->Name("int/gsl_mt19937") SIZES;
BENCHMARK(Gsl_Int<1>)->Name("int/gsl_r250") SIZES;
BENCHMARK(Gsl_Int<2>)->Name("int/gsl_minstd") SIZES;
BENCHMARK(Gsl_Int<3>)->Name("int/gsl_taus2") SIZES;

BENCHMARK(Zaforq_Double<ORQ_BRNG_MT19937>)->Name("double/zaforq_mt19937") SIZES;
BENCHMARK(Zaforq_Double<ORQ_BRNG_MT2203>)->Name("double/zaforq_mt2203") SIZES;
BENCHMARK(Zaforq_Double<ORQ_BRNG_MCG31>)->Name("double/zaforq_mcg31m1") SIZES;
BENCHMARK(Zaforq_Double<ORQ_BRNG_MCG59>)->Name("double/zaforq_mcg59") SIZES;
BENCHMARK(Zaforq_Double<ORQ_BRNG_R250>)->Name("double/zaforq_r250") SIZES;
BENCHMARK(Std_Double<std::mt19937>)->Name("double/std_mt19937_uniform_real") SIZES;
BENCHMARK(Std_Double<std::minstd_rand>)->Name("double/std_minstd_rand_uniform_real") SIZES;
BENCHMARK(Gsl_Double<0>)->Name("double/gsl_mt19937") SIZES;
BENCHMARK(Gsl_Double<1>)->Name("double/gsl_r250") SIZES;
BENCHMARK(Gsl_Double<2>)->Name("double/gsl_minstd") SIZES;

}  // namespace

BENCHMARK_MAIN();
