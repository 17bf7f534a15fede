// The scalar support functions: their stated special values, and agreement with libm (the glibc
// logarithm, floor and square root are correctly rounded or within half an ulp) over random
// arguments of every magnitude.
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>

#include <random>

#include "bits.h"
#include "zaforq.h"

namespace {

TEST(ScalarSupport, LogarithmSpecialValues) {
  const double tiny = -744.4400719213812;
  for (double x : {0.0, -0.0, -1.0, -1e-300, double(NAN), -double(NAN), double(INFINITY), -double(INFINITY)})
    EXPECT_EQ(__orqdLn(x), tiny) << x;
  EXPECT_EQ(__orqdLn(from_bits(1)), tiny) << "the smallest subnormal";
  EXPECT_EQ(__orqdLn(1.0), 0.0);
  EXPECT_EQ(__orqdLn(2.0), 0.6931471805599453);
  EXPECT_EQ(__orqsLn(0.0f), -103.2789306640625f);
  EXPECT_EQ(__orqsLn(-0.0f), -103.2789306640625f);
  EXPECT_EQ(__orqsLn(1.0f), 0.0f);
}

TEST(ScalarSupport, LogarithmAgreesWithLibm) {
  std::mt19937_64 g(7);
  int64_t worst = 0, worst_f = 0;
  double at = 0;
  for (int i = 0; i < 200000; ++i) {
    // every exponent, subnormals included, and a band around 1 where cancellation would show
    double x = i % 4 ? from_bits(g() % 0x7FF0000000000000ull) : 1.0 + (static_cast<double>(g() >> 11) * 0x1p-53 - 0.5) / 64;
    if (x == 0) continue;
    const int64_t e = ulps(__orqdLn(x), log(x));
    if (e > worst) worst = e, at = x;
    float xf = static_cast<float>(x);
    if (xf > 0 && xf <= 3.4e38f) {
      const float ref = static_cast<float>(log(static_cast<double>(xf)));
      worst_f = std::max<int64_t>(worst_f, ulps(__orqsLn(xf), ref));
    }
  }
  EXPECT_LE(worst, 1) << "at " << at;
  EXPECT_LE(worst_f, 1);
  for (float x : {1e-45f, 1.1754942e-38f, 3e-40f})  // float subnormals
    EXPECT_LE(ulps(__orqsLn(x), static_cast<float>(log(static_cast<double>(x)))), 1) << x;
}

TEST(ScalarSupport, FloorStatedValuesAndAgreement) {
  const double two51 = 2251799813685248.0;
  struct {
    double x, floor;
  } cases[] = {{-0.5, -1.0}, {0.5, 0.0}, {0.0, 0.0}, {1e-310, 0.0}, {-1e-310, -1.0}, {2.5, 2.0}, {-2.5, -3.0},
               {-3.0, -3.0}, {two51 + 0.5, two51}, {-(two51 + 0.5), -(two51 + 1.0)}, {two51 - 0.5, two51 - 1.0},
               {4503599627370497.0, 4503599627370497.0}, {-1e300, -1e300}, {INFINITY, INFINITY}};
  for (auto c : cases) EXPECT_EQ(__orqdFloor(c.x), c.floor) << c.x;
  EXPECT_TRUE(signbit(__orqdFloor(-0.0)));
  EXPECT_FALSE(signbit(__orqdFloor(0.25)));
  EXPECT_TRUE(isnan(__orqdFloor(NAN)));
  std::mt19937_64 g(11);
  for (int i = 0; i < 100000; ++i) {
    double x = from_bits(g() % 0x4340000000000000ull) * (i & 1 ? -1 : 1);
    ASSERT_EQ(__orqdFloor(x), floor(x)) << x;
  }
}

TEST(ScalarSupport, SquareRoot) {
  EXPECT_EQ(__orqdSqrt(4.0), 2.0);
  EXPECT_EQ(__orqdSqrt(0.0), 0.0);
  EXPECT_TRUE(isnan(__orqdSqrt(-1.0)));
  std::mt19937_64 g(3);
  for (int i = 0; i < 100000; ++i) {
    double x = from_bits(g() % 0x7FF0000000000000ull);
    // rounded to 64 bits on the x87 unit, then to double: at most one ulp from the libm root
    ASSERT_LE(ulps(__orqdSqrt(x), sqrt(x)), 1) << x;
  }
}

}  // namespace
