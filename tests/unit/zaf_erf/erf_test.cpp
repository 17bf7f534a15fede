// Erf and Erfc at their stated values and thresholds: the UNDERFLOW bounds of Erfc, the
// element each report names and their order, and the x87 path of the double Erf for tiny
// arguments under a caller's x87 settings. Accuracy over whole ranges is the harness's job.
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "cpu_paths.h"
#include "fpregs.h"
#include "reports.h"
#include "zaforq.h"

namespace {

class Erf : public ReportsTest {};

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
    // Forty elements: a group of 32 floats and a tail, two groups of 16 doubles and a tail.
    const int n = 40;
    std::vector<float> fa(n, static_cast<float>(s.a)), fr(n);
    std::vector<double> da(n, s.a), dr(n);
    for (F1 f : kSErf) {
      f(n, fa.data(), fr.data());
      for (int i = 0; i < n; ++i) EXPECT_TRUE(same(fr[i], s.erf)) << "erf(" << s.a << ") = " << fr[i];
    }
    for (F1 f : kSErfc) {
      f(n, fa.data(), fr.data());
      for (int i = 0; i < n; ++i) EXPECT_TRUE(same(fr[i], s.erfc)) << "erfc(" << s.a << ") = " << fr[i];
    }
    for (D1 f : kDErf) {
      f(n, da.data(), dr.data());
      for (int i = 0; i < n; ++i) EXPECT_TRUE(same(dr[i], s.erf)) << "erf(" << s.a << ") = " << dr[i];
    }
    for (D1 f : kDErfc) {
      f(n, da.data(), dr.data());
      for (int i = 0; i < n; ++i) EXPECT_TRUE(same(dr[i], s.erfc)) << "erfc(" << s.a << ") = " << dr[i];
    }
  }
  EXPECT_TRUE(seen.empty());
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

template <class T, size_t NK, size_t NC>
void expect_thresholds(void (*const (&kernels)[NK])(int32_t, const T*, T*), const Threshold (&cases)[NC]) {
  const double min_normal = std::numeric_limits<T>::min();
  for (auto f : kernels) {
    for (const Threshold& c : cases) {
      seen.clear();
      const T a = static_cast<T>(c.a);
      T r;
      f(1, &a, &r);
      EXPECT_EQ(kind_of(r, min_normal), c.kind) << c.a << " -> " << r;
      EXPECT_GE(r, T(0)) << c.a;
      ASSERT_EQ(seen.size(), c.reported ? 1u : 0u) << c.a;
      if (c.reported) EXPECT_EQ(seen[0].code, ZAF_STATUS_UNDERFLOW);
    }
  }
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
  expect_thresholds(kDErfc, cases);
}

TEST_F(Erf, FloatErfcUnderflowBounds) {
  const float bound = 0x1.2639cp+3f;  // 9.194549560546875, the first float whose erfc is below 2^-126
  const Threshold cases[] = {
      {9.0, Kind::normal, false}, {9.5, Kind::subnormal, true}, {bound, Kind::subnormal, true},
      {nextafterf(bound, 0), Kind::normal, false}, {10.054195404052734, Kind::zero, true},
      {10.054194450378418, Kind::subnormal, true}, {3e38, Kind::zero, true},
  };
  expect_thresholds(kSErfc, cases);
}

// Error of a float result in ulps of the long double reference (subnormal ulps below 2^-126),
// or relative (the 2^-11 class).
double float_error(float r, long double ref, bool relative) {
  if (relative) return static_cast<double>(fabsl(r - ref) / fabsl(ref));
  const int e = ref == 0 ? -126 : std::max(ilogbl(ref), -126);
  return static_cast<double>(fabsl(r - ref) / ldexpl(1.0L, e - 23));
}

TEST_F(Erf, FloatKernelsAtBothEndsOfEveryGridInterval) {
  // The float kernels step from the nearest point r = j/128 of a table; the
  // half-way points (2j + 1)/256 are ties between two rows and the farthest any argument gets
  // from its row, so a wrong row, a wrong column or a step term off anywhere shows here. glibc's
  // long double erfl/erfcl is the reference.
  struct Case {
    F1 f;
    bool erfc;
    double bound;  // ulps, or relative below 1
    int last;      // the last half-way point checked, in 1/256
  };
  const double rel11 = 1.0 / 2048;
  const Case cases[] = {
      {_zafsErf_HA, false, 1.0, 1040},  {_zafsErf_21, false, 4.0, 1040},  {_zafsErf_11, false, rel11, 1040},
      {_zafsErfc_HA, true, 1.0, 2573},  {_zafsErfc_21, true, 4.0, 2573},  // 2573/256 < 10.0542
      {_zafsErfc_11, true, rel11, 2353},  // 2353/256 < 9.19455: the subnormal results are _HA's
  };
  for (const Case& c : cases) {
    std::vector<float> a;
    for (int k = 1; k <= c.last; k += 2) {
      const float h = static_cast<float>(k) / 256;
      for (float x : {h, nextafterf(h, 0), nextafterf(h, 20)}) {
        a.push_back(x);
        a.push_back(-x);
      }
    }
    std::vector<long double> want(a.size());
    for (size_t i = 0; i < a.size(); ++i) want[i] = c.erfc ? erfcl(a[i]) : erfl(a[i]);
    std::vector<float> r(a.size());
    EXPECT_GE(for_each_cpu_path([&](int) {
                c.f(static_cast<int32_t>(a.size()), a.data(), r.data());
                double worst = 0;
                float at = 0;
                for (size_t i = 0; i < a.size(); ++i) {
                  const double e = float_error(r[i], want[i], c.bound < 1);
                  if (!(e <= worst)) worst = e, at = a[i];  // NaN counts as worst
                }
                EXPECT_LT(worst, c.bound) << "at " << at;
              }),
              1);
  }
}

template <class T, class F>
std::vector<int32_t> underflow_indexes(F f, const std::vector<T>& a) {
  seen.clear();
  std::vector<T> r(a.size());
  f(static_cast<int32_t>(a.size()), a.data(), r.data());
  std::vector<int32_t> got;
  for (const Report& s : seen) {
    EXPECT_EQ(s.code, ZAF_STATUS_UNDERFLOW);
    got.push_back(s.index);
  }
  return got;
}

TEST_F(Erf, EveryUnderflowingElementIsReportedInIndexOrder) {
  // Several underflowing lanes in one group (in different registers of every path, and the
  // group's last lane), and one in the tail, on every path.
  std::vector<float> fa(45, 1.0f);
  const std::vector<int32_t> want_f = {1, 2, 6, 17, 31, 40}, want_d = {0, 2, 3, 10, 15, 19};
  const float fv[] = {9.5f, 12, 9.6f, 30, 10, 1e30f};
  for (size_t i = 0; i < want_f.size(); ++i) fa[want_f[i]] = fv[i];
  fa[5] = -40;  // 2, no report
  std::vector<double> da(21, 1.0);
  const double dv[] = {26.6, 30, 27, 26.9, 1e300, 26.7};
  for (size_t i = 0; i < want_d.size(); ++i) da[want_d[i]] = dv[i];
  da[6] = -40;
  const int paths = for_each_cpu_path([&](int) {
    for (F1 f : kSErfc) EXPECT_EQ(underflow_indexes(f, fa), want_f);
    for (D1 f : kDErfc) EXPECT_EQ(underflow_indexes(f, da), want_d);
  });
  EXPECT_GE(paths, 1);
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
