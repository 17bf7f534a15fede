// Hyperbolic kernels: what the accuracy harness and the contract test cannot say. Stated
// thresholds and their statuses, the order of several reports from one group, and the bits
// of the domain-error NaNs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "fpregs.h"
#include "reports.h"
#include "ulp_points.h"
#include "zaf.h"

namespace {

class Hyperbolic : public ReportsTest {};


using DK = void (*)(int32_t, const double*, double*);
using FK = void (*)(int32_t, const float*, float*);
struct DKernel { const char* name; DK f; };
struct FKernel { const char* name; FK f; };
#define D2(F) {"_zafd" #F "_HA", _zafd##F##_HA}, {"_zafd" #F "_50", _zafd##F##_50}
#define F3(F) {"_zafs" #F "_HA", _zafs##F##_HA}, {"_zafs" #F "_21", _zafs##F##_21}, {"_zafs" #F "_11", _zafs##F##_11}
const DKernel kDCoshSinh[] = {D2(Cosh), D2(Sinh)};
const FKernel kFCoshSinh[] = {F3(Cosh), F3(Sinh)};
const DKernel kDAll[] = {D2(Cosh), D2(Sinh), D2(Tanh), D2(Asinh), D2(Acosh), D2(Atanh)};
const FKernel kFAll[] = {F3(Cosh), F3(Sinh), F3(Tanh), F3(Asinh), F3(Acosh), F3(Atanh)};

const double kInf = INFINITY;

// Overflow thresholds as stated: 710.4758600739439 (bits 0x408633CE8FB9F87D) for double and
// 89.4159927368164 (bits 0x42B2D4FD) for float, OVERFLOW from there on, not below.
TEST_F(Hyperbolic, CoshAndSinhOverflowExactlyFromTheStatedThresholds) {
  const double t = from_bits(0x408633CE8FB9F87Dull);
  const double a[8] = {710.0, 710.5, -710.5, t, -std::nextafter(t, 0.0), kInf, -kInf, 710.4704448615958};
  for (const DKernel& k : kDCoshSinh) {
    const bool is_sinh = strstr(k.name, "Sinh") != nullptr;
    double r[8];
    seen.clear();
    k.f(8, a, r);
    EXPECT_TRUE(std::isfinite(r[0]) && r[0] > 1.1e308 && r[0] < 1.12e308) << k.name << " " << r[0];
    EXPECT_EQ(r[1], kInf) << k.name;
    EXPECT_EQ(r[2], is_sinh ? -kInf : kInf) << k.name;
    EXPECT_EQ(r[3], kInf) << k.name;
    EXPECT_TRUE(std::isfinite(r[4])) << k.name;
    EXPECT_EQ(r[5], kInf) << k.name;
    EXPECT_EQ(r[6], is_sinh ? -kInf : kInf) << k.name;
    EXPECT_TRUE(std::isfinite(r[7])) << k.name;
    ASSERT_EQ(seen.size(), 3u) << k.name;
    for (int j = 0; j < 3; ++j) {
      EXPECT_EQ(seen[j].code, ZAF_STATUS_OVERFLOW);
      EXPECT_EQ(seen[j].index, j + 1);
    }
  }
  const float tf = float_from_bits(0x42B2D4FDu);
  const float af[6] = {89.0f, 89.5f, tf, -std::nextafter(tf, 0.0f), -INFINITY, -89.5f};
  for (const FKernel& k : kFCoshSinh) {
    const bool is_sinh = strstr(k.name, "Sinh") != nullptr;
    float r[6];
    seen.clear();
    k.f(6, af, r);
    EXPECT_TRUE(std::isfinite(r[0])) << k.name;
    EXPECT_EQ(r[1], kInf) << k.name;
    EXPECT_EQ(r[2], kInf) << k.name;
    EXPECT_TRUE(std::isfinite(r[3])) << k.name;
    EXPECT_EQ(r[4], is_sinh ? -kInf : kInf) << k.name;
    EXPECT_EQ(r[5], is_sinh ? -kInf : kInf) << k.name;
    ASSERT_EQ(seen.size(), 3u) << k.name;
    EXPECT_EQ(seen[0].index, 1);
    EXPECT_EQ(seen[1].index, 2);
    EXPECT_EQ(seen[2].index, 5);
  }
}

// Several overflowing lanes of one float group (and of the tail) are reported one by one,
// lowest lane first, each after its own result is written.
TEST_F(Hyperbolic, FloatOverflowLanesAreReportedLowestFirst) {
  float a[11] = {1, 95, -100, 2, 3, 4, 1e30f, 99, 5, -96, 97};
  const int32_t want[] = {1, 2, 6, 7, 9, 10};
  for (const FKernel& k : kFCoshSinh) {
    float r[11];
    seen.clear();
    k.f(11, a, r);
    ASSERT_EQ(seen.size(), 6u) << k.name;
    for (int j = 0; j < 6; ++j) {
      EXPECT_EQ(seen[j].index, want[j]) << k.name;
      EXPECT_EQ(seen[j].code, ZAF_STATUS_OVERFLOW);
      EXPECT_EQ(seen[j].arg1, a[want[j]]);
      EXPECT_EQ(std::fabs(seen[j].res1), kInf);
    }
  }
}

// Atanh: ±1 give ±inf with SING; beyond, the domain error's NaN is the default one, except in
// the double _HA kernel, whose NaN has all bits set apart from the sign, taken from x.
TEST_F(Hyperbolic, AtanhSingularitiesAndDomainNaNs) {
  const double a[6] = {1.0, -1.0, 2.0, -2.0, kInf, -kInf};
  const uint64_t ha_nan[4] = {0x7FFFFFFFFFFFFFFFull, 0xFFFFFFFFFFFFFFFFull, 0x7FFFFFFFFFFFFFFFull, 0xFFFFFFFFFFFFFFFFull};
  for (DK f : {_zafdAtanh_HA, _zafdAtanh_50}) {
    double r[6];
    seen.clear();
    f(6, a, r);
    EXPECT_EQ(r[0], kInf);
    EXPECT_EQ(r[1], -kInf);
    for (int j = 2; j < 6; ++j)
      EXPECT_EQ(bits_of(r[j]), f == _zafdAtanh_HA ? ha_nan[j - 2] : 0xFFF8000000000000ull) << j;
    ASSERT_EQ(seen.size(), 6u);
    for (int j = 0; j < 6; ++j) EXPECT_EQ(seen[j].code, j < 2 ? ZAF_STATUS_SING : ZAF_STATUS_ERRDOM);
  }
  const float af[3] = {1.0f, -1.0f, -2.0f};
  for (FK f : {_zafsAtanh_HA, _zafsAtanh_21, _zafsAtanh_11}) {
    float r[3];
    f(3, af, r);
    EXPECT_EQ(r[0], INFINITY);
    EXPECT_EQ(r[1], -INFINITY);
    EXPECT_EQ(bits_of(r[2]), 0xFFC00000u);
  }
}

// Float Tanh _HA changes method at 1/8, its exponential's 2^k steps at 2|x| = (k + 1/2) ln 2,
// the result reaches 1 near 9.01 and the argument is clamped at 20. Sixteen floats about each
// point, both signs, within one ulp of the long double tanh.
TEST_F(Hyperbolic, FloatTanhHighAccuracyWhereItsMethodChanges) {
  expect_within_one_ulp_about(_zafsTanh_HA,
                              {0.125f, 0.17328680f, 0.51986039f, 4.33216988f, 19.9279814f, 9.01091290f, 16.0f, 20.0f},
                              [](long double v) { return tanhl(v); });
}

TEST_F(Hyperbolic, AcoshDomainAndOne) {
  const double a[4] = {0.5, 1.0, -kInf, kInf};
  for (DK f : {_zafdAcosh_HA, _zafdAcosh_50}) {
    double r[4];
    seen.clear();
    f(4, a, r);
    EXPECT_EQ(bits_of(r[0]), 0xFFF8000000000000ull);
    EXPECT_EQ(bits_of(r[1]), 0u);
    EXPECT_EQ(bits_of(r[2]), 0xFFF8000000000000ull);
    EXPECT_EQ(r[3], kInf);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].index, 0);
    EXPECT_EQ(seen[1].index, 2);
    EXPECT_EQ(seen[1].code, ZAF_STATUS_ERRDOM);
  }
}

