// MRG32k3a against a plain 64-bit recurrence written from the definition, skip-ahead against
// discarding and against a matrix power computed here, seeds and refusals. Copies, state copies
// and files are checked with the other generators in orq_streams.
#include <fenv.h>
#include <string.h>

#include "stream.h"

namespace {

constexpr uint64_t m1 = 4294967087ull, m2 = 4294944443ull;

// x1(n) = (1403580 x1(n-2) - 810728 x1(n-3)) mod m1, x2(n) = (527612 x2(n-1) - 1370589 x2(n-3))
// mod m2, z = (x1 - x2) mod m1, with signed 64-bit remainders.
struct Ref {
  int64_t s1[3], s2[3];
  explicit Ref(const uint32_t* w) {
    for (int i = 0; i < 3; ++i) s1[i] = w[i], s2[i] = w[3 + i];
  }
  static int64_t mod(int64_t p, uint64_t m) {
    p %= static_cast<int64_t>(m);
    return p < 0 ? p + static_cast<int64_t>(m) : p;
  }
  uint32_t next() {
    const int64_t x = mod(1403580 * s1[1] - 810728 * s1[0], m1);
    const int64_t y = mod(527612 * s2[2] - 1370589 * s2[0], m2);
    s1[0] = s1[1], s1[1] = s1[2], s1[2] = x;
    s2[0] = s2[1], s2[1] = s2[2], s2[2] = y;
    return static_cast<uint32_t>(mod(x - y, m1));
  }
  std::vector<uint32_t> take(size_t n) {
    std::vector<uint32_t> r(n);
    for (auto& v : r) v = next();
    return r;
  }
};

// ---- a 3x3 matrix power, left-to-right (the library powers right-to-left) -------------------
using Mat = uint64_t[3][3];
void mat_mul(const Mat a, const Mat b, Mat r, uint64_t m) {
  Mat t;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      uint64_t s = 0;
      for (int k = 0; k < 3; ++k) s = (s + a[i][k] * b[k][j] % m) % m;
      t[i][j] = s;
    }
  memcpy(r, t, sizeof t);
}
void advance(int64_t* s, uint64_t c1, uint64_t c2, uint64_t c3, uint64_t m, uint32_t e) {
  const Mat K = {{0, 1, 0}, {0, 0, 1}, {c3, c2, c1}};  // x(n) = c1 x(n-1) + c2 x(n-2) + c3 x(n-3)
  Mat P = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  for (int bit = 31; bit >= 0; --bit) {
    mat_mul(P, P, P, m);
    if (e >> bit & 1) mat_mul(P, K, P, m);
  }
  uint64_t v[3];
  for (int i = 0; i < 3; ++i) v[i] = (P[i][0] * s[0] % m + P[i][1] * s[1] % m + P[i][2] * s[2] % m) % m;
  for (int i = 0; i < 3; ++i) s[i] = static_cast<int64_t>(v[i]);
}

const uint32_t kSeed[6] = {12345, 67890, 4294967000u, 3, 4294944000u, 99};
std::vector<uint32_t> seed_vec() { return std::vector<uint32_t>(kSeed, kSeed + 6); }

// lengths around the serial/lane switch (64) and the 16-lane split with tails 0..15
const int32_t kLengths[] = {1, 15, 63, 64, 65, 79, 1000, 2063, 4096 + 15, 100003};

TEST(Mrg32k3a, IntegerOutputEqualsTheRecurrence) {
  for (int32_t n : kLengths) {
    Stream g(ORQ_BRNG_MRG32K3A, seed_vec());
    ASSERT_EQ(g.status, 0);
    Ref r(kSeed);
    ASSERT_EQ(g.ints(n), r.take(n)) << "n " << n;
    // the state after the call continues the sequence, through both paths again
    ASSERT_EQ(g.ints(3000), r.take(3000)) << "after n " << n;
    ASSERT_EQ(g.ints(5), r.take(5)) << "after n " << n;
  }
}

