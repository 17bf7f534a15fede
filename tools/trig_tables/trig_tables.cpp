// Writes the tables of the trigonometric routines and of the large-argument reduction from
// their definitions, with MPFR at 2000 bits:
//   trig_tables reduction > src/zaf_core/_heap/reduction_tab.inc
//   trig_tables sincos    > src/zaf_core/_heap/sincos_tab.inc
//   trig_tables tan       > src/zaf_core/_heap/tan_tab.inc
// Build: g++ -O1 -o trig_tables tools/trig_tables/trig_tables.cpp -lmpfr -lgmp
#include <mpfr.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include "../_common/mpfr_tools.h"

namespace {

constexpr mpfr_prec_t kPrec = 2000;

uint64_t bits_of(double d) {
  uint64_t u;
  memcpy(&u, &d, 8);
  return u;
}
double from_bits(uint64_t u) {
  double d;
  memcpy(&d, &u, 8);
  return d;
}

// One row: the value as an exact hexadecimal literal, its bits and decimal value in a comment.
void row(const char* what, double d) {
  char lit[40];
  if (__builtin_isinf(d)) snprintf(lit, sizeof lit, "__builtin_inf()");
  else snprintf(lit, sizeof lit, "%a", d);
  printf("    %s,  // %s: 0x%016llX = %.17g\n", lit, what, static_cast<unsigned long long>(bits_of(d)), d);
}
void rowb(const char* what, uint64_t b) { row(what, from_bits(b)); }

using table_tools::split2;

// Checks that parts given by their bits add up to target within 2^-exp_bound, so a typo in
// a bit pattern cannot pass unnoticed.
void check_parts(const char* what, const uint64_t* parts, int count, mpfr_t target, int exp_bound) {
  mpfr_t s;
  mpfr_init2(s, kPrec);
  mpfr_set_ui(s, 0, MPFR_RNDN);
  for (int i = 0; i < count; ++i) mpfr_add_d(s, s, from_bits(parts[i]), MPFR_RNDN);
  mpfr_sub(s, s, target, MPFR_RNDN);
  if (!mpfr_zero_p(s) && mpfr_get_exp(s) > -exp_bound) {
    fprintf(stderr, "trig_tables: %s parts do not sum to their value (error 2^%ld)\n", what,
            static_cast<long>(mpfr_get_exp(s)));
    __builtin_trap();
  }
  mpfr_clear(s);
}

void reduction() {
  mpfr_t pi4, fop, t;
  mpfr_inits2(kPrec, pi4, fop, t, static_cast<mpfr_ptr>(nullptr));
  mpfr_const_pi(pi4, MPFR_RNDN);
  mpfr_div_ui(pi4, pi4, 4, MPFR_RNDN);
  mpfr_ui_div(fop, 1, pi4, MPFR_RNDN);  // 4/pi

  const uint64_t two[2] = {0x3FE921FB40000000ull, 0x3E64442D18469899ull};
  const uint64_t four[4] = {0x3FE921FB54000000ull, 0x3E010B4612000000ull, 0xBC2676733C000000ull,
                            0x3A61701B839A2520ull};
  const uint64_t five[5] = {0x3FE921FA00000000ull, 0x3EA5444300000000ull, 0xBD373DCA00000000ull,
                            0xBBF3B39A00000000ull, 0x3A845C06E0E68948ull};
  check_parts("two-part pi/4", two, 2, pi4, 75);
  check_parts("four-part pi/4", four, 4, pi4, 140);
  check_parts("five-part pi/4", five, 5, pi4, 138);

  printf("// Written by tools/trig_tables (trig_tables reduction); do not edit.\n");
  printf("// The table of the large-argument reduction: 70 doubles.\n");
  printf("alignas(16) const double _zafReductionTab[70] = {\n");
  row("[0] added to the fraction for even n", 0.0);
  row("[1] added to the fraction for odd n", -1.0);
  row("[2] sign factor for x >= 0", 1.0);
  row("[3] sign factor for x < 0", -1.0);
  row("[4] splitting constant 1.5 * 2^26", 100663296.0);
  row("[5] 2^27", 134217728.0);
  rowb("[6] pi/4, high part", two[0]);
  rowb("[7] pi/4, low part", two[1]);
  rowb("[8] 4/pi", 0x3FF45F306DC9C883ull);
  row("[9] 4096", 4096.0);
  for (int i = 0; i < 4; ++i) rowb(i == 0 ? "[10] pi/4 in four parts" : "     ...", four[i]);
  for (int i = 0; i < 5; ++i) rowb(i == 0 ? "[14] pi/4 in five parts" : "     ...", five[i]);
  // The all-ones pattern is a NaN; the reduction reads it only as bits.
  printf("    -__builtin_nan(\"0xFFFFFFFFFFFFF\"),  // [19] all-ones mask (read as bits)\n");
  // Piece k holds the bits of 4/pi of weights 2^(25-25k) ... 2^(1-25k), times 2^200.
  for (int k = 0; k < 50; ++k) {
    mpfr_mul_2si(t, fop, 25 * k - 1, MPFR_RNDN);
    mpfr_floor(t, t);
    mpfr_div_2ui(t, t, 25, MPFR_RNDN);
    mpfr_frac(t, t, MPFR_RNDN);
    mpfr_mul_2ui(t, t, 25, MPFR_RNDN);  // the 25-bit integer P_k
    const double p = mpfr_get_d(t, MPFR_RNDN);
    char what[64];
    snprintf(what, sizeof what, "[%d] 4/pi bits %d..%d, times 2^200", 20 + k, 25 - 25 * k, 1 - 25 * k);
    mpfr_mul_2si(t, t, 201 - 25 * k, MPFR_RNDN);
    const double v = mpfr_get_d(t, MPFR_RNDN);
    if (p >= 33554432.0 || static_cast<double>(static_cast<int64_t>(p)) != p) __builtin_trap();
    row(what, v);
  }
  printf("};\n");
  mpfr_clears(pi4, fop, t, static_cast<mpfr_ptr>(nullptr));
}

// One 64-entry table of four doubles: for sin(a + s) with a = j pi/32 + phase,
// (C_j - B_j, S_j, S_j low, B_j) with S_j = sin(a), C_j = cos(a) and B_j a power of two
// (or 0) near C_j, so that B_j * s is exact and C_j - B_j keeps full precision.
void sincos_table(const char* name, int phase_steps) {
  mpfr_t a, s, c, t;
  mpfr_inits2(kPrec, a, s, c, t, static_cast<mpfr_ptr>(nullptr));
  printf("alignas(16) const double %s[%d] = {\n", name, 64 * 4 + 18);
  for (int j = 0; j < 64; ++j) {
    const int k = (j + phase_steps) % 64;
    double sh, sl, b, d;
    if (k % 32 == 0) {  // sin exactly 0
      sh = sl = 0.0;
    } else {
      mpfr_const_pi(a, MPFR_RNDN);
      mpfr_mul_ui(a, a, k, MPFR_RNDN);
      mpfr_div_ui(a, a, 32, MPFR_RNDN);
      mpfr_sin(s, a, MPFR_RNDN);
      split2(s, sh, sl);
    }
    if (k % 32 == 16) {  // cos exactly 0
      b = d = 0.0;
    } else {
      mpfr_const_pi(a, MPFR_RNDN);
      mpfr_mul_ui(a, a, k, MPFR_RNDN);
      mpfr_div_ui(a, a, 32, MPFR_RNDN);
      mpfr_cos(c, a, MPFR_RNDN);
      long e;
      const double m = mpfr_get_d_2exp(&e, c, MPFR_RNDN);  // |m| in [0.5, 1)
      int ex = static_cast<int>(e) - 1;
      if (m > 0.7071067811865476 || m < -0.7071067811865476) ex += 1;
      b = (m < 0 ? -1.0 : 1.0) * __builtin_ldexp(1.0, ex);
      mpfr_sub_d(t, c, b, MPFR_RNDN);
      d = mpfr_get_d(t, MPFR_RNDN);
    }
    printf("    // j = %d\n", j);
    row("C_j - B_j", d);
    row("S_j", sh);
    row("S_j low", sl);
    row("B_j", b);
  }
  mpfr_const_pi(t, MPFR_RNDN);
  mpfr_ui_div(t, 32, t, MPFR_RNDN);
  printf("    // constants\n");
  rowb("[256] 32/pi", 0x40245F306DC9C883ull);
  rowb("[257] shifter 1.5 * 2^52", 0x4338000000000000ull);
  const uint64_t p32[3] = {0x3FB921FB54400000ull, 0x3D90B4611A600000ull, 0x3B63198A2E037073ull};
  mpfr_const_pi(t, MPFR_RNDN);
  mpfr_div_ui(t, t, 32, MPFR_RNDN);
  check_parts("pi/32", p32, 3, t, 120);
  rowb("[258] pi/32, part 1", p32[0]);
  rowb("[259] pi/32, part 2", p32[1]);
  rowb("[260] pi/32, part 3", p32[2]);
  row("[261] sin coefficient -1/6", -1.0 / 6.0);
  row("[262] sin coefficient 1/120", 1.0 / 120.0);
  row("[263] sin coefficient -1/5040", -1.0 / 5040.0);
  row("[264] sin coefficient 1/362880", 2.7557319223985893e-06);
  row("[265] cos coefficient -1/2", -0.5);
  row("[266] cos coefficient 1/24", 1.0 / 24.0);
  row("[267] cos coefficient -1/720", -1.0 / 720.0);
  row("[268] cos coefficient 1/40320", 2.48015873015873e-05);
  row("[269] 2^55", 36028797018963968.0);
  row("[270] 2^-55", 1.0 / 36028797018963968.0);
  row("[271] 1.0", 1.0);
  row("[272] 0.0", 0.0);
  rowb("[273] +inf", 0x7FF0000000000000ull);
  printf("};\n");
  mpfr_clears(a, s, c, t, static_cast<mpfr_ptr>(nullptr));
}

void sincos() {
  printf("// Written by tools/trig_tables (trig_tables sincos); do not edit.\n");
  printf("// 64 entries (C_j - B_j, S_j, S_j low, B_j) for j pi/32, then the constants.\n");
  sincos_table("_dSinTab", 0);
  // cos(j pi/32 + s) = sin((j + 16) pi/32 + s): the cosine table is the sine table turned
  // by a quarter period, so the same evaluation serves both.
  sincos_table("_dCosTab", 16);
  sincos_table("_dSinCosTab", 0);
}


// _dTanTab: tan on |r| <= pi/4 in 51 intervals of width 1/64. Interval i is centred at
// c_0 = 0 and c_i = (i + 0.5) / 64, short values so that h = |r| - c_i is exact; its block of
// twenty doubles holds c_i, the Taylor coefficients a_0 and a_1 of tan(c_i + h) as high and
// low parts, and a_2 ... a_16. Since tan' = 1 + tan^2, (k + 1) a_(k+1) = [k = 0] +
// sum a_m a_(k-m), so every coefficient follows from tan(c_i) alone. With |h| <= 1/64 the
// terms fall by about 2^-6 each, and the tail beyond a_16 is far below 2^-70.
void tan_table() {
  constexpr int kIntervals = 51, kTerms = 17;
  mpfr_t c, a[kTerms], t;
  mpfr_inits2(kPrec, c, t, static_cast<mpfr_ptr>(nullptr));
  for (auto& x : a) mpfr_init2(x, kPrec);
  printf("// Written by tools/trig_tables (trig_tables tan); do not edit.\n");
  printf("// 51 blocks (c_i, a_0 high, a_0 low, a_1 high, a_1 low, a_2 ... a_16): tan(c_i + h) =\n");
  printf("// sum a_k h^k on interval i of |r| <= pi/4, c_0 = 0 and c_i = (i + 0.5) / 64.\n");
  printf("alignas(16) const double _dTanTab[%d] = {\n", kIntervals * 20);
  for (int i = 0; i < kIntervals; ++i) {
    const double ci = i == 0 ? 0.0 : (i + 0.5) / 64.0;
    mpfr_set_d(c, ci, MPFR_RNDN);
    mpfr_tan(a[0], c, MPFR_RNDN);
    for (int k = 0; k + 1 < kTerms; ++k) {
      mpfr_set_ui(t, k == 0 ? 1 : 0, MPFR_RNDN);
      for (int m = 0; m <= k; ++m) {
        mpfr_t p;
        mpfr_init2(p, kPrec);
        mpfr_mul(p, a[m], a[k - m], MPFR_RNDN);
        mpfr_add(t, t, p, MPFR_RNDN);
        mpfr_clear(p);
      }
      mpfr_div_ui(a[k + 1], t, k + 1, MPFR_RNDN);
    }
    printf("    // interval %d\n", i);
    row("c_i", ci);
    double hi, lo;
    split2(a[0], hi, lo);
    row("a_0 high", hi);
    row("a_0 low", lo);
    split2(a[1], hi, lo);
    row("a_1 high", hi);
    row("a_1 low", lo);
    for (int k = 2; k < kTerms; ++k) {
      char what[16];
      snprintf(what, sizeof what, "a_%d", k);
      row(what, mpfr_get_d(a[k], MPFR_RNDN));
    }
  }
  printf("};\n");
  for (auto& x : a) mpfr_clear(x);
  mpfr_clears(c, t, static_cast<mpfr_ptr>(nullptr));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: trig_tables reduction|sincos|tan\n");
    return 2;
  }
  if (!strcmp(argv[1], "reduction")) reduction();
  else if (!strcmp(argv[1], "sincos")) sincos();
  else if (!strcmp(argv[1], "tan")) tan_table();
  else {
    fprintf(stderr, "trig_tables: unknown table %s\n", argv[1]);
    return 2;
  }
  return 0;
}
