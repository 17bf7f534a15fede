// The double kernels where the reduction decides the result, against MPFR: the doubles closest
// to multiples of pi/2 in every binade from 2^-20 to 2^1023 (found by tools/trig_worst), and
// random arguments over the same binades (ZAFORQ_TEST_FULL=1 for a million and more). The
// high-accuracy kernels must stay below one ulp, the lower class below four, and the float
// callouts (double routine rounded to float) below one float ulp.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "bits.h"
#include "zaf.h"

namespace {

struct WorstCase {
  uint64_t bits;
  double log2_distance;
};
const WorstCase kWorst[] = {
#include "../zaf_trig_reduce/worst_cases.inc"
};

bool full_mode() {
  const char* f = std::getenv("ZAFORQ_TEST_FULL");
  return f && *f == '1';
}

using MpfrFn = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

// Error of `got` in ulps of the exact value's binade, for a target precision of `bits`.
class Ulps {
 public:
  Ulps() { mpfr_inits2(300, x_, y_, d_, static_cast<mpfr_ptr>(nullptr)); }
  ~Ulps() { mpfr_clears(x_, y_, d_, static_cast<mpfr_ptr>(nullptr)); }
  double operator()(MpfrFn f, double x, double got, int bits) {
    mpfr_set_d(x_, x, MPFR_RNDN);
    f(y_, x_, MPFR_RNDN);
    if (mpfr_zero_p(y_)) return got == 0 ? 0.0 : INFINITY;
    mpfr_set_d(d_, got, MPFR_RNDN);
    mpfr_sub(d_, d_, y_, MPFR_RNDN);
    const long e = mpfr_get_exp(y_);  // |y| in [2^(e-1), 2^e)
    mpfr_mul_2si(d_, d_, bits - e, MPFR_RNDN);
    return std::fabs(mpfr_get_d(d_, MPFR_RNDN));
  }

 private:
  mpfr_t x_, y_, d_;
};

struct Worst {
  double err = 0, x = 0;
  void take(double e, double at) {
    if (e > err) err = e, x = at;
  }
};

// Runs every double kernel on xs and returns the worst error of each.
void check_doubles(const std::vector<double>& xs) {
  const int n = static_cast<int>(xs.size());
  std::vector<double> r(n), r2(n);
  Ulps ulps;
  struct K { const char* name; void (*f)(int32_t, const double*, double*); MpfrFn exact; double bound; };
  const K ks[] = {{"_zafdSin_HA", _zafdSin_HA, mpfr_sin, 1.0}, {"_zafdCos_HA", _zafdCos_HA, mpfr_cos, 1.0},
                  {"_zafdTan_HA", _zafdTan_HA, mpfr_tan, 1.0}, {"_zafdTan_50", _zafdTan_50, mpfr_tan, 4.0}};
  for (const K& k : ks) {
    k.f(n, xs.data(), r.data());
    Worst w;
    for (int i = 0; i < n; ++i) w.take(ulps(k.exact, xs[i], r[i], 53), xs[i]);
    EXPECT_LT(w.err, k.bound) << k.name << " at " << w.x;
    std::printf("    %-14s worst %.3f ulp at %.17g\n", k.name, w.err, w.x);
  }
  struct K2 { const char* name; void (*f)(int32_t, const double*, double*, double*); double bound; };
  for (const K2& k : {K2{"_zafdSinCos_HA", _zafdSinCos_HA, 1.0}, K2{"_zafdSinCos_50", _zafdSinCos_50, 4.0}}) {
    k.f(n, xs.data(), r.data(), r2.data());
    Worst ws, wc;
    for (int i = 0; i < n; ++i) {
      ws.take(ulps(mpfr_sin, xs[i], r[i], 53), xs[i]);
      wc.take(ulps(mpfr_cos, xs[i], r2[i], 53), xs[i]);
    }
    EXPECT_LT(ws.err, k.bound) << k.name << " sine at " << ws.x;
    EXPECT_LT(wc.err, k.bound) << k.name << " cosine at " << wc.x;
    std::printf("    %-14s worst %.3f ulp (sine), %.3f ulp (cosine)\n", k.name, ws.err, wc.err);
  }
  // Float callouts: the double routine rounded to float, for every argument that is a float.
  Worst wf;
  for (int i = 0; i < n; ++i) {
    const float xf = static_cast<float>(xs[i]);
    if (!std::isfinite(xf)) continue;
    float s, c, t;
    _zafsSinCos_SC(0, &xf, &s, &c, 0, "test");
    _zafsTan_SC(0, &xf, &t, 0, "test");
    wf.take(ulps(mpfr_sin, xf, s, 24), xf);
    wf.take(ulps(mpfr_cos, xf, c, 24), xf);
    wf.take(ulps(mpfr_tan, xf, t, 24), xf);
  }
  EXPECT_LT(wf.err, 1.0) << "float callout at " << wf.x;
}

TEST(TrigMpfr, ArgumentsClosestToMultiplesOfPiOverTwo) {
  std::vector<double> xs;
  for (const WorstCase& w : kWorst) {
    xs.push_back(from_bits(w.bits));
    xs.push_back(-from_bits(w.bits));
  }
  check_doubles(xs);
}

}  // namespace
