// The per-thread blocks: allocated on first use, freed when the thread ends, and a working
// fallback when they cannot be allocated. This binary interposes malloc and free, so the
// library's calls come here.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "zaf.h"

extern "C" void* __libc_malloc(size_t);
extern "C" void __libc_free(void*);

namespace {

// Only the thread under test is watched, so GoogleTest's own allocations are untouched.
thread_local bool watched = false;
thread_local bool failing = false;
std::atomic<int> blocks_allocated{0};
std::atomic<int> blocks_freed{0};
void* recorded[16];
std::atomic<int> n_recorded{0};

}  // namespace

extern "C" void* malloc(size_t n) {
  if (watched && failing) return nullptr;
  void* p = __libc_malloc(n);
  if (watched && n == 8 && p) {
    ++blocks_allocated;
    const int k = n_recorded++;
    if (k < 16) recorded[k] = p;
  }
  return p;
}

extern "C" void free(void* p) {
  if (p) {
    const int n = n_recorded.load();
    for (int k = 0; k < n && k < 16; ++k)
      if (recorded[k] == p) {
        ++blocks_freed;
        recorded[k] = nullptr;
      }
  }
  __libc_free(p);
}

namespace {

TEST(ThreadBlocks, EachValueGetsOneBlockFreedAtThreadExit) {
  blocks_allocated = 0;
  blocks_freed = 0;
  n_recorded = 0;
  std::thread t([] {
    watched = true;
    _zafSetMode(0x0400);
    _zafSetErrStatus(2);
    _zafSetErrorCallBack(nullptr);
    _zafGetMode();  // a second use finds the block, allocating nothing
    _zafGetErrStatus();
    watched = false;
  });
  t.join();
  EXPECT_EQ(blocks_allocated.load(), 3);
  EXPECT_EQ(blocks_freed.load(), 3);
}

TEST(ThreadBlocks, AllocationFailureFallsBackToAWorkingWord) {
  std::thread t([] {
    watched = true;
    failing = true;
    EXPECT_EQ(_zafGetMode(), 0x00001A02u);
    _zafSetErrStatus(4);
    EXPECT_EQ(_zafGetErrStatus(), 4);
    EXPECT_EQ(_zafGetErrorCallBack(), nullptr);
    double a[1] = {1.0}, r[1] = {2.0};
    _zafSetMode(ZAF_MODE_ERRMODE_IGNORE);
    _zafdError(ZAF_STATUS_OVERFLOW, 0, a, a, r, r, "k");  // must not crash
    EXPECT_EQ(_zafGetErrStatus(), 3);
    _zafSetMode(ZAF_MODE_DEFAULT);
    _zafSetErrStatus(0);
    failing = false;
    // Once memory is back the thread gets its own block, starting from the initial value.
    EXPECT_EQ(_zafGetErrStatus(), 0);
    watched = false;
  });
  t.join();
}

}  // namespace
