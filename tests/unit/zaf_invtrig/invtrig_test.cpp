// Asin, Acos, Atan and Atan2 through their exported entries, for what the accuracy harness
// does not say: the stated values and their reports (index, order, result written first), the
// sixteen signed-zero and infinity cases of Atan2 in every class, and the caller's
// floating-point environment on the fast and the special paths.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "fpregs.h"
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
  // `around` is called as around(true) just before the entry and around(false) just after,
  // so that the float conversions here run outside whatever environment it sets.
  void run(int n, const double* a, const double* b, double* r, void (*around)(bool) = nullptr) const {
    std::vector<float> fa(a, a + n), fb(n), fr(n);
    if (b) fb.assign(b, b + n);
    if (around) around(true);
    if (dbl && fam == kAtan2) reinterpret_cast<void (*)(int32_t, const double*, const double*, double*)>(fn)(n, a, b, r);
    else if (dbl) reinterpret_cast<void (*)(int32_t, const double*, double*)>(fn)(n, a, r);
    else if (fam == kAtan2) reinterpret_cast<void (*)(int32_t, const float*, const float*, float*)>(fn)(n, fa.data(), fb.data(), fr.data());
    else reinterpret_cast<void (*)(int32_t, const float*, float*)>(fn)(n, fa.data(), fr.data());
    if (around) around(false);
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

uint64_t bits(double x) {
  uint64_t u;
  std::memcpy(&u, &x, 8);
  return u;
}
bool same(double x, double y) { return (std::isnan(x) && std::isnan(y)) || bits(x) == bits(y); }

struct Seen {
  int32_t code, index;
  double arg, res;
  std::string name;
};
std::vector<Seen> seen;
int32_t collect(zafErrorRecord* rec) {
  seen.push_back({rec->code, rec->index, rec->arg1, rec->res1, rec->funcName});
  return 1;
}

class InvTrig : public ::testing::Test {
 protected:
  void SetUp() override {
    seen.clear();
    _zafSetErrorCallBack(collect);
    _zafClearErrStatus();
  }
  void TearDown() override {
    _zafClearErrorCallBack();
    _zafClearErrStatus();
  }
};

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
          EXPECT_EQ(bits(r[at]) >> 63, 1u);  // the default NaN
          ASSERT_EQ(seen.size(), 1u);
          EXPECT_EQ(seen[0].code, s.status);
          EXPECT_EQ(seen[0].index, at);
          EXPECT_TRUE(std::isnan(seen[0].res));  // written before the report
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
      EXPECT_EQ(seen[i].arg, a[want[i]]) << k.name;
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
  double a[16], b[16], ref[16];
  for (int k = 0; k < 16; ++k) {
    a[k] = table[k].a;
    b[k] = table[k].b;
  }
  _zafdAtan2_50(16, a, b, ref);
  for (const Kernel& k : kKernels) {
    if (k.fam != kAtan2) continue;
    double r[16];
    k.run(16, a, b, r);
    for (int j = 0; j < 16; ++j) {
      EXPECT_TRUE(same(r[j], k.in_format(table[j].want))) << k.name << " case " << j << ": " << r[j];
      EXPECT_TRUE(same(r[j], k.in_format(ref[j]))) << k.name << " case " << j;
    }
  }
  EXPECT_TRUE(seen.empty());
}

// Round-down and flush-to-zero in MXCSR, 24-bit precision and round-up on the x87 unit: every
// kernel gives the default environment's results and hands both registers back unchanged,
// through the fast path and the special routines (domain errors, NaN, zeros, infinities).
uint32_t mx0, mx_after;
uint16_t cw0, cw_after;
uint32_t test_mx() { return (mx0 & ~0xE000u) | 0x2000u | 0x8000u; }            // round down, flush to zero
uint16_t test_cw() { return static_cast<uint16_t>((cw0 & ~0xF00u) | 0x800u); }  // 24-bit, round up
void caller_env(bool enter) {
  if (enter) {
    test_ldmxcsr(test_mx());
    test_fldcw(test_cw());
  } else {
    mx_after = test_stmxcsr();
    cw_after = test_fnstcw();
    test_fldcw(cw0);
    test_ldmxcsr(mx0);
  }
}

TEST_F(InvTrig, CallersFloatingPointEnvironmentIsKeptAndIgnored) {
  const double a[11] = {0.3, -0.7, 1e-310, 2.0, kNaN, 0.0, 0.99, -kInf, 1e-20, 0.5, 5e300};
  const double b[11] = {0.9, 0.0, -3.0, kInf, 1.0, -0.0, 1e-310, 2.0, -1e-20, 0.5, 1e-300};
  const double fa[3] = {0x1p-140, -0x1p-149, 0.75}, fb[3] = {0x1p-130, 0.0, -0x1p-149};  // float denormals
  mx0 = test_stmxcsr();
  cw0 = test_fnstcw();
  for (const Kernel& k : kKernels) {
    for (int set = 0; set < 2; ++set) {
      const int n = set ? 3 : 11;
      const double *x = set ? fa : a, *y = set ? fb : b;
      double want[11], got[11];
      k.run(n, x, y, want);
      k.run(n, x, y, got, caller_env);
      EXPECT_EQ(mx_after & ~0x3Fu, test_mx() & ~0x3Fu) << k.name;  // control bits; flags may be raised
      EXPECT_EQ(cw_after, test_cw()) << k.name;
      for (int j = 0; j < n; ++j) EXPECT_TRUE(same(got[j], want[j])) << k.name << " " << j;
    }
  }
  const uint16_t cw = test_cw();
  // The scalar helpers on their own.
  test_fldcw(cw);
  const float h1 = _zafsatan_scalar(kInf), h2 = _zafsatan2_scalar(-0.0f, -1.0f);
  const uint16_t cw_helpers = test_fnstcw();
  test_fldcw(cw0);
  EXPECT_EQ(cw_helpers, cw);
  EXPECT_EQ(h1, static_cast<float>(kPio2));
  EXPECT_EQ(h2, -static_cast<float>(kPi));
}

}  // namespace
