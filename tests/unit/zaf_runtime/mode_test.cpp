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
  // Applied in order on one thread: 0x10 takes over at the accuracy's precision (53 bits for
  // 1 and 2, 64 for 3), 0x20 at 64 bits whatever the accuracy, an unknown control value (0x50)
  // as 0x20 and is stored; 0x30 restores.
  const struct {
    uint32_t mode;
    uint16_t cw;
  } steps[] = {{0x0012, kCw53Near}, {0x0020, kCwDefault}, {0x0013, kCwDefault},
               {0x0011, kCw53Near}, {0x0050, kCwDefault}, {0x0030, kCwDefault}};
  on_fresh_thread([&] {
    test_fldcw(kCwDefault);
    for (const auto& st : steps) {
      _zafSetMode(st.mode);
      EXPECT_EQ(test_fnstcw(), st.cw) << "after mode 0x" << std::hex << st.mode;
      if (st.mode == 0x0050) EXPECT_EQ(_zafGetMode() & 0xF0u, 0x50u);
    }
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
