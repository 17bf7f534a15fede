// The scalar logarithms' table regenerated from its definition equals the checked-in file.
#ifdef ZAFORQ_HAVE_MPFR
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#define ORQ_LN_TABLES_NO_MAIN
#include "tools/orq_ln_tables/orq_ln_tables.cpp"

TEST(ScalarSupport, LogarithmTableMatchesItsGenerator) {
  std::ifstream f(ZAFORQ_SOURCE_DIR "/src/orq_sub_kernel/_math/ln_tables.inc");
  std::stringstream text;
  text << f.rdbuf();
  EXPECT_EQ(text.str(), orq_ln_tables::render());
}
#endif
