// The power kernels' tables and polynomial coefficients are exactly what their generator
// writes today, and the generated values keep the properties the kernels rely on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#define POW_TABLES_NO_MAIN
#include "tools/pow_tables/pow_tables.cpp"

namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(PowTables, CheckedInTablesMatchTheGenerator) {
  for (const auto& o : pow_tables::kOutputs) {
    const std::string path = std::string(ZAFORQ_SOURCE_DIR) + "/" + o.path;
    const std::string on_disk = read_file(path);
    ASSERT_FALSE(on_disk.empty()) << path;
    EXPECT_TRUE(on_disk == o.render()) << path << " differs from tools/pow_tables output";
  }
}

// The checked-in file compiled as the kernels compile it.
#include "src/zaf_core/pow/pow_tables.inc"

int significant_bits(double v) {
  uint64_t u;
  memcpy(&u, &v, 8);
  const uint64_t frac = u & 0x000FFFFFFFFFFFFFull;
  return frac ? 53 - __builtin_ctzll(frac) : 1;
}

// Reciprocals short enough for the exact split products; L high on the 2^-42 grid so that
// adding the exponent is exact; L = -log2(rcp) (less 1 past the split point) to double-double
// accuracy, checked against MPFR independently of the generator's formatting.
template <size_t N>
void check_log_table(const double (&t)[N][4]) {
  const int n = static_cast<int>(N) - 1;
  for (int j = 0; j <= n; ++j) {
    SCOPED_TRACE(j);
    EXPECT_LE(significant_bits(t[j][0]), 26);
    EXPECT_NEAR(t[j][0], 1.0 / (1.0 + static_cast<double>(j) / n), 1e-7);
    EXPECT_EQ(std::ldexp(t[j][1], 42), std::nearbyint(std::ldexp(t[j][1], 42)));
    mpfr_t x, l;
    mpfr_inits2(200, x, l, (mpfr_ptr)0);
    mpfr_set_d(x, t[j][0], MPFR_RNDN);
    mpfr_log2(l, x, MPFR_RNDN);
    mpfr_neg(l, l, MPFR_RNDN);
    if (2 * j >= n) mpfr_sub_ui(l, l, 1, MPFR_RNDN);
    mpfr_sub_d(l, l, t[j][1], MPFR_RNDN);
    mpfr_sub_d(l, l, t[j][2], MPFR_RNDN);
    EXPECT_LT(std::fabs(mpfr_get_d(l, MPFR_RNDN)), 0x1p-95);
    mpfr_clears(x, l, (mpfr_ptr)0);
  }
}

TEST(PowTables, LogTablesHaveTheirProperties) {
  check_log_table(kPowLogHA);
  check_log_table(kPowLog50);
  for (int j = 0; j <= 256; ++j) {
    EXPECT_NEAR(kSPowLog[j][0], std::log2(1.0 + j / 256.0), 1e-15);
    EXPECT_NEAR(kSPowLog[j][1], 1.0 / (1.0 + j / 256.0), 1e-15);
  }
}

TEST(PowTables, ExpTableIsTwoToTheJOver128) {
  for (int j = 0; j < 128; ++j) {
    mpfr_t v;
    mpfr_init2(v, 200);
    mpfr_set_si(v, j, MPFR_RNDN);
    mpfr_div_ui(v, v, 128, MPFR_RNDN);
    mpfr_exp2(v, v, MPFR_RNDN);
    EXPECT_EQ(kPowExp128[j][0], mpfr_get_d(v, MPFR_RNDN)) << j;
    mpfr_sub_d(v, v, kPowExp128[j][0], MPFR_RNDN);
    mpfr_sub_d(v, v, kPowExp128[j][1], MPFR_RNDN);
    EXPECT_LT(std::fabs(mpfr_get_d(v, MPFR_RNDN)), 0x1p-104) << j;
    mpfr_clear(v);
  }
}

}  // namespace
