// Gamma and beta: which method the shapes select (seen through the uniforms a recording generator
// hands out and the values an independent libm evaluation of that method gives on them), the
// Marsaglia-Tsang candidate carried across calls, and the exchanged-shape reflection.
#include <gtest/gtest.h>
#include <math.h>

#include <vector>

#include "../orq_distributions/recorder.h"

namespace {

using Counts = std::vector<int32_t>;

// First-pass acceptances of Vaduva's Weibull envelope and of the x^alpha envelope, evaluated
// with libm on the uniforms of the pass; each method's values must match its own reference only.
std::vector<double> vaduva_ref(const std::vector<double>& u, double alpha) {
  const double k = (1.0 - alpha) * pow(alpha, alpha / (1.0 - alpha));
  std::vector<double> out;
  for (size_t i = 0; i + 1 < u.size(); i += 2) {
    const double x = pow(-log(u[i]), 1.0 / alpha);
    if (-log(u[i]) - k - log(u[i + 1]) >= x) out.push_back(x);
  }
  return out;
}
std::vector<double> epd_ref(const std::vector<double>& u, double alpha) {
  std::vector<double> out;
  for (size_t i = 0; i + 1 < u.size(); i += 2) {
    const double u1 = u[i];
    const double t = u1 < 1.0 - alpha ? 1.0 : (1.0 - u1) / alpha;
    const double y = u1 < 1.0 - alpha ? u1 : (1.0 - alpha) - alpha * log(t);
    const double x = pow(y, 1.0 / alpha);
    if (log(u[i + 1]) + x + log(t) <= 0.0) out.push_back(x);
  }
  return out;
}

struct Selection {
  double alpha;
  bool vaduva;  // else the x^alpha envelope
};

TEST(Gamma, ShapeSelectsTheEnvelopeAtPointSix) {
  const int32_t n = 200;
  for (const Selection& c : {Selection{0.6, true}, Selection{0.5999, false}, Selection{0.8, true},
                             Selection{0.2, false}}) {
    OrqStream s = rec::make(77);
    std::vector<double> r(n);
    ASSERT_EQ(_orqdRngGamma(0, s, n, r.data(), c.alpha, 0.0, 1.0), 0);
    ASSERT_GE(rec::calls().size(), 1u);
    EXPECT_EQ(rec::calls()[0].n, 2 * n) << "one pass of n candidates from 2n uniforms";
    const std::vector<double> u = rec::uniforms(2 * n, 77);
    const std::vector<double> mine = c.vaduva ? vaduva_ref(u, c.alpha) : epd_ref(u, c.alpha);
    const std::vector<double> other = c.vaduva ? epd_ref(u, c.alpha) : vaduva_ref(u, c.alpha);
    ASSERT_GT(mine.size(), 50u);
    for (size_t i = 0; i < mine.size(); ++i)
      EXPECT_NEAR(r[i], mine[i], 1e-12 * (mine[i] + 1e-300)) << c.alpha << " at " << i;
    size_t same = 0;
    for (size_t i = 0; i < other.size() && i < mine.size(); ++i) same += fabs(r[i] - other[i]) <= 1e-12 * other[i];
    EXPECT_LT(same, other.size() / 2) << "the other envelope's values are not what came out";
    EXPECT_EQ(__orqGetNumChunks(s), 0) << "only Marsaglia-Tsang keeps a chunk";
    __orqDeleteStream(&s);
  }
}

TEST(Gamma, ShapeOneIsTheScaledExponential) {
  OrqStream s = rec::make(5), t = rec::make(5);
  std::vector<double> g(33), e(33);
  std::vector<float> gf(33), ef(33);
  ASSERT_EQ(_orqdRngGamma(0, s, 33, g.data(), 1.0, 2.0, 3.0), 0);
  ASSERT_EQ(_orqdRngExponential(0, t, 33, e.data(), 0.0, 1.0), 0);
  ASSERT_EQ(_orqsRngGamma(0, s, 33, gf.data(), 1.0f, 2.0f, 3.0f), 0);
  ASSERT_EQ(_orqsRngExponential(0, t, 33, ef.data(), 0.0f, 1.0f), 0);
  for (int i = 0; i < 33; ++i) {
    EXPECT_EQ(g[i], e[i] * 3.0 + 2.0) << i;
    EXPECT_EQ(gf[i], ef[i] * 3.0f + 2.0f) << i;
  }
  EXPECT_EQ(__orqGetNumChunks(s), 0);
  __orqDeleteStream(&s);
  __orqDeleteStream(&t);
}

// Marsaglia-Tsang's test on a candidate (z, u), evaluated with libm.
bool mt_ref(double alpha, double z, double u, double* x) {
  const double d = alpha - 1.0 / 3.0, c = 1.0 / sqrt(9.0 * alpha - 3.0);
  const double w = 1.0 + c * z;
  if (w <= 0) return false;
  const double v = w * w * w;
  if (u < 1.0 - 0.0331 * z * z * z * z || log(u) < 0.5 * z * z + d * (1.0 - v + log(v))) {
    *x = d * v;
    return true;
  }
  return false;
}

TEST(Gamma, MarsagliaTsangCarriesTheGroupsSecondCandidate) {
  const double alpha = 1.0001;  // just above 1: Marsaglia-Tsang
  // a seed whose first group gives two acceptable candidates, found with the reference test
  uint32_t seed = 1;
  std::vector<double> u;
  double rad = 0, th = 0, ref1 = 0, ref2 = 0;
  for (;; ++seed) {
    u = rec::uniforms(4, seed);
    rad = sqrt(-2.0 * log(u[0])), th = 6.283185307179586 * u[2];
    if (mt_ref(alpha, rad * sin(th), u[1], &ref1) && mt_ref(alpha, rad * cos(th), u[3], &ref2)) break;
  }
  OrqStream s = rec::make(seed);
  double x1, x2;
  ASSERT_EQ(_orqdRngGamma(0, s, 1, &x1, alpha, 0.0, 1.0), 0);
  EXPECT_EQ(rec::counts(), Counts{4}) << "one group of four uniforms makes two candidates";
  EXPECT_NEAR(x1, ref1, 1e-13);
  const double* carry = static_cast<const double*>(__orqSearchChunk(s, 7));
  ASSERT_NE(carry, nullptr);
  EXPECT_EQ(carry[0], u[3]);
  EXPECT_NEAR(carry[1], rad * cos(th), 1e-13);
  rec::calls().clear();
  ASSERT_EQ(_orqdRngGamma(0, s, 1, &x2, alpha, 1.0, 2.0), 0);
  EXPECT_TRUE(rec::calls().empty()) << "the carried candidate was accepted without a draw";
  EXPECT_NEAR(x2, ref2 * 2.0 + 1.0, 1e-12);
  EXPECT_EQ(carry[0], -1.0);
  // n = 0 keeps nothing new and draws nothing; the float form keeps its candidate under key 8
  EXPECT_EQ(_orqdRngGamma(0, s, 0, &x2, alpha, 0.0, 1.0), 0);
  float f;
  ASSERT_EQ(_orqsRngGamma(0, s, 1, &f, 2.5f, 0.0f, 1.0f), 0);
  const float* fc = static_cast<const float*>(__orqSearchChunk(s, 8));
  ASSERT_NE(fc, nullptr);
  EXPECT_NE(fc[0], -1.0f);
  __orqDeleteStream(&s);
}

TEST(Beta, ShapeOneIsAPowerOfOneUniform) {
  const int32_t n = 17;
  const std::vector<double> u = rec::uniforms(n, 8);
  struct Case {
    double p, q;
    double (*ref)(double u, double p, double q);
  };
  const Case cases[] = {
      {1.0, 1.0, [](double u, double, double) { return 1.0 - u; }},
      {1.0, 2.5, [](double u, double, double q) { return 1.0 - pow(u, 1.0 / q); }},
      {0.4, 1.0, [](double u, double p, double) { return pow(u, 1.0 / p); }},
  };
  for (const Case& c : cases) {
    OrqStream s = rec::make(8);
    std::vector<double> r(n);
    ASSERT_EQ(_orqdRngBeta(0, s, n, r.data(), c.p, c.q, -1.0, 4.0), 0);
    EXPECT_EQ(rec::counts(), Counts{n});
    for (int32_t i = 0; i < n; ++i) EXPECT_NEAR(r[i], c.ref(u[i], c.p, c.q) * 4.0 - 1.0, 1e-13) << c.p << " " << c.q;
    __orqDeleteStream(&s);
  }
}

TEST(Beta, BothBelowOneUsesJohnkWhereTheSwitchSaysSo) {
  // koef_k 0.25 + 0.5 + koef_c < 0: Johnk, whose first-pass values are known from the uniforms
  const int32_t n = 300;
  OrqStream s = rec::make(13);
  std::vector<double> r(n);
  ASSERT_EQ(_orqdRngBeta(0, s, n, r.data(), 0.5, 0.5, 0.0, 1.0), 0);
  EXPECT_EQ(rec::calls()[0].n, 2 * n);
  const std::vector<double> u = rec::uniforms(2 * n, 13);
  std::vector<double> ref;
  for (int32_t i = 0; i < n; ++i) {
    const double x = u[2 * i] * u[2 * i], y = u[2 * i + 1] * u[2 * i + 1];
    if (x + y > 0 && x + y <= 1.0) ref.push_back(x / (x + y));
  }
  for (size_t i = 0; i < ref.size(); ++i) EXPECT_NEAR(r[i], ref[i], 1e-13) << i;
  // 0.9, 0.9 is past the switch: the same uniforms give other values
  OrqStream t = rec::make(13);
  ASSERT_EQ(_orqdRngBeta(0, t, n, r.data(), 0.9, 0.9, 0.0, 1.0), 0);
  size_t same = 0;
  for (size_t i = 0; i < ref.size(); ++i) same += fabs(r[i] - ref[i]) < 1e-9;
  EXPECT_LT(same, ref.size() / 4);
  __orqDeleteStream(&s);
  __orqDeleteStream(&t);
}

TEST(Beta, LargerFirstShapeIsTheExchangedCaseReflected) {
  for (uint32_t seed : {1u, 2u}) {
    OrqStream s = rec::make(seed), t = rec::make(seed);
    std::vector<double> a(700), b(700);
    std::vector<float> fa(700), fb(700);
    ASSERT_EQ(_orqdRngBeta(0, s, 700, a.data(), 3.0, 0.5, 0.0, 1.0), 0);
    ASSERT_EQ(_orqdRngBeta(0, t, 700, b.data(), 0.5, 3.0, 0.0, 1.0), 0);
    ASSERT_EQ(_orqsRngBeta(0, s, 700, fa.data(), 3.0f, 0.5f, 0.0f, 1.0f), 0);
    ASSERT_EQ(_orqsRngBeta(0, t, 700, fb.data(), 0.5f, 3.0f, 0.0f, 1.0f), 0);
    for (int i = 0; i < 700; ++i) {
      EXPECT_EQ(a[i], 1.0 - b[i]) << i;
      EXPECT_EQ(fa[i], 1.0f - fb[i]) << i;
    }
    __orqDeleteStream(&s);
    __orqDeleteStream(&t);
  }
}

}  // namespace
