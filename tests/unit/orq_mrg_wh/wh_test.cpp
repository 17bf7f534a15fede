// Wichmann-Hill against a plain implementation written from the definition (64-bit remainders,
// libm floor), for the listed sets and sampled others; seeds, leapfrog, skip-ahead, copies and
// files.
#include <fenv.h>
#include <math.h>
#include <stdio.h>

#include <string>

#include "stream.h"

namespace {

struct Set {
  int32_t s;
  uint32_t M[4];
  uint32_t a[4];
};
const Set kListed[] = {{0, {16770647, 16770643, 16770623, 16770617}, {125, 117, 127, 126}},
                       {1, {16770311, 16770283, 16770263, 16770209}, {127, 126, 125, 123}},
                       {2, {16769807, 16769771, 16769749, 16769663}, {125, 119, 123, 126}},
                       {272, {16766363, 16766359, 16766327, 16766231}, {126, 127, 125, 124}}};

struct Ref {
  uint64_t M[4], a[4], x[4];
  Ref(const uint32_t* m, const uint32_t* mult, std::vector<uint32_t> seed) {
    for (int i = 0; i < 4; ++i) {
      M[i] = m[i];
      a[i] = mult[i];
      x[i] = i < static_cast<int>(seed.size()) ? seed[i] % M[i] : 1;
      if (x[i] == 0) x[i] = 1;
    }
  }
  static Ref of_set(int32_t s, std::vector<uint32_t> seed) {
    uint32_t a[4];
    for (int i = 0; i < 4; ++i) a[i] = _orq_WH_A[4 * s + i];
    return Ref(_orq_WH_M + 4 * s, a, seed);
  }
  void step() {
    for (int i = 0; i < 4; ++i) x[i] = x[i] * a[i] % M[i];
  }
  std::vector<uint32_t> words(int n) {
    std::vector<uint32_t> r;
    for (int k = 0; k < n; ++k, step())
      for (int i = 0; i < 4; ++i) r.push_back(static_cast<uint32_t>(x[i]));
    return r;
  }
  double unit() {
    volatile double s = ((x[0] * (1.0 / M[0]) + x[1] * (1.0 / M[1])) + x[2] * (1.0 / M[2])) + x[3] * (1.0 / M[3]);
    step();
    return s - floor(s);
  }
};

const std::vector<uint32_t> kSeed = {16000001u, 12345u, 777u, 4000000000u};

TEST(WichmannHill, ListedSetsAgainstThePlainGenerator) {
  for (const Set& set : kListed) {
    for (int i = 0; i < 4; ++i) {
      ASSERT_EQ(_orq_WH_M[4 * set.s + i], set.M[i]) << "set " << set.s;
      ASSERT_EQ(_orq_WH_A[4 * set.s + i], set.a[i]) << "set " << set.s;
      ASSERT_EQ(_orqdWH_IM_Tab[4 * set.s + i], 1.0 / set.M[i]) << "set " << set.s;
    }
    Stream g(ORQ_BRNG_WH + set.s, kSeed);
    ASSERT_EQ(g.status, 0);
    Ref r(set.M, set.a, kSeed);
    ASSERT_EQ(g.ints(10001, 4), r.words(10001)) << "set " << set.s;
    Stream d(ORQ_BRNG_WH + set.s, kSeed), f(ORQ_BRNG_WH + set.s, kSeed);
    Ref rd(set.M, set.a, kSeed);
    const double a = -2.0, b = 5.0;
    std::vector<double> got = d.doubles(3001, a, b);
    std::vector<float> gotf = f.floats(3001, static_cast<float>(a), static_cast<float>(b));
    for (int i = 0; i < 3001; ++i) {
      const double u = rd.unit();
      ASSERT_LT(u, 1.0);
      ASSERT_EQ(got[i], u * (b - a) + a) << "set " << set.s << " element " << i;
      ASSERT_EQ(gotf[i], static_cast<float>(u * (b - a) + a)) << "set " << set.s << " element " << i;
    }
  }
}

TEST(WichmannHill, EverySampledSetFollowsItsTableRow) {
  for (int32_t s = 0; s < 273; s += 17) {
    Stream g(ORQ_BRNG_WH + s, kSeed);
    EXPECT_EQ(g.ints(999, 4), Ref::of_set(s, kSeed).words(999)) << "set " << s;
  }
  // a current id and its legacy id (set + 4) are the same stream
  Stream cur(ORQ_BRNG_WH + 5, kSeed), legacy(9, kSeed);
  EXPECT_EQ(cur.doubles(500), legacy.doubles(500));
  Stream last(276, kSeed);
  EXPECT_EQ(last.ints(50, 4), Ref::of_set(272, kSeed).words(50));
}

TEST(WichmannHill, SplitCallsAndTails) {
  // four elements per pass: every remainder 0..3, across calls and entries
  Stream g(ORQ_BRNG_WH + 7, kSeed);
  Ref r = Ref::of_set(7, kSeed);
  for (int32_t n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 63}) ASSERT_EQ(g.ints(n, 4), r.words(n)) << n;
  Stream h(ORQ_BRNG_WH + 7, kSeed);
  Ref q = Ref::of_set(7, kSeed);
  for (int32_t n : {3, 1, 6}) {
    std::vector<double> d = h.doubles(n);
    for (double v : d) ASSERT_EQ(v, q.unit() * (1.0 - 0.0) + 0.0);
  }
  EXPECT_EQ(h.ints(20, 4), q.words(20));
}

