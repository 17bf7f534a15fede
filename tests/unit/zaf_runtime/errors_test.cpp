// The report sequence, the callback, and the three standard actions.
#include <gtest/gtest.h>

#include <cerrno>
#include <cfenv>
#include <cmath>
#include <cstring>
#include <string>

#include "capture.h"
#include "fpregs.h"
#include "zaf.h"

namespace {

// Every test starts from the default mode with no callback and a clear status.
class Errors : public ::testing::Test {
 protected:
  void SetUp() override {
    _zafClearErrorCallBack();
    _zafSetMode(ZAF_MODE_DEFAULT);
    _zafClearErrStatus();
    errno = 0;
    std::feclearexcept(FE_ALL_EXCEPT);
  }
  void TearDown() override { SetUp(); }
};

int calls = 0;
zafErrorRecord last;

int32_t record_and_replace(zafErrorRecord* rec) {
  ++calls;
  last = *rec;
  rec->res1 = 5.0;
  return 0;
}
int32_t record_and_keep(zafErrorRecord* rec) {
  ++calls;
  last = *rec;
  rec->res1 = 7.0;  // ignored: a non-zero return suppresses the copy-back
  return 1;
}

TEST_F(Errors, StatusIsStickyAndAccessorsReturnThePreviousValue) {
  EXPECT_EQ(_zafSetErrStatus(3), 0);
  EXPECT_EQ(_zafGetErrStatus(), 3);
  EXPECT_EQ(_zafClearErrStatus(), 3);
  EXPECT_EQ(_zafGetErrStatus(), 0);
  double a[1] = {1.0}, r[1] = {2.0};
  _zafSetMode(ZAF_MODE_ERRMODE_CALLBACK);  // no standard action: nothing is printed or raised
  _zafdError(ZAF_STATUS_UNDERFLOW, 0, a, a, r, r, "k");
  EXPECT_EQ(_zafGetErrStatus(), 4);
}

TEST_F(Errors, IgnoreActionOnlyRecordsTheStatus) {
  calls = 0;
  _zafSetErrorCallBack(record_and_replace);
  _zafSetMode(ZAF_MODE_ERRMODE_IGNORE);
  double a[2] = {0.0, -1.0}, r[2] = {0.0, NAN};
  std::string text = capture_stderr([&] { _zafdError(ZAF_STATUS_ERRDOM, 1, a, a, r, r, "_zafdLn_HA"); });
  EXPECT_EQ(_zafGetErrStatus(), ZAF_STATUS_ERRDOM);
  EXPECT_EQ(text, "");
  EXPECT_EQ(errno, 0);
  EXPECT_EQ(calls, 0);
  EXPECT_TRUE(std::isnan(r[1]));
  EXPECT_FALSE(std::fetestexcept(FE_INVALID));
}

TEST_F(Errors, DefaultModeSetsErrnoAndRaisesTheFlagSilently) {
  double a[1] = {-1.0}, r[1] = {NAN};
  std::string text = capture_stderr([&] { _zafdError(ZAF_STATUS_ERRDOM, 0, a, a, r, r, "_zafdSqrt_HA"); });
  EXPECT_EQ(errno, EDOM);
  EXPECT_TRUE(std::fetestexcept(FE_INVALID));
  EXPECT_EQ(text, "");
}

TEST_F(Errors, CallbackSeesTheRecordAndItsZeroResultReplacesTheElement) {
  calls = 0;
  EXPECT_EQ(_zafSetErrorCallBack(record_and_replace), nullptr);
  EXPECT_EQ(_zafGetErrorCallBack(), record_and_replace);
  double a[3] = {1.0, 2.0, -3.0}, b[3] = {0.0, 0.0, 0.5}, r[3] = {0.0, 0.0, NAN};
  _zafdError(ZAF_STATUS_ERRDOM, 2, a, b, r, r, "_zafdPow_HA");
  ASSERT_EQ(calls, 1);
  EXPECT_EQ(last.code, 1);
  EXPECT_EQ(last.index, 2);
  EXPECT_EQ(last.arg1, -3.0);
  EXPECT_EQ(last.arg2, 0.5);
  EXPECT_TRUE(std::isnan(last.res1) && std::isnan(last.res2));
  EXPECT_STREQ(last.funcName, "_zafdPow_HA");
  EXPECT_EQ(last.funcNameLen, 11);
  EXPECT_EQ(r[2], 5.0);
  EXPECT_EQ(errno, EDOM);  // standard actions still ran
}

TEST_F(Errors, NonZeroCallbackResultKeepsTheResultAndSuppressesTheActions) {
  calls = 0;
  _zafSetErrorCallBack(record_and_keep);
  double a[1] = {0.0}, r[1] = {-INFINITY};
  _zafdError(ZAF_STATUS_SING, 0, a, a, r, r, "_zafdLn_HA");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(r[0], -INFINITY);
  EXPECT_EQ(errno, 0);
  EXPECT_FALSE(std::fetestexcept(FE_DIVBYZERO));
  EXPECT_EQ(_zafGetErrStatus(), ZAF_STATUS_SING);
}

TEST_F(Errors, CallbackBitFollowsTheCallbackPointer) {
  EXPECT_EQ(_zafGetMode() & 0x1000u, 0x1000u);
  _zafSetErrorCallBack(record_and_keep);
  _zafSetMode(0x0200);  // errno only: the callback bit is gone although the pointer stays
  _zafSetErrorCallBack(record_and_keep);
  EXPECT_EQ(_zafGetMode() & 0xFF00u, 0x1200u);
  EXPECT_EQ(_zafClearErrorCallBack(), record_and_keep);
  EXPECT_EQ(_zafGetMode() & 0xFF00u, 0x0200u);

  // With the field exactly 0x1000, clearing would make it zero, which changes nothing.
  _zafSetErrorCallBack(record_and_keep);
  _zafSetMode(0x1000);
  _zafSetErrorCallBack(nullptr);
  EXPECT_EQ(_zafGetMode() & 0xFF00u, 0x1000u);
  calls = 0;
  double a[1] = {0.0}, r[1] = {1.0};
  _zafdError(ZAF_STATUS_OVERFLOW, 0, a, a, r, r, "k");
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(r[0], 1.0);
}

TEST_F(Errors, FloatReportsWidenIntoTheRecordAndNarrowBack) {
  _zafSetErrorCallBack([](zafErrorRecord* rec) -> int32_t {
    last = *rec;
    rec->res1 = 0.1;   // narrowed to the nearest float
    rec->res2 = 1e300; // overflows the float: +inf, then overwritten by res1 in the same array
    return 0;
  });
  _zafSetMode(ZAF_MODE_ERRMODE_CALLBACK);
  float a[2] = {0.0f, 0.3f}, r[2] = {0.0f, 2.5f};
  _zafsError(ZAF_STATUS_OVERFLOW, 1, a, a, r, r, "_zafsExp_HA");
  EXPECT_EQ(last.arg1, static_cast<double>(0.3f));
  EXPECT_EQ(last.res1, 2.5);
  EXPECT_EQ(r[1], 0.1f);
  EXPECT_EQ(r[0], 0.0f);
}

TEST_F(Errors, TwoResultArraysGetBothValues) {
  _zafSetErrorCallBack([](zafErrorRecord* rec) -> int32_t {
    rec->res1 = 1.5;
    rec->res2 = -2.5;
    return 0;
  });
  _zafSetMode(ZAF_MODE_ERRMODE_CALLBACK);
  double a[1] = {INFINITY}, s[1] = {NAN}, c[1] = {NAN};
  _zafdError(ZAF_STATUS_ERRDOM, 0, a, a, s, c, "_zafdSinCos_HA");
  EXPECT_EQ(s[0], 1.5);
  EXPECT_EQ(c[0], -2.5);
}

TEST_F(Errors, SizeAndPointerCodesCarryNoValues) {
  // The arrays are null: a handler that read them, or a copy-back, would crash.
  _zafSetErrorCallBack(record_and_replace);
  calls = 0;
  _zafSetMode(0x1600);
  std::string text = capture_stderr([] {
    _zafdError(ZAF_STATUS_BADSIZE, -7, nullptr, nullptr, nullptr, nullptr, "_zafdExp_HA");
    _zafsError(ZAF_STATUS_BADMEM, 0, nullptr, nullptr, nullptr, nullptr, "_zafsExp_HA");
  });
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(last.arg1, 0.0);
  EXPECT_EQ(text,
            "Error (ZAF_STATUS_BADSIZE) in _zafdExp_HA: array size -7 is not positive\n"
            "Error (ZAF_STATUS_BADMEM) in _zafsExp_HA: NULL pointer is passed\n");
  EXPECT_EQ(errno, EACCES);
}

// The standard-error text, byte for byte, for each message and each value-line format.
struct StderrCase {
  int32_t code;
  double a1, a2, r1, r2;
  bool two_results;
  const char* want;
};

TEST_F(Errors, StandardErrorTextForEveryCodeAndFormat) {
  const StderrCase cases[] = {
      {1, -1.0, -1.0, NAN, NAN, false,
       "Error (ZAF_STATUS_ERRDOM) in kern: argument is out of domain\na(3)=-1\nr(3)=nan\n"},
      {2, 0.0, 0.0, -INFINITY, -INFINITY, false,
       "Error (ZAF_STATUS_SING) in kern: argument caused singularity\na(3)=0\nr(3)=-inf\n"},
      {3, 1000.0, 1000.0, INFINITY, INFINITY, false,
       "Error (ZAF_STATUS_OVERFLOW) in kern: argument caused overflow\na(3)=1000\nr(3)=inf\n"},
      {4, -746.0, -746.0, 0.0, 0.0, false,
       "Error (ZAF_STATUS_UNDERFLOW) in kern: argument caused underflow\na(3)=-746\nr(3)=0\n"},
      // a second result that differs from the first and from zero
      {1, INFINITY, INFINITY, 0.25, 0.5, true,
       "Error (ZAF_STATUS_ERRDOM) in kern: argument is out of domain\na(3)=inf\ny(3)=0.25\nz(3)=0.5\n"},
      // a second argument, one result
      {1, -8.0, 0.5, 2.0, 2.0, false,
       "Error (ZAF_STATUS_ERRDOM) in kern: argument is out of domain\na(3)=-8\nb(3)=0.5\ny(3)=2\n"},
      // both
      {1, -8.0, 0.5, 2.0, 3.0, true,
       "Error (ZAF_STATUS_ERRDOM) in kern: argument is out of domain\na(3)=-8\nb(3)=0.5\ny(3)=2\nz(3)=3\n"},
      // a second argument of zero, or a NaN one, does not count as a second argument
      {1, -8.0, 0.0, 2.0, 2.0, false,
       "Error (ZAF_STATUS_ERRDOM) in kern: argument is out of domain\na(3)=-8\nr(3)=2\n"},
      {1, -8.0, NAN, 2.0, 2.0, false,
       "Error (ZAF_STATUS_ERRDOM) in kern: argument is out of domain\na(3)=-8\nr(3)=2\n"},
      // an unknown code: no newline after the heading
      {9, 1.0, 1.0, 2.0, 2.0, false, "Unknown error in kerna(3)=1\nr(3)=2\n"},
  };
  _zafSetMode(ZAF_MODE_ERRMODE_STDERR);
  for (const StderrCase& c : cases) {
    double a1[4] = {0, 0, 0, c.a1}, a2[4] = {0, 0, 0, c.a2};
    double r1[4] = {0, 0, 0, c.r1}, r2[4] = {0, 0, 0, c.r2};
    std::string text = capture_stderr(
        [&] { _zafdError(c.code, 3, a1, a2, r1, c.two_results ? r2 : r1, "kern"); });
    EXPECT_EQ(text, c.want) << "code " << c.code;
  }
}

TEST_F(Errors, ErrnoForEveryCode) {
  const struct { int32_t code; int want; } cases[] = {
      {0, 0}, {-1, 22}, {-2, 13}, {1, 33}, {2, 34}, {3, 34}, {4, 34}, {5, 14}, {-9, 14}};
  _zafSetMode(ZAF_MODE_ERRMODE_ERRNO);
  for (const auto& c : cases) {
    double a[1] = {1.0}, r[1] = {1.0};
    errno = 12345;
    _zafdError(c.code, 0, a, a, r, r, "k");
    EXPECT_EQ(errno, c.want) << "code " << c.code;
  }
}

TEST_F(Errors, ExceptionActionRaisesTheMatchingFlag) {
  const struct { int32_t code; int flag; } cases[] = {
      {1, FE_INVALID}, {2, FE_DIVBYZERO}, {3, FE_OVERFLOW}, {4, FE_UNDERFLOW}};
  _zafSetMode(ZAF_MODE_ERRMODE_EXCEPT);
  for (const auto& c : cases) {
    std::feclearexcept(FE_ALL_EXCEPT);
    double a[1] = {1.0}, r[1] = {1.0};
    _zafdError(c.code, 0, a, a, r, r, "k");
    EXPECT_EQ(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW | FE_UNDERFLOW), c.flag)
        << "code " << c.code;
  }
  std::feclearexcept(FE_ALL_EXCEPT);
  double a[1] = {1.0}, r[1] = {1.0};
  _zafdError(7, 0, a, a, r, r, "k");
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);
}

TEST_F(Errors, LongNamesAreBoundedByTheRecordField) {
  _zafSetErrorCallBack(record_and_keep);
  const std::string name(100, 'n');
  double a[1] = {1.0}, r[1] = {1.0};
  _zafdError(3, 0, a, a, r, r, name.c_str());
  EXPECT_EQ(last.funcNameLen, 63);
  EXPECT_EQ(std::string(last.funcName), std::string(63, 'n'));
}

TEST(StringServices, LengthAndConcatenation) {
  EXPECT_EQ(qub_zaf_service_strlen1(""), 0);
  EXPECT_EQ(qub_zaf_service_strlen1("_zafdExp_HA"), 11);
  char out[32];
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(qub_zaf_service_strcat1("_zafd", "Exp_HA", out), 11);
  EXPECT_STREQ(out, "_zafdExp_HA");
  EXPECT_EQ(out[12], 'x');  // nothing written after the NUL
  EXPECT_EQ(qub_zaf_service_strcat1("", "", out), 0);
  EXPECT_EQ(out[0], '\0');
}

}  // namespace
