// Accuracy of every exponential and logarithm kernel against MPFR, over random arguments
// (log-uniform magnitudes across each range, whole arrays so the vector path and the tail
// both run) and the ranges where the scaling is done in two steps or the result is subnormal.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "zaf.h"

namespace {

using MpFn = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

// Error of r against the exact value in units of the last place of the exact value's format
// (subnormal ulp below the normal range). An exact value beyond the largest finite number
// counts as correct for +inf.
template <class T>
double ulp_error(T r, const mpfr_t exact) {
  constexpr int p = std::numeric_limits<T>::digits;
  constexpr int emin = std::numeric_limits<T>::min_exponent;  // 2^(emin-1) is the smallest normal
  if (mpfr_nan_p(exact)) return std::isnan(r) ? 0.0 : INFINITY;
  if (mpfr_inf_p(exact) || mpfr_cmp_d(exact, static_cast<double>(std::numeric_limits<T>::max())) > 0) {
    if (std::isinf(r) && r > 0) return 0.0;
  }
  if (std::isinf(r) || std::isnan(r)) return INFINITY;
  if (mpfr_zero_p(exact)) return r == 0 ? 0.0 : INFINITY;
  long e = mpfr_get_exp(exact);  // exact = f 2^e, 0.5 <= |f| < 1
  if (e < emin) e = emin;
  mpfr_t d;
  mpfr_init2(d, 256);
  mpfr_set_d(d, static_cast<double>(r), MPFR_RNDN);
  mpfr_sub(d, d, exact, MPFR_RNDN);
  mpfr_mul_2si(d, d, p - e, MPFR_RNDN);
  const double u = std::fabs(mpfr_get_d(d, MPFR_RNDN));
  mpfr_clear(d);
  return u;
}

template <class T>
double rel_error(T r, const mpfr_t exact) {
  mpfr_t d;
  mpfr_init2(d, 256);
  mpfr_set_d(d, static_cast<double>(r), MPFR_RNDN);
  mpfr_sub(d, d, exact, MPFR_RNDN);
  mpfr_div(d, d, exact, MPFR_RNDN);
  const double u = std::fabs(mpfr_get_d(d, MPFR_RNDN));
  mpfr_clear(d);
  return u;
}

struct Span {
  double lo, hi;  // magnitudes, log-uniform between them (or uniform when `linear`)
  int sign;       // +1, -1 or 0 (both)
  bool linear = false;
};

template <class T>
std::vector<T> sample(const Span& s, int count, uint64_t seed) {
  std::mt19937_64 g(seed);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  std::vector<T> v(count);
  for (auto& x : v) {
    double m = s.linear ? s.lo + (s.hi - s.lo) * u(g) : std::exp(std::log(s.lo) + (std::log(s.hi) - std::log(s.lo)) * u(g));
    T t = static_cast<T>(m);
    if (t < static_cast<T>(s.lo)) t = static_cast<T>(s.lo);
    if (t > static_cast<T>(s.hi)) t = static_cast<T>(s.hi);
    const bool neg = s.sign < 0 || (s.sign == 0 && (g() & 1));
    x = neg ? -t : t;
  }
  return v;
}

struct Worst {
  double err = 0;
  double arg = 0;
};

template <class T>
Worst measure(void (*fn)(int32_t, const T*, T*), MpFn exact, const Span& s, bool relative, int count = 60000) {
  const std::vector<T> a = sample<T>(s, count, 0x5EED0000u + static_cast<uint64_t>(s.lo * 1000) + count);
  std::vector<T> r(a.size());
  fn(static_cast<int32_t>(a.size()), a.data(), r.data());
  mpfr_t x, y;
  mpfr_init2(x, 64);
  mpfr_init2(y, 256);
  Worst w;
  for (size_t i = 0; i < a.size(); ++i) {
    mpfr_set_d(x, static_cast<double>(a[i]), MPFR_RNDN);
    exact(y, x, MPFR_RNDN);
    const double e = relative ? rel_error<T>(r[i], y) : ulp_error<T>(r[i], y);
    if (!(e <= w.err)) {
      w.err = e;
      w.arg = static_cast<double>(a[i]);
    }
  }
  mpfr_clear(x);
  mpfr_clear(y);
  return w;
}

class Silent : public ::testing::Test {
 protected:
  void SetUp() override { _zafSetErrorCallBack([](zafErrorRecord*) -> int32_t { return 0; }); }
  void TearDown() override {
    _zafClearErrorCallBack();
    _zafClearErrStatus();
  }
};

template <class T>
void check(const char* name, void (*fn)(int32_t, const T*, T*), MpFn exact, std::initializer_list<Span> spans,
           double bound, bool relative = false) {
  for (const Span& s : spans) {
    const Worst w = measure<T>(fn, exact, s, relative);
    EXPECT_LE(w.err, bound) << name << " on [" << s.lo << ", " << s.hi << "] sign " << s.sign << ": worst at "
                            << w.arg;
    ::testing::Test::RecordProperty(std::string(name) + "@" + std::to_string(s.lo), std::to_string(w.err));
    printf("  %-16s [%-12g %12g] %+d  max %.4f %s at %.17g\n", name, s.lo, s.hi, s.sign, w.err,
           relative ? "rel" : "ulp", w.arg);
  }
}

TEST_F(Silent, DoubleExp) {
  const std::initializer_list<Span> spans = {
      {1e-300, 1e-8, 0},           {1e-8, 708.39, 0, true},
      {708.396, 709.7827, +1, true},  // two-step scaling near overflow
      {708.3965, 745.13, -1, true},   // subnormal results
  };
  check<double>("_zafdExp_HA", _zafdExp_HA, mpfr_exp, spans, 1.0);
  check<double>("_zafdExp_50", _zafdExp_50, mpfr_exp, spans, 4.0);
}

TEST_F(Silent, DoubleLogs) {
  const std::initializer_list<Span> spans = {
      {4.9e-324, 2.2250738585072014e-308, +1},  // subnormal arguments
      {2.2250738585072014e-308, 1.7e308, +1},
      {0.5, 2.0, +1, true},
      {0.999, 1.001, +1, true},
  };
  check<double>("_zafdLn_HA", _zafdLn_HA, mpfr_log, spans, 1.0);
  check<double>("_zafdLog10_HA", _zafdLog10_HA, mpfr_log10, spans, 1.0);
  check<double>("_zafdLn_50", _zafdLn_50, mpfr_log, spans, 4.0);
  check<double>("_zafdLog10_50", _zafdLog10_50, mpfr_log10, spans, 4.0);
}

TEST_F(Silent, FloatExp) {
  const std::initializer_list<Span> spans = {
      {1e-40, 1e-4, 0},           {1e-4, 87.33, 0, true},
      {87.34, 88.7228, +1, true},  // two-step scaling near overflow
      {87.34, 103.27, -1, true},   // subnormal results
  };
  check<float>("_zafsExp_HA", _zafsExp_HA, mpfr_exp, spans, 1.0);
  check<float>("_zafsExp_21", _zafsExp_21, mpfr_exp, spans, 4.0);
  check<float>("_zafsExp_11", _zafsExp_11, mpfr_exp, {{1e-40, 1e-4, 0}, {1e-4, 87.33, 0, true}, {87.25, 88.72, +1, true}, {87.25, 87.33, -1, true}}, std::ldexp(1.0, -11), true);
}

TEST_F(Silent, FloatLogs) {
  const std::initializer_list<Span> spans = {
      {1.4e-45, 1.17549435e-38, +1},
      {1.17549435e-38, 3.4e38, +1},
      {0.5, 2.0, +1, true},
      {0.999, 1.001, +1, true},
  };
  check<float>("_zafsLn_HA", _zafsLn_HA, mpfr_log, spans, 1.0);
  check<float>("_zafsLog10_HA", _zafsLog10_HA, mpfr_log10, spans, 1.0);
  check<float>("_zafsLn_21", _zafsLn_21, mpfr_log, spans, 4.0);
  check<float>("_zafsLog10_21", _zafsLog10_21, mpfr_log10, spans, 4.0);
  check<float>("_zafsLn_11", _zafsLn_11, mpfr_log, spans, std::ldexp(1.0, -11), true);
  check<float>("_zafsLog10_11", _zafsLog10_11, mpfr_log10, spans, std::ldexp(1.0, -11), true);
}

}  // namespace
