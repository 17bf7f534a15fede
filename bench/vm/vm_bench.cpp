// Vector-math kernels beside their peers, on the same arguments in the same run. Benchmark
// names are  <s|d><Family>/<range>/<contender>/<n>; `bench/vm/run` turns the times into ratio
// tables. Contenders are the kernels of every class ("zaforq-HA", "zaforq-50", ...) on the
// library's default path and the peers of peers.h; each reports in the counter "classes" the
// kernel classes it is to be compared with.
//
// Fairness: at n = 1000 an iteration takes the next of kRotate argument buffers, so a branch
// predictor cannot learn one array's pattern; above the last-level cache (n = 2^24) the arguments
// are a long random block repeated. All buffers are allocated and written before timing, and
// the arguments are the same for every contender of a workload.
#include <benchmark/benchmark.h>
#include <math.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
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

constexpr int32_t kSmall = 1000;
constexpr int32_t kLarge = 1 << 24;
constexpr int kRotate = 16;       // argument buffers cycled through at n = kSmall
constexpr size_t kBlock = 1 << 16;  // random arguments per workload, kRotate * kSmall of them distinct

// One workload's random arguments, drawn once and kept: a and b, kBlock each.
struct Pattern {
  std::vector<double> a, b;
};
const Pattern& pattern(const Workload& w) {
  static std::vector<std::unique_ptr<Pattern>> cache(std::size(kWorkloads));
  std::unique_ptr<Pattern>& p = cache[static_cast<size_t>(&w - kWorkloads)];
  if (!p) {
    p = std::make_unique<Pattern>();
    std::mt19937_64 g(20261206 + static_cast<uint64_t>(&w - kWorkloads));
    p->a.resize(kBlock);
    p->b.assign(kBlock, 1.0);
    for (size_t i = 0; i < kBlock; ++i) {
      p->a[i] = draw(g, w.a);
      if (w.two_args) p->b[i] = draw(g, w.b);
    }
  }
  return *p;
}

// Aligned, written buffers for one size: kRotate argument slots at n = kSmall, one at kLarge.
// They hold the arguments of the workload last loaded, and are reloaded when another comes.
struct Pool {
  size_t elems = 0;  // per array
  double *a = nullptr, *b = nullptr, *r = nullptr, *r2 = nullptr;
  const Workload* loaded = nullptr;
};
double* touched(size_t n) {
  double* p = static_cast<double*>(std::aligned_alloc(64, n * sizeof(double)));
  if (!p) std::abort();
  std::memset(p, 0, n * sizeof(double));  // page-faults now, not inside a timed iteration
  return p;
}
Pool& pool(int32_t n) {
  static Pool small, large;
  Pool& p = n == kSmall ? small : large;
  if (!p.a) {
    p.elems = n == kSmall ? static_cast<size_t>(kRotate) * kSmall : kLarge;
    p.a = touched(p.elems);
    p.b = touched(p.elems);
    p.r = touched(p.elems);
    p.r2 = touched(p.elems);
  }
  return p;
}
template <class T>
void fill(T* dst, const std::vector<double>& src, size_t n) {
  for (size_t i = 0; i < n; ++i) dst[i] = static_cast<T>(src[i % src.size()]);
}
Pool& load(const Workload& w, int32_t n) {
  Pool& p = pool(n);
  if (p.loaded != &w) {
    const Pattern& pat = pattern(w);
    if (w.is_float) {
      fill(reinterpret_cast<float*>(p.a), pat.a, p.elems);
      fill(reinterpret_cast<float*>(p.b), pat.b, p.elems);
    } else {
      fill(p.a, pat.a, p.elems);
      fill(p.b, pat.b, p.elems);
    }
    p.loaded = &w;
  }
  return p;
}

void run_case(benchmark::State& state, const Workload& w, ArrayFn fn, int classes) {
  const int32_t n = static_cast<int32_t>(state.range(0));
  const Pool& p = load(w, n);
  const size_t bytes = w.is_float ? sizeof(float) : sizeof(double);
  const size_t slots = p.elems / static_cast<size_t>(n);
  const char* a = reinterpret_cast<const char*>(p.a);
  const char* b = reinterpret_cast<const char*>(p.b);
  size_t slot = 0;
  for (auto _ : state) {
    const size_t off = slot * static_cast<size_t>(n) * bytes;
    fn(n, a + off, b + off, p.r, p.r2);
    benchmark::ClobberMemory();
    if (++slot == slots) slot = 0;
  }
  state.SetItemsProcessed(state.iterations() * n);
  state.counters["classes"] = classes;
}

bool have(Isa isa) {
  switch (isa) {
    case Isa::sse2:
      return true;
    case Isa::avx2:
      return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    case Isa::avx512:
      return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
             __builtin_cpu_supports("avx512vl");
  }
  return false;
}

int class_bit(const char* cls) {
  if (!std::strcmp(cls, "HA")) return kClassHA;
  if (!std::strcmp(cls, "11")) return kClass11;
  return kClassLow;
}