TEST(WichmannHill, IntegerEntryWritesFourWordsPerElement) {
  Stream g(ORQ_BRNG_WH, kSeed);
  std::vector<uint32_t> buf(4 * 5 + 8, 0xDEADBEEFu);
  ASSERT_EQ(_orqiRngUniformBits(0, g.s, 5, buf.data()), 0);
  for (size_t i = 20; i < buf.size(); ++i) EXPECT_EQ(buf[i], 0xDEADBEEFu) << "word " << i;
  BrngRow p;
  ASSERT_EQ(__orqGetBrngProperties(ORQ_BRNG_WH + 100, &p), 0);
  EXPECT_EQ(p.WordBytes, 16);
}

TEST(WichmannHill, Seeds) {
  const uint32_t* M = kListed[0].M;
  const uint32_t* A = kListed[0].a;
  Stream none(ORQ_BRNG_WH, 0, nullptr);
  EXPECT_EQ(none.ints(3, 4), Ref(M, A, {}).words(3)) << "n = 0: all ones";
  EXPECT_EQ(none.ints(1, 4)[0], 125u * 125u * 125u % M[0]);
  for (size_t n = 1; n <= 5; ++n) {
    std::vector<uint32_t> seed(kSeed.begin(), kSeed.begin() + (n < 4 ? n : 4));
    if (n == 5) seed.push_back(99);
    Stream g(ORQ_BRNG_WH, seed);
    EXPECT_EQ(g.ints(20, 4), Ref(M, A, seed).words(20)) << "n " << n;
  }
  // a seed equal to (or a multiple of) its modulus comes out 0 and becomes 1
  Stream m(ORQ_BRNG_WH, {16770647u, 2u * 16770643u, 0u, 16770617u + 3u});
  EXPECT_EQ(m.ints(1, 4), (std::vector<uint32_t>{1u, 1u, 1u, 3u}));
}

TEST(WichmannHill, LeapfrogAndSkipAhead) {
  const int32_t set = 2;
  const std::vector<uint32_t> x = Ref::of_set(set, kSeed).words(40000);
  auto elem = [&](size_t k) { return std::vector<uint32_t>(x.begin() + 4 * k, x.begin() + 4 * k + 4); };
  for (auto kn : {std::pair<int, int>{2, 4}, {0, 1}, {1, 3}, {6, 7}, {5, 1000}}) {
    Stream g(ORQ_BRNG_WH + set, kSeed);
    ASSERT_EQ(__orqLeapfrogStream(g.s, kn.first, kn.second), 0);
    const int n = (10000 - kn.first) / kn.second;
    std::vector<uint32_t> y = g.ints(n, 4);
    for (int i = 0; i < n; ++i)
      ASSERT_EQ(std::vector<uint32_t>(y.begin() + 4 * i, y.begin() + 4 * i + 4), elem(kn.first + i * kn.second))
          << kn.first << "/" << kn.second << " element " << i;
  }
  for (int32_t k : {0, 1, 3, 4, 999, 9001}) {
    Stream g(ORQ_BRNG_WH + set, kSeed);
    ASSERT_EQ(__orqSkipAheadStream(g.s, k), 0);
    EXPECT_EQ(g.ints(1, 4), elem(k)) << "skip " << k;
  }
  // strides multiply; skip-ahead on a leapfrogged stream skips whole strides
  Stream t(ORQ_BRNG_WH + set, kSeed);
  ASSERT_EQ(__orqLeapfrogStream(t.s, 1, 3), 0);
  ASSERT_EQ(__orqLeapfrogStream(t.s, 2, 4), 0);
  ASSERT_EQ(__orqSkipAheadStream(t.s, 5), 0);
  EXPECT_EQ(t.ints(1, 4), elem(1 + 3 * (2 + 4 * 5)));
  // refusals change nothing
  Stream n(ORQ_BRNG_WH + set, kSeed);
  EXPECT_EQ(__orqSkipAheadStream(n.s, -1), ORQ_STATUS_NO_SKIPAHEAD);
  EXPECT_EQ(__orqLeapfrogStream(n.s, -1, 3), ORQ_STATUS_NO_LEAPFROG);
  EXPECT_EQ(__orqLeapfrogStream(n.s, 1, -3), ORQ_STATUS_NO_LEAPFROG);
  EXPECT_EQ(__orqBRngWHInitStream(3, n.s, 0, nullptr), ORQ_STATUS_UNKNOWN_METHOD);
  EXPECT_EQ(n.ints(1, 4), elem(0));
}

