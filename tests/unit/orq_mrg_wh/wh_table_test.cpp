// The checked-in Wichmann-Hill table: the defining properties of every set (primes below 2^24,
// multipliers below 128 that are primitive roots, full combined period), distinct sets, and
// equality with a fresh run of tools/wh_search.
#include <stdio.h>

#include <set>
#include <string>

#include "stream.h"

namespace {

bool is_prime(uint32_t n) {
  if (n < 2) return false;
  for (uint32_t d = 2; d * d <= n; ++d)
    if (n % d == 0) return false;
  return true;
}

std::vector<uint32_t> prime_factors(uint32_t n) {
  std::vector<uint32_t> f;
  for (uint32_t d = 2; d * d <= n; ++d)
    if (n % d == 0) {
      f.push_back(d);
      while (n % d == 0) n /= d;
    }
  if (n > 1) f.push_back(n);
  return f;
}

uint64_t pow_mod(uint64_t b, uint64_t e, uint64_t m) {  // independent of the library's powers
  uint64_t r = 1;
  for (b %= m; e; e >>= 1, b = b * b % m)
    if (e & 1) r = r * b % m;
  return r;
}

bool primitive_root(uint32_t a, uint32_t p) {
  for (uint32_t q : prime_factors(p - 1))
    if (pow_mod(a, (p - 1) / q, p) == 1) return false;
  return true;
}

uint32_t gcd(uint32_t a, uint32_t b) { return b ? gcd(b, a % b) : a; }

TEST(WhTable, EverySetHasItsDefiningProperties) {
  std::set<uint32_t> primes;
  for (int s = 0; s < 273; ++s) {
    const uint32_t* M = _orq_WH_M + 4 * s;
    const uint8_t* A = _orq_WH_A + 4 * s;
    for (int i = 0; i < 4; ++i) {
      EXPECT_TRUE(is_prime(M[i])) << "set " << s << " M" << i + 1 << " = " << M[i];
      EXPECT_LT(M[i], 1u << 24);
      EXPECT_GT(M[i], (1u << 24) - (1u << 16)) << "just below 2^24";
      EXPECT_GE(A[i], 2);
      EXPECT_LT(A[i], 128);
      EXPECT_TRUE(primitive_root(A[i], M[i])) << "set " << s << ": " << int(A[i]) << " mod " << M[i];
      EXPECT_EQ(_orqdWH_IM_Tab[4 * s + i], 1.0 / M[i]) << "the nearest double to 1/M";
      if (i) EXPECT_LT(M[i], M[i - 1]) << "set " << s << ": distinct, in descending order";
      // the component periods share only the factor 2, so the combined period is their product / 8
      for (int j = 0; j < i; ++j) EXPECT_EQ(gcd(M[i] - 1, M[j] - 1), 2u) << "set " << s;
      primes.insert(M[i]);
    }
  }
  EXPECT_EQ(primes.size(), 4u * 273u) << "no modulus serves two sets, so no two sets are alike";
}

TEST(WhTable, TheChecksCanFail) {
  EXPECT_FALSE(is_prime(16777215u));           // 2^24 - 1 = 3^2 * 5 * 7 * 13 * 17 * 241
  EXPECT_TRUE(is_prime(16777213u));            // the largest prime below 2^24
  EXPECT_FALSE(primitive_root(4, 16770647u));  // a square is never a primitive root
  EXPECT_FALSE(primitive_root(126, 16770647u));
  EXPECT_TRUE(primitive_root(125, 16770647u));
}

TEST(WhTable, RegeneratesFromTheSearch) {
  const std::string cmd = std::string("/usr/bin/python3 ") + ZAFORQ_SOURCE_DIR + "/tools/wh_search/wh_search.py --check " +
                          ZAFORQ_SOURCE_DIR + "/src/orq_sub_kernel/wh/wh_table.inc 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  ASSERT_NE(p, nullptr);
  char line[256] = "";
  if (!fgets(line, sizeof line, p)) line[0] = 0;
  const int rc = pclose(p);
  if (std::string(line).find("table") == std::string::npos) GTEST_SKIP() << "no python3 to run the search: " << line;
  EXPECT_EQ(rc, 0) << line;
}

}  // namespace
