// The kernel frame, seen through a kernel: counts, groups and tail, in-place use, the
// floating-point environment, and the order and content of reports.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "fpregs.h"
#include "zaf.h"

namespace {

std::vector<int32_t> reported;
std::vector<double> reported_args;

int32_t collect(zafErrorRecord* rec) {
  reported.push_back(rec->index);
  reported_args.push_back(rec->arg1);
  EXPECT_STREQ(rec->funcName, "_zafdInv_50");
  return 1;
}

class Frame : public ::testing::Test {
 protected:
  void SetUp() override {
    reported.clear();
    reported_args.clear();
    _zafSetErrorCallBack(collect);
    _zafClearErrStatus();
  }
  void TearDown() override {
    _zafClearErrorCallBack();
    _zafSetMode(ZAF_MODE_DEFAULT);
    _zafClearErrStatus();
  }
};

TEST_F(Frame, NonPositiveCountsTouchNothing) {
  double a[4] = {0.0, 0.0, 0.0, 0.0}, r[4] = {7, 7, 7, 7};
  _zafdInv_50(0, a, r);
  _zafdInv_50(-5, a, r);
  _zafdInv_50(-2147483647 - 1, a, r);
  for (double v : r) EXPECT_EQ(v, 7.0);
  EXPECT_TRUE(reported.empty());
  EXPECT_EQ(_zafGetErrStatus(), 0);
}

TEST_F(Frame, ResultsDoNotDependOnThePositionInTheArray) {
  // Every length from 1 to 13 covers the tail alone, whole groups, and groups plus a tail;
  // each element must equal the same element computed alone.
  for (int n = 1; n <= 13; ++n) {
    std::vector<double> a(n), r(n + 1, 99.0);
    for (int k = 0; k < n; ++k) a[k] = (k % 3 == 0 ? -1.0 : 1.0) * (0.37 + 1.7 * k);
    _zafdInv_50(n, a.data(), r.data());
    for (int k = 0; k < n; ++k) {
      double alone;
      _zafdInv_50(1, &a[k], &alone);
      EXPECT_EQ(r[k], alone) << "n=" << n << " k=" << k;
      EXPECT_EQ(r[k], 1.0 / a[k]);
    }
    EXPECT_EQ(r[n], 99.0) << "nothing written past n";
  }
}

TEST_F(Frame, FlaggedLanesAreReportedInIndexOrderWithTheirOwnIndex) {
  // Zeros inside the first group, in the second group and in the tail.
  double a[11] = {1, 0.0, 2, -0.0, 4, 5, 0.0, 7, 8, 9, -0.0};
  double r[11];
  _zafdInv_50(11, a, r);
  EXPECT_EQ(reported, (std::vector<int32_t>{1, 3, 6, 10}));
  EXPECT_EQ(r[1], INFINITY);
  EXPECT_EQ(r[3], -INFINITY);
  EXPECT_EQ(r[10], -INFINITY);
  EXPECT_EQ(r[2], 0.5);
  EXPECT_EQ(_zafGetErrStatus(), ZAF_STATUS_SING);
}

TEST_F(Frame, InPlaceUseKeepsTheCallersArgumentsForReports) {
  double a[6] = {2, 0.0, 4, 8, -0.0, 0.5};
  _zafdInv_50(6, a, a);
  EXPECT_EQ(a[0], 0.5);
  EXPECT_EQ(a[1], INFINITY);
  EXPECT_EQ(a[4], -INFINITY);
  EXPECT_EQ(a[5], 2.0);
  ASSERT_EQ(reported.size(), 2u);
  EXPECT_EQ(reported_args[0], 0.0);  // the argument, not the result already stored over it
  EXPECT_TRUE(std::signbit(reported_args[1]));
}

TEST_F(Frame, CallbackResultReplacesTheElement) {
  _zafSetErrorCallBack([](zafErrorRecord* rec) -> int32_t {
    rec->res1 = 5.0;
    return 0;
  });
  _zafSetMode(ZAF_MODE_ERRMODE_CALLBACK);
  double a[5] = {1, 2, 0.0, 4, 0.0}, r[5];
  _zafdInv_50(5, a, r);
  EXPECT_EQ(r[2], 5.0);
  EXPECT_EQ(r[4], 5.0);
  EXPECT_EQ(r[3], 0.25);
}

TEST_F(Frame, CallersRoundingIsOverriddenAndRestored) {
  const uint32_t mx0 = test_stmxcsr();
  const uint32_t caller = (mx0 & ~0x6000u) | 0x6000u;  // round toward zero
  test_ldmxcsr(caller);
  double a[5] = {3, 3, 3, 3, 3}, r[5];
  _zafdInv_50(5, a, r);
  const uint32_t after = test_stmxcsr();
  test_ldmxcsr(mx0);
  for (double v : r) EXPECT_EQ(v, 1.0 / 3.0);  // to nearest: 0x3FD5555555555555
  EXPECT_EQ(after & ~0x3Fu, caller & ~0x3Fu);
}

#if defined(__x86_64__)
// qemu-i386 does not apply MXCSR flush-to-zero, so this check needs real hardware.
TEST_F(Frame, FlushToZeroCallerStillGetsDenormalResults) {
  const uint32_t mx0 = test_stmxcsr();
  test_ldmxcsr(mx0 | 0x8040u);  // flush-to-zero and denormals-are-zero
  double a[4] = {0x1p1023, 0x1p1023, 0x1p1023, 0x1p1023}, r[4];
  _zafdInv_50(4, a, r);
  const uint32_t after = test_stmxcsr();
  test_ldmxcsr(mx0);
  EXPECT_EQ(r[0], 0x1p-1023);
  EXPECT_EQ(after & 0xE000u, 0x8000u);
}
#endif

}  // namespace
