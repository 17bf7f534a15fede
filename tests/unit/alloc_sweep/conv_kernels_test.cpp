// Allocation failures in the convolution kernels: each kernel's work buffers, counted, failed
// in turn and freed on every path; a failure becomes the task's status.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "zaforq/orq_conv.h"

#include "watch.h"

namespace {

// Runs f under every possible single allocation failure: each failing run returns
// NO_WORK_MEMORY with nothing left allocated, and the run past the last allocation succeeds.
// Returns the number of work buffers the call takes.
template <class F>
int each_failure(F f) {
  for (int k = 1; k < 16; ++k) {
    watch(k);
    const int32_t r = f();
    unwatch();
    EXPECT_TRUE(live->empty()) << "blocks left after failing allocation " << k;
    if (allocations < k) {  // nothing failed: the call went through
      EXPECT_EQ(r, 0);
      return allocations;
    }
    EXPECT_EQ(r, ORQ_CC_STATUS_NO_WORK_MEMORY) << "failing allocation " << k;
  }
  ADD_FAILURE() << "more allocations than expected";
  return -1;
}

TEST(KernelAllocation, EveryWorkBufferIsFreedOnEveryPath) {
  std::vector<float> xf(64, 1.0f), yf(64, 1.0f), zf(128);
  std::vector<double> xd(64, 1.0), yd(64, 1.0), zd(128);
  // Convolution with strided y and z: x reversed, y gathered, z staged: three buffers.
  EXPECT_EQ(each_failure([&] { return _orqConvSSDirect1D_dec(xf.data(), 1, yf.data(), 2, zf.data(), -2, 5, 20, 0, 24, 1); }), 3);
  // Correlation on dense operands needs none.
  EXPECT_EQ(each_failure([&] { return _orqCorrDDDirect1D_dec(xd.data(), 1, yd.data(), 1, zd.data(), 1, 5, 20, -4, 24, 1); }), 0);
  // Single data with double arithmetic always converts all three.
  EXPECT_EQ(each_failure([&] { return _orqCorrSDDirect1D_dec(xf.data(), 1, yf.data(), 1, zf.data(), 1, 5, 20, -4, 24, 1); }), 3);
  const int32_t xs[3] = {2, 3, 2}, ys[3] = {3, 3, 2}, zs[3] = {4, 5, 3}, zst[3] = {-1, 5, 30}, st[3] = {0, 0, 0};
  const int32_t dec[3] = {1, 1, 1}, yst[3] = {1, 3, 9}, lags[3] = {-1, -2, -1};
  EXPECT_EQ(each_failure([&] {
              return _orqConvDDDirectAll_dec(3, xd.data(), xs, nullptr, yd.data(), ys, nullptr, zd.data(), zs, zst, st, dec);
            }), 2);
  EXPECT_EQ(each_failure([&] {
              return _orqCorrSSDirectAll_dec(3, xf.data(), xs, nullptr, yf.data(), ys, yst, zf.data(), zs, nullptr, lags, dec);
            }), 0);
  EXPECT_EQ(each_failure([&] {
              return _orqConvSDDirectAll_dec(3, xf.data(), xs, nullptr, yf.data(), ys, yst, zf.data(), zs, nullptr, st, dec);
            }), 3);
}

TEST(KernelAllocation, FftKernels) {
  std::vector<float> xf(600, 1.0f), yf(600, 1.0f), zf(1200);
  std::vector<double> xd(600, 1.0), yd(600, 1.0), zd(1200);
  // Dense convolution of every output: straight into z, no buffer; the primitive's own
  // allocations (FFT path from 512 outputs and 64 taps) fail as -2102.
  EXPECT_EQ(each_failure([&] { return _orqConvSSFft1D_dec(xf.data(), 1, yf.data(), 1, zf.data(), 1, 3, 5, 0, 7, 1); }), 0);
  // Correlation reverses x and picks outputs through the full-result buffer.
  EXPECT_EQ(each_failure([&] { return _orqCorrDDFft1D_dec(xd.data(), 1, yd.data(), 2, zd.data(), -1, 3, 5, -2, 3, 2); }), 3);
  EXPECT_EQ(each_failure([&] { return _orqConvSDFft1D_dec(xf.data(), 1, yf.data(), 1, zf.data(), 1, 3, 5, 0, 7, 1); }), 3);
  for (int k = 1; k < 8; ++k) {
    watch(k);
    const int32_t r = _orqCorrSSFft1D_dec(xf.data(), 1, yf.data(), 1, zf.data(), 1, 100, 500, -99, 599, 1);
    unwatch();
    EXPECT_TRUE(live->empty()) << k;
    if (allocations < k) {
      EXPECT_EQ(r, 0);
      EXPECT_GT(k, 2) << "the primitive allocates beyond the kernel's one buffer";
      break;
    }
    EXPECT_EQ(r, k == 1 ? ORQ_CC_STATUS_NO_WORK_MEMORY : ORQ_CC_STATUS_FFT_FAILED) << k;
  }
}

TEST(KernelAllocation, FailureBecomesTheTaskStatus) {
  const int32_t nx = 5, ny = 20, nz = 24;
  CcTask* t = nullptr;
  ASSERT_EQ(__orqNewTask(&t, 1, 0, 1, 0, 1, 1, &nx, &ny, &nz), 0);
  std::vector<float> x(5, 1.0f), y(20, 1.0f), z(24, -1.0f);
  watch(1);
  EXPECT_EQ(__orqExec(t, x.data(), nullptr, y.data(), nullptr, z.data(), nullptr), ORQ_CC_STATUS_NO_WORK_MEMORY);
  unwatch();
  EXPECT_TRUE(live->empty());
  EXPECT_EQ(z[0], -1.0f);
  EXPECT_EQ(__orqccGetStatus(t), ORQ_CC_STATUS_NO_WORK_MEMORY);
  EXPECT_EQ(__orqExec(t, x.data(), nullptr, y.data(), nullptr, z.data(), nullptr), ORQ_CC_STATUS_NO_WORK_MEMORY);
  __orqDeleteTask(&t);
}

}  // namespace
