// The full-range reduction by pi/2 against MPFR: random arguments over every binade from
// 2^-20 to 2^1023 (ZAFORQ_TEST_FULL=1 for more than a million of them), the binade edges, and
// the doubles closest to multiples of pi/2 found by tools/trig_worst.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>

#include "bits.h"
#include "zaf.h"

namespace {

struct WorstCase {
  uint64_t bits;
  double log2_distance;
};
const WorstCase kWorst[] = {
#include "worst_cases.inc"
};

bool full_mode() {
  const char* f = std::getenv("ZAFORQ_TEST_FULL");
  return f && *f == '1';
}

// Exact reduction with MPFR, judged against what the library returned: u = x 2/pi - q reduced
// into (-2, 2] must be at most 1/2 (|r| <= pi/4) up to rounding, and r0 + r1 must equal u pi/2
// to a relative error `rel`. Returns log2 of the relative error.
class Oracle {
 public:
  Oracle() {
    mpfr_inits2(2400, two_over_pi_, pi_half_, u_, r_, d_, static_cast<mpfr_ptr>(nullptr));
    mpfr_const_pi(pi_half_, MPFR_RNDN);
    mpfr_ui_div(two_over_pi_, 2, pi_half_, MPFR_RNDN);
    mpfr_div_2ui(pi_half_, pi_half_, 1, MPFR_RNDN);
  }
  ~Oracle() { mpfr_clears(two_over_pi_, pi_half_, u_, r_, d_, static_cast<mpfr_ptr>(nullptr)); }

  // Returns log2 |computed r - exact r| / |exact r| (-inf when exact), or +inf when the
  // quadrant is wrong.
  double check(double x, int32_t q, const double r[2]) {
    mpfr_set_d(u_, x, MPFR_RNDN);
    mpfr_mul(u_, u_, two_over_pi_, MPFR_RNDN);
    mpfr_sub_si(u_, u_, q, MPFR_RNDN);
    // Into (-2, 2]: subtract the nearest multiple of 4.
    mpfr_div_2ui(d_, u_, 2, MPFR_RNDN);
    mpfr_rint(d_, d_, MPFR_RNDN);
    mpfr_mul_2ui(d_, d_, 2, MPFR_RNDN);
    mpfr_sub(u_, u_, d_, MPFR_RNDN);
    if (mpfr_cmpabs(u_, half_plus_) > 0) return INFINITY;
    mpfr_mul(r_, u_, pi_half_, MPFR_RNDN);  // exact r
    if (mpfr_zero_p(r_)) return (r[0] == 0.0 && r[1] == 0.0) ? -INFINITY : INFINITY;
    mpfr_set_d(d_, r[0], MPFR_RNDN);
    mpfr_add_d(d_, d_, r[1], MPFR_RNDN);
    mpfr_sub(d_, d_, r_, MPFR_RNDN);
    if (mpfr_zero_p(d_)) return -INFINITY;
    mpfr_div(d_, d_, r_, MPFR_RNDN);
    long e;
    const double m = mpfr_get_d_2exp(&e, d_, MPFR_RNDN);
    return static_cast<double>(e) + std::log2(std::fabs(m));
  }

