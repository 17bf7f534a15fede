// Accuracy harness engine: measures every registered kernel against MPFR.
//
//   zaforq_accuracy [--quick] [--points N] [--kernel SUBSTR[,SUBSTR...]] [--seed S] [--list]
//
// For every kernel and every sampling range it draws N arguments (log-uniform magnitudes over
// the range's binades, both signs unless the range says otherwise), evaluates the kernel on
// whole arrays of an odd length (so the group path and the tail are both exercised), and
// compares each result with the exact value computed by MPFR at 256 bits. The error is
// measured in ulp of the exact value in the kernel's format (subnormal ulp below the normal
// range). Special and threshold arguments are checked separately: where the correctly rounded
// result is NaN, an infinity or a zero, the kernel must give exactly that (any NaN, zeros
// with their sign); elsewhere they must meet the class bound like any sample. Each element's
// reported status is captured through the error callback and compared with the kernel's
// expected status. Exit status 0 only when every selected kernel meets its class bound and has
// no wrong special value and no wrong status.
#include "harness.h"

#include <math.h>
#include <mpfr.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "zaf.h"

namespace acc {

std::vector<Kernel>& registry() {
  static std::vector<Kernel> kernels;
  return kernels;
}

void register_kernel(const Kernel& k) { registry().push_back(k); }

namespace {

constexpr mpfr_prec_t kWorkPrec = 256;
constexpr int kBatch = 1001;  // odd, so every group size leaves a tail

// ---- statuses captured through the callback -----------------------------------------------

struct Captured {
  std::vector<int> code;   // per element of the current batch: 0 or the reported code
  std::vector<int> count;  // number of reports per element
  int stray = 0;           // reports with an index outside the batch
};
Captured g_captured;

int32_t capture_cb(zafErrorRecord* rec) {
  const int i = rec->index;
  if (i < 0 || i >= static_cast<int>(g_captured.code.size())) {
    ++g_captured.stray;
  } else {
    g_captured.code[i] = rec->code;
    ++g_captured.count[i];
  }
  return 1;  // keep the kernel's result, no standard action
}

void reset_capture(int n) {
  g_captured.code.assign(n, 0);
  g_captured.count.assign(n, 0);
  g_captured.stray = 0;
}

// ---- formats --------------------------------------------------------------------------------

struct Format {
  int prec;           // significand bits
  int min_exp;        // exponent of the smallest subnormal ulp: 2^min_exp
  double max_finite;
  double min_normal;
};
constexpr Format kF64{53, -1074, 1.7976931348623157e308, 2.2250738585072014e-308};
constexpr Format kF32{24, -149, 3.4028234663852886e38, 1.1754943508222875e-38};

const Format& format_of(Prec p) { return p == Prec::f64 ? kF64 : kF32; }

double bound_of(Class c) {
  switch (c) {
    case Class::fHA:
    case Class::dHA:
      return 1.0;
    case Class::f21:
    case Class::d50:
      return 4.0;
    case Class::f11:
      return ldexp(1.0, -11);  // relative error
  }
  return 0;
}

const char* class_name(Class c) {
  switch (c) {
    case Class::f11: return "f11";
    case Class::f21: return "f21";
    case Class::fHA: return "fHA";
    case Class::d50: return "d50";
    case Class::dHA: return "dHA";
  }
  return "?";
}

bool relative_class(Class c) { return c == Class::f11; }

// _HA and the ulp classes are strict bounds ("below"); the f11 relative bound is inclusive.
bool within(Class c, double err) {
  const double bound = bound_of(c);
  return relative_class(c) ? err <= bound : err < bound;
}

// The correctly rounded value of e in the kernel's format (MPFR's conversions round into the
// subnormal range correctly).
double round_to(mpfr_srcptr e, Prec p) {
  return p == Prec::f64 ? mpfr_get_d(e, MPFR_RNDN) : static_cast<double>(mpfr_get_flt(e, MPFR_RNDN));
}

bool same_bits(double x, double y) {
  if (isnan(x) && isnan(y)) return true;
  return memcmp(&x, &y, sizeof x) == 0;
}

// Error of a computed result c against the exact value e: in ulp, or relative for the f11
// class (relative to max(|e|, smallest normal), so subnormal results are judged absolutely).
// Infinity when the result is the wrong kind of value (NaN, infinity or a zero where the
// correct result is something else).
struct Err {
  double value;
  bool special_wrong;  // the correct result is NaN, an infinity or a zero and c is not it
};

Err measure(double c, mpfr_srcptr e, Prec p, Class cls) {
  const Format& f = format_of(p);
  const double ref = round_to(e, p);
  const bool ref_exceptional = isnan(ref) || mpfr_zero_p(e) || mpfr_inf_p(e) || mpfr_nan_p(e);
  // A correctly rounded result still has its true error measured (up to half an ulp), so the
  // report shows how close a kernel is, not only whether it rounded right.
  if (same_bits(c, ref) && (ref_exceptional || isinf(ref))) return {0.0, false};
  if (ref_exceptional) return {INFINITY, true};
  if (isnan(c)) return {INFINITY, false};
  // An infinity where the correctly rounded value is finite (or the reverse) is measured as
  // if the infinity were the next power of two past the largest finite value.
  mpfr_t cv, d, u;
  mpfr_inits2(kWorkPrec, cv, d, u, (mpfr_ptr)0);
  if (isinf(c)) {
    mpfr_set_ui_2exp(cv, 1, p == Prec::f64 ? 1024 : 128, MPFR_RNDN);
    if (c < 0) mpfr_neg(cv, cv, MPFR_RNDN);
  } else {
    mpfr_set_d(cv, c, MPFR_RNDN);
  }
  mpfr_sub(d, cv, e, MPFR_RNDN);
  mpfr_abs(d, d, MPFR_RNDN);
  double err;
  if (relative_class(cls)) {
    mpfr_abs(u, e, MPFR_RNDN);
    if (mpfr_cmp_d(u, f.min_normal) < 0) mpfr_set_d(u, f.min_normal, MPFR_RNDN);
    mpfr_div(d, d, u, MPFR_RNDN);
    err = mpfr_get_d(d, MPFR_RNDU);
  } else {
    // ulp of e: 2^(E - prec) with e = m 2^E, m in [1/2, 1); never below the subnormal ulp.
    long E = mpfr_get_exp(e);
    long ue = std::max<long>(E - f.prec, f.min_exp);
    mpfr_div_2si(d, d, ue, MPFR_RNDN);
    err = mpfr_get_d(d, MPFR_RNDU);
  }
  mpfr_clears(cv, d, u, (mpfr_ptr)0);
  // A zero where a nonzero is correct is an error of the value, not of a special; so is a
  // finite result beyond the format's range.
  return {err, false};
}

// ---- sampling -----------------------------------------------------------------------------------

double sample(const Range& r, std::mt19937_64& rng, Prec p) {
  std::uniform_real_distribution<double> u(log2(r.lo), log2(r.hi));
  double m = exp2(u(rng));
  // Random low-order bits, so the samples are not all close to exp2's own rounding pattern.
  uint64_t bits;
  memcpy(&bits, &m, sizeof bits);
  bits ^= rng() & 0xFFFull;
  memcpy(&m, &bits, sizeof bits);
  m = std::min(std::max(m, r.lo), r.hi);
  if (p == Prec::f32) m = static_cast<float>(m);
  const int s = r.signs != 0 ? r.signs : ((rng() & 1) ? 1 : -1);
  return s < 0 ? -m : m;
}

// ---- evaluation ---------------------------------------------------------------------------

template <class T>
void call(const Kernel& k, int n, const T* a, const T* b, T* r1, T* r2) {
  switch (k.shape) {
    case Shape::unary:
      reinterpret_cast<void (*)(int32_t, const T*, T*)>(k.fn)(n, a, r1);
      break;
    case Shape::binary:
      reinterpret_cast<void (*)(int32_t, const T*, const T*, T*)>(k.fn)(n, a, b, r1);
      break;
    case Shape::scalar_b:
      reinterpret_cast<void (*)(int32_t, const T*, T, T*)>(k.fn)(n, a, b[0], r1);
      break;
    case Shape::two_out:
      reinterpret_cast<void (*)(int32_t, const T*, T*, T*)>(k.fn)(n, a, r1, r2);
      break;
  }
}

// Runs the kernel on doubles a, b (converted to the kernel's type); results widened back.
void evaluate(const Kernel& k, const std::vector<double>& a, const std::vector<double>& b,
              std::vector<double>& r1, std::vector<double>& r2) {
  const int n = static_cast<int>(a.size());
  r1.assign(n, 0);
  r2.assign(n, 0);
  reset_capture(n);
  if (k.prec == Prec::f64) {
    std::vector<double> o1(n), o2(n);
    call<double>(k, n, a.data(), b.data(), o1.data(), o2.data());
    r1 = o1;
    r2 = o2;
  } else {
    std::vector<float> fa(a.begin(), a.end()), fb(b.begin(), b.end()), o1(n), o2(n);
    call<float>(k, n, fa.data(), fb.data(), o1.data(), o2.data());
    r1.assign(o1.begin(), o1.end());
    r2.assign(o2.begin(), o2.end());
  }
}

struct Exact {
  mpfr_t x, y, e1, e2;
  Exact() { mpfr_inits2(kWorkPrec, x, y, e1, e2, (mpfr_ptr)0); }
  ~Exact() { mpfr_clears(x, y, e1, e2, (mpfr_ptr)0); }
  void compute(const Kernel& k, double a, double b) {
    mpfr_set_d(x, a, MPFR_RNDN);
    mpfr_set_d(y, b, MPFR_RNDN);
    switch (k.shape) {
      case Shape::unary:
        k.exact1(e1, x, MPFR_RNDN);
        break;
      case Shape::binary:
      case Shape::scalar_b:
        k.exact2(e1, x, y, MPFR_RNDN);
        break;
      case Shape::two_out:
        k.exact1(e1, x, MPFR_RNDN);
        k.exact1b(e2, x, MPFR_RNDN);
        break;
    }
  }
};

struct Worst {
  double err = 0, a = 0, b = 0, got = 0;
  void update(double e, double aa, double bb, double g) {
    if (e > err || (isinf(e) && !isinf(err))) {
      err = e;
      a = aa;
      b = bb;
      got = g;
    }
  }
};

struct Tally {
  Worst worst;
  long points = 0, special_wrong = 0, status_wrong = 0, specials = 0;
  long position_wrong = 0;  // an element's result changed with its position in the array
  std::string first_special, first_status, first_position;
};

template <class... V>
void note(std::string& first, const char* fmt, V... v) {
  if (!first.empty()) return;
  char buf[256];
  snprintf(buf, sizeof buf, fmt, v...);
  first = buf;
}

// Compares one evaluated batch with the exact values and the expected statuses.
void check_batch(const Kernel& k, const std::vector<double>& a, const std::vector<double>& b,
                 bool specials, Tally& t) {
  std::vector<double> r1, r2;
  evaluate(k, a, b, r1, r2);
  Exact ex;
  const bool two = k.shape == Shape::two_out;
  const bool one_arg = k.shape == Shape::unary || two;
  for (size_t i = 0; i < a.size(); ++i) {
    ex.compute(k, a[i], b[i]);
    Err e = measure(r1[i], ex.e1, k.prec, k.cls);
    double got = r1[i];
    if (two) {
      Err e2 = measure(r2[i], ex.e2, k.prec, k.cls);
      if (e2.special_wrong) e.special_wrong = true;
      if (e2.value > e.value) {
        e.value = e2.value;
        got = r2[i];
      }
    }
    const double bb = one_arg ? 0.0 : b[i];
    if (specials) {
      ++t.specials;
      if (e.special_wrong || !within(k.cls, e.value)) {
        ++t.special_wrong;
        note(t.first_special, "special a=%.17g b=%.17g got %.17g", a[i], bb, got);
      }
    } else {
      ++t.points;
      if (e.special_wrong) {
        ++t.special_wrong;
        note(t.first_special, "sample a=%.17g b=%.17g got %.17g", a[i], bb, got);
      }
    }
    t.worst.update(e.value, a[i], bb, got);
    const int want = k.expected_status ? k.expected_status(a[i], b[i]) : 0;
    const int have = g_captured.code[i];
    if (have != want || g_captured.count[i] > 1) {
      ++t.status_wrong;
      note(t.first_status, "a=%.17g b=%.17g (result %.17g): status %d, expected %d", a[i], bb,
           r1[i], have, want);
    }
  }
  if (g_captured.stray) {
    t.status_wrong += g_captured.stray;
    note(t.first_status, "%d reports with an index outside the array", g_captured.stray);
  }
  // The same element alone (n = 1, so through the tail) must give the same bits as inside
  // the batch; a few per batch are enough to catch a tail that computes differently.
  if (!specials) {
    std::vector<double> s1, s2;
    for (size_t i = 0; i < std::min<size_t>(a.size(), 8); ++i) {
      evaluate(k, {a[i]}, {b[i]}, s1, s2);
      if (!same_bits(s1[0], r1[i]) || (two && !same_bits(s2[0], r2[i]))) {
        ++t.position_wrong;
        note(t.first_position, "a=%.17g: %.17g in the array, %.17g alone", a[i], r1[i], s1[0]);
      }
    }
  }
}

// Samples `points` arguments in range ra (and rb for two-argument kernels) in batches.
void sample_range(const Kernel& k, const Range& ra, const Range* rb, long points,
                  std::mt19937_64& rng, Tally& t) {
  for (long done = 0; done < points;) {
    const int n = static_cast<int>(std::min<long>(kBatch, points - done));
    std::vector<double> a(n), b(n);
    const double scalar = rb ? sample(*rb, rng, k.prec) : 1.0;
    for (int i = 0; i < n; ++i) {
      a[i] = sample(ra, rng, k.prec);
      if (k.shape == Shape::binary) b[i] = rb ? sample(*rb, rng, k.prec) : 1.0;
      else b[i] = scalar;  // scalar_b: one b per call
    }
    if (k.shape == Shape::unary || k.shape == Shape::two_out) std::fill(b.begin(), b.end(), a[0]);
    check_batch(k, a, b, false, t);
    done += n;
  }
}

bool judge(const Kernel& k, const Tally& t) {
  return within(k.cls, t.worst.err) && t.special_wrong == 0 && t.status_wrong == 0 &&
         t.position_wrong == 0;
}

void print_err(const Kernel& k, double e) {
  if (relative_class(k.cls)) {
    if (e == 0) printf("rel 0");
    else printf("rel 2^%.2f", log2(e));
  } else {
    printf("%.3f ulp", e);
  }
}

bool run_kernel(const Kernel& k, long points, uint64_t seed, bool verbose) {
  std::mt19937_64 rng(seed ^ std::hash<std::string>{}(k.name));
  Tally total;
  const bool two_args = k.shape == Shape::binary || k.shape == Shape::scalar_b;
  const std::vector<Range>& rbs = k.ranges_b.empty() ? k.ranges_a : k.ranges_b;
  for (const Range& ra : k.ranges_a) {
    // Two-argument kernels sample every pair of ranges.
    const size_t nb = two_args ? rbs.size() : 1;
    for (size_t j = 0; j < nb; ++j) {
      Tally t;
      sample_range(k, ra, two_args ? &rbs[j] : nullptr, points, rng, t);
      if (verbose) {
        printf("    a in ±[%.3g, %.3g]", ra.lo, ra.hi);
        if (two_args) printf(" b in ±[%.3g, %.3g]", rbs[j].lo, rbs[j].hi);
        printf(": max ");
        print_err(k, t.worst.err);
        printf(" at a=%.17g", t.worst.a);
        if (two_args) printf(" b=%.17g", t.worst.b);
        printf("\n");
      }
      total.worst.update(t.worst.err, t.worst.a, t.worst.b, t.worst.got);
      total.points += t.points;
      total.special_wrong += t.special_wrong;
      total.status_wrong += t.status_wrong;
      total.position_wrong += t.position_wrong;
      if (total.first_position.empty()) total.first_position = t.first_position;
      if (total.first_special.empty()) total.first_special = t.first_special;
      if (total.first_status.empty()) total.first_status = t.first_status;
    }
  }
  if (!k.specials.empty()) {
    std::vector<double> a, b;
    for (const Special& s : k.specials) {
      a.push_back(s.a);
      b.push_back(k.shape == Shape::unary || k.shape == Shape::two_out ? s.a : s.b);
    }
    if (k.shape == Shape::scalar_b) {
      // One call per special: the scalar is shared by the whole array.
      for (size_t i = 0; i < a.size(); ++i) check_batch(k, {a[i]}, {b[i]}, true, total);
    } else {
      check_batch(k, a, b, true, total);
      // Each special alone as well, so the tail path is checked on it too.
      for (size_t i = 0; i < a.size(); ++i) check_batch(k, {a[i]}, {b[i]}, true, total);
    }
  }
  const bool ok = judge(k, total);
  printf("%-24s %s  max ", k.name, class_name(k.cls));
  print_err(k, total.worst.err);
  printf(" at a=%.17g", total.worst.a);
  if (two_args) printf(" b=%.17g", total.worst.b);
  printf("  points %ld  specials %ld/%ld wrong  statuses %ld wrong  position %ld wrong  %s\n",
         total.points, total.special_wrong, total.specials, total.status_wrong,
         total.position_wrong, ok ? "ok" : "FAIL");
  if (!total.first_special.empty()) printf("    first wrong special: %s\n", total.first_special.c_str());
  if (!total.first_status.empty()) printf("    first wrong status: %s\n", total.first_status.c_str());
  if (!total.first_position.empty())
    printf("    first position-dependent result: %s\n", total.first_position.c_str());
  return ok;
}

bool selected(const Kernel& k, const std::vector<std::string>& filters) {
  if (filters.empty()) return true;
  for (const std::string& f : filters)
    if (strstr(k.name, f.c_str())) return true;
  return false;
}

}  // namespace
}  // namespace acc

