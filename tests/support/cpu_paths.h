// Runs a check once per instruction-set path this machine has, each pinned in turn, and
// restores the automatic choice afterwards.
#pragma once
#include <gtest/gtest.h>

#include "zaforq/cpu.h"

inline const char* cpu_path_name(int p) { return p == 0 ? "SSE2" : p == 1 ? "AVX2" : "AVX-512"; }

// f(path) for each path zaforqSetCpuPath accepts; returns the number of paths run.
template <class F>
int for_each_cpu_path(F f) {
  int ran = 0;
  for (int p = ZAFORQ_PATH_SSE2; p <= ZAFORQ_PATH_AVX512; ++p) {
    if (zaforqSetCpuPath(p) != 0) continue;  // not on this machine (or the i386 build)
    SCOPED_TRACE(cpu_path_name(p));
    f(p);
    ++ran;
  }
  EXPECT_EQ(zaforqSetCpuPath(ZAFORQ_PATH_AUTO), 0);
  return ran;
}
