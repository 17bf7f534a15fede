// Binomial, negative binomial, hypergeometric and Poisson: the method each parameter set selects
// (the precision of the uniforms it draws), the degenerate parameters, the set-up cache, the
// search past the end of a table, and the Poisson method table.
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>

#include <vector>

#include "../orq_distributions/recorder.h"

namespace {

// A generator whose every uniform is the largest double below 1 (floats: below 1 as well), so
// inversion searches run past the end of their tables.
int32_t top_init(int32_t, OrqStream, int32_t, const uint32_t*) { return 0; }
int32_t top_d(OrqStream, int32_t n, double* r, double a, double b) {
  for (int32_t i = 0; i < n; ++i) r[i] = a + (b - a) * 0x1.fffffffffffffp-1;
  return 0;
}
int32_t top_s(OrqStream, int32_t n, float* r, float a, float b) {
  for (int32_t i = 0; i < n; ++i) r[i] = a + (b - a) * 0x1.fffffep-1f;
  return 0;
}
int32_t top_i(OrqStream, int32_t n, void* r) {
  memset(r, 0xFF, 4 * static_cast<size_t>(n));
  return 0;
}
OrqStream top_stream() {
  static int32_t id = [] {
    BrngRow row = {24, 1, 0, 4, 32, top_init, top_s, top_d, top_i};
    return __orqRegisterBrng(&row);
  }();
  OrqStream s = nullptr;
  __orqNewStreamEx(&s, id, 0, nullptr);
  return s;
}

// What precision the first draw of a call used: 'd' for inversion, 's' for the rejection methods.
struct Switch {
  const char* what;
  int32_t (*call)(OrqStream, int32_t, int32_t*);
  char kind;
};
const Switch kSwitches[] = {
    {"binomial 100 0.3", [](OrqStream s, int32_t n, int32_t* r) { return _orqiRngBinomial(0, s, n, r, 100, 0.3); }, 's'},
    {"binomial 100 0.29", [](OrqStream s, int32_t n, int32_t* r) { return _orqiRngBinomial(0, s, n, r, 100, 0.29); }, 'd'},
    {"binomial 100 0.7", [](OrqStream s, int32_t n, int32_t* r) { return _orqiRngBinomial(0, s, n, r, 100, 0.7); }, 's'},
    {"binomial 60 0.5", [](OrqStream s, int32_t n, int32_t* r) { return _orqiRngBinomial(0, s, n, r, 60, 0.5); }, 's'},
    {"negbinomial mode 99.99", [](OrqStream s, int32_t n, int32_t* r) { return _orqiRngNegbinomial(0, s, n, r, 100.99, 0.5); }, 'd'},
    {"negbinomial mode 100", [](OrqStream s, int32_t n, int32_t* r) { return _orqiRngNegbinomial(0, s, n, r, 101.0, 0.5); }, 's'},
    {"hypergeometric mode 39", [](OrqStream s, int32_t n, int32_t* r) { return _orqiRngHypergeometric(0, s, n, r, 1000, 195, 200); }, 'd'},
    {"hypergeometric mode 40", [](OrqStream s, int32_t n, int32_t* r) { return _orqiRngHypergeometric(0, s, n, r, 1000, 200, 200); }, 's'},
    {"poisson 26.9", [](OrqStream s, int32_t n, int32_t* r) { return _orqiRngPoisson(0, s, n, r, 26.9); }, 'd'},
    {"poisson 27", [](OrqStream s, int32_t n, int32_t* r) { return _orqiRngPoisson(0, s, n, r, 27.0); }, 's'},
};

TEST(Discrete, ParametersSelectTheMethod) {
  for (const Switch& c : kSwitches) {
    OrqStream s = rec::make();
    int32_t r[50];
    ASSERT_EQ(c.call(s, 50, r), 0) << c.what;
    ASSERT_FALSE(rec::calls().empty()) << c.what;
    EXPECT_EQ(rec::calls()[0].kind, c.kind) << c.what;
    __orqDeleteStream(&s);
  }
}

TEST(Binomial, ReflectionAndDegenerateParameters) {
  // p = 0.7 runs BTPE on the same float set-up as p = 0.3 and reflects each result
  OrqStream s = rec::make(4), t = rec::make(4);
  std::vector<int32_t> a(3000), b(3000);
  ASSERT_EQ(_orqiRngBinomial(0, s, 3000, a.data(), 100, 0.7), 0);
  ASSERT_EQ(_orqiRngBinomial(0, t, 3000, b.data(), 100, 0.3), 0);
  for (int i = 0; i < 3000; ++i) ASSERT_EQ(a[i], 100 - b[i]) << i;
  struct Case {
    int32_t ntrial;
    double p;
    int32_t want;
  };
  for (const Case& c : {Case{10, 0.0, 0}, Case{10, 1.0, 10}, Case{0, 0.5, 0}, Case{0, 0.0, 0}, Case{1000000, 0.0, 0},
                        Case{1000000, 1.0, 1000000}}) {
    std::vector<int32_t> r(3000, -7);
    ASSERT_EQ(_orqiRngBinomial(0, s, 3000, r.data(), c.ntrial, c.p), 0);
    for (int32_t x : r) ASSERT_EQ(x, c.want) << c.ntrial << " " << c.p;
  }
  __orqDeleteStream(&s);
  __orqDeleteStream(&t);
}

TEST(Binomial, SetUpIsKeptWhileTheParametersStay) {
  OrqStream s = rec::make();
  int32_t r[8];
  ASSERT_EQ(_orqiRngBinomial(0, s, 0, r, 100, 0.3), 0);
  EXPECT_TRUE(rec::calls().empty()) << "n = 0 draws nothing";
  double* chunk = static_cast<double*>(__orqSearchChunk(s, 5));
  ASSERT_NE(chunk, nullptr) << "but makes the chunk and the set-up";
  EXPECT_EQ(chunk[0], 100.0);
  EXPECT_EQ(chunk[1], static_cast<double>(0.3f));
  float* fields = reinterpret_cast<float*>(chunk + 2);
  const float p1 = fields[3];  // offset 28
  EXPECT_EQ(p1, floorf(2.195f * sqrtf(fields[0]) - 4.6f * 0.7f) + 0.5f);
  fields[3] = -123.0f;  // a mark the set-up would overwrite
  ASSERT_EQ(_orqiRngBinomial(0, s, 8, r, 100, 0.3), 0);
  EXPECT_EQ(fields[3], -123.0f) << "same parameters: no new set-up";
  ASSERT_EQ(_orqiRngBinomial(0, s, 0, r, 100, nextafter(0.3, 1.0)), 0);
  EXPECT_EQ(fields[3], -123.0f) << "p equal in float: the BTPE set-up is shared";
  ASSERT_EQ(_orqiRngBinomial(0, s, 0, r, 101, 0.3), 0);
  EXPECT_EQ(fields[3], p1) << "ntrial changed: set up again";
  // inversion keys on the exact double p
  ASSERT_EQ(_orqiRngBinomial(0, s, 0, r, 50, 0.2), 0);
  EXPECT_EQ(chunk[1], 0.2);
  const double f0 = chunk[4];
  EXPECT_NEAR(f0, pow(1.0 - 0.2, 50), 1e-13 * f0);
  chunk[4] = -1.0;
  ASSERT_EQ(_orqiRngBinomial(0, s, 0, r, 50, 0.2), 0);
  EXPECT_EQ(chunk[4], -1.0);
  ASSERT_EQ(_orqiRngBinomial(0, s, 0, r, 50, nextafter(0.2, 1.0)), 0);
  EXPECT_NEAR(chunk[4], f0, 1e-13 * f0) << "inversion rebuilds for a change in the last bit";
  __orqDeleteStream(&s);
}

TEST(Discrete, InversionPastTheTableTerminates) {
  OrqStream s = top_stream();
  int32_t r[3];
  ASSERT_EQ(_orqiRngBinomial(0, s, 3, r, 40, 0.5 / 40), 0);
  for (int32_t x : r) EXPECT_TRUE(x >= 8 && x <= 40) << x;
  ASSERT_EQ(_orqiRngBinomial(0, s, 3, r, 5, 0.3), 0);
  for (int32_t x : r) EXPECT_EQ(x, 5) << "u beyond the sum: the largest possible count";
  ASSERT_EQ(_orqiRngPoisson(0, s, 3, r, 3.0), 0);
  for (int32_t x : r) EXPECT_TRUE(x >= 19 && x < 60) << x;
  ASSERT_EQ(_orqiRngNegbinomial(0, s, 3, r, 0.5, 0.5), 0);
  for (int32_t x : r) EXPECT_TRUE(x >= 30 && x < 200) << x;
  ASSERT_EQ(_orqiRngHypergeometric(0, s, 3, r, 100, 10, 20), 0);
  for (int32_t x : r) EXPECT_TRUE(x >= 7 && x <= 10) << x;
  __orqDeleteStream(&s);
}

TEST(Negbinomial, ShapeOneTablesTheGeometric) {
  OrqStream s = rec::make();
  int32_t r[4];
  ASSERT_EQ(_orqiRngNegbinomial(0, s, 4, r, 1.0, 0.25), 0);
  const double* c = static_cast<const double*>(__orqSearchChunk(s, 4));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c[0], 0.0) << "the key fields are never written";
  EXPECT_EQ(c[1], 0.0);
  EXPECT_DOUBLE_EQ(c[2], 0.25);
  for (int k = 1; k < 64; ++k) EXPECT_NEAR(c[2 + k] - c[1 + k], 0.25 * pow(0.75, k), 1e-15) << k;
  // mode 99.99: the table runs to L = 163 entries
  ASSERT_EQ(_orqiRngNegbinomial(0, s, 4, r, 100.99, 0.5), 0);
  EXPECT_GT(c[2 + 162], c[2 + 161]);
  EXPECT_LE(c[2 + 162], 1.0);
  __orqDeleteStream(&s);
}