TEST(Mrg32k3a, ExtremeStatesReduceExactly) {
  // words at m - 1 and 0 drive the step sums to both ends of their range
  const uint32_t seeds[][6] = {{4294967086u, 4294967086u, 0, 4294944442u, 0, 4294944442u},
                               {0, 0, 4294967086u, 0, 4294944442u, 0},
                               {4294967086u, 1, 4294967086u, 4294944442u, 4294944442u, 4294944442u}};
  for (auto& s : seeds) {
    Stream g(ORQ_BRNG_MRG32K3A, std::vector<uint32_t>(s, s + 6));
    Ref r(s);
    ASSERT_EQ(g.ints(40000), r.take(40000));
  }
}

TEST(Mrg32k3a, DoubleAndFloatScaleTheWords) {
  const double a = -3.0, b = 7.5;
  for (int32_t n : {5, 64, 5000}) {
    Stream gi(ORQ_BRNG_MRG32K3A, seed_vec()), gd(ORQ_BRNG_MRG32K3A, seed_vec()), gs(ORQ_BRNG_MRG32K3A, seed_vec());
    std::vector<uint32_t> w = gi.ints(n);
    std::vector<double> d = gd.doubles(n, a, b);
    std::vector<float> f = gs.floats(n, static_cast<float>(a), static_cast<float>(b));
    const double c = (b - a) * (1.0 / 4294967087.0);
    for (int32_t i = 0; i < n; ++i) {
      const double e = static_cast<double>(w[i]) * c + a;
      ASSERT_EQ(d[i], e) << i;
      ASSERT_EQ(f[i], static_cast<float>(e)) << i;
    }
    // all three advance the same sequence
    const std::vector<uint32_t> next = gi.ints(1);
    EXPECT_EQ(gd.ints(1), next);
    EXPECT_EQ(gs.ints(1), next);
  }
  Stream unit(ORQ_BRNG_MRG32K3A, {1u, 1u, 1u, 1u, 1u, 1u});  // z can be 0 and stays below 1
  for (double u : unit.doubles(5000)) {
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
  }
}

TEST(Mrg32k3a, ExactUnderTheCallersRoundingMode) {
  // the quotient estimates assume rounding to nearest; the entries set it for themselves
  Stream g(ORQ_BRNG_MRG32K3A, seed_vec());
  Ref r(kSeed);
  const std::vector<uint32_t> expect = r.take(6000);
  for (int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    Stream h(ORQ_BRNG_MRG32K3A, seed_vec());
    fesetround(mode);
    std::vector<uint32_t> got = h.ints(6000);
    const int after = fegetround();
    fesetround(FE_TONEAREST);
    EXPECT_EQ(after, mode) << "the caller's rounding mode comes back";
    EXPECT_EQ(got, expect) << "mode " << mode;
  }
}

TEST(Mrg32k3a, Seeds) {
  const uint32_t ones[6] = {1, 1, 1, 1, 1, 1};
  Stream none(ORQ_BRNG_MRG32K3A, 0, nullptr);
  EXPECT_EQ(none.ints(50), Ref(ones).take(50)) << "n = 0: six ones";
  const uint32_t eight[8] = {11, 12, 13, 14, 15, 16, 17, 18};
  Stream more(ORQ_BRNG_MRG32K3A, 8, eight);
  EXPECT_EQ(more.ints(50), Ref(eight).take(50)) << "n = 8: the first six";
  const uint32_t two[6] = {7, 8, 1, 1, 1, 1};
  Stream twos(ORQ_BRNG_MRG32K3A, {7u, 8u});
  EXPECT_EQ(twos.ints(50), Ref(two).take(50)) << "n = 2: the rest are ones";
  // component 1 (4294967087, 0, 0) reduces to zeros, then its oldest word becomes 1
  Stream zero1(ORQ_BRNG_MRG32K3A, {4294967087u, 0u, 0u, 5u, 0u, 0u});
  const uint32_t v1[6] = {1, 0, 0, 5, 0, 0};
  EXPECT_EQ(zero1.ints(50), Ref(v1).take(50));
  Stream zero2(ORQ_BRNG_MRG32K3A, {4294967295u, 9u, 4294967087u, 0u, 4294944443u, 0u});
  const uint32_t v2[6] = {208, 9, 0, 1, 0, 0};
  EXPECT_EQ(zero2.ints(50), Ref(v2).take(50));
  Stream big2(ORQ_BRNG_MRG32K3A, {0u, 0u, 0u, 4294944443u, 4294944444u, 4294967295u});
  const uint32_t v3[6] = {1, 0, 0, 0, 1, 22852};
  EXPECT_EQ(big2.ints(50), Ref(v3).take(50));
}

