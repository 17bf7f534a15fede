// The per-thread mode word and the take-over and restore of the control registers.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "fpregs.h"
#include "zaf.h"

namespace {

// x87 control word with all exceptions masked, 64-bit precision, rounding toward zero.
constexpr uint16_t kCw64Trunc = 0x0F7F;
constexpr uint16_t kCw53Near = 0x027F;
constexpr uint16_t kCwDefault = 0x037F;

TEST(Mode, FreshThreadHasTheDefaultWordAndFieldsChangeOnlyWhenGiven) {
  on_fresh_thread([] {
    EXPECT_EQ(_zafGetMode(), 0x00001A02u);
    EXPECT_EQ(_zafSetMode(0), 0x00001A02u);  // zero changes nothing
    EXPECT_EQ(_zafGetMode(), 0x00001A02u);
    EXPECT_EQ(_zafSetMode(0x0100), 0x00001A02u);
    EXPECT_EQ(_zafGetMode(), 0x00000102u);  // the whole action field, callback bit included
    EXPECT_EQ(_zafSetMode(0xFFFF0003u), 0x00000102u);  // bits 16-31 are ignored
    EXPECT_EQ(_zafGetMode(), 0x00000103u);
  });
}

TEST(Mode, TakeOverSetsPrecisionAndNearestAndRestoreBringsBackTheCallersWords) {
  on_fresh_thread([] {
    const uint32_t mx0 = test_stmxcsr();
    test_fldcw(kCw64Trunc);
    test_ldmxcsr(mx0 | 0x6000u);  // SSE rounding toward zero
    const uint32_t old = _zafSetMode(0x0011);
    EXPECT_EQ(old, 0x00001A02u);  // the word before the call, although the field changed
    EXPECT_EQ(_zafGetMode(), 0x00001A11u);
    EXPECT_EQ(test_fnstcw(), kCw53Near);
    EXPECT_EQ(test_stmxcsr() & 0x6000u, 0u);

    EXPECT_EQ(_zafSetMode(0x0030), 0x00001A11u);
    EXPECT_EQ(_zafGetMode(), 0x00001A11u);  // the field is left as it was
    EXPECT_EQ(test_fnstcw(), kCw64Trunc);
    EXPECT_EQ(test_stmxcsr() & 0xFFFFu, (mx0 | 0x6000u) & 0xFFFFu);
    test_fldcw(kCwDefault);
    test_ldmxcsr(mx0);
  });
}

TEST(Mode, PrecisionFollowsAccuracyAndControlValues) {
  on_fresh_thread([] {
    test_fldcw(kCwDefault);
    _zafSetMode(0x0012);  // accuracy 2 with 0x10: 53-bit
    EXPECT_EQ(test_fnstcw(), kCw53Near);
    _zafSetMode(0x0020);  // 0x20: 64-bit whatever the accuracy
    EXPECT_EQ(test_fnstcw(), kCwDefault);
    _zafSetMode(0x0013);  // accuracy 3 with 0x10: 64-bit
    EXPECT_EQ(test_fnstcw(), kCwDefault);
    _zafSetMode(0x0011);
    EXPECT_EQ(test_fnstcw(), kCw53Near);
    _zafSetMode(0x0050);  // an unknown control value is a 64-bit take-over and is stored
    EXPECT_EQ(test_fnstcw(), kCwDefault);
    EXPECT_EQ(_zafGetMode() & 0xF0u, 0x50u);
    _zafSetMode(0x0030);
    EXPECT_EQ(test_fnstcw(), kCwDefault);
  });
}

TEST(Mode, SecondTakeOverKeepsTheFirstSavedWords) {
  on_fresh_thread([] {
    test_fldcw(kCw64Trunc);
    _zafSetMode(0x0011);
    test_fldcw(0x0C7F);  // the caller changes its word while the take-over is active
    _zafSetMode(0x0020);
    EXPECT_EQ(test_fnstcw(), 0x037F);  // only precision and rounding were replaced
    _zafSetMode(0x0030);
    EXPECT_EQ(test_fnstcw(), kCw64Trunc);
    test_fldcw(kCwDefault);
  });
}

TEST(Mode, RestoreWithoutTakeOverTouchesNoRegister) {
  // Another thread leaves a saved pair behind; this thread never took over, so the restore
  // command must not load that pair.
  on_fresh_thread([] {
    test_fldcw(kCw64Trunc);
    _zafSetMode(0x0011);
    test_fldcw(kCwDefault);
  });
  on_fresh_thread([] {
    test_fldcw(0x0E7F);
    const uint32_t mx = test_stmxcsr();
    _zafSetMode(0x0030);
    EXPECT_EQ(test_fnstcw(), 0x0E7F);
    EXPECT_EQ(test_stmxcsr(), mx);
    EXPECT_EQ(_zafGetMode() & 0xF0u, 0u);
    test_fldcw(kCwDefault);
  });
}

TEST(Mode, ThreadsSeeOnlyTheirOwnWords) {
  std::atomic<int> ready{0};
  uint32_t mode_seen[2] = {0, 0};
  int32_t status_seen[2] = {0, 0};
  auto body = [&](int k) {
    _zafSetMode(k == 0 ? 0x0201u : 0x0403u);
    _zafSetErrStatus(k == 0 ? 1 : 4);
    ++ready;
    while (ready.load() < 2) std::this_thread::yield();
    mode_seen[k] = _zafGetMode();
    status_seen[k] = _zafGetErrStatus();
  };
  std::thread a(body, 0), b(body, 1);
  a.join();
  b.join();
  EXPECT_EQ(mode_seen[0], 0x0201u);
  EXPECT_EQ(mode_seen[1], 0x0403u);
  EXPECT_EQ(status_seen[0], 1);
  EXPECT_EQ(status_seen[1], 4);
}

TEST(Mode, ProcessorLevel) { EXPECT_EQ(dll_cpu_version(), 2); }

}  // namespace