TEST(Hypergeometric, DegenerateLotsAndTheCachedMode) {
  OrqStream s = rec::make();
  struct Case {
    int32_t l, smp, m, want;
  };
  for (const Case& c : {Case{50, 10, 0, 0}, Case{50, 0, 10, 0}, Case{50, 10, 50, 10}, Case{50, 50, 7, 7},
                        Case{0, 0, 0, 0}}) {
    int32_t r[5] = {-1, -1, -1, -1, -1};
    ASSERT_EQ(_orqiRngHypergeometric(0, s, 5, r, c.l, c.smp, c.m), 0);
    for (int32_t x : r) EXPECT_EQ(x, c.want) << c.l << " " << c.smp << " " << c.m;
  }
  EXPECT_TRUE(rec::calls().empty()) << "a single possible value needs no uniforms";
  int32_t r[5];
  ASSERT_EQ(_orqiRngHypergeometric(0, s, 5, r, 1000, 500, 300), 0);
  const char* c = static_cast<const char*>(__orqSearchChunk(s, 6));
  const double* key = reinterpret_cast<const double*>(c);
  EXPECT_EQ(key[0], 1000.0);
  EXPECT_EQ(key[1], 300.0);
  EXPECT_EQ(key[2], 500.0);
  int32_t mode;
  memcpy(&mode, c + 600, 4);
  EXPECT_EQ(mode, 150) << "floor(501 * 301 / 1002)";
  __orqDeleteStream(&s);
}

