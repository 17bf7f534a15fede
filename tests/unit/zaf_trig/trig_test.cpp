// Sin, Cos, Tan and SinCos through their exported entries: the stated values, the callout path
// (results, statuses, names and indexes in the error record), tails, the callouts' handling of
// the caller's floating-point environment, and agreement with the C library on both builds.
// In-place use and the kernels' own environment handling are the contract test's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fpregs.h"
#include "reports.h"
#include "zaf.h"

namespace {

const double kInf = INFINITY;

class Trig : public ReportsTest {};

using DUnary = void (*)(int32_t, const double*, double*);
using FUnary = void (*)(int32_t, const float*, float*);
using DTwo = void (*)(int32_t, const double*, double*, double*);
using FTwo = void (*)(int32_t, const float*, float*, float*);

struct DK { const char* name; DUnary f; double (*ref)(double); int64_t tol; };
struct FK { const char* name; FUnary f; double (*ref)(double); int64_t tol; };

double lsin(double x) { return std::sin(x); }
double lcos(double x) { return std::cos(x); }
double ltan(double x) { return std::tan(x); }

const DK kDouble[] = {
    {"_zafdSin_HA", _zafdSin_HA, lsin, 1}, {"_zafdSin_50", _zafdSin_50, lsin, 4},
    {"_zafdCos_HA", _zafdCos_HA, lcos, 1}, {"_zafdCos_50", _zafdCos_50, lcos, 4},
    {"_zafdTan_HA", _zafdTan_HA, ltan, 1}, {"_zafdTan_50", _zafdTan_50, ltan, 4},
};
const FK kFloat[] = {
    {"_zafsSin_HA", _zafsSin_HA, lsin, 1}, {"_zafsSin_21", _zafsSin_21, lsin, 4},
    {"_zafsSin_11", _zafsSin_11, lsin, 1024}, {"_zafsCos_HA", _zafsCos_HA, lcos, 1},
    {"_zafsCos_21", _zafsCos_21, lcos, 4}, {"_zafsCos_11", _zafsCos_11, lcos, 1024},
    {"_zafsTan_HA", _zafsTan_HA, ltan, 1}, {"_zafsTan_21", _zafsTan_21, ltan, 4},
    {"_zafsTan_11", _zafsTan_11, ltan, 1024},
};

// A reproducible spread of arguments: every binade from 2^-30 up to `top`, both signs.
std::vector<double> spread(double top, int per_binade) {
  std::vector<double> v;
  uint64_t s = 0x9E3779B97F4A7C15ull;
  for (double b = 0x1p-30; b < top; b *= 2)
    for (int k = 0; k < per_binade; ++k) {
      s = s * 6364136223846793005ull + 1442695040888963407ull;
      const double f = 1.0 + static_cast<double>(s >> 11) * 0x1p-53;
      const double x = std::fmin(b * f, top);
      v.push_back((s >> 7) & 1 ? -x : x);
    }
  return v;
}

TEST_F(Trig, StatedValues) {
  // sin(1e22) and cos(1e22) need 4/pi to full length; sin and tan of 1e-300 are 1e-300 exactly;
  // tan(pi/2 rounded to double) is finite; sin(-0) and tan(-0) are -0. A tolerance of 0 means
  // the same bits.
  const double big = 1e22, sin_big = -0.8522008497671888, cos_big = 0.523214785395139;
  const double tiny = 1e-300, half_pi = 1.5707963267948966, tan_half_pi = 16331239353195370.0;
#define K(f) #f, f
  const struct {
    const char* name;
    DUnary f;
    double x, want;
    int64_t tol;
  } rows[] = {
      {K(_zafdSin_HA), big, sin_big, 1},       {K(_zafdSin_50), big, sin_big, 1},
      {K(_zafdCos_HA), big, cos_big, 1},       {K(_zafdCos_50), big, cos_big, 1},
      {K(_zafdSin_HA), tiny, tiny, 0},         {K(_zafdSin_50), tiny, tiny, 0},
      {K(_zafdTan_HA), tiny, tiny, 0},         {K(_zafdTan_50), tiny, tiny, 0},
      {K(_zafdCos_HA), tiny, 1.0, 0},          {K(_zafdTan_HA), half_pi, tan_half_pi, 0},
      {K(_zafdTan_50), half_pi, tan_half_pi, 4}, {K(_zafdSin_HA), -0.0, -0.0, 0},
      {K(_zafdSin_50), -0.0, -0.0, 0},         {K(_zafdTan_HA), -0.0, -0.0, 0},
      {K(_zafdTan_50), -0.0, -0.0, 0},
  };
#undef K
  for (const auto& k : rows) {
    double r = 1.0;
    k.f(1, &k.x, &r);
    if (k.tol == 0) EXPECT_EQ(bits_of(r), bits_of(k.want)) << k.name << "(" << k.x << ") = " << r;
    else EXPECT_LE(ulps(r, k.want), k.tol) << k.name << "(" << k.x << ") = " << r;
  }
  for (DTwo f : {_zafdSinCos_HA, _zafdSinCos_50}) {
    double sn, cs;
    f(1, &big, &sn, &cs);
    EXPECT_LE(ulps(sn, sin_big), 1);
    EXPECT_LE(ulps(cs, cos_big), 1);
  }
  double r;
  _zafdSin_SC(0, &big, &r, 0, "test");
  EXPECT_LE(ulps(r, sin_big), 1);
  _zafdTan_SC(0, &half_pi, &r, 0, "test");
  EXPECT_EQ(r, tan_half_pi);
  const float mzf = -0.0f;
  for (const FK& k : kFloat) {
    if (k.ref == lcos) continue;
    float rf = 1.0f;
    k.f(1, &mzf, &rf);
    EXPECT_EQ(bits_of(rf), bits_of(mzf)) << k.name;
  }
  EXPECT_TRUE(seen.empty());
}

TEST_F(Trig, FloatArgumentsBeyondTheFastRangeUseTheDoubleCallout) {
  // 20000 sits among in-range values at every position of a group and in the tail.
  for (int n : {1, 5, 8, 9, 17, 23}) {
    for (int at = 0; at < n; ++at) {
      std::vector<float> a(n, 0.5f), r(n), c(n);
      a[at] = 20000.0f;
      for (const FK& k : kFloat) {
        k.f(n, a.data(), r.data());
        for (int i = 0; i < n; ++i) {
          if (i == at) {
            // The double result rounded to float: the same as the callout, and the correctly
            // rounded value for this argument.
            float sc;
            if (k.ref == lsin) _zafsSin_SC(at, a.data(), &sc - at, 0, "x");
            else if (k.ref == lcos) _zafsCos_SC(at, a.data(), &sc - at, 0, "x");
            else _zafsTan_SC(at, a.data(), &sc - at, 0, "x");
            EXPECT_EQ(r[i], sc) << k.name;
            EXPECT_EQ(r[i], static_cast<float>(k.ref(20000.0))) << k.name;
          } else {
            EXPECT_LE(ulps(r[i], static_cast<float>(k.ref(0.5))), k.tol) << k.name;
          }
        }
      }
      _zafsSinCos_HA(n, a.data(), r.data(), c.data());
      EXPECT_EQ(r[at], static_cast<float>(std::sin(20000.0)));
      EXPECT_EQ(c[at], static_cast<float>(std::cos(20000.0)));
    }
  }
  EXPECT_TRUE(seen.empty());
}

TEST_F(Trig, InfinityIsADomainErrorAndNaNIsNot) {
  // Double kernels: inf at index 5 of 7, NaN at index 2, a huge finite value at index 0.
  const double a[7] = {1e300, 1.0, NAN, 2.0, 3.0, -kInf, 4.0};
  struct Expect { DUnary f; const char* name; };
  const Expect dk[] = {{_zafdSin_HA, "_zafdSin_HA"}, {_zafdSin_50, "_zafdSin_HA"},
                       {_zafdCos_HA, "_zafdCos_HA"}, {_zafdCos_50, "_zafdCos_HA"},
                       {_zafdTan_HA, "dTan_HA"},     {_zafdTan_50, "dTan_LA"}};
  for (const Expect& e : dk) {
    seen.clear();
    _zafClearErrStatus();
    double r[7];
    e.f(7, a, r);
    EXPECT_EQ(bits_of(r[5]), 0xFFF8000000000000ull) << e.name;
    EXPECT_TRUE(std::isnan(r[2]));
    EXPECT_TRUE(std::isfinite(r[0]));
    ASSERT_EQ(seen.size(), 1u) << e.name;
    EXPECT_EQ(seen[0].code, ZAF_STATUS_ERRDOM);
    EXPECT_EQ(seen[0].index, 5);
    EXPECT_EQ(seen[0].arg1, -kInf);
    EXPECT_EQ(seen[0].name, e.name);
    EXPECT_EQ(_zafGetErrStatus(), ZAF_STATUS_ERRDOM);
  }
  // Float kernels report under their class's callout name.
  const float af[10] = {0.5f, 1.0f, NAN, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f, INFINITY};
  struct FExpect { FUnary f; const char* name; };
  const FExpect fk[] = {{_zafsSin_HA, "sSin_HA"}, {_zafsSin_21, "sSin_LA"}, {_zafsSin_11, "sSin_A11"},
                        {_zafsCos_HA, "sCos_HA"}, {_zafsCos_21, "sCos_LA"}, {_zafsCos_11, "sCos_A11"},
                        {_zafsTan_HA, "sTan_HA"}, {_zafsTan_21, "sTan_LA"}, {_zafsTan_11, "sTan_A11"}};
  for (const FExpect& e : fk) {
    seen.clear();
    float r[10];
    e.f(10, af, r);
    EXPECT_EQ(bits_of(r[9]), 0xFFC00000u) << e.name;
    EXPECT_TRUE(std::isnan(r[2]));
    ASSERT_EQ(seen.size(), 1u) << e.name;
    EXPECT_EQ(seen[0].index, 9);
    EXPECT_EQ(seen[0].name, e.name);
  }
  // SinCos: both outputs NaN, one report carrying both results.
  const double ad[3] = {kInf, 1.0, -kInf};
  for (DTwo f : {_zafdSinCos_HA, _zafdSinCos_50}) {
    seen.clear();
    double s[3], c[3];
    f(3, ad, s, c);
    ASSERT_EQ(seen.size(), 2u);
    for (int k = 0; k < 2; ++k) {
      EXPECT_EQ(seen[k].code, ZAF_STATUS_ERRDOM);
      EXPECT_TRUE(std::isnan(seen[k].res1) && std::isnan(seen[k].res2));
    }
    EXPECT_EQ(seen[0].index, 0);
    EXPECT_EQ(seen[1].index, 2);
    EXPECT_EQ(bits_of(s[2]), 0xFFF8000000000000ull);
    EXPECT_EQ(bits_of(c[2]), 0xFFF8000000000000ull);
  }
  EXPECT_EQ(seen[0].name, "dSinCos_LA");
  const float afs[2] = {1.0f, -INFINITY};
  for (FTwo f : {_zafsSinCos_HA, _zafsSinCos_21, _zafsSinCos_11}) {
    seen.clear();
    float s[2], c[2];
    f(2, afs, s, c);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].index, 1);
    EXPECT_EQ(bits_of(s[1]), 0xFFC00000u);
    EXPECT_EQ(bits_of(c[1]), 0xFFC00000u);
    EXPECT_TRUE(std::isnan(seen[0].res1) && std::isnan(seen[0].res2));
  }
}

