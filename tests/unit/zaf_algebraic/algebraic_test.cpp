// Roots, reciprocals and division at the values where their primitives and fallbacks differ.
// Accuracy over whole ranges is the accuracy harness's job; these pin exact results, statuses
// and the element each report names.
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>
#include <xmmintrin.h>

#include <vector>

#include "reports.h"
#include "zaforq.h"

namespace {

class Algebraic : public ReportsTest {};

using F1 = void (*)(int32_t, const float*, float*);
using D1 = void (*)(int32_t, const double*, double*);
const F1 kFloatInv[] = {_zafsInv_11, _zafsInv_21, _zafsInv_HA};

TEST_F(Algebraic, FloatReciprocalOfThreeFollowsEachClassesPrimitive) {
  const float three[8] = {3, 3, 3, 3, 3, 3, 3, 3};
  float r11[8], r21[8], rha[8];
  _zafsInv_11(8, three, r11);
  _zafsInv_21(8, three, r21);
  _zafsInv_HA(8, three, rha);
  const float estimate = _mm_cvtss_f32(_mm_rcp_ss(_mm_set_ss(3.0f)));
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(bits_of(r11[i]), bits_of(estimate)) << i;
    EXPECT_LE(ulps(r21[i], 1.0f / 3.0f), 3) << i;
    EXPECT_EQ(rha[i], 1.0f / 3.0f) << i;
  }
  // The same for a lone element, which takes the tail.
  float one;
  _zafsInv_11(1, three, &one);
  EXPECT_EQ(bits_of(one), bits_of(estimate));
  EXPECT_TRUE(seen.empty());
}

TEST_F(Algebraic, FloatReciprocalOutsideTheFastRangeIsExact) {
  // A group with one zero, one infinity and 2^127 goes element by element.
  const float a[8] = {2, -0.0f, 4, INFINITY, 0x1p127f, 0.5f, -INFINITY, 0.0f};
  for (F1 inv : kFloatInv) {
    seen.clear();
    float r[8];
    inv(8, a, r);
    EXPECT_EQ(r[1], -INFINITY);
    EXPECT_EQ(bits_of(r[3]), bits_of(0.0f));
    EXPECT_EQ(r[4], 0x1p-127f);
    EXPECT_EQ(bits_of(r[6]), bits_of(-0.0f));
    EXPECT_EQ(r[7], INFINITY);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].code, ZAF_STATUS_SING);
    EXPECT_EQ(seen[0].index, 1);
    EXPECT_EQ(seen[1].index, 7);
  }
}

TEST_F(Algebraic, DoubleDivisionWithAZeroDivisorComputesTheGroupSingly) {
  const double a[4] = {1, 2, 3, 4}, b[4] = {0, 1, 1, 1};
  double r[4];
  _zafdDiv_HA(4, a, b, r);
  EXPECT_EQ(r[0], INFINITY);
  EXPECT_EQ(r[1], 2.0);
  EXPECT_EQ(r[2], 3.0);
  EXPECT_EQ(r[3], 4.0);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].code, ZAF_STATUS_SING);
  EXPECT_EQ(seen[0].index, 0);
  EXPECT_EQ(_zafGetErrStatus(), ZAF_STATUS_SING);
  // The forwarding class behaves the same, and 0/0 is the IEEE NaN.
  seen.clear();
  const double z[1] = {0};
  _zafdDiv_50(1, z, z, r);
  EXPECT_TRUE(isnan(r[0]));
  ASSERT_EQ(seen.size(), 1u);
}

TEST_F(Algebraic, DoubleDivisionIsCorrectlyRoundedWhenTheDivisorProductLeavesTheRange) {
  // Products of four divisors of 1e100 (or 1e-100) leave even the double range; quotients of
  // values that are not exact still come out correctly rounded.
  const double big[4] = {1e100, 3e100, -7e100, 1.1e100};
  const double tiny[4] = {1e-100, 3e-100, -7e-100, 1.1e-100};
  const double a[4] = {1.0, -2.5, 0.1, 7e300};
  double r[4];
  for (const double* b : {big, tiny}) {
    _zafdDiv_HA(4, a, b, r);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(bits_of(r[i]), bits_of(a[i] / b[i])) << i;
    _zafdInv_HA(4, b, r);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(bits_of(r[i]), bits_of(1.0 / b[i])) << i;
  }
  EXPECT_TRUE(seen.empty());
}