// Float inverse hyperbolic kernels at the joints of their methods, against glibc's long double
// functions: the switch to ln|x| + ln 2 at 2^12, arguments whose squares overflow and whose
// exponent reaches 128 after the mantissa split, 1 + u rounding to 1 or just above (acosh
// next to 1, the 2^-12 series bound), and atanh next to ±1. Bounds as the classes: 1 ulp,
// 4 ulp, relative 2^-11.
TEST_F(Hyperbolic, FloatArcFunctionsAtTheJointsOfTheirMethods) {
  struct Fn {
    FK ha, f21, f11;
    long double (*ref)(long double);
    std::vector<float> args;
  };
  const float big = 0x1p12f, tiny = 0x1p-12f, fmax = 3.4028235e38f;
  const Fn fns[] = {
      {_zafsAsinh_HA, _zafsAsinh_21, _zafsAsinh_11, asinhl,
       {nextafterf(big, 0), big, nextafterf(big, fmax), 0x1.8p127f, fmax, 1.9e19f, nextafterf(tiny, 0), tiny,
        0.75f, 1.5f, 0x1.6a09e6p-1f}},
      {_zafsAcosh_HA, _zafsAcosh_21, _zafsAcosh_11, acoshl,
       {1.00000012f, 1.00000024f, 1.0001f, nextafterf(big, 0), big, 0x1p24f, 0x1.8p127f, fmax, 1.25f, 2.5f}},
      {_zafsAtanh_HA, _zafsAtanh_21, _zafsAtanh_11, atanhl,
       {nextafterf(1.0f, 0), 0.99999f, 0.5f, nextafterf(0.5f, 0), nextafterf(tiny, 0), tiny, 1e-30f, 0.2f}},
  };
  for (const Fn& fn : fns) {
    std::vector<float> a;
    for (float x : fn.args) {
      a.push_back(x);
      if (fn.ref != acoshl) a.push_back(-x);
    }
    const int n = static_cast<int>(a.size());
    std::vector<float> r(n);
    for (int c = 0; c < 3; ++c) {
      (c == 0 ? fn.ha : c == 1 ? fn.f21 : fn.f11)(n, a.data(), r.data());
      for (int j = 0; j < n; ++j) {
        const long double want = fn.ref(a[j]);
        const long double err = fabsl(r[j] - want);
        const long double ulp = ldexpl(1.0L, ilogbl(want) - 23);
        if (c == 2)
          EXPECT_LE(err / fabsl(want), 0x1p-11L) << "_11 at " << a[j];
        else
          EXPECT_LE(err / ulp, c == 0 ? 1.0L : 4.0L) << (c == 0 ? "_HA" : "_21") << " at " << a[j] << " gave "
                                                     << r[j];
      }
    }
  }
}

}  // namespace