void register_all() {
  for (const Workload& w : kWorkloads) {
    const std::string base = std::string(w.is_float ? "s" : "d") + w.family + "/" + w.label + "/";
    auto add = [&](const std::string& who, ArrayFn fn, int classes) {
      benchmark::RegisterBenchmark((base + who).c_str(),
                                   [&w, fn, classes](benchmark::State& s) { run_case(s, w, fn, classes); })
          ->Arg(kSmall)
          ->Arg(kLarge);
    };
    for (const Kernel& k : kKernels)
      if (k.is_float == w.is_float && !std::strcmp(k.family, w.family))
        add(std::string("zaforq-") + k.cls, k.fn, class_bit(k.cls));
    for (const Peer& p : peers())
      if (p.is_float == w.is_float && p.family == w.family && have(p.isa)) add(p.who, p.fn, p.classes);
  }
}

// ---- wiring check ----------------------------------------------------------------------------
// `bench_vm --verify` runs every contender once on each workload's first n = 1000 arguments and
// compares it with the double-precision libm value of its function. The bound (2^-10 relative
// plus 2^-20 absolute, loose enough for the cheapest peers and for results near a zero) is not an
// accuracy test: it catches a peer or kernel wired to the wrong function, width or arguments.
double ref_value(const std::string& f, double x, double y, bool second) {
  static const std::pair<const char*, double (*)(double, double)> table[] = {
      {"Sqrt", [](double x, double) { return sqrt(x); }},      {"InvSqrt", [](double x, double) { return 1 / sqrt(x); }},
      {"Cbrt", [](double x, double) { return cbrt(x); }},      {"InvCbrt", [](double x, double) { return 1 / cbrt(x); }},
      {"Inv", [](double x, double) { return 1 / x; }},         {"Div", [](double x, double y) { return x / y; }},
      {"Exp", [](double x, double) { return exp(x); }},        {"Ln", [](double x, double) { return log(x); }},
      {"Log10", [](double x, double) { return log10(x); }},    {"Pow", [](double x, double y) { return pow(x, y); }},
      {"Powx", [](double x, double y) { return pow(x, y); }},  {"Sin", [](double x, double) { return sin(x); }},
      {"Cos", [](double x, double) { return cos(x); }},        {"Tan", [](double x, double) { return tan(x); }},
      {"SinCos", [](double x, double) { return sin(x); }},     {"Sinh", [](double x, double) { return sinh(x); }},
      {"Cosh", [](double x, double) { return cosh(x); }},      {"Tanh", [](double x, double) { return tanh(x); }},
      {"Asinh", [](double x, double) { return asinh(x); }},    {"Acosh", [](double x, double) { return acosh(x); }},
      {"Atanh", [](double x, double) { return atanh(x); }},    {"Erf", [](double x, double) { return erf(x); }},
      {"Erfc", [](double x, double) { return erfc(x); }},      {"Asin", [](double x, double) { return asin(x); }},
      {"Acos", [](double x, double) { return acos(x); }},      {"Atan", [](double x, double) { return atan(x); }},
      {"Atan2", [](double x, double y) { return atan2(x, y); }},
  };
  if (second) return cos(x);  // SinCos's second result
  for (const auto& [name, fn] : table)
    if (f == name) return fn(x, y);
  std::abort();
}

int verify() {
  int bad = 0, checked = 0;
  for (const Workload& w : kWorkloads) {
    std::vector<std::pair<std::string, ArrayFn>> who;
    for (const Kernel& k : kKernels)
      if (k.is_float == w.is_float && !std::strcmp(k.family, w.family)) who.emplace_back(std::string("zaforq-") + k.cls, k.fn);
    for (const Peer& p : peers())
      if (p.is_float == w.is_float && p.family == w.family && have(p.isa)) who.emplace_back(p.who, p.fn);
    const Pool& p = load(w, kSmall);
    const bool sincos = !std::strcmp(w.family, "SinCos");
    for (const auto& [name, fn] : who) {
      std::memset(p.r, 0, kSmall * sizeof(double));
      std::memset(p.r2, 0, kSmall * sizeof(double));
      fn(kSmall, p.a, p.b, p.r, p.r2);
      int wrong = 0;
      for (int32_t i = 0; i < kSmall; ++i)
        for (int out = 0; out < (sincos ? 2 : 1); ++out) {
          const double* res = out ? p.r2 : p.r;
          double x, y, got;
          if (w.is_float) {
            x = reinterpret_cast<const float*>(p.a)[i];
            y = reinterpret_cast<const float*>(p.b)[i];
            got = reinterpret_cast<const float*>(res)[i];
          } else {
            x = p.a[i], y = p.b[i], got = res[i];
          }
          const double want = ref_value(w.family, x, y, out == 1);
          if (!(std::fabs(got - want) <= 0x1p-10 * std::fabs(want) + 0x1p-20) && wrong++ == 0)
            std::printf("%s%s/%s/%s: element %d: %.17g gives %.17g, want %.17g\n", w.is_float ? "s" : "d",
                        w.family, w.label, name.c_str(), i, x, got, want);
        }
      bad += wrong != 0;
      ++checked;
    }
  }
  std::printf("%d contenders checked, %d wrong\n", checked, bad);
  return bad ? 1 : 0;
}

}  // namespace
}  // namespace vmbench

int main(int argc, char** argv) {
  if (argc == 2 && !std::strcmp(argv[1], "--verify")) return vmbench::verify();
  vmbench::register_all();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
