// The checked-in MT2203 parameter sets: the listed rows, distinct twist constants, and the
// defining property of every twist constant, full period 2^2203 - 1, checked on the listed
// sets and a sample of the others by an irreducibility test of the characteristic polynomial
// (Berlekamp-Massey on the recurrence's output bits). `mt2203_search verify` checks all 1024.
#include <gtest/gtest.h>

#include <set>

#include "mt2203_search/gf2.h"
#include "mt2203_search/mt2203_model.h"
#include "zaforq.h"

namespace {

bool full_period(uint32_t a, uint64_t seed) {
  gf2::Poly p = mt2203::characteristic_polynomial(a, seed);
  return gf2::degree(p) == 2203 && gf2::irreducible_prime_degree(p);
}

TEST(Mt2203Table, ListedRowsAndDistinctSets) {
  EXPECT_EQ(_orq_mt2203_table[0], 0xAF81055Fu);
  EXPECT_EQ(_orq_mt2203_table[1], 0xDD7EEF80u);
  EXPECT_EQ(_orq_mt2203_table[2], 0xEFD78000u);
  EXPECT_EQ(_orq_mt2203_table[3], 0x832604E1u);
  EXPECT_EQ(_orq_mt2203_table[4], 0x66AD7F80u);
  EXPECT_EQ(_orq_mt2203_table[5], 0xEBD58000u);
  EXPECT_EQ(_orq_mt2203_table[6], 0x92F70739u);
  EXPECT_EQ(_orq_mt2203_table[7], 0x656D7780u);
  EXPECT_EQ(_orq_mt2203_table[8], 0xEFC50000u);
  EXPECT_EQ(_orq_mt2203_table[3069], 0xE1B6093Fu);
  EXPECT_EQ(_orq_mt2203_table[3070], 0x9D326E80u);
  EXPECT_EQ(_orq_mt2203_table[3071], 0xEFD58000u);
  std::set<uint32_t> twists;
  for (int k = 0; k < 1024; ++k) {
    twists.insert(_orq_mt2203_table[3 * k]);
    // the masks act on words shifted left by 7 and 15: lower bits would be dead weight
    EXPECT_EQ(_orq_mt2203_table[3 * k + 1] & 0x7Fu, 0u) << "set " << k;
    EXPECT_EQ(_orq_mt2203_table[3 * k + 2] & 0x7FFFu, 0u) << "set " << k;
  }
  EXPECT_EQ(twists.size(), 1024u) << "every set has its own twist constant";
}

TEST(Mt2203Table, TheTestSeesAShortPeriod) {
  // the check must be able to fail: neighbours of a good constant are almost never good
  int good = 0;
  for (uint32_t d = 1; d <= 8; ++d) good += full_period(_orq_mt2203_table[0] ^ d, 7);
  EXPECT_LT(good, 2);
  gf2::Poly reducible;  // (x^2 + x + 1)(x^3 + x + 1) = x^5 + x^4 + 1
  gf2::set_bit(reducible, 5);
  gf2::set_bit(reducible, 4);
  gf2::set_bit(reducible, 0);
  EXPECT_FALSE(gf2::irreducible_prime_degree(reducible));
  gf2::Poly prime5;  // x^5 + x^2 + 1 is primitive
  gf2::set_bit(prime5, 5);
  gf2::set_bit(prime5, 2);
  gf2::set_bit(prime5, 0);
  EXPECT_TRUE(gf2::irreducible_prime_degree(prime5));
}

TEST(Mt2203Table, FullPeriodOfListedAndSampledSets) {
  for (int k : {0, 1, 2, 1023, 3, 100, 257, 511, 512, 777, 1000, 1022})
    EXPECT_TRUE(full_period(_orq_mt2203_table[3 * k], 1000 + k)) << "set " << k;
}

}  // namespace
