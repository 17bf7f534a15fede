// Test support for the vector-math kernels: the reports a call makes through the error
// callback, in the order they arrive; and, through bits.h, results compared bit for bit or by
// their distance in representable values.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bits.h"
#include "zaf.h"

struct Report {
  int32_t code, index;
  double arg1, arg2, res1, res2;
  std::string name;
};
inline std::vector<Report> seen;

// Keeps the kernel's result: a non-zero return means no copy-back and no standard action.
inline int32_t record_report(zafErrorRecord* rec) {
  seen.push_back({rec->code, rec->index, rec->arg1, rec->arg2, rec->res1, rec->res2, rec->funcName});
  return 1;
}

// Each test starts with no reports, the recording callback and a clear status, and leaves the
// default mode behind for the next.
class ReportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    seen.clear();
    _zafClearErrStatus();
    _zafSetErrorCallBack(record_report);
  }
  void TearDown() override {
    _zafClearErrorCallBack();
    _zafSetMode(ZAF_MODE_DEFAULT);
    _zafClearErrStatus();
  }
};
