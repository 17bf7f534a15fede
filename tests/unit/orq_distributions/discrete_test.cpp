// Simple discrete distributions: blocks and draws seen by the recording generator, the floor
// corrections on negative uniforms, the comparisons at p = 0 and 1, and the values against a
// floor and logarithm evaluated with libm on the uniforms handed out.
#include <gtest/gtest.h>
#include <math.h>

#include <vector>

#include "recorder.h"

namespace {

using Counts = std::vector<int32_t>;

// Hands out fixed values, so a test can put -2.5 or 1.999 in front of the floor.
std::vector<double> fixed;
int32_t fixed_d(OrqStream, int32_t n, double* r, double, double) {
  for (int32_t i = 0; i < n; ++i) r[i] = fixed[i % fixed.size()];
  return 0;
}
int32_t fixed_id() {
  static int32_t id = [] {
    BrngRow row = {24, 1, 0, 4, 31, rec::init, rec::gen_s, fixed_d, rec::gen_i};
    return __orqRegisterBrng(&row);
  }();
  return id;
}

TEST(UniformInt, FloorOfNegativeAndNearIntegerUniforms) {
  OrqStream s = nullptr;
  const uint32_t seed = 1;
  ASSERT_EQ(__orqNewStreamEx(&s, fixed_id(), 1, &seed), 0);
  fixed = {-2.5, 1.999, -3.0, -0.25, 0.0, 0.75, -1e-12, 1.0, -2.0000001};
  const int32_t want[] = {-3, 1, -3, -1, 0, 0, -1, 1, -3};
  int32_t r[9];
  EXPECT_EQ(_orqiRngUniform(0, s, 9, r, -3, 2), 0);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(r[i], want[i]) << fixed[i];
  __orqDeleteStream(&s);
}

TEST(UniformInt, BlocksOf1024AndTheBounds) {
  OrqStream s = rec::make();
  std::vector<int32_t> r(2500);
  EXPECT_EQ(_orqiRngUniform(0, s, 2500, r.data(), -3, 2), 0);
  EXPECT_EQ(rec::counts(), (Counts{1024, 1024, 452}));
  for (const rec::Call& c : rec::calls()) {
    EXPECT_EQ(c.kind, 'd');
    EXPECT_EQ(c.a, -3.0);
    EXPECT_EQ(c.b, 2.0);
  }
  std::vector<double> u = rec::uniforms(2500);
  for (int32_t i = 0; i < 2500; ++i) ASSERT_EQ(r[i], static_cast<int32_t>(floor(-3.0 + 5.0 * u[i]))) << i;
  __orqDeleteStream(&s);
}

TEST(Bernoulli, UniformsInTheOutputAndTheExtremes) {
  OrqStream s = rec::make();
  std::vector<int32_t> r(3000);
  EXPECT_EQ(_orqiRngBernoulli(0, s, 3000, r.data(), 0.3), 0);
  EXPECT_EQ(rec::counts(), Counts{3000}) << "one float draw into the output array";
  EXPECT_EQ(rec::calls()[0].kind, 's');
  std::vector<double> u = rec::uniforms(3000);
  for (int32_t i = 0; i < 3000; ++i) ASSERT_EQ(r[i], static_cast<float>(u[i]) < 0.3f ? 1 : 0) << i;
  for (double p : {0.0, 1.0}) {
    EXPECT_EQ(_orqiRngBernoulli(0, s, 3000, r.data(), p), 0);
    for (int32_t v : r) ASSERT_EQ(v, p == 1.0 ? 1 : 0) << p;
  }
  __orqDeleteStream(&s);
}

TEST(Geometric, BlocksValuesAndCertainSuccess) {
  OrqStream s = rec::make();
  std::vector<int32_t> r(2100);
  EXPECT_EQ(_orqiRngGeometric(0, s, 2100, r.data(), 0.2), 0);
  EXPECT_EQ(rec::counts(), (Counts{1024, 1024, 52}));
  std::vector<double> u = rec::uniforms(2100);
  const float c = static_cast<float>(1.0 / log(0.8));
  int mismatches = 0;
  for (int32_t i = 0; i < 2100; ++i) {
    const float uf = static_cast<float>(u[i]);
    const double y = log(static_cast<double>(uf)) * c;
    const int32_t ref = static_cast<int32_t>(floor(y));
    // the float logarithm may move a y within a few ulps of an integer across it
    if (r[i] != ref) {
      ++mismatches;
      EXPECT_LT(fabs(y - nearbyint(y)), 1e-5 * (1 + fabs(y))) << i;
    }
  }
  EXPECT_LE(mismatches, 2);
  EXPECT_EQ(_orqiRngGeometric(0, s, 2100, r.data(), 1.0), 0);
  for (int32_t v : r) ASSERT_EQ(v, 0);
  __orqDeleteStream(&s);
}

}  // namespace
