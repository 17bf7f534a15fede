// Continuous distributions: the uniforms each one draws (counts and bounds, seen by a recording
// generator), its values against the formula evaluated with libm on those uniforms, and the
// Box-Muller pair carried across calls, stream copies and stream files.
#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "recorder.h"

namespace {

using Counts = std::vector<int32_t>;
const double kTwoPi = 6.283185307179586;

double radius(double u1) { return sqrt(-2.0 * log(u1)); }
// relative closeness for double results of a few _50 kernels, and for float results
void near_d(double x, double ref, const char* what, int i) {
  EXPECT_NEAR(x, ref, 2e-14 * (fabs(ref) > 1 ? fabs(ref) : 1.0)) << what << " at " << i;
}
void near_s(float x, double ref, const char* what, int i) {
  EXPECT_NEAR(x, ref, 4e-6 * (fabs(ref) > 1 ? fabs(ref) : 1.0)) << what << " at " << i;
}

TEST(Gaussian, Method0DrawsTwoUniformsPerVariateAndKeepsNothing) {
  OrqStream s = rec::make();
  double r[3];
  EXPECT_EQ(_orqdRngGaussian(ORQ_GAUSSIAN_BOXMULLER, s, 3, r, 1.0, 2.0), 0);
  EXPECT_EQ(rec::counts(), Counts{6});
  EXPECT_EQ(__orqGetNumChunks(s), 0);
  std::vector<double> u = rec::uniforms(6);
  for (int i = 0; i < 3; ++i) near_d(r[i], radius(u[2 * i]) * sin(kTwoPi * u[2 * i + 1]) * 2.0 + 1.0, "m0", i);
  // blocks of 1024 variates: 2048 uniforms each
  std::vector<double> big(2500);
  rec::calls().clear();
  EXPECT_EQ(_orqdRngGaussian(ORQ_GAUSSIAN_BOXMULLER, s, 2500, big.data(), 0.0, 1.0), 0);
  EXPECT_EQ(rec::counts(), (Counts{2048, 2048, 904}));
  __orqDeleteStream(&s);
}

TEST(Gaussian, Method1ReturnsSinCosSinAndKeepsTheLastPair) {
  OrqStream s = rec::make();
  double r[3], last;
  EXPECT_EQ(_orqdRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, s, 3, r, 0.5, 3.0), 0);
  EXPECT_EQ(rec::counts(), (Counts{2, 2}));
  std::vector<double> u = rec::uniforms(4);
  near_d(r[0], radius(u[0]) * sin(kTwoPi * u[1]) * 3.0 + 0.5, "sin", 0);
  near_d(r[1], radius(u[0]) * cos(kTwoPi * u[1]) * 3.0 + 0.5, "cos", 1);
  near_d(r[2], radius(u[2]) * sin(kTwoPi * u[3]) * 3.0 + 0.5, "sin", 2);
  const double* pair = static_cast<const double*>(__orqSearchChunk(s, 2));
  ASSERT_NE(pair, nullptr);
  EXPECT_EQ(pair[0], u[2]);
  EXPECT_EQ(pair[1], u[3]);
  rec::calls().clear();
  EXPECT_EQ(_orqdRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, s, 1, &last, 0.0, 1.0), 0);
  EXPECT_TRUE(rec::calls().empty()) << "the pending cosine needs no uniforms";
  near_d(last, radius(u[2]) * cos(kTwoPi * u[3]), "pending cos", 3);
  EXPECT_EQ(pair[0], -1.0);
  EXPECT_EQ(pair[1], -1.0);
  __orqDeleteStream(&s);
}

TEST(Gaussian, Method1SplitRequestsEqualOneCall) {
  const int32_t total = 1024 + 512 + 1 + 2000;
  OrqStream one = rec::make();
  std::vector<double> whole(total);
  EXPECT_EQ(_orqdRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, one, 1024 + 512 + 1, whole.data(), 0.0, 1.0), 0);
  EXPECT_EQ(rec::counts(), (Counts{1024, 512, 2})) << "one block, 256 pairs, one odd-tail pair";
  EXPECT_EQ(_orqdRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, one, 2000, whole.data() + 1537, 0.0, 1.0), 0);
  OrqStream parts = rec::make();
  std::vector<double> split(total);
  const int32_t sizes[] = {1, 2, 3, 700, 1, 1030, 5, 1795};
  int32_t at = 0;
  for (int32_t k : sizes) {
    EXPECT_EQ(_orqdRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, parts, k, split.data() + at, 0.0, 1.0), 0);
    at += k;
  }
  ASSERT_EQ(at, total);
  for (int32_t i = 0; i < total; ++i) near_d(split[i], whole[i], "split", i);
  // the float twin keeps its pair under key 1
  OrqStream f1 = rec::make(), f2 = rec::make();
  std::vector<float> a(1025), b(1025);
  EXPECT_EQ(_orqsRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, f1, 1025, a.data(), 0.0f, 1.0f), 0);
  EXPECT_NE(__orqSearchChunk(f1, 1), nullptr);
  EXPECT_EQ(__orqSearchChunk(f1, 2), nullptr);
  EXPECT_EQ(_orqsRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, f2, 3, b.data(), 0.0f, 1.0f), 0);
  EXPECT_EQ(_orqsRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, f2, 1022, b.data() + 3, 0.0f, 1.0f), 0);
  for (int32_t i = 0; i < 1025; ++i) near_s(b[i], a[i], "float split", i);
  for (OrqStream* p : {&one, &parts, &f1, &f2}) __orqDeleteStream(p);
}

