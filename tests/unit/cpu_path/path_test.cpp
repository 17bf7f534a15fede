// Pinning a processor path: the paths offered are exactly those the kernel reports for this
// processor (its /proc/cpuinfo flags are an oracle independent of our CPUID reading), and a
// refused request changes nothing.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "zaforq.h"

namespace {

std::set<std::string> cpu_flags() {
  std::ifstream f("/proc/cpuinfo");
  std::string line;
  while (std::getline(f, line)) {
    if (line.rfind("flags", 0) == 0) {
      std::istringstream words(line.substr(line.find(':') + 1));
      std::set<std::string> s;
      for (std::string w; words >> w;) s.insert(w);
      return s;
    }
  }
  return {};
}

int widest_expected() {
  if (sizeof(void*) == 4) return ZAFORQ_PATH_SSE2;  // the i386 build carries SSE2 only
  const auto f = cpu_flags();
  auto has = [&](const char* n) { return f.count(n) != 0; };
  if (!(has("avx2") && has("fma"))) return ZAFORQ_PATH_SSE2;
  if (has("avx512f") && has("avx512dq") && has("avx512vl")) return ZAFORQ_PATH_AVX512;
  return ZAFORQ_PATH_AVX2;
}

TEST(CpuPath, OffersExactlyWhatTheProcessorHas) {
  const int widest = widest_expected();
  ASSERT_EQ(zaforqSetCpuPath(ZAFORQ_PATH_AUTO), 0);
  EXPECT_EQ(zaforqGetCpuPath(), widest);
  for (int p = ZAFORQ_PATH_SSE2; p <= ZAFORQ_PATH_AVX512; ++p) {
    SCOPED_TRACE(p);
    if (p <= widest) {
      EXPECT_EQ(zaforqSetCpuPath(p), 0);
      EXPECT_EQ(zaforqGetCpuPath(), p);
    } else {
      ASSERT_EQ(zaforqSetCpuPath(ZAFORQ_PATH_SSE2), 0);
      EXPECT_EQ(zaforqSetCpuPath(p), -1);
      EXPECT_EQ(zaforqGetCpuPath(), ZAFORQ_PATH_SSE2);
    }
  }
  for (int bad : {-2, 3, 1 << 30}) {
    ASSERT_EQ(zaforqSetCpuPath(ZAFORQ_PATH_SSE2), 0);
    EXPECT_EQ(zaforqSetCpuPath(bad), -1) << bad;
    EXPECT_EQ(zaforqGetCpuPath(), ZAFORQ_PATH_SSE2) << bad;
  }
  EXPECT_EQ(zaforqSetCpuPath(ZAFORQ_PATH_AUTO), 0);
  EXPECT_EQ(zaforqGetCpuPath(), widest);
}

}  // namespace
