// Pow and Powx: the special-case table over every pair of the deciding values, checked bit for
// bit (sign of zero, which NaN) with its statuses, in the array and alone; the integer
// classification of exponents; report indexes. Values are compared with the C library's pow,
// an independent implementation that follows the same special-value rules and is accurate to
// about half an ulp, in both builds. The frame's guarantees are the contract test's.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "reports.h"
#include "zaf.h"

namespace {

class PowTest : public ReportsTest {};

// ---- the two precisions ------------------------------------------------------------------
template <class T>
struct Prec;
template <>
struct Prec<float> {
  using U = uint32_t;
  static constexpr U kDomainNaN = 0xFFC00000u;
  static float big() { return 0x1p24f; }  // every float this large is an even integer
  static float sub() { return 0x1p-149f; }
  static float lib_pow(float x, float y) {  // the double pow of the same values, rounded once
    return static_cast<float>(std::pow(static_cast<double>(x), static_cast<double>(y)));
  }
  static void pow_(int32_t n, const float* a, const float* b, float* r, int cls) {
    (cls == 0 ? _zafsPow_HA : cls == 1 ? _zafsPow_21 : _zafsPow_11)(n, a, b, r);
  }
  static void powx_(int32_t n, const float* a, float b, float* r, int cls) {
    (cls == 0 ? _zafsPowx_HA : cls == 1 ? _zafsPowx_21 : _zafsPowx_11)(n, a, b, r);
  }
  static constexpr int kClasses = 3;
  static int pow_class_of_powx(int cls) { return cls; }  // every float entry is the _HA kernel
};
template <>
struct Prec<double> {
  using U = uint64_t;
  static constexpr U kDomainNaN = 0xFFF8000000000000ull;
  static double big() { return 0x1p53; }
  static double sub() { return 0x1p-1074; }
  static double lib_pow(double x, double y) { return std::pow(x, y); }
  static void pow_(int32_t n, const double* a, const double* b, double* r, int cls) {
    (cls == 0 ? _zafdPow_HA : _zafdPow_50)(n, a, b, r);
  }
  static void powx_(int32_t n, const double* a, double b, double* r, int cls) {
    (cls == 0 ? _zafdPowx_HA : _zafdPowx_50)(n, a, b, r);
  }
  static constexpr int kClasses = 2;
  static int pow_class_of_powx(int) { return 0; }  // _zafdPowx_50 is the _HA kernel
};

template <class T>
typename Prec<T>::U bits(T v) {
  typename Prec<T>::U u;
  memcpy(&u, &v, sizeof u);
  return u;
}

// Distance in representable values, for comparing finite results of the same sign.
template <class T>
double ulps_apart(T a, T b) {
  if (std::signbit(a) != std::signbit(b)) return a == b ? 0 : INFINITY;
  const typename Prec<T>::U x = bits(a), y = bits(b);
  return static_cast<double>(x > y ? x - y : y - x);
}

// The values that decide the table: zeros, subnormals, 1/2, 1, 2, 3, the first magnitude
// whose every value is even, infinities, a NaN with a payload (so "result is x" can be told
// from "result is y"), -8 and 1/3.
// (2^53 in both precisions, 2^24 in float.)
template <class T>
std::vector<T> deciding_values() {
  const T inf = std::numeric_limits<T>::infinity();
  const T s = Prec<T>::sub(), b = Prec<T>::big(), b53 = static_cast<T>(0x1p53);
  std::vector<T> v = {T(0), -T(0), s, -s, T(0.5), T(-0.5), T(1), T(-1), T(2), T(-2), T(3), T(-3), b, -b, inf, -inf,
                      std::numeric_limits<T>::quiet_NaN(), T(-8), static_cast<T>(1.0 / 3)};
  if (b != b53) {
    v.push_back(b53);
    v.push_back(-b53);
  }
  return v;
}

template <class T>
T nan_with_payload(unsigned p) {
  typename Prec<T>::U u = bits(std::numeric_limits<T>::quiet_NaN()) | p;
  T v;
  memcpy(&v, &u, sizeof v);
  return v;
}

template <class T>
bool is_integer(T y) {
  return std::isfinite(y) && y == std::floor(y);
}

// ERRDOM exactly for a zero base with a negative exponent (-inf included) and for a negative
// finite base with a finite exponent that is not an integer.
template <class T>
bool expect_domain(T x, T y) {
  if (x == 0 && y < 0) return true;
  return x < 0 && std::isfinite(x) && std::isfinite(y) && !is_integer(y);
}

// Checks one kernel result against the rules: the NaN written is x's (x NaN, y not 0), else
// y's (y NaN, x not 1), else the default domain NaN; zeros and infinities (with sign) as the
// C library's pow gives them; finite values within 1 ulp of it.
template <class T>
void check_pair(T x, T y, T got, const char* what) {
  const T want = Prec<T>::lib_pow(x, y);
  SCOPED_TRACE(::testing::Message() << what << " x=" << x << " y=" << y << " got=" << got << " want=" << want);
  if (std::isnan(want)) {
    ASSERT_TRUE(std::isnan(got));
    if (std::isnan(x) && y != 0) EXPECT_EQ(bits(got), bits(x));
    else if (std::isnan(y) && x != 1) EXPECT_EQ(bits(got), bits(y));
    else EXPECT_EQ(bits(got), Prec<T>::kDomainNaN);
  } else if (want == 0 || std::isinf(want)) {
    EXPECT_EQ(bits(got), bits(want));
  } else {
    ASSERT_TRUE(std::isfinite(got));
    EXPECT_LE(ulps_apart(got, want), 1.0);
  }
}

template <class T>
void table_for_every_pair() {
  std::vector<T> v = deciding_values<T>();
  for (T& x : v)
    if (std::isnan(x)) x = nan_with_payload<T>(0x123);
  std::vector<T> xs, ys;
  for (T x : v)
    for (T y : v) {
      xs.push_back(x);
      ys.push_back(y);
    }
  const int32_t n = static_cast<int32_t>(xs.size());
  for (int cls = 0; cls < Prec<T>::kClasses; ++cls) {
    // Pow on the whole array (groups and tail), then each pair alone (the tail only).
    std::vector<T> r(n);
    seen.clear();
    Prec<T>::pow_(n, xs.data(), ys.data(), r.data(), cls);
    size_t next = 0;
    for (int32_t i = 0; i < n; ++i) {
      check_pair(xs[i], ys[i], r[i], "Pow array");
      const bool domain = expect_domain(xs[i], ys[i]);
      if (domain) {
        ASSERT_LT(next, seen.size()) << "missing report for x=" << xs[i] << " y=" << ys[i];
        EXPECT_EQ(seen[next].code, ZAF_STATUS_ERRDOM);
        EXPECT_EQ(seen[next].index, i);
        ++next;
      }
    }
    EXPECT_EQ(next, seen.size()) << "reports beyond the domain errors";
    for (int32_t i = 0; i < n; ++i) {
      T one;
      seen.clear();
      Prec<T>::pow_(1, &xs[i], &ys[i], &one, cls);
      EXPECT_EQ(bits(one), bits(r[i])) << "alone and in the array differ at x=" << xs[i] << " y=" << ys[i];
      EXPECT_EQ(seen.size(), expect_domain(xs[i], ys[i]) ? 1u : 0u);
    }
    // Powx: one exponent for the whole array of bases.
    for (T y : v) {
      std::vector<T> rx(v.size());
      seen.clear();
      Prec<T>::powx_(static_cast<int32_t>(v.size()), v.data(), y, rx.data(), cls);
      size_t reports = 0;
      for (size_t i = 0; i < v.size(); ++i) {
        check_pair(v[i], y, rx[i], "Powx");
        reports += expect_domain(v[i], y);
      }
      EXPECT_EQ(seen.size(), reports);
    }
  }
}

TEST_F(PowTest, SpecialTableEveryPairDouble) { table_for_every_pair<double>(); }
TEST_F(PowTest, SpecialTableEveryPairFloat) { table_for_every_pair<float>(); }

// The cases a reader checks first, written out.
TEST_F(PowTest, ListedCases) {
  const double inf = INFINITY;
  struct C {
    double x, y, want;
    int status;
  } cases[] = {
      {NAN, 0.0, 1.0, 0},      {1.0, NAN, 1.0, 0},     {-1.0, inf, 1.0, 0},     {-1.0, -inf, 1.0, 0},
      {-8.0, 3.0, -512.0, 0},  {-2.0, 2.0, 4.0, 0},    {0.0, -1.0, inf, 1},     {-0.0, -3.0, -inf, 1},
      {-0.0, 3.0, -0.0, 0},    {-0.0, 2.0, 0.0, 0},    {0.5, inf, 0.0, 0},      {2.0, -inf, 0.0, 0},
      {2.0, inf, inf, 0},      {0.5, -inf, inf, 0},    {-inf, 3.0, -inf, 0},    {-inf, -3.0, -0.0, 0},
      {-inf, 2.0, inf, 0},     {10.0, 400.0, inf, 0},  {10.0, -400.0, 0.0, 0},  {0.0, -inf, inf, 1},
      {-0.0, -inf, inf, 1},    {0.0, -2.0, inf, 1},    {-0.0, -2.0, inf, 1},    {2.0, -1074.0, 0x1p-1074, 0},
      {2.0, -1075.0, 0.0, 0},  {-2.0, 1023.0, -0x1p1023, 0}, {2.0, 1024.0, inf, 0}, {-2.0, 1025.0, -inf, 0},
      {-2.0, -1075.0, -0.0, 0}, {0.5, 1074.0, 0x1p-1074, 0},
  };
  for (const C& c : cases) {
    for (int cls = 0; cls < 2; ++cls) {
      double r;
      seen.clear();
      _zafClearErrStatus();
      Prec<double>::pow_(1, &c.x, &c.y, &r, cls);
      EXPECT_EQ(bits(r), bits(c.want)) << c.x << "^" << c.y << " = " << r;
      EXPECT_EQ(_zafGetErrStatus(), c.status) << c.x << "^" << c.y;
    }
    // Float, where the values are floats (the thresholds differ).
    if (std::fabs(c.y) < 200 && (c.want == 0 || std::isinf(c.want) || std::fabs(c.want) < 1e30)) {
      const float fx = static_cast<float>(c.x), fy = static_cast<float>(c.y);
      float r;
      _zafClearErrStatus();
      _zafsPow_HA(1, &fx, &fy, &r);
      EXPECT_EQ(bits(r), bits(static_cast<float>(c.want))) << c.x << "^" << c.y << " = " << r;
      EXPECT_EQ(_zafGetErrStatus(), c.status);
    }
  }
  // -8^(1/3): the default NaN with ERRDOM.
  double x = -8.0, y = 1.0 / 3, r;
  _zafClearErrStatus();
  _zafdPow_HA(1, &x, &y, &r);
  EXPECT_EQ(bits(r), Prec<double>::kDomainNaN);
  EXPECT_EQ(_zafGetErrStatus(), ZAF_STATUS_ERRDOM);
  // Overflow and underflow are silent in the power kernels.
  float fx = 10.0f, fy = 40.0f, fr;
  _zafClearErrStatus();
  _zafsPow_HA(1, &fx, &fy, &fr);
  EXPECT_TRUE(std::isinf(fr));
  fy = -60.0f;
  _zafsPow_HA(1, &fx, &fy, &fr);
  EXPECT_EQ(fr, 0.0f);
  EXPECT_EQ(_zafGetErrStatus(), 0);
}

// Odd, even or not an integer, seen through (-1)^y: -1, 1, or a domain error with its report.
template <class T>
void expect_classified(T y, int kind) {  // 1 odd, 2 even, 0 not an integer
  const T x = -1;
  T r;
  seen.clear();
  Prec<T>::pow_(1, &x, &y, &r, 0);
  if (kind == 0) {
    EXPECT_TRUE(std::isnan(r)) << y;
    EXPECT_EQ(seen.size(), 1u) << y;
  } else {
    EXPECT_EQ(r, kind == 1 ? T(-1) : T(1)) << "(-1)^" << y;
    EXPECT_TRUE(seen.empty()) << y;
  }
}

TEST_F(PowTest, ExponentClassification) {
  const struct {
    double y;
    int kind;
  } dcases[] = {{1.0, 1}, {-1.0, 1}, {2.0, 2}, {3.0, 1}, {0x1p53, 2}, {0x1p53 - 1, 1}, {0x1p52 + 1, 1},
                {0x1p52 - 0.5, 0}, {0x1p60, 2}, {0.5, 0}, {1.5, 0}, {-2.5, 0}, {1e300, 2}, {0x1p-1074, 0},
                {2049.0, 1}, {4503599627370497.0, 1}, {1.0000000000000002, 0}};
  for (const auto& c : dcases) expect_classified(c.y, c.kind);
  const struct {
    float y;
    int kind;
  } fcases[] = {{1.0f, 1}, {-1.0f, 1}, {2.0f, 2}, {3.0f, 1}, {0x1p24f, 2}, {0x1p24f - 1, 1},
                {0x1p23f + 1, 1}, {0x1p23f - 0.5f, 0}, {0x1p30f, 2}, {0.5f, 0}, {-7.5f, 0},
                {1.00000012f, 0}, {127.0f, 1}, {0x1p-149f, 0}};
  for (const auto& c : fcases) expect_classified(c.y, c.kind);
}

// Reports carry the element's index, its arguments, its result and the kernel's name, in
// index order, from both the vector groups and the tail.
TEST_F(PowTest, ReportsCarryIndexArgumentsAndName) {
  std::vector<double> a(11, 2.0), b(11, 0.5), r(11);
  a[5] = -3.0;  // non-integer power of a negative base
  b[5] = 0.25;
  a[9] = 0.0;   // zero to a negative power (the tail of a group of four)
  b[9] = -2.0;
  _zafdPow_HA(11, a.data(), b.data(), r.data());
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].code, ZAF_STATUS_ERRDOM);
  EXPECT_EQ(seen[0].index, 5);
  EXPECT_EQ(seen[0].arg1, -3.0);
  EXPECT_EQ(seen[0].arg2, 0.25);
  EXPECT_TRUE(std::isnan(seen[0].res1));
  EXPECT_EQ(seen[0].name, "_zafdPow_HA");
  EXPECT_EQ(seen[1].index, 9);
  EXPECT_EQ(seen[1].res1, INFINITY);
  EXPECT_EQ(_zafGetErrStatus(), ZAF_STATUS_ERRDOM);
  for (int i = 0; i < 11; ++i)
    if (i != 5 && i != 9) EXPECT_EQ(r[i], std::sqrt(2.0)) << i;

  seen.clear();
  std::vector<float> fa(19, 4.0f), fr(19);
  fa[17] = -4.0f;
  _zafsPowx_HA(19, fa.data(), 0.5f, fr.data());
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].index, 17);
  EXPECT_EQ(seen[0].arg2, 0.5);
  EXPECT_EQ(seen[0].name, "_zafsPowx_HA");
  EXPECT_EQ(fr[16], 2.0f);
  EXPECT_EQ(fr[18], 2.0f);
}

}  // namespace