TEST(Gaussian, MethodOutsideTheTableDrawsNothing) {
  OrqStream s = rec::make();
  double r[2] = {7.0, 7.0};
  float f[2] = {7.0f, 7.0f};
  for (int32_t method : {-1, 2, 3, 0x7FFFFFFF}) {
    EXPECT_EQ(_orqdRngGaussian(method, s, 2, r, 0.0, 1.0), ORQ_STATUS_UNKNOWN_METHOD) << method;
    EXPECT_EQ(_orqsRngGaussian(method, s, 2, f, 0.0f, 1.0f), ORQ_STATUS_UNKNOWN_METHOD) << method;
  }
  EXPECT_TRUE(rec::calls().empty());
  EXPECT_EQ(r[0], 7.0);
  EXPECT_EQ(f[1], 7.0f);
  EXPECT_EQ(__orqGetNumChunks(s), 0);
  __orqDeleteStream(&s);
}

TEST(Lognormal, SharesThePendingPairWithTheGaussian) {
  OrqStream s = rec::make(), t = rec::make();
  double g[3], x[2], ref[5];
  EXPECT_EQ(_orqdRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, s, 3, g, 0.2, 0.7), 0);
  EXPECT_EQ(_orqdRngLognormal(0, s, 2, x, 0.2, 0.7, 1.0, 2.0), 0);
  EXPECT_EQ(_orqdRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, t, 5, ref, 0.2, 0.7), 0);
  near_d(x[0], exp(ref[3]) * 2.0 + 1.0, "lognormal takes the pending cosine", 0);
  near_d(x[1], exp(ref[4]) * 2.0 + 1.0, "lognormal", 1);
  double y;
  EXPECT_EQ(_orqdRngLognormal(7, s, 1, &y, 0.0, 1.0, 0.0, 1.0), 0) << "the method is not looked at";
  __orqDeleteStream(&s);
  __orqDeleteStream(&t);
}

TEST(Laplace, BlocksOfTwoUniformsPerVariateAndAnEmptyRemainder) {
  OrqStream s = rec::make();
  std::vector<double> r(2048);
  EXPECT_EQ(_orqdRngLaplace(0, s, 5, r.data(), 1.0, 0.5), 0);
  EXPECT_EQ(rec::counts(), Counts{10});
  std::vector<double> u = rec::uniforms(10);
  for (int i = 0; i < 5; ++i)
    near_d(r[i], (u[2 * i + 1] <= 0.5 ? -0.5 : 0.5) * log(u[2 * i]) + 1.0, "laplace", i);
  rec::calls().clear();
  EXPECT_EQ(_orqdRngLaplace(0, s, 2048, r.data(), 0.0, 1.0), 0);
  EXPECT_EQ(rec::counts(), (Counts{2048, 2048, 0}));
  rec::calls().clear();
  std::vector<float> f(1500);
  EXPECT_EQ(_orqsRngLaplace(0, s, 1500, f.data(), 0.0f, 1.0f), 0);
  EXPECT_EQ(rec::counts(), (Counts{2048, 952}));
  __orqDeleteStream(&s);
}

TEST(Cauchy, TheGeneratorSeesTheAnglesBounds) {
  OrqStream s = rec::make();
  double r[4];
  float f[4];
  EXPECT_EQ(_orqdRngCauchy(0, s, 4, r, 0.0, 1.0), 0);
  EXPECT_EQ(_orqsRngCauchy(0, s, 4, f, 0.0f, 1.0f), 0);
  ASSERT_EQ(rec::calls().size(), 2u);
  EXPECT_EQ(rec::calls()[0].kind, 'd');
  EXPECT_EQ(rec::calls()[0].a, -1.5707963267948966);
  EXPECT_EQ(rec::calls()[0].b, 1.5707963267948966);
  EXPECT_EQ(rec::calls()[1].kind, 's');
  EXPECT_EQ(rec::calls()[1].a, static_cast<double>(-1.5707963705062866f));
  EXPECT_EQ(rec::calls()[1].b, static_cast<double>(1.5707963705062866f));
  __orqDeleteStream(&s);
}

