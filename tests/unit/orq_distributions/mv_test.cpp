// Multivariate Gaussian: each storage form against the product written out here on the same
// standard normals (drawn from an identical stream), full and packed agreement on both sides of
// the blocked and allocated paths, and the carried pair of an odd n d.
#include <gtest/gtest.h>
#include <math.h>

#include <vector>

#include "zaforq.h"

namespace {

OrqStream mt(uint32_t seed) {
  OrqStream s = nullptr;
  EXPECT_EQ(__orqNewStreamEx(&s, ORQ_BRNG_MT19937, 1, &seed), 0);
  return s;
}

struct Factor {
  int32_t d;
  std::vector<double> full, packed, diag, mean;
};
Factor factor(int32_t d) {
  Factor f{d, std::vector<double>(static_cast<size_t>(d) * d, 99.0), {}, {}, {}};
  for (int32_t j = 0; j < d; ++j)
    for (int32_t i = j; i < d; ++i) {
      const double v = i == j ? 1.0 + 0.01 * i : 0.3 * sin(1.0 + i * 7 + j * 3);
      f.full[static_cast<size_t>(i) * d + j] = v;  // the upper half holds 99, which must not be read
      f.packed.push_back(v);
    }
  for (int32_t i = 0; i < d; ++i) f.diag.push_back(f.full[static_cast<size_t>(i) * d + i]), f.mean.push_back(i - 2.5);
  return f;
}

TEST(GaussianMV, StorageFormsAgainstTheProductOnTheSameNormals) {
  for (int32_t d : {2, 5, 42, 43, 47, 1024}) {
    const int32_t n = d < 100 ? 7 : 2;
    Factor f = factor(d);
    std::vector<double> z(static_cast<size_t>(n) * d), full(z.size()), packed(z.size()), diag(z.size());
    for (int32_t method : {0, 1}) {
      OrqStream s0 = mt(d), s1 = mt(d), s2 = mt(d), s3 = mt(d);
      ASSERT_EQ(_orqdRngGaussian(method, s0, n * d, z.data(), 0.0, 1.0), 0);
      ASSERT_EQ(_orqdRngGaussianMV(method, s1, n, full.data(), d, ORQ_MV_STORAGE_FULL, f.mean.data(), f.full.data()), 0);
      ASSERT_EQ(_orqdRngGaussianMV(method, s2, n, packed.data(), d, ORQ_MV_STORAGE_PACKED, f.mean.data(), f.packed.data()), 0);
      ASSERT_EQ(_orqdRngGaussianMV(method, s3, n, diag.data(), d, ORQ_MV_STORAGE_DIAG, f.mean.data(), f.diag.data()), 0);
      for (int32_t k = 0; k < n; ++k)
        for (int32_t i = 0; i < d; ++i) {
          const size_t at = static_cast<size_t>(k) * d + i;
          double y = f.mean[i], mag = fabs(y);
          for (int32_t j = 0; j <= i; ++j) {
            y += f.full[static_cast<size_t>(i) * d + j] * z[static_cast<size_t>(k) * d + j];
            mag += fabs(f.full[static_cast<size_t>(i) * d + j] * z[static_cast<size_t>(k) * d + j]);
          }
          ASSERT_NEAR(full[at], y, 1e-14 * mag) << d << " full " << k << "," << i;
          ASSERT_NEAR(packed[at], y, 1e-14 * mag) << d << " packed " << k << "," << i;
          ASSERT_EQ(diag[at], f.diag[i] * z[at] + f.mean[i]) << d << " diagonal " << k << "," << i;
        }
      for (OrqStream* p : {&s0, &s1, &s2, &s3}) __orqDeleteStream(p);
    }
  }
}

TEST(GaussianMV, DimensionOneAndUnknownStorage) {
  OrqStream s = mt(1), t = mt(1);
  double a = 3.0, sigma = 0.5, x[9], y[9];
  ASSERT_EQ(_orqdRngGaussianMV(0, s, 9, x, 1, 77, &a, &sigma), 0);
  ASSERT_EQ(_orqdRngGaussian(0, t, 9, y, 3.0, 0.5), 0);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(x[i], y[i]);
  double mean[3] = {5, 5, 5}, tf[9] = {2, 2, 2, 2, 2, 2, 2, 2, 2};
  ASSERT_EQ(_orqdRngGaussianMV(0, s, 3, x, 3, 3, mean, tf), 0);
  ASSERT_EQ(_orqdRngGaussian(0, t, 9, y, 0.0, 1.0), 0);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(x[i], y[i]) << "standard normals left in place";
  EXPECT_EQ(_orqdRngGaussianMV(5, s, 3, x, 3, 0, mean, tf), ORQ_STATUS_UNKNOWN_METHOD);
  __orqDeleteStream(&s);
  __orqDeleteStream(&t);
}

TEST(GaussianMV, OddCountCarriesThePairAndFloatAgrees) {
  OrqStream s = mt(8), t = mt(8);
  float mean[3] = {0, 0, 0}, ones[3] = {1, 1, 1}, x[4], y[4];
  ASSERT_EQ(_orqsRngGaussianMV(1, s, 1, x, 3, ORQ_MV_STORAGE_DIAG, mean, ones), 0);
  ASSERT_EQ(_orqsRngGaussian(1, s, 1, x + 3, 0.0f, 1.0f), 0);
  ASSERT_EQ(_orqsRngGaussian(1, t, 4, y, 0.0f, 1.0f), 0);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(x[i], y[i], 2e-6f * (1 + fabsf(y[i]))) << i;
  float full[9] = {1, 9, 9, 0.5f, 2, 9, -1, 0.25f, 3}, packed[6] = {1, 0.5f, -1, 2, 0.25f, 3}, a[3] = {1, 2, 3};
  std::vector<float> u(300), v(300);
  OrqStream p = mt(4), q = mt(4);
  ASSERT_EQ(_orqsRngGaussianMV(0, p, 100, u.data(), 3, ORQ_MV_STORAGE_FULL, a, full), 0);
  ASSERT_EQ(_orqsRngGaussianMV(0, q, 100, v.data(), 3, ORQ_MV_STORAGE_PACKED, a, packed), 0);
  for (int i = 0; i < 300; ++i) EXPECT_NEAR(u[i], v[i], 1e-5f * (1 + fabsf(v[i]))) << i;
  for (OrqStream* h : {&s, &t, &p, &q}) __orqDeleteStream(h);
}

}  // namespace