TEST(WichmannHill, LargeMultipliersAfterLeapfrogStayExact) {
  // after leapfrog the multipliers are arbitrary residues, so products reach 2^48: the
  // reciprocal-based remainders must still be exact, also under the caller's other rounding modes
  for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    for (int32_t set : {0, 136, 272}) {
      Stream g(ORQ_BRNG_WH + set, kSeed);
      ASSERT_EQ(__orqLeapfrogStream(g.s, 3, 1234567), 0);
      Ref r = Ref::of_set(set, kSeed);
      for (int i = 0; i < 4; ++i) {
        r.x[i] = r.x[i] * __orqiPowMod(static_cast<uint32_t>(r.a[i]), 3, static_cast<uint32_t>(r.M[i])) % r.M[i];
        r.a[i] = __orqiPowMod(static_cast<uint32_t>(r.a[i]), 1234567, static_cast<uint32_t>(r.M[i]));
        ASSERT_GT(r.a[i], 1u << 20) << "a large multiplier";
      }
      fesetround(mode);
      std::vector<uint32_t> got = g.ints(20001, 4);
      const int after = fegetround();
      fesetround(FE_TONEAREST);
      EXPECT_EQ(after, mode);
      EXPECT_EQ(got, r.words(20001)) << "set " << set << " mode " << mode;
    }
  }
}

TEST(WichmannHill, CopiesAndFilesKeepTheLeapfrogStride) {
  Stream g(ORQ_BRNG_WH + 200, kSeed);
  g.ints(11, 4);
  ASSERT_EQ(__orqLeapfrogStream(g.s, 1, 5), 0);
  OrqStream c = nullptr;
  ASSERT_EQ(__orqCopyStream(&c, g.s), 0);
  Stream copy(c);
  const std::string path = testing::TempDir() + "wh.stream";
  ASSERT_EQ(__orqSaveStreamF(g.s, path.c_str(), -1), 0);
  OrqStream l = nullptr;
  ASSERT_EQ(__orqLoadStreamF(&l, path.c_str()), 0);
  Stream loaded(l);
  EXPECT_EQ(__orqGetStreamStateBrng(loaded.s), ORQ_BRNG_WH + 200);
  Stream state(ORQ_BRNG_WH + 200, {5u});  // a state copy takes the values and the stride
  ASSERT_EQ(__orqCopyStreamState(state.s, g.s), 0);
  const std::vector<uint32_t> next = g.ints(3000, 4);
  EXPECT_EQ(copy.ints(3000, 4), next);
  EXPECT_EQ(loaded.ints(3000, 4), next);
  EXPECT_EQ(state.ints(3000, 4), next);
  Ref r = Ref::of_set(200, kSeed);
  const std::vector<uint32_t> x = r.words(11 + 1 + 5 * 3000);
  for (int i = 0; i < 3000; ++i)
    for (int w = 0; w < 4; ++w) ASSERT_EQ(next[4 * i + w], x[4 * (12 + 5 * i) + w]) << i;
  remove(path.c_str());
}

}  // namespace
