// The FFT method kernels: the worked examples, and random rank-1 tasks through the front end
// (method 0 and 2) against the direct kernels on the same operands, both kinds, all three type
// variants, strides of either sign, starts and decimations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "reference.h"
#include "zaforq/orq_conv.h"

namespace {

using namespace cctest;

TEST(FftKernels, WorkedExamples) {
  const float x[3] = {1, 2, 3}, y[2] = {1, 1};
  const double xd[3] = {1, 2, 3}, yd[2] = {1, 1};
  float z[8];
  double zd[8];
  std::fill(z, z + 8, -1.0f);
  ASSERT_EQ(_orqConvSSFft1D_dec(x, 1, y, 1, z, 1, 3, 2, 0, 4, 1), 0);
  EXPECT_EQ(std::vector<float>(z, z + 5), (std::vector<float>{1, 3, 5, 3, -1}));
  ASSERT_EQ(_orqConvDDFft1D_dec(xd, 1, yd, 1, zd, 1, 3, 2, 0, 2, 2), 0);
  EXPECT_EQ(std::vector<double>(zd, zd + 2), (std::vector<double>{1, 5}));
  ASSERT_EQ(_orqCorrSDFft1D_dec(x, 1, y, 1, z, 1, 3, 2, -2, 4, 1), 0);
  EXPECT_EQ(std::vector<float>(z, z + 4), (std::vector<float>{3, 5, 3, 1}));
  ASSERT_EQ(_orqCorrSSFft1D_dec(x, 1, y, 1, z, 1, 3, 2, -1, 2, 1), 0);
  EXPECT_EQ(std::vector<float>(z, z + 2), (std::vector<float>{5, 3}));
  // z stride -1 writes the outputs in reverse memory order.
  ASSERT_EQ(_orqConvDDFft1D_dec(xd, 1, yd, 1, zd, -1, 3, 2, 0, 4, 1), 0);
  EXPECT_EQ(std::vector<double>(zd, zd + 4), (std::vector<double>{3, 5, 3, 1}));
  // Validation as the direct kernels.
  EXPECT_EQ(_orqConvSSFft1D_dec(nullptr, 1, y, 1, z, 1, 0, 2, 0, 4, 1), ORQ_CC_STATUS_BAD_X);
  EXPECT_EQ(_orqConvSSFft1D_dec(x, 1, y, 1, z, 0, 3, 2, 5, 4, 1), ORQ_CC_STATUS_BAD_Z_STRIDE);
  EXPECT_EQ(_orqConvSSFft1D_dec(x, 1, y, 1, z, 1, 3, 2, 4, 1, 1), ORQ_CC_STATUS_BAD_START);
  EXPECT_EQ(_orqCorrDDFft1D_dec(xd, 1, yd, 1, zd, 1, 3, 2, -2, 4, 2), ORQ_CC_STATUS_BAD_DECIMATION);
  EXPECT_EQ(_orqConvSSFft1D_nodec(x, 1, y, 1, z, 1, 3, 2, 0, 4), ORQ_CC_STATUS_UNSUPPORTED);
  EXPECT_EQ(_orqCorrSSFft1D_nodec(x, 1, y, 1, z, 1, 3, 2, 0, 4), ORQ_CC_STATUS_UNSUPPORTED);
  EXPECT_EQ(_orqConvSDFft1D_nodec(x, 1, y, 1, z, 1, 3, 2, 0, 4), ORQ_CC_STATUS_UNSUPPORTED);
  EXPECT_EQ(_orqCorrSDFft1D_nodec(x, 1, y, 1, z, 1, 3, 2, 0, 4), ORQ_CC_STATUS_UNSUPPORTED);
  EXPECT_EQ(_orqConvDDFft1D_nodec(xd, 1, yd, 1, zd, 1, 3, 2, 0, 4), ORQ_CC_STATUS_UNSUPPORTED);
  EXPECT_EQ(_orqCorrDDFft1D_nodec(xd, 1, yd, 1, zd, 1, 3, 2, 0, 4), ORQ_CC_STATUS_UNSUPPORTED);
}

// One random rank-1 task run twice, by the FFT method and by the direct one; both compared with
// the long-double reference, the FFT result with a bound scaled by the operands' norms.
template <class E>
void fft_against_direct(std::mt19937& g, bool conv, int precision, double& worst) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(g); };
  Operand<E> x, y, zf, zd;
  x.shape[0] = pick(1, 3) == 1 ? pick(64, 300) : pick(1, 40);  // 64 taps and more: the primitive's FFT path
  y.shape[0] = pick(1, 2) == 1 ? pick(500, 3000) : pick(1, 200);
  const int nx = x.shape[0], ny = y.shape[0];
  const int first = conv ? 0 : 1 - nx, last = conv ? nx + ny - 2 : ny - 1;
  const int32_t start = pick(0, 2) == 0 ? first : pick(first, last);
  const int32_t dec = pick(0, 1) ? 1 : pick(2, 5);
  const int32_t most = (last - start) / dec + 1;
  zf.shape[0] = zd.shape[0] = pick(0, 1) ? most : pick(1, most);
  x.stride[0] = pick(0, 2) ? 1 : (pick(0, 1) ? -2 : 0);
  y.stride[0] = pick(0, 2) ? 1 : -1;
  zf.stride[0] = zd.stride[0] = pick(0, 2) ? 1 : (pick(0, 1) ? -1 : 3);
  x.pad = pick(0, 3);
  y.pad = pick(0, 3);
  x.allocate(E(0));
  y.allocate(E(0));
  zf.allocate(E(-7));
  zd.allocate(E(-7));
  std::uniform_real_distribution<double> u(-1, 1);
  for (auto& v : x.store) v = E(u(g));
  for (auto& v : y.store) v = E(u(g));
  const int32_t dataType = std::is_same_v<E, float> ? 1 : 2;
  for (int method : {1, pick(0, 1) ? 0 : 2}) {
    CcTask* t = nullptr;
    ASSERT_EQ(__orqNewTask(&t, conv ? 1 : 2, 0, method, 0, dataType, 1, x.shape, y.shape, zf.shape), 0);
    ASSERT_EQ(__orqEditTask(t, ORQ_CC_EDIT_PRECISION, &precision), 0);
    ASSERT_EQ(__orqEditTask(t, ORQ_CC_EDIT_START, &start), 0);
    ASSERT_EQ(__orqEditTask(t, ORQ_CC_EDIT_DECIMATION, &dec), 0);
    Operand<E>& z = method == 1 ? zd : zf;
    ASSERT_EQ(__orqExec(t, x.base(), x.stride, y.base(), y.stride, z.base(), z.stride), 0);
    __orqDeleteTask(&t);
  }
  LD nx2 = 0, ny2 = 0;
  int64_t i[7] = {0};
  for (i[0] = 0; i[0] < nx; ++i[0]) nx2 += LD(x.at(i)) * x.at(i);
  for (i[0] = 0; i[0] < ny; ++i[0]) ny2 += LD(y.at(i)) * y.at(i);
  const double eps = std::is_same_v<E, float> && precision == 1 ? 0x1p-24 : 0x1p-53;
  const double eps_out = std::is_same_v<E, float> ? 0x1p-24 : 0x1p-53;
  const double scale = double(std::sqrt(nx2 * ny2)) * eps * 4 * std::log2(double(nx + ny) + 2);
  const int32_t dd[7] = {dec}, ss[7] = {start};
  int64_t k[7] = {0};
  for (k[0] = 0; k[0] < zf.shape[0]; ++k[0]) {
    const RefValue r = reference(conv, x, y, k, ss, dd);
    const double ef = double(std::fabs(LD(zf.at(k)) - r.sum));
    const double ed = double(std::fabs(LD(zd.at(k)) - r.sum));
    const double bound = scale + eps_out * double(std::fabs(r.sum));
    worst = std::max(worst, ef / bound);
    ASSERT_LE(ef, bound) << "fft output " << k[0] << " of nx " << nx << " ny " << ny << " start " << start << " dec " << dec;
    ASSERT_LE(ed, bound) << "direct output " << k[0];
  }
  // Nothing written between or beyond the strided outputs.
  for (size_t m = 0; m < zf.store.size(); ++m) {
    const int64_t off = int64_t(m) - zf.pad;
    const int64_t s = std::abs(int64_t(zf.stride[0]));
    const bool target = off >= 0 && off % s == 0 && off / s < zf.shape[0];
    if (!target) ASSERT_EQ(zf.store[m], E(-7)) << m;
  }
}

TEST(FftKernels, RandomTasksAgreeWithDirectAndReference) {
  std::mt19937 g(5);
  double worst = 0;
  for (int c = 0; c < 40; ++c) {
    fft_against_direct<float>(g, c % 2 == 0, 1, worst);
    fft_against_direct<float>(g, c % 2 == 1, 2, worst);
    fft_against_direct<double>(g, c % 2 == 0, 2, worst);
    if (HasFatalFailure()) return;
  }
  RecordProperty("worst_error_over_bound", std::to_string(worst));
}

}  // namespace