TEST_F(Trig, CalloutsAndTheirNamedWrappers) {
  const double a[3] = {0.25, kInf, NAN};
  double r[3] = {0, 0, 0}, r2[3] = {0, 0, 0};
  _zafdSin_SC_LA(0, a, r, 0);
  EXPECT_LE(ulps(r[0], std::sin(0.25)), 1);
  _zafdCos_SC_A11(1, a, r, 0);
  _zafdTan_SC(2, a, r, 0, "mine");  // NaN: default NaN, no report
  EXPECT_EQ(bits_of(r[1]), 0xFFF8000000000000ull);
  EXPECT_EQ(bits_of(r[2]), 0xFFF8000000000000ull);
  _zafdSinCos_SC_HA(1, a, r, r2, 0);
  _zafdSinCos_SC(1, a, r, r2, 0, "custom name");
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].name, "dCos_A11");
  EXPECT_EQ(seen[1].name, "dSinCos_HA");
  EXPECT_EQ(seen[2].name, "custom name");
  EXPECT_EQ(seen[0].index, 1);

  seen.clear();
  const float af[2] = {-INFINITY, 3.0f};
  float rf[2], rf2[2];
  _zafsTan_SC_LA(0, af, rf, 0);
  _zafsSinCos_SC_A11(1, af, rf, rf2, 0);
  EXPECT_EQ(rf[1], static_cast<float>(std::sin(3.0)));
  EXPECT_EQ(rf2[1], static_cast<float>(std::cos(3.0)));
  _zafsCos_SC_HA(1, af, rf, 0);
  EXPECT_EQ(rf[1], static_cast<float>(std::cos(3.0)));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].name, "sTan_LA");
  EXPECT_EQ(bits_of(rf[0]), 0xFFC00000u);
}

