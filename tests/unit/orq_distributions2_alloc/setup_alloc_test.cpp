// Set-up and carried-candidate chunks when memory runs out: a failed allocation of the chunk, or
// of the node that would attach it, returns its status before anything is drawn and leaks
// nothing. This binary interposes malloc and free so that the library's calls come here.
#include <gtest/gtest.h>

#include <vector>

#include "zaforq.h"

extern "C" void* __libc_malloc(size_t);
extern "C" void __libc_free(void*);

namespace {

bool watching = false;
int fail_at = 0;  // the n-th watched allocation fails (1-based)
int allocations = 0, frees = 0;

}  // namespace

extern "C" void* malloc(size_t n) {
  if (!watching) return __libc_malloc(n);
  if (++allocations == fail_at) return nullptr;
  return __libc_malloc(n);
}

extern "C" void free(void* p) {
  if (watching && p) ++frees;
  __libc_free(p);
}

namespace {

struct Entry {
  const char* name;
  int32_t (*call)(OrqStream, int32_t*);  // five variates into a scratch array
};
const Entry kEntries[] = {
    {"gamma d", [](OrqStream s, int32_t*) { double r[5] = {}; return _orqdRngGamma(0, s, 5, r, 3.0, 0.0, 1.0); }},
    {"gamma s", [](OrqStream s, int32_t*) { float r[5] = {}; return _orqsRngGamma(0, s, 5, r, 3.0f, 0.0f, 1.0f); }},
    {"binomial", [](OrqStream s, int32_t* r) { return _orqiRngBinomial(0, s, 5, r, 100, 0.4); }},
    {"negbinomial", [](OrqStream s, int32_t* r) { return _orqiRngNegbinomial(0, s, 5, r, 2.0, 0.4); }},
    {"hypergeometric", [](OrqStream s, int32_t* r) { return _orqiRngHypergeometric(0, s, 5, r, 100, 10, 20); }},
    {"poisson", [](OrqStream s, int32_t* r) { return _orqiRngPoisson(0, s, 5, r, 40.0); }},
};

TEST(SetUpChunk, AllocationFailuresDrawNothingAndLeakNothing) {
  for (const Entry& e : kEntries) {
    OrqStream s = nullptr, probe = nullptr;
    const uint32_t seed = 9;
    ASSERT_EQ(__orqNewStreamEx(&s, ORQ_BRNG_MCG31, 1, &seed), 0);
    ASSERT_EQ(__orqCopyStream(&probe, s), 0);
    uint32_t before[2], after[2];
    _orqiRngUniformBits(0, probe, 2, before);
    for (int k = 1; k <= 2; ++k) {  // 1: the chunk's block, 2: the node attaching it
      int32_t r[5] = {-3, -3, -3, -3, -3};
      watching = true, fail_at = k, allocations = 0, frees = 0;
      const int32_t st = e.call(s, r);
      watching = false;
      EXPECT_EQ(st, ORQ_STATUS_NO_MEMORY) << e.name << " " << k;
      EXPECT_EQ(allocations, k) << e.name;
      EXPECT_EQ(frees, k - 1) << e.name << ": the block is freed when its node cannot be had";
      EXPECT_EQ(r[0], -3) << e.name;
      EXPECT_EQ(__orqGetNumChunks(s), 0) << e.name;
    }
    OrqStream copy = nullptr;
    ASSERT_EQ(__orqCopyStream(&copy, s), 0);
    _orqiRngUniformBits(0, copy, 2, after);
    EXPECT_EQ(before[0], after[0]) << e.name << ": nothing was drawn";
    EXPECT_EQ(before[1], after[1]) << e.name;
    int32_t r[5];
    EXPECT_EQ(e.call(s, r), 0) << e.name;
    EXPECT_EQ(__orqGetNumChunks(s), 1) << e.name;
    for (OrqStream* p : {&s, &probe, &copy}) __orqDeleteStream(p);
  }
}

}  // namespace
