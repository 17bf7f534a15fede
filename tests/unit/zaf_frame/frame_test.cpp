// The kernel frame, seen through one kernel: what the contract test over every kernel cannot
// say (the arguments a report carries in in-place use, a callback's replacement result).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "reports.h"
#include "zaf.h"

namespace {

class Frame : public ReportsTest {};

std::vector<int32_t> indexes() {
  std::vector<int32_t> v;
  for (const Report& r : seen) {
    EXPECT_EQ(r.name, "_zafdInv_50");
    v.push_back(r.index);
  }
  return v;
}

TEST_F(Frame, FlaggedLanesAreReportedInIndexOrderWithTheirOwnIndex) {
  // Zeros inside the first group, in the second group and in the tail.
  double a[11] = {1, 0.0, 2, -0.0, 4, 5, 0.0, 7, 8, 9, -0.0};
  double r[11];
  _zafdInv_50(11, a, r);
  EXPECT_EQ(indexes(), (std::vector<int32_t>{1, 3, 6, 10}));
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
  ASSERT_EQ(indexes(), (std::vector<int32_t>{1, 4}));
  EXPECT_EQ(seen[0].arg1, 0.0);  // the argument, not the result already stored over it
  EXPECT_TRUE(std::signbit(seen[1].arg1));
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

}  // namespace