TEST(Mrg32k3a, SkipAheadEqualsDiscarding) {
  Ref r(kSeed);
  const std::vector<uint32_t> x = r.take(12000);
  for (int32_t k : {0, 1, 2, 3, 1000, 9999}) {
    Stream g(ORQ_BRNG_MRG32K3A, seed_vec());
    ASSERT_EQ(__orqSkipAheadStream(g.s, k), 0);
    std::vector<uint32_t> y = g.ints(100);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(y[i], x[k + i]) << "skip " << k;
  }
  // by 2^31 - 1, through a matrix power computed here
  Stream g(ORQ_BRNG_MRG32K3A, seed_vec());
  ASSERT_EQ(__orqSkipAheadStream(g.s, 2147483647), 0);
  Ref far(kSeed);
  advance(far.s1, 0, 1403580, m1 - 810728, m1, 2147483647u);
  advance(far.s2, 527612, 0, m2 - 1370589, m2, 2147483647u);
  EXPECT_EQ(g.ints(3000), far.take(3000));
  // the test's matrix power agrees with stepping
  Ref step(kSeed), jump(kSeed);
  step.take(777);
  advance(jump.s1, 0, 1403580, m1 - 810728, m1, 777);
  advance(jump.s2, 527612, 0, m2 - 1370589, m2, 777);
  EXPECT_EQ(step.take(10), jump.take(10));
  // skip-ahead twice adds up
  Stream twice(ORQ_BRNG_MRG32K3A, seed_vec());
  ASSERT_EQ(__orqSkipAheadStream(twice.s, 1073741824), 0);
  ASSERT_EQ(__orqSkipAheadStream(twice.s, 1073741823), 0);
  Stream once(ORQ_BRNG_MRG32K3A, seed_vec());
  ASSERT_EQ(__orqSkipAheadStream(once.s, 2147483647), 0);
  EXPECT_EQ(twice.ints(20), once.ints(20));
}

TEST(Mrg32k3a, Vect3PowModStepsTheCompanionMatrix) {
  const uint32_t c1[3] = {0, 1403580, 4294156359u};
  uint32_t v[3] = {kSeed[0], kSeed[1], kSeed[2]};
  Ref r(kSeed);
  __orqiVect3PowMod(v, c1, 4294967087u, 5);
  r.take(5);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(static_cast<int64_t>(v[i]), r.s1[i]) << i;
  uint32_t u[3] = {4, 5, 6};
  __orqiVect3PowMod(u, c1, 4294967087u, 0);
  __orqiVect3PowMod(u, c1, 4294967087u, -7);
  EXPECT_TRUE(u[0] == 4 && u[1] == 5 && u[2] == 6) << "exponents 0 and negative leave v as it is";
}

TEST(Mrg32k3a, RefusalsLeaveTheStreamAlone) {
  Stream g(ORQ_BRNG_MRG32K3A, seed_vec());
  EXPECT_EQ(__orqLeapfrogStream(g.s, 0, 2), ORQ_STATUS_NO_LEAPFROG);
  EXPECT_EQ(__orqLeapfrogStream(g.s, 1, 1), ORQ_STATUS_NO_LEAPFROG);
  EXPECT_EQ(__orqSkipAheadStream(g.s, -1), ORQ_STATUS_NO_SKIPAHEAD);
  EXPECT_EQ(__orqBRngMRG32K3AInitStream(3, g.s, 0, nullptr), ORQ_STATUS_UNKNOWN_METHOD);
  EXPECT_EQ(__orqBRngMRG32K3AInitStream(-1, g.s, 0, nullptr), ORQ_STATUS_UNKNOWN_METHOD);
  Ref r(kSeed);
  EXPECT_EQ(g.ints(100), r.take(100));
  // legacy id 2 is the same generator
  Stream legacy(2, seed_vec());
  Ref l(kSeed);
  EXPECT_EQ(legacy.ints(100), l.take(100));
}

}  // namespace
