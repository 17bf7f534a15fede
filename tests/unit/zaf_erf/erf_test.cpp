// Erf and Erfc at their stated values and thresholds: the UNDERFLOW bounds of Erfc, the
// element each report names and their order, and the x87 path of the double Erf for tiny
// arguments under a caller's x87 settings. Accuracy over whole ranges is the harness's job.
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>

#include <vector>

#include "fpregs.h"
#include "zaforq.h"

namespace {

struct Seen {
  int32_t code, index;
};
std::vector<Seen> g_seen;

int32_t record(zafErrorRecord* rec) {
  g_seen.push_back({rec->code, rec->index});
  return 1;  // keep the kernel's result, no standard actions
}

class Erf : public ::testing::Test {
 protected:
  void SetUp() override {
    g_seen.clear();
    _zafClearErrStatus();
    _zafSetErrorCallBack(record);
  }
  void TearDown() override {
    _zafClearErrorCallBack();
    _zafClearErrStatus();
  }
};

using F1 = void (*)(int32_t, const float*, float*);
using D1 = void (*)(int32_t, const double*, double*);
const F1 kSErf[] = {_zafsErf_11, _zafsErf_21, _zafsErf_HA};
const F1 kSErfc[] = {_zafsErfc_11, _zafsErfc_21, _zafsErfc_HA};
const D1 kDErf[] = {_zafdErf_50, _zafdErf_HA};
const D1 kDErfc[] = {_zafdErfc_50, _zafdErfc_HA};

bool same(double x, double y) { return (isnan(x) && isnan(y)) || (x == y && signbit(x) == signbit(y)); }

struct Stated {
  double a, erf, erfc;
};
const Stated kStated[] = {
    {0.0, 0.0, 1.0}, {-0.0, -0.0, 1.0}, {INFINITY, 1.0, 0.0}, {-INFINITY, -1.0, 2.0}, {NAN, NAN, NAN},
};

TEST_F(Erf, StatedValuesWithoutReports) {
  for (const Stated& s : kStated) {
    // Eleven elements: a whole group and a tail for floats, groups and a tail for doubles.
    std::vector<float> fa(11, static_cast<float>(s.a)), fr(11);
    std::vector<double> da(11, s.a), dr(11);
    for (F1 f : kSErf) {
      f(11, fa.data(), fr.data());
      for (int i = 0; i < 11; ++i) EXPECT_TRUE(same(fr[i], s.erf)) << "erf(" << s.a << ") = " << fr[i];
    }
    for (F1 f : kSErfc) {
      f(11, fa.data(), fr.data());
      for (int i = 0; i < 11; ++i) EXPECT_TRUE(same(fr[i], s.erfc)) << "erfc(" << s.a << ") = " << fr[i];
    }
    for (D1 f : kDErf) {
      f(11, da.data(), dr.data());
      for (int i = 0; i < 11; ++i) EXPECT_TRUE(same(dr[i], s.erf)) << "erf(" << s.a << ") = " << dr[i];
    }
    for (D1 f : kDErfc) {
      f(11, da.data(), dr.data());
      for (int i = 0; i < 11; ++i) EXPECT_TRUE(same(dr[i], s.erfc)) << "erfc(" << s.a << ") = " << dr[i];
    }
  }
  EXPECT_TRUE(g_seen.empty());
  EXPECT_EQ(_zafGetErrStatus(), 0);
}

// What the result is at a threshold argument, and whether it is reported.
enum class Kind { normal, subnormal, zero };
struct Threshold {
  double a;
  Kind kind;
  bool reported;
};

Kind kind_of(double r, double min_normal) {
  if (r == 0) return Kind::zero;
  return r < min_normal ? Kind::subnormal : Kind::normal;
}

TEST_F(Erf, DoubleErfcUnderflowBounds) {
  const double bound = 26.543258454250978;  // erfc falls below 2^-1022 just above it
  const Threshold cases[] = {
      {26.5, Kind::normal, false},    {26.6, Kind::subnormal, true},
      {28.0, Kind::zero, true},       {bound, Kind::normal, false},
      {nextafter(bound, 30), Kind::subnormal, true},
      {27.226013183593746, Kind::subnormal, true},  // the last argument before the zero bound
      {27.22601318359375, Kind::zero, true},  {1e300, Kind::zero, true},
  };
  for (D1 f : kDErfc) {
    for (const Threshold& c : cases) {
      g_seen.clear();
      double r;
      f(1, &c.a, &r);
      EXPECT_EQ(kind_of(r, 2.2250738585072014e-308), c.kind) << c.a << " -> " << r;
      EXPECT_GE(r, 0.0);
      ASSERT_EQ(g_seen.size(), c.reported ? 1u : 0u) << c.a;
      if (c.reported) EXPECT_EQ(g_seen[0].code, ZAF_STATUS_UNDERFLOW);
    }
  }
}

TEST_F(Erf, FloatErfcUnderflowBounds) {
  const float bound = 0x1.2639cp+3f;  // 9.194549560546875, the first float whose erfc is below 2^-126
  const Threshold cases[] = {
      {9.0, Kind::normal, false}, {9.5, Kind::subnormal, true}, {bound, Kind::subnormal, true},
      {nextafterf(bound, 0), Kind::normal, false}, {10.054195404052734, Kind::zero, true},
      {10.054194450378418, Kind::subnormal, true}, {3e38, Kind::zero, true},
  };
  for (F1 f : kSErfc) {
    for (const Threshold& c : cases) {
      g_seen.clear();
      const float a = static_cast<float>(c.a);
      float r;
      f(1, &a, &r);
      EXPECT_EQ(kind_of(r, 1.1754943508222875e-38), c.kind) << c.a << " -> " << r;
      ASSERT_EQ(g_seen.size(), c.reported ? 1u : 0u) << c.a;
      if (c.reported) EXPECT_EQ(g_seen[0].code, ZAF_STATUS_UNDERFLOW);
    }
  }
}

TEST_F(Erf, EveryUnderflowingElementIsReportedInIndexOrder) {
  // Several underflowing lanes in one group, a group without any, and one in the tail.
  const float fa[19] = {1, 9.5f, 12, 2, 3, -40, 9.6f, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 30, 0.5f};
  const double da[11] = {26.6, 1, 30, 27, 2, 3, -40, 4, 1, 1, 26.9};
  const std::vector<int32_t> want_f = {1, 2, 6, 17}, want_d = {0, 2, 3, 10};
  for (F1 f : kSErfc) {
    g_seen.clear();
    float r[19];
    f(19, fa, r);
    std::vector<int32_t> got;
    for (const Seen& s : g_seen) {
      EXPECT_EQ(s.code, ZAF_STATUS_UNDERFLOW);
      got.push_back(s.index);
    }
    EXPECT_EQ(got, want_f);
  }
  for (D1 f : kDErfc) {
    g_seen.clear();
    double r[11];
    f(11, da, r);
    std::vector<int32_t> got;
    for (const Seen& s : g_seen) {
      EXPECT_EQ(s.code, ZAF_STATUS_UNDERFLOW);
      got.push_back(s.index);
    }
    EXPECT_EQ(got, want_d);
  }
  EXPECT_EQ(_zafGetErrStatus(), ZAF_STATUS_UNDERFLOW);
}

TEST_F(Erf, TinyDoubleErfRoundsOnceUnderTheCallersX87Settings) {
  // Below 2^-1000 the double _HA kernel forms x 2/sqrt(pi) on the x87 unit. A caller running it
  // at 24-bit precision rounding upward must still get the product rounded to nearest once,
  // and find its control word as it was.
  const double a[3] = {ldexp(1.0, -1010), ldexp(3.0, -1074), -ldexp(1.0, -1074)};
  const double want[3] = {ldexp(1.1283791670955126, -1010), ldexp(3.0, -1074), -ldexp(1.0, -1074)};
  const uint16_t saved = test_fnstcw();
  const uint16_t caller = static_cast<uint16_t>((saved & ~0xF00u) | 0x800u);  // 24-bit, upward
  test_fldcw(caller);
  double r[3];
  _zafdErf_HA(3, a, r);
  const uint16_t after = test_fnstcw();
  test_fldcw(saved);
  EXPECT_EQ(after, caller);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(r[i], want[i]) << i;
}

}  // namespace
