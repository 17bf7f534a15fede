// Searches, binade by binade, for the doubles closest to a multiple of pi/2: the arguments
// whose reduction cancels the most bits. For x = M 2^e (2^52 <= M < 2^53) the distance is
// |M a - k| pi/2 with a = 2^e 2/pi; the best M come from the continued fraction of a mod 1
// (convergent and intermediate denominators, and their multiples that fall in the binade).
//   trig_worst [lo_exp hi_exp] > tests/unit/zaf_trig_reduce/worst_cases.inc
// Build: g++ -O1 -o trig_worst tools/trig_worst/trig_worst.cpp -lmpfr -lgmp
#include <mpfr.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

constexpr mpfr_prec_t kPrec = 2400;
constexpr uint64_t kLo = uint64_t(1) << 52, kHi = uint64_t(1) << 53;

// log2 of the distance of M 2^e to the nearest multiple of pi/2, in units of pi/2.
double log2_distance(mpfr_t a, uint64_t M) {
  mpfr_t t;
  mpfr_init2(t, kPrec);
  mpfr_mul_ui(t, a, static_cast<unsigned long>(M), MPFR_RNDN);  // M * (a mod 1), mod 1 is what counts
  mpfr_frac(t, t, MPFR_RNDN);
  if (mpfr_cmp_d(t, 0.5) > 0) mpfr_ui_sub(t, 1, t, MPFR_RNDN);
  double r = mpfr_zero_p(t) ? -2000.0 : mpfr_get_d(t, MPFR_RNDN);
  if (r > 0) {
    long ex;
    double m = mpfr_get_d_2exp(&ex, t, MPFR_RNDN);
    r = static_cast<double>(ex) + __builtin_log2(m);
  }
  mpfr_clear(t);
  return r;
}

struct Best {
  uint64_t M;
  double d;
};

void consider(mpfr_t a, uint64_t M, Best* best, int nbest) {
  if (M < kLo || M >= kHi) return;
  for (int i = 0; i < nbest; ++i)
    if (best[i].M == M) return;
  const double d = log2_distance(a, M);
  int w = 0;
  for (int i = 1; i < nbest; ++i)
    if (best[i].d > best[w].d) w = i;
  if (d < best[w].d) best[w] = {M, d};
}

}  // namespace

int main(int argc, char** argv) {
  int lo_exp = -20, hi_exp = 1023;
  if (argc == 3) {
    lo_exp = atoi(argv[1]);
    hi_exp = atoi(argv[2]);
  }
  mpfr_t tpi, a, x, t;
  mpfr_inits2(kPrec, tpi, a, x, t, static_cast<mpfr_ptr>(nullptr));
  mpfr_const_pi(tpi, MPFR_RNDN);
  mpfr_ui_div(tpi, 2, tpi, MPFR_RNDN);
  printf("// Written by tools/trig_worst (trig_worst %d %d); do not edit.\n", lo_exp, hi_exp);
  printf("// Per binade 2^b (b = %d..%d) the doubles found closest to a multiple of pi/2, with\n", lo_exp, hi_exp);
  printf("// log2 of their distance to it in units of pi/2: {bits, log2 distance}.\n");
  for (int b = lo_exp; b <= hi_exp; ++b) {
    const int e = b - 52;
    mpfr_mul_2si(a, tpi, e, MPFR_RNDN);
    mpfr_frac(a, a, MPFR_RNDN);
    // Continued fraction of a: denominators q_{i-1}, q_i.
    Best best[3] = {{0, 1e9}, {0, 1e9}, {0, 1e9}};
    uint64_t q0 = 0, q1 = 1;  // q_{-1}, q_0
    mpfr_set(x, a, MPFR_RNDN);
    for (int it = 0; it < 200; ++it) {
      if (mpfr_zero_p(x)) break;
      mpfr_ui_div(x, 1, x, MPFR_RNDN);
      mpfr_floor(t, x);
      const double cd = mpfr_get_d(t, MPFR_RNDN);
      mpfr_sub(x, x, t, MPFR_RNDN);
      if (cd > 1e17) break;
      const uint64_t c = static_cast<uint64_t>(cd);
      // Intermediate denominators q0 + j q1 (j = 1..c); the last is the next convergent.
      bool beyond = false;
      for (uint64_t j = (c > 64 ? c - 64 : 1); j <= c; ++j) {
        const unsigned __int128 q = (unsigned __int128)q0 + (unsigned __int128)j * q1;
        if (q >= kHi) { beyond = true; break; }
        const uint64_t qq = static_cast<uint64_t>(q);
        // Multiples of a small denominator that land in the binade.
        for (uint64_t m = kLo / qq; m <= kHi / qq + 1 && m <= kLo / qq + 4; ++m) consider(a, m * qq, best, 3);
        for (uint64_t m = kHi / qq; m + 4 >= kHi / qq && m > 0; --m) consider(a, m * qq, best, 3);
      }
      if (beyond) break;
      const uint64_t q2 = q0 + c * q1;
      q0 = q1;
      q1 = q2;
    }
    for (const Best& bb : best) {
      if (!bb.M) continue;
      mpfr_set_ui(t, static_cast<unsigned long>(bb.M), MPFR_RNDN);
      mpfr_mul_2si(t, t, e, MPFR_RNDN);
      const double xd = mpfr_get_d(t, MPFR_RNDN);
      uint64_t u;
      memcpy(&u, &xd, 8);
      printf("    {0x%016llXull, %.2f},  // %.17g\n", static_cast<unsigned long long>(u), bb.d, xd);
    }
  }
  mpfr_clears(tpi, a, x, t, static_cast<mpfr_ptr>(nullptr));
  return 0;
}