// The approximation draws exactly n values: n floats on [0, e^lambda) below a mean of 1, n
// Gaussians (pairs of float uniforms, the odd one kept) from 1 on; it keeps no set-up.
TEST(Poisson, ApproximationDrawsOneValuePerVariate) {
  struct Case {
    double lambda;
    int32_t lo, hi;
  };
  for (const Case& c : {Case{0.999, 0, 11}, Case{1e-6, 0, 1}, Case{1.0, 0, 20}, Case{99.9, 40, 170}, Case{100.0, 40, 170}}) {
    OrqStream s = rec::make();
    std::vector<int32_t> r(5001);
    ASSERT_EQ(_orqiRngPoisson(1, s, 5001, r.data(), c.lambda), 0);
    int32_t drawn = 0;
    for (const rec::Call& k : rec::calls()) {
      EXPECT_EQ(k.kind, 's') << c.lambda;
      drawn += k.n;
    }
    EXPECT_EQ(drawn, c.lambda < 1 ? 5001 : 5002) << c.lambda;
    if (c.lambda < 1) EXPECT_FLOAT_EQ(static_cast<float>(rec::calls()[0].b), static_cast<float>(exp(c.lambda)));
    for (int32_t x : r) ASSERT_TRUE(x >= c.lo && x <= c.hi) << c.lambda << ": " << x;
    EXPECT_EQ(__orqSearchChunk(s, 3), nullptr);
    __orqDeleteStream(&s);
  }
}