// One uniform per variate, in one draw; each value against its formula on that uniform.
struct OneUniform {
  const char* name;
  int32_t (*d)(OrqStream, int32_t, double*);
  int32_t (*s)(OrqStream, int32_t, float*);
  double (*ref)(double u);
};
const OneUniform kOneUniform[] = {
    {"exponential", [](OrqStream s, int32_t n, double* r) { return _orqdRngExponential(0, s, n, r, 1.5, 2.0); },
     [](OrqStream s, int32_t n, float* r) { return _orqsRngExponential(0, s, n, r, 1.5f, 2.0f); },
     [](double u) { return -2.0 * log(u) + 1.5; }},
    {"weibull", [](OrqStream s, int32_t n, double* r) { return _orqdRngWeibull(0, s, n, r, 0.7, -1.0, 3.0); },
     [](OrqStream s, int32_t n, float* r) { return _orqsRngWeibull(0, s, n, r, 0.7f, -1.0f, 3.0f); },
     [](double u) { return pow(-log(u), 1.0 / 0.7) * 3.0 - 1.0; }},
    {"rayleigh", [](OrqStream s, int32_t n, double* r) { return _orqdRngRayleigh(0, s, n, r, 0.25, 4.0); },
     [](OrqStream s, int32_t n, float* r) { return _orqsRngRayleigh(0, s, n, r, 0.25f, 4.0f); },
     [](double u) { return sqrt(-log(u)) * 4.0 + 0.25; }},
    {"gumbel", [](OrqStream s, int32_t n, double* r) { return _orqdRngGumbel(0, s, n, r, 2.0, 0.5); },
     [](OrqStream s, int32_t n, float* r) { return _orqsRngGumbel(0, s, n, r, 2.0f, 0.5f); },
     [](double u) { return log(-log(u)) * 0.5 + 2.0; }},
    {"cauchy", [](OrqStream s, int32_t n, double* r) { return _orqdRngCauchy(0, s, n, r, -3.0, 0.5); },
     [](OrqStream s, int32_t n, float* r) { return _orqsRngCauchy(0, s, n, r, -3.0f, 0.5f); },
     [](double u) { return tan(-1.5707963267948966 + 3.141592653589793 * u) * 0.5 - 3.0; }},
};

TEST(Transforms, OneUniformPerVariate) {
  const int32_t n = 37;
  std::vector<double> u = rec::uniforms(n);
  for (const OneUniform& c : kOneUniform) {
    OrqStream s = rec::make();
    std::vector<double> r(n);
    EXPECT_EQ(c.d(s, n, r.data()), 0) << c.name;
    EXPECT_EQ(rec::counts(), Counts{n}) << c.name;
    for (int32_t i = 0; i < n; ++i) {
      // Cauchy's angles come from the generator already scaled; near +-pi/2 the tangent
      // magnifies the rounding of that scaling, so compare relative to the derivative there
      const double ref = c.ref(u[i]);
      EXPECT_NEAR(r[i], ref, 1e-12 * (1.0 + ref * ref)) << c.name << " at " << i;
    }
    __orqDeleteStream(&s);
    s = rec::make();
    std::vector<float> f(n);
    EXPECT_EQ(c.s(s, n, f.data()), 0) << c.name;
    EXPECT_EQ(rec::counts(), Counts{n}) << c.name;
    for (int32_t i = 0; i < n; ++i) {
      const double uf = static_cast<float>(u[i]);
      const double ref = c.ref(uf);
      EXPECT_NEAR(f[i], ref, 2e-5 * (1.0 + ref * ref)) << c.name << " float at " << i;
    }
    __orqDeleteStream(&s);
  }
}

TEST(Gaussian, PendingPairSurvivesCopyAndStreamFile) {
  OrqStream s = nullptr;
  const uint32_t seed = 2024;
  ASSERT_EQ(__orqNewStreamEx(&s, ORQ_BRNG_MT19937, 1, &seed), 0);
  double head[5];
  float fhead[3];
  EXPECT_EQ(_orqdRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, s, 5, head, 0.0, 1.0), 0);
  EXPECT_EQ(_orqsRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, s, 3, fhead, 0.0f, 1.0f), 0);
  OrqStream copy = nullptr, loaded = nullptr;
  ASSERT_EQ(__orqCopyStream(&copy, s), 0);
  const std::string path = "/tmp/zaforq_dist_pair_" + std::to_string(getpid()) + ".bin";
  ASSERT_EQ(__orqSaveStreamF(s, path.c_str(), -1), 0);
  ASSERT_EQ(__orqLoadStreamF(&loaded, path.c_str()), 0);
  remove(path.c_str());
  double a[3], b[3], c[3];
  float fa[2], fb[2], fc[2];
  for (auto [st, x, y] : {std::tuple{s, a, fa}, std::tuple{copy, b, fb}, std::tuple{loaded, c, fc}}) {
    EXPECT_EQ(_orqdRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, st, 3, x, 0.0, 1.0), 0);
    EXPECT_EQ(_orqsRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, st, 2, y, 0.0f, 1.0f), 0);
  }
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(a[i], b[i]) << i;
    EXPECT_EQ(a[i], c[i]) << i;
  }
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(fa[i], fb[i]) << i;
    EXPECT_EQ(fa[i], fc[i]) << i;
  }
  for (OrqStream* p : {&s, &copy, &loaded}) __orqDeleteStream(p);
}

}  // namespace
