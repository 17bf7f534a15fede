// Test support for the vector-math kernels: the reports a call makes through the error
// callback, in the order they arrive, and results compared bit for bit (signed zeros and NaN
// payloads told apart) or by their distance in representable values.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

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

inline uint64_t bits_of(double x) {
  uint64_t u;
  std::memcpy(&u, &x, 8);
  return u;
}
inline uint32_t bits_of(float x) {
  uint32_t u;
  std::memcpy(&u, &x, 4);
  return u;
}

// Distance in representable values between two finite values of the same type, across zero.
inline int64_t ulps(double a, double b) {
  auto key = [](double x) {
    const int64_t i = static_cast<int64_t>(bits_of(x));
    return i < 0 ? INT64_MIN - i : i;
  };
  const int64_t d = key(a) - key(b);
  return d < 0 ? -d : d;
}
inline int64_t ulps(float a, float b) {
  auto key = [](float x) {
    const int32_t i = static_cast<int32_t>(bits_of(x));
    return static_cast<int64_t>(i < 0 ? INT32_MIN - i : i);
  };
  const int64_t d = key(a) - key(b);
  return d < 0 ? -d : d;
}
