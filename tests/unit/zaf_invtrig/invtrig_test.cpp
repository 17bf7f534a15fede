// Asin, Acos, Atan and Atan2 through their exported entries, for what the accuracy harness and
// the contract test do not say: the stated values and their reports (index, order, result
// written first), the sixteen signed-zero and infinity cases of Atan2 in every class, and the
// double arctangents' table rows on every processor path.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "cpu_paths.h"
#include "fpregs.h"
#include "reports.h"
#include "ulp_points.h"
#include "zaf.h"

namespace {

const double kInf = INFINITY, kNaN = NAN;
const double kPi = 3.141592653589793, kPio2 = 1.5707963267948966, kPio4 = 0.7853981633974483;

enum Fam { kAsin, kAcos, kAtan, kAtan2 };

// Every entry as one shape: doubles in and out, converted for the float kernels.
struct Kernel {
  const char* name;
  Fam fam;
  bool dbl;
  void* fn;
  void run(int n, const double* a, const double* b, double* r) const {
    std::vector<float> fa(a, a + n), fb(n), fr(n);
    if (b) fb.assign(b, b + n);
    if (dbl && fam == kAtan2) reinterpret_cast<void (*)(int32_t, const double*, const double*, double*)>(fn)(n, a, b, r);
    else if (dbl) reinterpret_cast<void (*)(int32_t, const double*, double*)>(fn)(n, a, r);
    else if (fam == kAtan2) reinterpret_cast<void (*)(int32_t, const float*, const float*, float*)>(fn)(n, fa.data(), fb.data(), fr.data());
    else reinterpret_cast<void (*)(int32_t, const float*, float*)>(fn)(n, fa.data(), fr.data());
    if (!dbl)
      for (int k = 0; k < n; ++k) r[k] = fr[k];
  }
  double in_format(double x) const { return dbl ? x : static_cast<double>(static_cast<float>(x)); }
};

#define K5(F, fam)                                                                                    \
  {"_zafs" #F "_11", fam, false, reinterpret_cast<void*>(&_zafs##F##_11)},                         \
      {"_zafs" #F "_21", fam, false, reinterpret_cast<void*>(&_zafs##F##_21)},                     \
      {"_zafs" #F "_HA", fam, false, reinterpret_cast<void*>(&_zafs##F##_HA)},                     \
      {"_zafd" #F "_50", fam, true, reinterpret_cast<void*>(&_zafd##F##_50)},                      \
      {"_zafd" #F "_HA", fam, true, reinterpret_cast<void*>(&_zafd##F##_HA)}
const Kernel kKernels[] = {K5(Asin, kAsin), K5(Acos, kAcos), K5(Atan, kAtan), K5(Atan2, kAtan2)};

bool same(double x, double y) { return (std::isnan(x) && std::isnan(y)) || bits_of(x) == bits_of(y); }

class InvTrig : public ReportsTest {};

// The stated values, each placed at index 5 of eleven ordinary arguments (a group's lane) and
// alone (the tail). Domain errors write the default NaN, sign bit set, before the report.
struct Stated {
  Fam fam;
  double x, want;
  int32_t status;
};
const Stated kStated[] = {
    {kAcos, 1.0000001, kNaN, ZAF_STATUS_ERRDOM}, {kAcos, 1.0, 0.0, 0},       {kAcos, -1.0, kPi, 0},
    {kAcos, -kInf, kNaN, ZAF_STATUS_ERRDOM},     {kAcos, kNaN, kNaN, 0},     {kAcos, 0.0, kPio2, 0},
    {kAsin, -1.0, -kPio2, 0},                    {kAsin, 2.0, kNaN, ZAF_STATUS_ERRDOM},
    {kAsin, kInf, kNaN, ZAF_STATUS_ERRDOM},      {kAsin, -0.0, -0.0, 0},     {kAsin, kNaN, kNaN, 0},
    {kAtan, kInf, kPio2, 0},                     {kAtan, -kInf, -kPio2, 0},  {kAtan, -0.0, -0.0, 0},
    {kAtan, 1.0, kPio4, 0},                      {kAtan, kNaN, kNaN, 0},
};

TEST_F(InvTrig, StatedValuesAndTheirReports) {
  for (const Kernel& k : kKernels) {
    for (const Stated& s : kStated) {
      if (s.fam != k.fam) continue;
      SCOPED_TRACE(std::string(k.name) + " x=" + std::to_string(s.x));
      std::vector<double> a(11, 0.25), r(11);
      a[5] = s.x;
      for (int n : {11, 1}) {
        seen.clear();
        const int at = n == 11 ? 5 : 0;
        k.run(n, a.data() + 5 - at, nullptr, r.data());
        EXPECT_TRUE(same(r[at], k.in_format(s.want))) << r[at];
        if (s.status) {
          EXPECT_EQ(bits_of(r[at]) >> 63, 1u);  // the default NaN
          ASSERT_EQ(seen.size(), 1u);
          EXPECT_EQ(seen[0].code, s.status);
          EXPECT_EQ(seen[0].index, at);
          EXPECT_TRUE(std::isnan(seen[0].res1));  // written before the report
          EXPECT_EQ(seen[0].name, k.name);
        } else {
          EXPECT_TRUE(seen.empty());
        }
      }
    }
  }
}

TEST_F(InvTrig, SeveralDomainErrorsReportInIndexOrder) {
  const double a[10] = {0.5, 3.0, -1.5, 0.1, 1.0, -0.2, kInf, 0.3, 0.4, -7.0};
  for (const Kernel& k : kKernels) {
    if (k.fam != kAsin && k.fam != kAcos) continue;
    seen.clear();
    _zafClearErrStatus();
    double r[10];
    k.run(10, a, nullptr, r);
    ASSERT_EQ(seen.size(), 4u) << k.name;
    const int32_t want[4] = {1, 2, 6, 9};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(seen[i].index, want[i]) << k.name;
      EXPECT_EQ(seen[i].arg1, a[want[i]]) << k.name;
    }
    EXPECT_EQ(_zafGetErrStatus(), ZAF_STATUS_ERRDOM);
  }
}

// atan2(a, b) for a, b in {+0, -0, +inf, -inf}: the x87 partial arctangent's results, the same
// in every class (rounded to the class's format), and no report.
TEST_F(InvTrig, Atan2SignedZerosAndInfinitiesAreTheSameInEveryClass) {
  const double z = 0.0, i = kInf;
  const struct {
    double a, b, want;
  } table[16] = {
      {z, z, 0.0},          {z, -z, kPi},          {-z, z, -0.0},          {-z, -z, -kPi},
      {z, i, 0.0},          {z, -i, kPi},          {-z, i, -0.0},          {-z, -i, -kPi},
      {i, z, kPio2},        {i, -z, kPio2},        {-i, z, -kPio2},        {-i, -z, -kPio2},
      {i, i, kPio4},        {i, -i, 3 * kPio4},    {-i, i, -kPio4},        {-i, -i, -3 * kPio4},
  };
  double a[16], b[16];
  for (int k = 0; k < 16; ++k) {
    a[k] = table[k].a;
    b[k] = table[k].b;
  }
  for (const Kernel& k : kKernels) {
    if (k.fam != kAtan2) continue;
    double r[16];
    k.run(16, a, b, r);
    for (int j = 0; j < 16; ++j)
      EXPECT_TRUE(same(r[j], k.in_format(table[j].want))) << k.name << " case " << j << ": " << r[j];
  }
  EXPECT_TRUE(seen.empty());
}

// The double arctangents pick a table row from a 12-bit reciprocal estimate of the quotient.
// Quotients within a few estimate errors of the midpoint between two rows are where another
// estimate (a wider path's own, more precise instruction) would pick the neighbouring row:
// every path must give the SSE2 bits there, at several scales and in every quadrant.
TEST_F(InvTrig, DoubleArctangentRowsAreTheSameOnEveryPath) {
  std::vector<double> a, b;
  const double scales[] = {1.0, 0x1p-600, 0x1p700, 3.7};
  for (int j = 0; j < 17; ++j)
    for (int k = -12; k <= 12; ++k) {
      const double w = (j + 0.5) / 16 * (1 + k * 0x1p-14);  // p/q near the rows' midpoint
      for (double s : scales)
        for (int q = 0; q < 4; ++q) {
          const double sa = q & 1 ? -1 : 1, sb = q & 2 ? -1 : 1;
          a.push_back(sa * w * s), b.push_back(sb * s);  // |a| < |b|
          a.push_back(sa * s), b.push_back(sb * w * s);  // swapped
        }
      a.push_back(1 / w), b.push_back(1.0);  // Atan above 1: the row from the estimate of 1/|x|
      a.push_back(-1 / w), b.push_back(1.0);
    }
  const int n = static_cast<int>(a.size());
  for (const Kernel& k : kKernels) {
    if (!k.dbl || (k.fam != kAtan && k.fam != kAtan2)) continue;
    SCOPED_TRACE(k.name);
    std::vector<double> r0(n);
    for_each_cpu_path([&](int p) {
      std::vector<double> r(n);
      k.run(n, a.data(), k.fam == kAtan2 ? b.data() : nullptr, r.data());
      if (p == ZAFORQ_PATH_SSE2) r0 = r;
      for (int i = 0; i < n; ++i)
        if (!same(r[i], r0[i])) {
          ADD_FAILURE() << "element " << i << " (" << a[i] << ", " << b[i] << "): " << r[i] << " where SSE2 gives "
                        << r0[i];
          break;
        }
    });
  }
  EXPECT_TRUE(seen.empty());
}

// Float Atan _HA switches its reduction (t = a, (a - 1)/(a + 1), -1/a) at tan(pi/8) and
// tan(3pi/8); far out, t is tiny or rounds to zero. Sixteen floats about each point, both signs,
// within one ulp of the long double arctangent.
TEST_F(InvTrig, FloatAtanHighAccuracyAtItsReductionBoundaries) {
  expect_within_one_ulp_about(_zafsAtan_HA, {0.41421356f, 2.41421356f, 0x1p24f, 0x1p126f, 3.0e38f},
                              [](long double v) { return atanl(v); });
}

// The scalar helpers, called by users directly: a 24-bit, round-up x87 unit comes back as it
// was, and the results are those of the default precision.
TEST_F(InvTrig, ScalarHelpersKeepTheCallersX87Word) {
  const uint16_t cw0 = test_fnstcw();
  const uint16_t cw = static_cast<uint16_t>((cw0 & ~0xF00u) | 0x800u);
  test_fldcw(cw);
  const float h1 = _zafsatan_scalar(kInf), h2 = _zafsatan2_scalar(-0.0f, -1.0f);
  const uint16_t cw_helpers = test_fnstcw();
  test_fldcw(cw0);
  EXPECT_EQ(cw_helpers, cw);
  EXPECT_EQ(h1, static_cast<float>(kPio2));
  EXPECT_EQ(h2, -static_cast<float>(kPi));
}

}  // namespace