TEST_F(Trig, SinCosAgreesWithSinAndCosBitForBit) {
  const std::vector<double> args = spread(2e5, 2);  // both sides of every fast limit
  const int n = static_cast<int>(args.size());
  std::vector<double> s(n), c(n), s1(n), c1(n);
  _zafdSinCos_HA(n, args.data(), s.data(), c.data());
  _zafdSin_HA(n, args.data(), s1.data());
  _zafdCos_HA(n, args.data(), c1.data());
  for (int i = 0; i < n; ++i) {
    ASSERT_EQ(bits_of(s[i]), bits_of(s1[i]));
    ASSERT_EQ(bits_of(c[i]), bits_of(c1[i]));
  }
}

TEST_F(Trig, TangentBlocksReportInIndexOrderAcrossBlockEdges) {
  // 200 elements: three blocks of 64 and a tail of 8; infinities at block edges.
  std::vector<double> a(200);
  for (int i = 0; i < 200; ++i) a[i] = 0.01 * i - 1.0;
  const int at[] = {0, 63, 64, 127, 128, 191, 192, 199};
  for (int i : at) a[i] = (i & 1) ? kInf : -kInf;
  a[100] = 2e5;  // beyond the fast limit: callout, no report
  std::vector<double> r(200);
  _zafdTan_HA(200, a.data(), r.data());
  ASSERT_EQ(seen.size(), 8u);
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(seen[k].index, at[k]);
    EXPECT_EQ(seen[k].arg1, a[at[k]]);
  }
  EXPECT_LE(ulps(r[100], std::tan(2e5)), 1);
  for (int i = 1; i < 63; ++i) EXPECT_LE(ulps(r[i], std::tan(a[i])), 1) << a[i];
  // In place: the callout still sees the caller's argument.
  seen.clear();
  std::vector<double> io(a);
  _zafdTan_HA(200, io.data(), io.data());
  for (int i = 0; i < 200; ++i) ASSERT_EQ(bits_of(io[i]), bits_of(r[i]));
  ASSERT_EQ(seen.size(), 8u);
  EXPECT_EQ(seen[7].arg1, a[199]);
}