// One Gaussian per element whatever the means; means on each side of 1/16 in one call.
TEST(PoissonV, OneGaussianPerElement) {
  OrqStream s = rec::make();
  std::vector<double> lambda(4097);
  for (size_t i = 0; i < lambda.size(); ++i) lambda[i] = i % 3 == 0 ? 0.0 : i % 3 == 1 ? 0.0624 : 0.0625;
  std::vector<int32_t> r(lambda.size());
  ASSERT_EQ(_orqiRngPoissonV(0, s, 4097, r.data(), lambda.data()), 0);
  int32_t drawn = 0;
  for (const rec::Call& k : rec::calls()) drawn += k.n;
  EXPECT_EQ(drawn, 4098) << "4097 Gaussians from pairs of uniforms";
  for (size_t i = 0; i < r.size(); ++i) {
    if (i % 3 == 0) ASSERT_EQ(r[i], 0) << i;
    ASSERT_TRUE(r[i] >= 0 && r[i] <= 11) << i;
  }
  rec::calls().clear();
  EXPECT_EQ(_orqiRngPoissonV(0, s, 0, r.data(), lambda.data()), 0);
  EXPECT_TRUE(rec::calls().empty());
  __orqDeleteStream(&s);
}

TEST(Poisson, MethodTableAndTinyMeans) {
  OrqStream s = rec::make();
  int32_t r[4] = {-9, -9, -9, -9};
  for (int32_t method : {2, -1}) EXPECT_EQ(_orqiRngPoisson(method, s, 4, r, 5.0), ORQ_STATUS_UNKNOWN_METHOD);
  EXPECT_TRUE(rec::calls().empty());
  EXPECT_EQ(__orqGetNumChunks(s), 0);
  EXPECT_EQ(r[0], -9);
  std::vector<int32_t> big(5000);
  ASSERT_EQ(_orqiRngPoisson(0, s, 5000, big.data(), 1e-12), 0);
  for (int32_t x : big) ASSERT_EQ(x, 0);
  EXPECT_EQ(rec::counts(), (std::vector<int32_t>{2024, 2024, 952})) << "blocks of 2024 doubles";
  // 30.5 is a float: the set-up stays; 30.1 is not: it is rebuilt on every call
  ASSERT_EQ(_orqiRngPoisson(0, s, 4, r, 30.5), 0);
  float* f = static_cast<float*>(__orqSearchChunk(s, 3));
  EXPECT_EQ(f[0], 30.5f);
  f[5] = -5.0f;  // p1, offset 20
  ASSERT_EQ(_orqiRngPoisson(0, s, 0, r, 30.5), 0);
  EXPECT_EQ(f[5], -5.0f);
  ASSERT_EQ(_orqiRngPoisson(0, s, 0, r, 30.1), 0);
  EXPECT_EQ(f[5], floorf(2.195f * sqrtf(30.0f) - 2.2f) + 0.5f);
  f[5] = -5.0f;
  ASSERT_EQ(_orqiRngPoisson(0, s, 0, r, 30.1), 0);
  EXPECT_NE(f[5], -5.0f);
  __orqDeleteStream(&s);
}

}  // namespace