 private:
  mpfr_t two_over_pi_, pi_half_, u_, r_, d_;
  struct HalfPlus {
    HalfPlus() { mpfr_init2(v, 64); mpfr_set_d(v, 0.5 + 0x1p-40, MPFR_RNDN); }
    ~HalfPlus() { mpfr_clear(v); }
    operator mpfr_srcptr() const { return v; }
    mpfr_t v;
  } half_plus_;
};

// r as a double-double must be good to well beyond double precision so that the sine of a
// worst-case argument keeps its last bit. Below 2^30 pi/4 is held to about 2^-140 in its
// parts, so n * that error limits r at the closest arguments to about 2^-59 relative (1/64 of
// a double's last place); the large-argument path carries 4/pi far enough for 2^-70.
constexpr double kMaxLog2RelErr = -57.0;
constexpr double kMaxLog2RelErrLarge = -70.0;

double reduce_and_check(Oracle& o, double x, double& worst, double& worst_x) {
  double r[2] = {NAN, NAN};
  const uint64_t b = bits_of(x);
  const int32_t q = _zafreduce_pio2d(static_cast<uint32_t>(b), static_cast<uint32_t>(b >> 32), r);
  EXPECT_GE(q, 0);
  EXPECT_LE(q, 3);
  EXPECT_EQ(r[0] + r[1], r[0]) << "r not normalised for x = " << x;
  double err = o.check(x, q, r);
  // Judge both paths by one number: the large path must meet its own, tighter bound.
  if (std::fabs(x) >= 0x1p30 && err <= kMaxLog2RelErrLarge) err = std::min(err, kMaxLog2RelErr - 1);
  else if (std::fabs(x) >= 0x1p30) err = INFINITY;
  if (err > worst) {
    worst = err;
    worst_x = x;
  }
  return err;
}

TEST(ReducePio2, RandomArgumentsInEveryBinade) {
  Oracle o;
  std::mt19937_64 g(20261206);
  const int per_binade = full_mode() ? 1000 : 24;
  double worst = -INFINITY, worst_x = 0;
  long count = 0;
  for (int b = -20; b <= 1023; ++b) {
    for (int i = 0; i < per_binade; ++i) {
      const uint64_t mant = g() & 0x000FFFFFFFFFFFFFull;
      const uint64_t sign = (g() & 1) ? 0x8000000000000000ull : 0;
      const double x = from_bits(sign | (uint64_t(b + 1023) << 52) | mant);
      reduce_and_check(o, x, worst, worst_x);
      ++count;
    }
  }
  std::printf("    %ld arguments, worst log2 relative error of r %.1f at %.17g\n", count, worst, worst_x);
  EXPECT_LE(worst, kMaxLog2RelErr) << "at x = " << worst_x;
}

TEST(ReducePio2, PathBoundariesAndExtremes) {
  Oracle o;
  double worst = -INFINITY, worst_x = 0;
  // Edges of the four-part, five-part and large-argument paths, binade edges of the piece
  // choice (every exponent, both sides), the extremes of the double range.
  for (int e = -1074; e <= 1023; ++e) {
    const double p = std::ldexp(1.0, e);
    for (double x : {p, std::nextafter(p, 0.0), std::nextafter(p, INFINITY), -p}) {
      if (!std::isfinite(x) || x == 0.0) continue;
      reduce_and_check(o, x, worst, worst_x);
    }
  }
  for (double x : {DBL_MAX, -DBL_MAX, 1e22, 1e300, 0x1p23, 0x1p30, 1.5707963267948966,
                   0.7853981633974483, 0.78539816339744839, 3 * 0.7853981633974483, 5e-324})
    reduce_and_check(o, x, worst, worst_x);
  EXPECT_LE(worst, kMaxLog2RelErr) << "at x = " << worst_x;
  double r[2];
  EXPECT_EQ(_zafreduce_pio2d(0, 0, r), 0);
  EXPECT_EQ(r[0], 0.0);
  EXPECT_EQ(r[1], 0.0);
  EXPECT_FALSE(std::signbit(r[0]));
}

TEST(ReducePio2, ArgumentsClosestToMultiplesOfPiOverTwo) {
  Oracle o;
  double worst = -INFINITY, worst_x = 0;
  int closest = 0;
  for (const WorstCase& w : kWorst) {
    for (double x : {from_bits(w.bits), -from_bits(w.bits)}) reduce_and_check(o, x, worst, worst_x);
    if (w.log2_distance < -60) ++closest;
  }
  std::printf("    %zu cases (%d within 2^-60 of a multiple), worst log2 relative error %.1f at %.17g\n",
              2 * (sizeof kWorst / sizeof kWorst[0]), closest, worst, worst_x);
  EXPECT_GT(closest, 0) << "the search output lost its hardest cases";
  EXPECT_LE(worst, kMaxLog2RelErr) << "at x = " << worst_x;
}

}  // namespace
