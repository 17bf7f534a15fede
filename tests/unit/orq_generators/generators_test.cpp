// Basic generators checked against independent references: CPython's random module and big
// integers, and plain serial implementations in reference.h. The published twister outputs and
// the twisters' call-size boundaries are twister_paths_test.cpp's, on every path.
#include <gtest/gtest.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "python_oracle.h"
#include "reference.h"
#include "stream.h"
#include "zaforq.h"

namespace {

constexpr uint32_t kA31 = 1132489760u;
constexpr uint64_t kA59 = 302875106592253ull;  // 13^13
constexpr uint64_t kMask59 = (1ull << 59) - 1;

// ---- seeding --------------------------------------------------------------------------------

// Seeds the congruential generators must correct or read in part; the first word out is the
// corrected seed. 2^32 - 1 mod 2^31 - 1 is 1, and the high seed word of MCG59 keeps 27 bits.
TEST(CongruentialSeeds, FirstWordIsTheCorrectedSeed) {
  const struct {
    int32_t id;
    std::vector<uint32_t> seed;
    uint64_t first;
  } rows[] = {
      {ORQ_BRNG_MCG31, {0u}, 1},
      {ORQ_BRNG_MCG31, {2147483647u}, 1},
      {ORQ_BRNG_MCG31, {0xFFFFFFFFu}, 1},
      {ORQ_BRNG_MCG31, {}, 1},
      {ORQ_BRNG_MCG31, {1u}, 1},
      {ORQ_BRNG_MCG59, {0u}, 1},
      {ORQ_BRNG_MCG59, {0u, 0x08000000u}, 1},
      {ORQ_BRNG_MCG59, {}, 1},
      {ORQ_BRNG_MCG59, {0x89ABCDEFu, 0xFFFFFFFFu}, 0x7FFFFFF89ABCDEFull},
  };
  for (const auto& r : rows) {
    Stream g(r.id, static_cast<int32_t>(r.seed.size()), r.seed.empty() ? nullptr : r.seed.data());
    const uint64_t got = r.id == ORQ_BRNG_MCG59 ? g.ints64(1)[0] : g.ints(1)[0];
    EXPECT_EQ(got, r.first) << "row " << &r - rows;
  }
  // The double entry divides by the modulus: x = 1 gives 1 / (2^31 - 1).
  Stream g(ORQ_BRNG_MCG31, {0u});
  double d;
  ASSERT_EQ(_orqdRngUniform(0, g.s, 1, &d, 0.0, 1.0), 0);
  EXPECT_EQ(d, 1.0 / 2147483647.0);
}

// ---- MCG31m1 -------------------------------------------------------------------------------

TEST(Mcg31m1, MatchesPlainRemainderRecurrenceAndBigIntegers) {
  const uint32_t seed = 123456789u;
  std::vector<uint32_t> expect(20000);
  uint64_t x = seed;
  for (auto& e : expect) {
    e = static_cast<uint32_t>(x);
    x = x * kA31 % 2147483647u;
  }
  Stream g(ORQ_BRNG_MCG31, {seed});
  EXPECT_EQ(g.ints(20000), expect);
  if (!python_available()) GTEST_SKIP() << "no /usr/bin/python3 for the big-integer check";
  std::vector<uint64_t> py = python_numbers(
      "m=2**31-1; a=1132489760; x=123456789\n"
      "for e in (1, 7, 8, 9, 1000, 19999, 10**6, 2**31-3): print(x*pow(a,e,m)%m)");
  ASSERT_EQ(py.size(), 8u);
  EXPECT_EQ(py[0], expect[1]);
  EXPECT_EQ(py[4], expect[1000]);
  EXPECT_EQ(py[5], expect[19999]);
  const int32_t skips[] = {1, 7, 8, 9, 1000, 19999, 1000000, 2147483645};
  for (int i = 0; i < 8; ++i) {
    Stream s(ORQ_BRNG_MCG31, {seed});
    ASSERT_EQ(__orqSkipAheadStream(s.s, skips[i]), 0);
    EXPECT_EQ(s.ints(1)[0], py[i]) << "skip " << skips[i];
  }
}

// ---- MCG59 ---------------------------------------------------------------------------------

TEST(Mcg59, MatchesMaskedRecurrenceAndBigIntegers) {
  Stream g(ORQ_BRNG_MCG59, {0xDEADBEEFu, 0x1234567u});
  std::vector<uint64_t> got = g.ints64(5000);
  uint64_t x = 0x123456700000000ull | 0xDEADBEEFull;
  for (int i = 0; i < 5000; ++i) {
    ASSERT_EQ(got[i], x) << i;
    ASSERT_NE(got[i], 0u);
    ASSERT_LE(got[i], kMask59);
    x = (x * kA59) & kMask59;
  }
  if (!python_available()) GTEST_SKIP() << "no /usr/bin/python3 for the big-integer check";
  std::vector<uint64_t> py = python_numbers(
      "m=2**59; a=13**13; x=0x1234567DEADBEEF\n"
      "for i in range(4999): x = x*a % m\n"
      "print(x)\n"
      "print(0x1234567DEADBEEF*pow(a,10**9,m)%m)");
  ASSERT_EQ(py.size(), 2u);
  EXPECT_EQ(py[0], got[4999]);
  Stream s(ORQ_BRNG_MCG59, {0xDEADBEEFu, 0x1234567u});
  ASSERT_EQ(__orqSkipAheadStream(s.s, 1000000000), 0);
  EXPECT_EQ(s.ints64(1)[0], py[1]);
}

// ---- R250 ----------------------------------------------------------------------------------

TEST(R250, SeedingAndSerialReference) {
  for (uint32_t seed : {1u, 7u, 0xFFFFFFFFu}) {
    Stream g(ORQ_BRNG_R250, {seed});
    std::vector<uint32_t> t = ref::R250::seeded(seed);
    EXPECT_EQ(t[220], 1u);
    EXPECT_EQ(t[3] >> 31, 1u);
    ref::R250 r(t.data());
    std::vector<uint32_t> got = g.ints(3000);
    for (int i = 0; i < 3000; ++i) ASSERT_EQ(got[i], r.next()) << "seed " << seed << " output " << i;
  }
  Stream z(ORQ_BRNG_R250, {0u}), one(ORQ_BRNG_R250, {1u}), none(ORQ_BRNG_R250, 0, nullptr);
  std::vector<uint32_t> a = z.ints(600);
  EXPECT_EQ(a, one.ints(600));
  EXPECT_EQ(a, none.ints(600));
}

TEST(R250, TableGivenVerbatim) {
  std::vector<uint32_t> table(250);
  for (int i = 0; i < 250; ++i) table[i] = 0x9E3779B9u * (i + 1) ^ (i << 3);
  table[0] = 0;  // taken as it is, no correction
  Stream g(ORQ_BRNG_R250, table);
  ref::R250 r(table.data());
  std::vector<uint32_t> got = g.ints(1000);
  EXPECT_EQ(got[0], table[0] ^ table[103]);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(got[i], r.next()) << i;
}

// ---- MT19937 -------------------------------------------------------------------------------

TEST(Mt19937, MatchesCPythonRandom) {
  if (!python_available()) GTEST_SKIP() << "no /usr/bin/python3";
  // random.seed(n) runs the key-array initialisation on the 32-bit words of n;
  // getrandbits(32) returns the tempered words.
  std::vector<uint64_t> py = python_numbers(
      "import random\n"
      "def out(seed, n):\n"
      "    r = random.Random(seed)\n"
      "    for i in range(n): print(r.getrandbits(32))\n"
      "out(5489, 1300)\n"
      "out(sum(((i * 2654435761 + 1) % 2**32) << (32*i) for i in range(1000)), 700)\n"
      "out(1, 10)\n");
  ASSERT_EQ(py.size(), 2010u);
  Stream a(ORQ_BRNG_MT19937, {5489u});
  std::vector<uint32_t> got = a.ints(1300);
  for (int i = 0; i < 1300; ++i) ASSERT_EQ(got[i], py[i]) << "seed 5489, output " << i;
  std::vector<uint32_t> key(1000);
  for (uint32_t i = 0; i < 1000; ++i) key[i] = i * 2654435761u + 1u;
  Stream b(ORQ_BRNG_MT19937, key);
  got = b.ints(700);
  for (int i = 0; i < 700; ++i) ASSERT_EQ(got[i], py[1300 + i]) << "key of 1000 words, output " << i;
  Stream none(ORQ_BRNG_MT19937, 0, nullptr);  // no seeds: the key {1}
  got = none.ints(10);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(got[i], py[2000 + i]) << i;
}

TEST(Mt19937, KeyArrayIsNotTheSingleSeedMethod) {
  Stream g(ORQ_BRNG_MT19937, {5489u});
  ref::Twister plain = ref::mt19937();
  plain.init_genrand(5489u);  // 3499211612 first: the other initialisation
  EXPECT_EQ(plain.next(), 3499211612u);
  EXPECT_NE(g.ints(1)[0], 3499211612u);
}

// ---- MT2203 --------------------------------------------------------------------------------

TEST(Mt2203, EverySetFollowsItsTableRow) {
  for (int set = 0; set < 1024; set += 31) {
    Stream g(ORQ_BRNG_MT2203 + set, {1u});
    const uint32_t* p = _orq_mt2203_table + 3 * set;
    ref::Twister r = ref::mt2203(p[0], p[1], p[2]);
    r.init_by_array({1u});
    std::vector<uint32_t> got = g.ints(300);
    for (int i = 0; i < 300; ++i) ASSERT_EQ(got[i], r.next()) << "set " << set << " output " << i;
  }
  Stream s0(ORQ_BRNG_MT2203, {5u}), s1(ORQ_BRNG_MT2203 + 1, {5u});
  EXPECT_NE(s0.ints(10), s1.ints(10));
  OrqStream bad = reinterpret_cast<OrqStream>(0x1);
  EXPECT_EQ(__orqNewStreamEx(&bad, ORQ_BRNG_MT2203 + 1024, 1, std::vector<uint32_t>{1}.data()),
            ORQ_STATUS_INVALID_GENERATOR);
  EXPECT_EQ(bad, reinterpret_cast<OrqStream>(0x1));
}

// ---- block and lane paths against the serial path -------------------------------------------

const int32_t kLengths[] = {1, 7, 8, 9, 249, 250, 251, 623, 624, 625, 700, 10000};
const int32_t kIds[] = {ORQ_BRNG_MCG31, ORQ_BRNG_MCG59, ORQ_BRNG_R250, ORQ_BRNG_MT19937, ORQ_BRNG_MT2203 + 2};

int32_t word_bytes(int32_t id) {
  BrngRow p;
  EXPECT_EQ(__orqGetBrngProperties(id, &p), 0);
  return p.WordBytes;
}

TEST(BulkPaths, IntegerOutputEqualsOneAtATime) {
  for (int32_t id : kIds) {
    const int32_t wb = word_bytes(id);
    for (int32_t n : kLengths) {
      // a stream first moved off its block boundary by 3 outputs, then n at once
      Stream bulk(id, {2024u, 11u}), serial(id, {2024u, 11u});
      std::vector<unsigned char> skip(3 * wb), a(static_cast<size_t>(n) * wb), b(a.size());
      _orqiRngUniformBits(0, bulk.s, 3, skip.data());
      _orqiRngUniformBits(0, serial.s, 3, skip.data());
      ASSERT_EQ(_orqiRngUniformBits(0, bulk.s, n, a.data()), 0);
      for (int32_t i = 0; i < n; ++i) _orqiRngUniformBits(0, serial.s, 1, b.data() + static_cast<size_t>(i) * wb);
      ASSERT_EQ(a, b) << "id 0x" << std::hex << id << std::dec << " n " << n;
      // and the streams stand at the same point afterwards
      _orqiRngUniformBits(0, bulk.s, 1, a.data());
      _orqiRngUniformBits(0, serial.s, 1, b.data());
      ASSERT_EQ(0, memcmp(a.data(), b.data(), wb)) << "id 0x" << std::hex << id << std::dec << " n " << n;
    }
  }
}

double unit_scale(int32_t id) {
  return id == ORQ_BRNG_MCG31 ? 1.0 / 2147483647.0 : id == ORQ_BRNG_MCG59 ? 0x1p-59 : 0x1p-32;
}
double as_double(const unsigned char* w, int32_t id, double s) {
  if (id == ORQ_BRNG_MCG59) {
    uint64_t v;
    memcpy(&v, w, 8);
    volatile double lo = static_cast<double>(static_cast<uint32_t>(v)) * s;
    volatile double hi = static_cast<double>(static_cast<uint32_t>(v >> 32)) * 4294967296.0 * s;
    return lo + hi;
  }
  uint32_t v;
  memcpy(&v, w, 4);
  return static_cast<double>(v) * s;
}

TEST(BulkPaths, DoubleAndFloatAreTheIntegerWordsScaled) {
  const double a = -1.5, b = 2.25;
  for (int32_t id : kIds) {
    const int32_t wb = word_bytes(id);
    for (int32_t n : kLengths) {
      Stream gi(id, {99u}), gd(id, {99u}), gs(id, {99u});
      std::vector<unsigned char> w(static_cast<size_t>(n) * wb);
      std::vector<double> rd(n);
      std::vector<float> rs(n);
      ASSERT_EQ(_orqiRngUniformBits(0, gi.s, n, w.data()), 0);
      ASSERT_EQ(_orqdRngUniform(0, gd.s, n, rd.data(), a, b), 0);
      ASSERT_EQ(_orqsRngUniform(0, gs.s, n, rs.data(), static_cast<float>(a), static_cast<float>(b)), 0);
      const double s = (b - a) * unit_scale(id);
      for (int32_t i = 0; i < n; ++i) {
        volatile double v = as_double(w.data() + static_cast<size_t>(i) * wb, id, s);
        const double expect = v + a;
        ASSERT_EQ(rd[i], expect) << "id 0x" << std::hex << id << std::dec << " n " << n << " i " << i;
        ASSERT_EQ(rs[i], static_cast<float>(expect)) << "id 0x" << std::hex << id << std::dec << " i " << i;
        ASSERT_GE(rd[i], a);
        ASSERT_LT(rd[i], b);
      }
    }
  }
}

TEST(BulkPaths, EntriesShareOneSequence) {
  // the double, float and integer entries advance the same sequence by n each
  for (int32_t id : kIds) {
    const int32_t wb = word_bytes(id);
    Stream mixed(id, {5u}), ints(id, {5u});
    std::vector<unsigned char> w(static_cast<size_t>(3000) * wb);
    _orqiRngUniformBits(0, ints.s, 3000, w.data());
    double d[700];
    float f[1300];
    std::vector<unsigned char> last(1000 * static_cast<size_t>(wb));
    _orqdRngUniform(0, mixed.s, 700, d, 0.0, 1.0);
    _orqsRngUniform(0, mixed.s, 1300, f, 0.0f, 1.0f);
    _orqiRngUniformBits(0, mixed.s, 1000, last.data());
    EXPECT_EQ(0, memcmp(last.data(), w.data() + 2000 * static_cast<size_t>(wb), last.size()));
    EXPECT_EQ(d[0], as_double(w.data(), id, unit_scale(id)));
  }
}

// ---- skip-ahead and leapfrog -----------------------------------------------------------------

template <class W>
std::vector<W> draw(OrqStream s, int32_t n) {
  std::vector<W> r(n);
  _orqiRngUniformBits(0, s, n, r.data());
  return r;
}

template <class W>
void check_skip_and_leapfrog(int32_t id) {
  std::vector<uint32_t> seed = {31337u, 3u};
  Stream full(id, seed);
  std::vector<W> x = draw<W>(full.s, 20000);
  for (int32_t k : {0, 1, 10, 999, 12345}) {
    Stream s(id, seed);
    ASSERT_EQ(__orqSkipAheadStream(s.s, k), 0);
    std::vector<W> y = draw<W>(s.s, 100);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(y[i], x[k + i]) << "skip " << k;
  }
  for (auto kn : {std::pair<int, int>{1, 3}, {0, 1}, {4, 5}, {7, 64}}) {
    Stream s(id, seed);
    ASSERT_EQ(__orqLeapfrogStream(s.s, kn.first, kn.second), 0);
    std::vector<W> y = draw<W>(s.s, 200);
    for (int i = 0; i < 200; ++i) ASSERT_EQ(y[i], x[kn.first + i * kn.second]) << kn.first << "/" << kn.second;
  }
  // repeated leapfrog multiplies the strides: (1, 3) then (2, 4) gives 1 + 3*(2 + 4i)
  Stream twice(id, seed);
  ASSERT_EQ(__orqLeapfrogStream(twice.s, 1, 3), 0);
  ASSERT_EQ(__orqLeapfrogStream(twice.s, 2, 4), 0);
  std::vector<W> y = draw<W>(twice.s, 100);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(y[i], x[1 + 3 * (2 + 4 * i)]) << i;
  // skip-ahead on a leapfrogged stream skips whole strides
  Stream ls(id, seed);
  ASSERT_EQ(__orqLeapfrogStream(ls.s, 2, 7), 0);
  ASSERT_EQ(__orqSkipAheadStream(ls.s, 5), 0);
  EXPECT_EQ(draw<W>(ls.s, 1)[0], x[2 + 7 * 5]);
  // negative counts are refused and change nothing
  Stream neg(id, seed);
  EXPECT_EQ(__orqSkipAheadStream(neg.s, -1), ORQ_STATUS_NO_SKIPAHEAD);
  EXPECT_EQ(__orqLeapfrogStream(neg.s, -1, 3), ORQ_STATUS_NO_LEAPFROG);
  EXPECT_EQ(__orqLeapfrogStream(neg.s, 1, -3), ORQ_STATUS_NO_LEAPFROG);
  EXPECT_EQ(draw<W>(neg.s, 3), std::vector<W>(x.begin(), x.begin() + 3));
}

TEST(SkipAndLeapfrog, Mcg31m1) { check_skip_and_leapfrog<uint32_t>(ORQ_BRNG_MCG31); }
TEST(SkipAndLeapfrog, Mcg59) { check_skip_and_leapfrog<uint64_t>(ORQ_BRNG_MCG59); }

TEST(SkipAndLeapfrog, RefusedByShiftRegisterAndTwisters) {
  for (int32_t id : {ORQ_BRNG_R250, ORQ_BRNG_MT19937, ORQ_BRNG_MT2203 + 9}) {
    Stream s(id, {8u}), t(id, {8u});
    EXPECT_EQ(__orqLeapfrogStream(s.s, 0, 2), ORQ_STATUS_NO_LEAPFROG);
    EXPECT_EQ(__orqSkipAheadStream(s.s, 10), ORQ_STATUS_NO_SKIPAHEAD);
    EXPECT_EQ(s.ints(50), t.ints(50)) << "unchanged after the refusals";
  }
  for (int32_t id : kIds) {
    Stream s(id, {8u});
    BrngRow p;
    __orqGetBrngProperties(id, &p);
    EXPECT_EQ(p.InitFn(3, s.s, 0, nullptr), ORQ_STATUS_UNKNOWN_METHOD);
    EXPECT_EQ(p.InitFn(-1, s.s, 0, nullptr), ORQ_STATUS_UNKNOWN_METHOD);
  }
}

// ---- modular powers ---------------------------------------------------------------------------

TEST(PowMod, AgainstRepeatedMultiplication) {
  const uint32_t bases[] = {0u, 1u, 2u, 16807u, kA31, 2147483646u, 4294967295u};
  for (uint32_t b : bases) {
    for (uint32_t m : {2147483647u, 4294967291u, 1000003u, 7u}) {
      uint64_t r = 1 % m;
      for (int32_t e = 0; e <= 300; ++e) {
        ASSERT_EQ(__orqiPowMod(b, e, m), r) << b << "^" << e << " mod " << m;
        if (m == 2147483647u) ASSERT_EQ(__orqiPowMod2P31M1(b, e), r) << b << "^" << e;
        r = r * (b % m) % m;
      }
    }
    uint64_t r = 1;
    const uint64_t b59 = (static_cast<uint64_t>(b) << 20 | 0x5) & kMask59;
    for (int32_t e = 0; e <= 300; ++e) {
      ASSERT_EQ(__orqiPowMod2P59(static_cast<uint32_t>(b59), static_cast<uint32_t>(b59 >> 32), e), r);
      r = (r * b59) & kMask59;
    }
  }
  EXPECT_EQ(__orqiPowMod2P59(0xFFFFFFFFu, 0xFFFFFFFFu, 1), kMask59);  // the base is reduced first
  EXPECT_EQ(__orqiPowMod(5u, -1, 7u), 0u);
  EXPECT_EQ(__orqiPowMod2P31M1(5u, -2), 0u);
  EXPECT_EQ(__orqiPowMod2P59(5u, 0u, -3), 0u);
  EXPECT_EQ(__orqiPowMod(5u, 3, 0u), 0u);
}

TEST(PowMod, LargeExponentsAgainstBigIntegers) {
  EXPECT_EQ(__orqiPowMod2P31M1(16807u, 2147483646), 1u);  // Fermat: the modulus is prime
  if (!python_available()) GTEST_SKIP() << "no /usr/bin/python3";
  std::vector<uint64_t> py = python_numbers(
      "print(pow(1132489760, 2**31-1, 2**31-1)); print(pow(48271, 123456789, 4294967291));"
      "print(pow(13**13, 2**31-1, 2**59))");
  ASSERT_EQ(py.size(), 3u);
  EXPECT_EQ(__orqiPowMod2P31M1(1132489760u, 2147483647), py[0]);
  EXPECT_EQ(__orqiPowMod(48271u, 123456789, 4294967291u), py[1]);
  EXPECT_EQ(__orqiPowMod2P59(static_cast<uint32_t>(kA59), static_cast<uint32_t>(kA59 >> 32), 2147483647), py[2]);
}

}  // namespace