TEST_F(Algebraic, SquareRootSpecialValues) {
  const double a[6] = {-0.0, -1.0, INFINITY, 0x1p-1074, 4.0, -INFINITY};
  for (D1 f : {_zafdSqrt_50, _zafdSqrt_HA}) {
    seen.clear();
    double r[6];
    f(6, a, r);
    EXPECT_EQ(bits_of(r[0]), bits_of(-0.0));
    EXPECT_EQ(bits_of(r[1]), 0xFFF8000000000000ull);
    EXPECT_EQ(r[2], INFINITY);
    EXPECT_EQ(r[3], 0x1p-537);
    EXPECT_EQ(r[4], 2.0);
    EXPECT_EQ(bits_of(r[5]), 0xFFF8000000000000ull);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].code, ZAF_STATUS_ERRDOM);
    EXPECT_EQ(seen[0].index, 1);
    EXPECT_EQ(seen[1].index, 5);
  }
  const float af[4] = {-0.0f, -1.0f, INFINITY, 0x1p-148f};
  for (F1 f : {_zafsSqrt_11, _zafsSqrt_21, _zafsSqrt_HA}) {
    seen.clear();
    float r[4];
    f(4, af, r);
    EXPECT_EQ(bits_of(r[0]), bits_of(-0.0f));
    EXPECT_EQ(bits_of(r[1]), 0xFFC00000u);
    EXPECT_EQ(r[2], INFINITY);
    EXPECT_NEAR(r[3], 0x1p-74f, 0x1p-74f * 0x1p-11f);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].index, 1);
  }
}

TEST_F(Algebraic, InverseRootsPolesAndDomain) {
  const double a[3] = {0.0, -4.0, -0.0};
  for (D1 f : {_zafdInvSqrt_50, _zafdInvSqrt_HA}) {
    seen.clear();
    double r[3];
    f(3, a, r);
    EXPECT_EQ(r[0], INFINITY);
    EXPECT_TRUE(isnan(r[1]));
    EXPECT_EQ(r[2], -INFINITY);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].code, ZAF_STATUS_SING);
    EXPECT_EQ(seen[1].code, ZAF_STATUS_ERRDOM);
    EXPECT_EQ(seen[2].code, ZAF_STATUS_SING);
  }
  for (D1 f : {_zafdInvCbrt_50, _zafdInvCbrt_HA}) {
    seen.clear();
    const double c[2] = {0.0, -8.0};
    double r[2];
    f(2, c, r);
    EXPECT_EQ(r[0], INFINITY);
    EXPECT_EQ(r[1], -0.5);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].code, ZAF_STATUS_SING);
  }
}

TEST_F(Algebraic, CubeRootsOfPerfectCubesAreExactAndSilent) {
  const double a[5] = {-8.0, 27.0, 0x1p-1074 * 8.0, -0.0, -INFINITY};
  for (D1 f : {_zafdCbrt_50, _zafdCbrt_HA}) {
    double r[5];
    f(5, a, r);
    EXPECT_EQ(r[0], -2.0);
    EXPECT_EQ(r[1], 3.0);
    EXPECT_NEAR(r[2], cbrt(a[2]), cbrt(a[2]) * 0x1p-50);
    EXPECT_EQ(bits_of(r[3]), bits_of(-0.0));
    EXPECT_EQ(r[4], -INFINITY);
  }
  const float af[2] = {-8.0f, 27.0f};
  for (F1 f : {_zafsCbrt_21, _zafsCbrt_HA}) {
    float r[2];
    f(2, af, r);
    EXPECT_EQ(r[0], -2.0f);
    EXPECT_EQ(r[1], 3.0f);
  }
  EXPECT_TRUE(seen.empty());
}

}  // namespace