TEST_F(Trig, CalloutsKeepTheCallersEnvironment) {
  // The per-element callouts are called by the kernels and by users directly: round-down and
  // flush-to-zero in MXCSR, 24-bit precision and round-up on the x87 unit come back as they were.
  const double a[1] = {1e300};
  const float af[1] = {1e30f};
  const uint32_t mx0 = test_stmxcsr();
  const uint16_t cw0 = test_fnstcw();
  const uint32_t mx = (mx0 & ~0xE000u) | 0x2000u | 0x8000u;
  const uint16_t cw = static_cast<uint16_t>((cw0 & ~0xF00u) | 0x800u);
  double r;
  float rf;
  test_ldmxcsr(mx);
  test_fldcw(cw);
  _zafdSin_SC(0, a, &r, 0, "x");
  _zafsTan_SC(0, af, &rf, 0, "x");
  const uint32_t mx2 = test_stmxcsr();
  const uint16_t cw2 = test_fnstcw();
  test_fldcw(cw0);
  test_ldmxcsr(mx0);
  EXPECT_EQ(cw2, cw);
  EXPECT_EQ(mx2 & ~0x3Fu, mx & ~0x3Fu);
}

TEST_F(Trig, EveryFloatUpToTheFastLimit) {
  // Floats in [0, 10000] against the C library's double function: every 4099th float here,
  // every float with ZAFORQ_TEST_FULL=1 (about 1.2e9 per kernel). The functions are odd or
  // even and the kernels symmetric, so the positive side stands for both.
  const char* full = std::getenv("ZAFORQ_TEST_FULL");
  const uint32_t step = full && *full == '1' ? 1u : 4099u;
  const uint32_t top = 0x461C4000u;
  const int chunk = 1 << 16;
  std::vector<float> a(chunk), r(chunk), r2(chunk);
  // Error in float ulps of the binade of ref (subnormal spacing below 2^-126).
  auto err = [](float got, double ref) {
    int e;
    std::frexp(ref, &e);
    return std::fabs(static_cast<double>(got) - ref) / std::ldexp(1.0, std::max(e - 24, -149));
  };
  for (const FK& k : kFloat) {
    double worst = 0;
    float worst_x = 0;
    for (uint64_t b0 = 0; b0 <= top;) {
      int n = 0;
      for (; n < chunk && b0 <= top; ++n, b0 += step) {
        const uint32_t b = static_cast<uint32_t>(b0);
        std::memcpy(&a[n], &b, 4);
      }
      k.f(n, a.data(), r.data());
      for (int i = 0; i < n; ++i) {
        const double ref = k.ref(a[i]);
        // The 11-bit class is bounded relatively (2^-11), in float ulps that is 2^12 at most.
        const double e = k.tol > 4 ? std::fabs(r[i] - ref) / std::fabs(ref) * 0x1p11 : err(r[i], ref);
        if (e > worst) worst = e, worst_x = a[i];
      }
    }
    EXPECT_LT(worst, k.tol > 4 ? 1.0 : static_cast<double>(k.tol)) << k.name << " at " << worst_x;
    if (k.tol > 4) std::printf("    %-12s worst relative error 2^%.2f at %.9g\n", k.name, std::log2(worst) - 11, worst_x);
    else std::printf("    %-12s worst %.3f ulp at %.9g\n", k.name, worst, worst_x);
  }
}

}  // namespace
