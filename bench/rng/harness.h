// What the generator and distribution benchmarks share: each contender fills an array of n
// results per iteration from a generator made (and the array written) before timing, and is
// registered as  <group>/<case>/<contender>/<n>  for bench/rng/run, which sets every contender
// of a case beside the one named "zaforq" (or "zaforq_<variant>", each its own row).
#pragma once
#include <benchmark/benchmark.h>
#include <gsl/gsl_rng.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "zaforq.h"

namespace rngbench {

using I = int32_t;

// A library stream, deleted with its contender.
struct Stream {
  OrqStream s = nullptr;
  explicit Stream(int32_t id, std::vector<uint32_t> seed = {42}) {
    __orqNewStreamEx(&s, id, static_cast<int32_t>(seed.size()), seed.data());
  }
  ~Stream() { __orqDeleteStream(&s); }
};
// A GSL generator seeded with 42.
struct GslRng {
  gsl_rng* g;
  explicit GslRng(const gsl_rng_type* t) : g(gsl_rng_alloc(t)) { gsl_rng_set(g, 42); }
  ~GslRng() { gsl_rng_free(g); }
};

// make() returns the contender: a callable fill(T* r, int32_t n) owning its generator.
template <class T, class Make>
void timed(benchmark::State& state, Make make) {
  const int32_t n = static_cast<int32_t>(state.range(0));
  std::vector<T> r(static_cast<size_t>(n));  // written (zeroed) here, not in the first iteration
  auto fill = make();
  for (auto _ : state) {
    fill(r.data(), n);
    benchmark::DoNotOptimize(r.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * n);
}

// One contender of one case; `large` is the second size (the first is 1000).
struct Entry {
  const char* name;
  const char* who;
  void (*run)(benchmark::State&);
  int64_t large = 1000000;
};

template <size_t N>
void register_table(const char* group, const Entry (&table)[N]) {
  for (const Entry& e : table)
    benchmark::RegisterBenchmark((std::string(group) + "/" + e.name + "/" + e.who).c_str(), e.run)
        ->Arg(1000)
        ->Arg(e.large);
}

// Contenders from an expression. In ZAF the call sees the stream `s`, the array `r` and the count
// `n`; STD draws dist(e) from std::mt19937_64; GSL evaluates expr with `rng` a gsl_rng*.
#define RB_ZAF(T, id, call)                                                                      \
  [](benchmark::State& st_) {                                                                    \
    timed<T>(st_, [] {                                                                           \
      return [h = std::make_shared<Stream>(id)](T* r, int32_t n) { OrqStream s = h->s; call; }; \
    });                                                                                          \
  }
#define RB_STD(T, Engine, dist)                                                                    \
  [](benchmark::State& st_) {                                                                      \
    timed<T>(st_, [] {                                                                             \
      return [e = Engine(42), d = dist](T* r, int32_t n) mutable {                                 \
        for (int32_t i = 0; i < n; ++i) r[i] = static_cast<T>(d(e));                               \
      };                                                                                           \
    });                                                                                            \
  }
#define RB_GSL(T, type, expr)                                                                    \
  [](benchmark::State& st_) {                                                                    \
    timed<T>(st_, [] {                                                                           \
      return [h = std::make_shared<GslRng>(type)](T* r, int32_t n) {                             \
        gsl_rng* rng = h->g;                                                                     \
        for (int32_t i = 0; i < n; ++i) r[i] = static_cast<T>(expr);                             \
      };                                                                                         \
    });                                                                                          \
  }

}  // namespace rngbench
