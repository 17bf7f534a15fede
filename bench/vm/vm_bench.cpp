// Vector-math kernels beside their peers, on the same arguments in the same run. Benchmark
// names are  <s|d><Family>/<range>/<contender>/<n>; `bench/vm/run` turns the times into ratio
// tables. Contenders are the kernels of every class ("zaforq-HA", "zaforq-50", ...) and the
// peers of peers.h.
#include <benchmark/benchmark.h>
#include <math.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "peers.h"
#include "zaf.h"

namespace vmbench {
namespace {

// ---- the kernels, under the same array signature as the peers ------------------------------
template <class T, void (*K)(int32_t, const T*, T*)>
void k1(int32_t n, const void* a, const void*, void* r, void*) {
  K(n, static_cast<const T*>(a), static_cast<T*>(r));
}
template <class T, void (*K)(int32_t, const T*, const T*, T*)>
void k2(int32_t n, const void* a, const void* b, void* r, void*) {
  K(n, static_cast<const T*>(a), static_cast<const T*>(b), static_cast<T*>(r));
}

template <class T, void (*K)(int32_t, const T*, T*, T*)>
void k_two_out(int32_t n, const void* a, const void*, void* r, void* r2) {
  K(n, static_cast<const T*>(a), static_cast<T*>(r), static_cast<T*>(r2));
}
// Powx takes its exponent by value: the benchmark passes the first element of b.
template <class T, void (*K)(int32_t, const T*, T, T*)>
void k_scalar(int32_t n, const void* a, const void* b, void* r, void*) {
  K(n, static_cast<const T*>(a), *static_cast<const T*>(b), static_cast<T*>(r));
}

struct Kernel {
  const char* family;
  bool is_float;
  const char* cls;
  ArrayFn fn;
};

#define ZAF_F3(Fam, K)                                                  \
  {#Fam, true, "11", K<float, _zafs##Fam##_11>}, {#Fam, true, "21", K<float, _zafs##Fam##_21>}, \
      {#Fam, true, "HA", K<float, _zafs##Fam##_HA>}
#define ZAF_D2(Fam, K) \
  {#Fam, false, "50", K<double, _zafd##Fam##_50>}, {#Fam, false, "HA", K<double, _zafd##Fam##_HA>}

const Kernel kKernels[] = {
    ZAF_F3(Sqrt, k1),  ZAF_D2(Sqrt, k1),  ZAF_F3(InvSqrt, k1), ZAF_D2(InvSqrt, k1),
    ZAF_F3(Cbrt, k1),  ZAF_D2(Cbrt, k1),  ZAF_F3(InvCbrt, k1), ZAF_D2(InvCbrt, k1),
    ZAF_F3(Inv, k1),   ZAF_D2(Inv, k1),   ZAF_F3(Div, k2),     ZAF_D2(Div, k2),
    ZAF_F3(Exp, k1),   ZAF_D2(Exp, k1),   ZAF_F3(Ln, k1),      ZAF_D2(Ln, k1),
    ZAF_F3(Log10, k1), ZAF_D2(Log10, k1), ZAF_F3(Pow, k2),     ZAF_D2(Pow, k2),
    ZAF_F3(Powx, k_scalar), ZAF_D2(Powx, k_scalar),
    ZAF_F3(Sin, k1),   ZAF_D2(Sin, k1),   ZAF_F3(Cos, k1),     ZAF_D2(Cos, k1),
    ZAF_F3(Tan, k1),   ZAF_D2(Tan, k1),   ZAF_F3(SinCos, k_two_out), ZAF_D2(SinCos, k_two_out),
    ZAF_F3(Sinh, k1),  ZAF_D2(Sinh, k1),  ZAF_F3(Cosh, k1),    ZAF_D2(Cosh, k1),
    ZAF_F3(Tanh, k1),  ZAF_D2(Tanh, k1),  ZAF_F3(Asinh, k1),   ZAF_D2(Asinh, k1),
    ZAF_F3(Acosh, k1), ZAF_D2(Acosh, k1), ZAF_F3(Atanh, k1),   ZAF_D2(Atanh, k1),
    ZAF_F3(Erf, k1),   ZAF_D2(Erf, k1),   ZAF_F3(Erfc, k1),    ZAF_D2(Erfc, k1),
    ZAF_F3(Asin, k1),  ZAF_D2(Asin, k1),  ZAF_F3(Acos, k1),    ZAF_D2(Acos, k1),
    ZAF_F3(Atan, k1),  ZAF_D2(Atan, k1),  ZAF_F3(Atan2, k2),   ZAF_D2(Atan2, k2),
};

// ---- arguments -------------------------------------------------------------------------------
enum class Dist { uniform, log_uniform, log_uniform_signed };
struct Arg {
  Dist dist;
  double lo, hi;
};
struct Workload {
  const char* family;
  bool is_float;
  const char* label;
  Arg a;
  bool two_args;
  Arg b;
};

const Workload kWorkloads[] = {
    {"Sqrt", false, "1e-300..1e300", {Dist::log_uniform, 1e-300, 1e300}, false, {}},
    {"Sqrt", true, "1e-37..1e37", {Dist::log_uniform, 1e-37, 1e37}, false, {}},
    {"InvSqrt", false, "1e-300..1e300", {Dist::log_uniform, 1e-300, 1e300}, false, {}},
    {"InvSqrt", true, "1e-37..1e37", {Dist::log_uniform, 1e-37, 1e37}, false, {}},
    {"Cbrt", false, "+-1e-300..1e300", {Dist::log_uniform_signed, 1e-300, 1e300}, false, {}},
    {"Cbrt", true, "+-1e-37..1e37", {Dist::log_uniform_signed, 1e-37, 1e37}, false, {}},
    {"InvCbrt", false, "+-1e-300..1e300", {Dist::log_uniform_signed, 1e-300, 1e300}, false, {}},
    {"InvCbrt", true, "+-1e-37..1e37", {Dist::log_uniform_signed, 1e-37, 1e37}, false, {}},
    {"Inv", false, "+-1e-300..1e300", {Dist::log_uniform_signed, 1e-300, 1e300}, false, {}},
    {"Inv", true, "+-1e-37..1e37", {Dist::log_uniform_signed, 1e-37, 1e37}, false, {}},
    {"Inv", false, "+-0.01..100", {Dist::log_uniform_signed, 0.01, 100}, false, {}},
    {"Div", false, "+-0.01..100", {Dist::log_uniform_signed, 0.01, 100}, true,
     {Dist::log_uniform_signed, 0.01, 100}},
    {"Div", false, "+-1e-10..1e10", {Dist::log_uniform_signed, 1e-10, 1e10}, true,
     {Dist::log_uniform_signed, 1e-10, 1e10}},
    {"Div", true, "+-1e-5..1e5", {Dist::log_uniform_signed, 1e-5, 1e5}, true,
     {Dist::log_uniform_signed, 1e-5, 1e5}},
    {"Exp", false, "-700..700", {Dist::uniform, -700, 700}, false, {}},
    {"Exp", true, "-87..88", {Dist::uniform, -87, 88}, false, {}},
    {"Ln", false, "1e-300..1e300", {Dist::log_uniform, 1e-300, 1e300}, false, {}},
    {"Ln", true, "1e-37..1e37", {Dist::log_uniform, 1e-37, 1e37}, false, {}},
    {"Log10", false, "1e-300..1e300", {Dist::log_uniform, 1e-300, 1e300}, false, {}},
    {"Log10", true, "1e-37..1e37", {Dist::log_uniform, 1e-37, 1e37}, false, {}},
    {"Pow", false, "x 0.1..10, y -50..50", {Dist::uniform, 0.1, 10}, true, {Dist::uniform, -50, 50}},
    {"Pow", true, "x 0.1..10, y -20..20", {Dist::uniform, 0.1, 10}, true, {Dist::uniform, -20, 20}},
    {"Powx", false, "x 0.1..10, y fixed", {Dist::uniform, 0.1, 10}, true, {Dist::uniform, 2.5, 2.5}},
    {"Powx", true, "x 0.1..10, y fixed", {Dist::uniform, 0.1, 10}, true, {Dist::uniform, 2.5, 2.5}},
    {"Sin", false, "-10..10", {Dist::uniform, -10, 10}, false, {}},
    {"Sin", false, "-1e5..1e5", {Dist::uniform, -1e5, 1e5}, false, {}},
    {"Sin", true, "-10..10", {Dist::uniform, -10, 10}, false, {}},
    {"Sin", true, "-1e4..1e4", {Dist::uniform, -1e4, 1e4}, false, {}},
    {"Cos", false, "-10..10", {Dist::uniform, -10, 10}, false, {}},
    {"Cos", false, "-1e5..1e5", {Dist::uniform, -1e5, 1e5}, false, {}},
    {"Cos", true, "-10..10", {Dist::uniform, -10, 10}, false, {}},
    {"Tan", false, "-10..10", {Dist::uniform, -10, 10}, false, {}},
    {"Tan", false, "-1e5..1e5", {Dist::uniform, -1e5, 1e5}, false, {}},
    {"Tan", true, "-10..10", {Dist::uniform, -10, 10}, false, {}},
    {"SinCos", false, "-10..10", {Dist::uniform, -10, 10}, false, {}},
    {"SinCos", true, "-10..10", {Dist::uniform, -10, 10}, false, {}},
    {"Sinh", false, "-700..700", {Dist::uniform, -700, 700}, false, {}},
    {"Sinh", false, "-5..5", {Dist::uniform, -5, 5}, false, {}},
    {"Sinh", true, "-88..88", {Dist::uniform, -88, 88}, false, {}},
    {"Cosh", false, "-700..700", {Dist::uniform, -700, 700}, false, {}},
    {"Cosh", false, "-5..5", {Dist::uniform, -5, 5}, false, {}},
    {"Cosh", true, "-88..88", {Dist::uniform, -88, 88}, false, {}},
    {"Tanh", false, "-20..20", {Dist::uniform, -20, 20}, false, {}},
    {"Tanh", true, "-10..10", {Dist::uniform, -10, 10}, false, {}},
    {"Asinh", false, "+-1e-5..1e5", {Dist::log_uniform_signed, 1e-5, 1e5}, false, {}},
    {"Asinh", true, "+-1e-5..1e5", {Dist::log_uniform_signed, 1e-5, 1e5}, false, {}},
    {"Acosh", false, "1..1e5", {Dist::log_uniform, 1.0, 1e5}, false, {}},
    {"Acosh", true, "1..1e5", {Dist::log_uniform, 1.0, 1e5}, false, {}},
    {"Atanh", false, "-1..1", {Dist::uniform, -1, 1}, false, {}},
    {"Atanh", true, "-1..1", {Dist::uniform, -1, 1}, false, {}},
    {"Erf", false, "-6..6", {Dist::uniform, -6, 6}, false, {}},
    {"Erf", true, "-4..4", {Dist::uniform, -4, 4}, false, {}},
    {"Erfc", false, "-3..26", {Dist::uniform, -3, 26}, false, {}},
    {"Erfc", true, "-3..9", {Dist::uniform, -3, 9}, false, {}},
    {"Asin", false, "-1..1", {Dist::uniform, -1, 1}, false, {}},
    {"Asin", true, "-1..1", {Dist::uniform, -1, 1}, false, {}},
    {"Acos", false, "-1..1", {Dist::uniform, -1, 1}, false, {}},
    {"Acos", true, "-1..1", {Dist::uniform, -1, 1}, false, {}},
    {"Atan", false, "+-1e-3..1e3", {Dist::log_uniform_signed, 1e-3, 1e3}, false, {}},
    {"Atan", true, "+-1e-3..1e3", {Dist::log_uniform_signed, 1e-3, 1e3}, false, {}},
    {"Atan2", false, "+-1e-3..1e3", {Dist::log_uniform_signed, 1e-3, 1e3}, true,
     {Dist::log_uniform_signed, 1e-3, 1e3}},
    {"Atan2", true, "+-1e-3..1e3", {Dist::log_uniform_signed, 1e-3, 1e3}, true,
     {Dist::log_uniform_signed, 1e-3, 1e3}},
};

double draw(std::mt19937_64& g, const Arg& arg) {
  std::uniform_real_distribution<double> u(0.0, 1.0);
  switch (arg.dist) {
    case Dist::uniform:
      return arg.lo + (arg.hi - arg.lo) * u(g);
    case Dist::log_uniform:
      return exp(log(arg.lo) + (log(arg.hi) - log(arg.lo)) * u(g));
    case Dist::log_uniform_signed: {
      const double m = exp(log(arg.lo) + (log(arg.hi) - log(arg.lo)) * u(g));
      return u(g) < 0.5 ? -m : m;
    }
  }
  return 0;
}

// Arguments, results and the contender for one benchmark; buffers are made once per size.
struct Case {
  std::vector<double> ad, bd, rd, r2d;
  std::vector<float> af, bf, rf, r2f;
  ArrayFn fn;
  bool is_float;
};

void run_case(benchmark::State& state, const Workload& w, ArrayFn fn) {
  const int32_t n = static_cast<int32_t>(state.range(0));
  std::mt19937_64 g(20261206);
  Case c;
  c.fn = fn;
  c.is_float = w.is_float;
  if (w.is_float) {
    c.af.resize(n);
    c.bf.resize(n, 1.0f);
    c.rf.resize(n);
    c.r2f.resize(n);
    for (int32_t i = 0; i < n; ++i) {
      c.af[i] = static_cast<float>(draw(g, w.a));
      if (w.two_args) c.bf[i] = static_cast<float>(draw(g, w.b));
    }
  } else {
    c.ad.resize(n);
    c.bd.resize(n, 1.0);
    c.rd.resize(n);
    c.r2d.resize(n);
    for (int32_t i = 0; i < n; ++i) {
      c.ad[i] = draw(g, w.a);
      if (w.two_args) c.bd[i] = draw(g, w.b);
    }
  }
  for (auto _ : state) {
    if (w.is_float)
      fn(n, c.af.data(), c.bf.data(), c.rf.data(), c.r2f.data());
    else
      fn(n, c.ad.data(), c.bd.data(), c.rd.data(), c.r2d.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * n);
}

bool have_avx2() { return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma"); }

void register_all() {
  for (const Workload& w : kWorkloads) {
    const std::string base = std::string(w.is_float ? "s" : "d") + w.family + "/" + w.label + "/";
    auto add = [&](const std::string& who, ArrayFn fn) {
      benchmark::RegisterBenchmark((base + who).c_str(),
                                   [w, fn](benchmark::State& s) { run_case(s, w, fn); })
          ->Arg(1000)
          ->Arg(1000000);
    };
    for (const Kernel& k : kKernels)
      if (k.is_float == w.is_float && !std::strcmp(k.family, w.family)) add(std::string("zaforq-") + k.cls, k.fn);
    for (const Peer& p : peers()) {
      if (p.is_float != w.is_float || p.family != w.family) continue;
      if (p.who.find("avx2") != std::string::npos && !have_avx2()) continue;
      add(p.who, p.fn);
    }
  }
}

}  // namespace
}  // namespace vmbench

int main(int argc, char** argv) {
  vmbench::register_all();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
