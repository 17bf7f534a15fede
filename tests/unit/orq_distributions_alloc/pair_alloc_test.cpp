// The Gaussian's carried-pair chunk when memory runs out: the failed allocation of the pair, and
// of the chunk node that would attach it, return their status, draw nothing and leak nothing.
// This binary interposes malloc and free so that the library's calls come here.
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

TEST(PairChunk, AllocationFailuresDrawNothing) {
  OrqStream s = nullptr;
  const uint32_t seed = 9;
  ASSERT_EQ(__orqNewStreamEx(&s, ORQ_BRNG_MCG31, 1, &seed), 0);
  uint32_t before[2], after[2];
  OrqStream probe = nullptr;
  ASSERT_EQ(__orqCopyStream(&probe, s), 0);
  _orqiRngUniformBits(0, probe, 2, before);
  for (int k = 1; k <= 2; ++k) {  // 1: the pair block, 2: the chunk node
    double r[3] = {5, 5, 5};
    float f[3] = {5, 5, 5};
    watching = true, fail_at = k, allocations = 0, frees = 0;
    const int32_t sd = _orqdRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, s, 3, r, 0.0, 1.0);
    const int32_t allocs_d = allocations, frees_d = frees;
    allocations = 0, frees = 0;
    const int32_t ss = _orqsRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, s, 3, f, 0.0f, 1.0f);
    watching = false;
    EXPECT_EQ(sd, ORQ_STATUS_NO_MEMORY) << k;
    EXPECT_EQ(ss, ORQ_STATUS_NO_MEMORY) << k;
    EXPECT_EQ(allocs_d, k);
    EXPECT_EQ(frees_d, k - 1) << "the pair block is freed when its node cannot be had";
    EXPECT_EQ(frees, k - 1);
    EXPECT_EQ(r[0], 5.0);
    EXPECT_EQ(f[2], 5.0f);
    EXPECT_EQ(__orqGetNumChunks(s), 0);
  }
  OrqStream copy = nullptr;
  ASSERT_EQ(__orqCopyStream(&copy, s), 0);
  _orqiRngUniformBits(0, copy, 2, after);
  EXPECT_EQ(before[0], after[0]) << "no uniform was drawn";
  EXPECT_EQ(before[1], after[1]);
  double r[3];
  EXPECT_EQ(_orqdRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, s, 3, r, 0.0, 1.0), 0);
  EXPECT_EQ(__orqGetNumChunks(s), 1);
  for (OrqStream* p : {&s, &probe, &copy}) __orqDeleteStream(p);
}

}  // namespace

namespace {

// From d = 1024 the work vector is allocated; when that fails the normals stay in r.
TEST(GaussianMV, WorkVectorAllocationFailure) {
  const int32_t d = 1024;
  OrqStream s = nullptr, t = nullptr;
  const uint32_t seed = 3;
  ASSERT_EQ(__orqNewStreamEx(&s, ORQ_BRNG_MCG31, 1, &seed), 0);
  ASSERT_EQ(__orqNewStreamEx(&t, ORQ_BRNG_MCG31, 1, &seed), 0);
  std::vector<double> r(d), z(d), mean(d, 1.0), tf(static_cast<size_t>(d) * d, 0.5);
  watching = true, fail_at = 1, allocations = 0, frees = 0;
  EXPECT_EQ(_orqdRngGaussianMV(0, s, 1, r.data(), d, ORQ_MV_STORAGE_FULL, mean.data(), tf.data()), ORQ_STATUS_NO_MEMORY);
  watching = false;
  EXPECT_EQ(allocations, 1);
  ASSERT_EQ(_orqdRngGaussian(0, t, d, z.data(), 0.0, 1.0), 0);
  EXPECT_EQ(r, z);
  watching = true, fail_at = 0, allocations = 0, frees = 0;
  EXPECT_EQ(_orqdRngGaussianMV(0, s, 1, r.data(), d, ORQ_MV_STORAGE_PACKED, mean.data(), tf.data()), 0);
  watching = false;
  EXPECT_EQ(allocations, 1);
  EXPECT_EQ(frees, 1) << "the work vector is freed at the end of the call";
  __orqDeleteStream(&s);
  __orqDeleteStream(&t);
}

}  // namespace