int main(int argc, char** argv) {
  long points = 100000;
  uint64_t seed = 20261206;
  bool list = false, verbose = true;
  std::vector<std::string> filters;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> const char* {
      if (i + 1 >= argc) {
        fprintf(stderr, "%s needs a value\n", arg.c_str());
        exit(2);
      }
      return argv[++i];
    };
    if (arg == "--quick") {
      points = 2000;
      verbose = false;
    } else if (arg == "--points") {
      points = atol(value());
    } else if (arg == "--seed") {
      seed = strtoull(value(), nullptr, 0);
    } else if (arg == "--kernel") {
      std::string v = value();
      for (size_t p = 0; p <= v.size();) {
        size_t q = v.find(',', p);
        if (q == std::string::npos) q = v.size();
        if (q > p) filters.push_back(v.substr(p, q - p));
        p = q + 1;
      }
    } else if (arg == "--list") {
      list = true;
    } else if (arg == "--help" || arg == "-h") {
      printf("usage: %s [--quick] [--points N] [--kernel SUBSTR[,SUBSTR...]] [--seed S] [--list]\n",
             argv[0]);
      return 0;
    } else {
      fprintf(stderr, "unknown argument %s\n", arg.c_str());
      return 2;
    }
  }
  auto& kernels = acc::registry();
  std::sort(kernels.begin(), kernels.end(),
            [](const acc::Kernel& x, const acc::Kernel& y) { return strcmp(x.name, y.name) < 0; });
  if (list) {
    for (const auto& k : kernels) printf("%s\n", k.name);
    return 0;
  }
  // Reports reach only the capturing callback: no errno, no stderr, no exception flags.
  _zafSetMode((_zafGetMode() & ~ZAF_MODE_ERRMODE_MASK) | ZAF_MODE_ERRMODE_CALLBACK);
  _zafSetErrorCallBack(acc::capture_cb);
  int failed = 0, run = 0;
  for (const auto& k : kernels) {
    if (!acc::selected(k, filters)) continue;
    ++run;
    if (!acc::run_kernel(k, points, seed, verbose)) ++failed;
  }
  if (run == 0) {
    fprintf(stderr, "no kernel selected\n");
    return 2;
  }
  printf("%d kernels, %d within their class bound, %d failing\n", run, run - failed, failed);
  return failed ? 1 : 0;
}
