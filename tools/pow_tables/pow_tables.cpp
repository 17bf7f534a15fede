// Writes the checked-in tables and polynomial coefficients of the power kernels from their
// definitions, evaluated in MPFR at 256 bits and rounded once.
//
//   build: g++ -O1 -std=c++17 tools/pow_tables/pow_tables.cpp -lmpfr -lgmp -o pow_tables
//   run:   ./pow_tables <repository root>
//
// The polynomials interpolate their function at the Chebyshev nodes of the interval the
// reduced argument lives in (close to the minimax polynomial of the same degree); the printed
// comment gives the largest error found on a fine grid, so a change of interval or degree shows
// its effect in the diff. The unit test test_zaf_pow_mpfr compiles this file with
// POW_TABLES_NO_MAIN, renders everything again and compares it with the checked-in file.
#include <stdint.h>
#include <string.h>

#include <string>
#include <vector>

#include "../_common/mpfr_tools.h"

namespace pow_tables {

using namespace table_tools;

// ---- polynomial fitting ---------------------------------------------------------------------
using Fn = void (*)(Mp& out, const Mp& r);

// Coefficients c_0..c_deg of the polynomial that interpolates g at deg + 1 Chebyshev nodes of
// [-h, h] (Gaussian elimination on the Vandermonde system, in 256-bit arithmetic).
inline std::vector<Mp> cheb_fit(Fn g, double h, int deg) {
  const int n = deg + 1;
  std::vector<std::vector<Mp>> a(n, std::vector<Mp>(n + 1));
  Mp pi;
  mpfr_const_pi(pi.v, MPFR_RNDN);
  for (int i = 0; i < n; ++i) {
    Mp x;  // h cos((2i + 1) pi / (2n))
    mpfr_mul_si(x.v, pi.v, 2 * i + 1, MPFR_RNDN);
    mpfr_div_si(x.v, x.v, 2 * n, MPFR_RNDN);
    mpfr_cos(x.v, x.v, MPFR_RNDN);
    mpfr_mul_d(x.v, x.v, h, MPFR_RNDN);
    Mp p(1.0);
    for (int k = 0; k < n; ++k) {
      a[i][k] = p;
      mpfr_mul(p.v, p.v, x.v, MPFR_RNDN);
    }
    g(a[i][n], x);
  }
  for (int c = 0; c < n; ++c) {
    int piv = c;
    for (int i = c + 1; i < n; ++i)
      if (mpfr_cmpabs(a[i][c].v, a[piv][c].v) > 0) piv = i;
    std::swap(a[c], a[piv]);
    for (int i = 0; i < n; ++i) {
      if (i == c) continue;
      Mp f;
      mpfr_div(f.v, a[i][c].v, a[c][c].v, MPFR_RNDN);
      for (int k = c; k <= n; ++k) {
        Mp t;
        mpfr_mul(t.v, f.v, a[c][k].v, MPFR_RNDN);
        mpfr_sub(a[i][k].v, a[i][k].v, t.v, MPFR_RNDN);
      }
    }
  }
  std::vector<Mp> c(n);
  for (int i = 0; i < n; ++i) mpfr_div(c[i].v, a[i][n].v, a[i][i].v, MPFR_RNDN);
  return c;
}

// Largest |f(r) - model(r)| / |scale(r)| over a grid of [-h, h], with the coefficients rounded
// to double as the kernel stores them.
using Model = void (*)(Mp& out, const Mp& r, const std::vector<double>& c);
inline double max_error(Fn f, Model m, Fn scale, const std::vector<double>& c, double h) {
  Mp worst;
  const int steps = 2000;
  for (int i = -steps; i <= steps; ++i) {
    if (i == 0) continue;
    Mp r(h * i / steps), fv, mv, sv, d;
    f(fv, r);
    m(mv, r, c);
    scale(sv, r);
    mpfr_sub(d.v, fv.v, mv.v, MPFR_RNDN);
    mpfr_div(d.v, d.v, sv.v, MPFR_RNDN);
    mpfr_abs(d.v, d.v, MPFR_RNDN);
    if (mpfr_cmp(d.v, worst.v) > 0) worst = d;
  }
  return mpfr_get_d(worst.v, MPFR_RNDN);
}

inline std::vector<double> rounded(const std::vector<Mp>& c) {
  std::vector<double> d;
  for (const Mp& m : c) d.push_back(mpfr_get_d(m.v, MPFR_RNDN));
  return d;
}

// Horner evaluation of sum c_k r^k in 256 bits (the coefficients as stored).
inline void horner(Mp& out, const Mp& r, const std::vector<double>& c, size_t first) {
  mpfr_set_d(out.v, c.back(), MPFR_RNDN);
  for (size_t k = c.size() - 1; k-- > first;) {
    mpfr_mul(out.v, out.v, r.v, MPFR_RNDN);
    mpfr_add_d(out.v, out.v, c[k], MPFR_RNDN);
  }
}

// ln(1 + r) = r - r^2/2 + r^3 q(r): the double kernels fit q and keep the first two terms exact.
inline void ln1p_f(Mp& out, const Mp& r) { mpfr_log1p(out.v, r.v, MPFR_RNDN); }
inline void ln_tail(Mp& out, const Mp& r) {
  Mp t, r2;
  mpfr_log1p(out.v, r.v, MPFR_RNDN);
  mpfr_sub(out.v, out.v, r.v, MPFR_RNDN);
  mpfr_sqr(r2.v, r.v, MPFR_RNDN);
  mpfr_div_2ui(t.v, r2.v, 1, MPFR_RNDN);
  mpfr_add(out.v, out.v, t.v, MPFR_RNDN);
  mpfr_mul(r2.v, r2.v, r.v, MPFR_RNDN);
  mpfr_div(out.v, out.v, r2.v, MPFR_RNDN);
}
inline void ln_model(Mp& out, const Mp& r, const std::vector<double>& c) {
  Mp q, r2, t;
  horner(q, r, c, 0);
  mpfr_sqr(r2.v, r.v, MPFR_RNDN);
  mpfr_mul(q.v, q.v, r2.v, MPFR_RNDN);
  mpfr_mul(q.v, q.v, r.v, MPFR_RNDN);
  mpfr_div_2ui(t.v, r2.v, 1, MPFR_RNDN);
  mpfr_sub(out.v, r.v, t.v, MPFR_RNDN);
  mpfr_add(out.v, out.v, q.v, MPFR_RNDN);
}
// 2^t = 1 + t p(t): fit p(t) = (2^t - 1)/t.
inline void exp2m1_f(Mp& out, const Mp& t) {  // as expm1(t ln 2): no cancellation near 0
  mpfr_const_log2(out.v, MPFR_RNDN);
  mpfr_mul(out.v, out.v, t.v, MPFR_RNDN);
  mpfr_expm1(out.v, out.v, MPFR_RNDN);
}
inline void exp2_over(Mp& out, const Mp& t) {
  exp2m1_f(out, t);
  mpfr_div(out.v, out.v, t.v, MPFR_RNDN);
}
inline void exp2_f(Mp& out, const Mp& t) { mpfr_exp2(out.v, t.v, MPFR_RNDN); }
inline void exp2_model(Mp& out, const Mp& t, const std::vector<double>& c) {
  horner(out, t, c, 0);
  mpfr_mul(out.v, out.v, t.v, MPFR_RNDN);
  mpfr_add_ui(out.v, out.v, 1, MPFR_RNDN);
}
// log2(1 + r) = r p(r): fit p(r) = log2(1 + r)/r (float kernels).
inline void log2p1_f(Mp& out, const Mp& r) {
  Mp two(2.0);
  mpfr_log1p(out.v, r.v, MPFR_RNDN);
  mpfr_log(two.v, two.v, MPFR_RNDN);
  mpfr_div(out.v, out.v, two.v, MPFR_RNDN);
}
inline void log2_over(Mp& out, const Mp& r) {
  log2p1_f(out, r);
  mpfr_div(out.v, out.v, r.v, MPFR_RNDN);
}
inline void log2_model(Mp& out, const Mp& r, const std::vector<double>& c) {
  horner(out, r, c, 0);
  mpfr_mul(out.v, out.v, r.v, MPFR_RNDN);
}
inline void ident(Mp& out, const Mp& r) { mpfr_set(out.v, r.v, MPFR_RNDN); }
inline void one(Mp& out, const Mp&) { mpfr_set_ui(out.v, 1, MPFR_RNDN); }

inline void coefficients(std::string& s, const char* name, const std::vector<double>& c, const char* what,
                         double err) {
  char a[40];
  appendf(s, "// %s; largest error %.3g.\n", what, err);
  appendf(s, "static const double %s[%zu] = {", name, c.size());
  for (size_t k = 0; k < c.size(); ++k) appendf(s, "%s%s", k ? ", " : "", hex(a, c[k]));
  s += "};\n\n";
}

// ---- tables -----------------------------------------------------------------------------
// Logarithm tables of the double kernels over the mantissa m in [1, 2) in steps of 1/n:
// (rcp_j, L high, L low, 0). rcp_j is 1/(1 + j/n) rounded to 26 significant bits, so that the
// kernel's 26-bit and 27-bit parts of m times rcp_j are exact. L_j = -log2(rcp_j), less 1 from
// j = n/2 on (those mantissas count to the next exponent); L high lies on the grid 2^-42, so
// that the exponent (at most 11 bits) plus L high is exact.
inline void log_table(std::string& s, const char* name, int n) {
  char a[40], b[40], c[40];
  appendf(s, "alignas(16) static const double %s[%d][4] = {\n", name, n + 1);
  for (int j = 0; j <= n; ++j) {
    Mp x;
    mpfr_set_si(x.v, n, MPFR_RNDN);
    mpfr_div_si(x.v, x.v, n + j, MPFR_RNDN);
    const double rcp = to_bits(x, 26);
    Mp r(rcp), L;
    mpfr_log2(L.v, r.v, MPFR_RNDN);
    mpfr_neg(L.v, L.v, MPFR_RNDN);
    if (2 * j >= n) mpfr_sub_ui(L.v, L.v, 1, MPFR_RNDN);
    const double hi = to_grid(L, 42);
    appendf(s, "    {%s, %s, %s, 0x0p+0},\n", hex(a, rcp), hex(b, hi), hex(c, rest(L, hi)));
  }
  s += "};\n\n";
}

inline std::string render() {
  std::string s;
  char a[40], b[40];
  s += "// Generated by tools/pow_tables/pow_tables.cpp; do not edit.\n\n";
  s += "// log2 of x = 2^e m for the double high-accuracy kernels (1025 entries).\n";
  log_table(s, "kPowLogHA", 1024);
  s += "// log2 of x = 2^e m for the double lower-accuracy kernels (65 entries).\n";
  log_table(s, "kPowLog50", 64);

  s += "// 2^(j/128) = high + low; high is the double nearest to it.\n";
  s += "alignas(16) static const double kPowExp128[128][2] = {\n";
  for (int j = 0; j < 128; ++j) {
    Mp v;
    mpfr_set_si(v.v, j, MPFR_RNDN);
    mpfr_div_si(v.v, v.v, 128, MPFR_RNDN);
    mpfr_exp2(v.v, v.v, MPFR_RNDN);
    const double hi = mpfr_get_d(v.v, MPFR_RNDN);
    appendf(s, "    {%s, %s},\n", hex(a, hi), hex(b, rest(v, hi)));
  }
  s += "};\n\n";

  s += "// Float kernels, computed in double: (log2(1 + j/256), 1/(1 + j/256)).\n";
  s += "alignas(16) static const double kSPowLog[257][2] = {\n";
  for (int j = 0; j <= 256; ++j) {
    Mp x, L, r;
    mpfr_set_si(x.v, 256 + j, MPFR_RNDN);
    mpfr_div_si(x.v, x.v, 256, MPFR_RNDN);
    mpfr_log2(L.v, x.v, MPFR_RNDN);
    mpfr_ui_div(r.v, 1, x.v, MPFR_RNDN);
    appendf(s, "    {%s, %s},\n", hex(a, mpfr_get_d(L.v, MPFR_RNDN)), hex(b, mpfr_get_d(r.v, MPFR_RNDN)));
  }
  s += "};\n\n";

  // Reduced-argument bounds: |r| <= 1/(2n) plus the rounding of rcp_j; |t| <= 1/256 plus the
  // low part of the product.
  const double h_ha = 0x1.01p-11, h_50 = 0x1.01p-7, h_t = 0x1.01p-8, h_f = 0x1.01p-9;
  std::vector<double> c;
  c = rounded(cheb_fit(ln_tail, h_ha, 5));
  coefficients(s, "kPowLnTailHA", c, "ln(1 + r) = r - r^2/2 + r^3 (c0 + ... + c5 r^5), |r| <= 2^-11, relative",
               max_error(ln1p_f, ln_model, ln1p_f, c, h_ha));
  c = rounded(cheb_fit(ln_tail, h_50, 5));
  coefficients(s, "kPowLnTail50", c, "ln(1 + r) = r - r^2/2 + r^3 (c0 + ... + c5 r^5), |r| <= 2^-7, relative",
               max_error(ln1p_f, ln_model, ln1p_f, c, h_50));
  c = rounded(cheb_fit(exp2_over, h_t, 4));
  coefficients(s, "kPowExpHA", c, "2^t = 1 + t (c0 + ... + c4 t^4), |t| <= 2^-8, relative",
               max_error(exp2_f, exp2_model, exp2_f, c, h_t));
  c = rounded(cheb_fit(exp2_over, h_t, 3));
  coefficients(s, "kPowExp50", c, "2^t = 1 + t (c0 + ... + c3 t^3), |t| <= 2^-8, relative",
               max_error(exp2_f, exp2_model, exp2_f, c, h_t));
  c = rounded(cheb_fit(log2_over, h_f, 3));
  coefficients(s, "kSPowLog2", c, "log2(1 + r) = r (c0 + ... + c3 r^3), |r| <= 2^-9, absolute",
               max_error(log2p1_f, log2_model, one, c, h_f));
  c = rounded(cheb_fit(exp2_over, h_t, 2));
  coefficients(s, "kSPowExp2", c, "2^t = 1 + t (c0 + c1 t + c2 t^2), |t| <= 2^-8, relative",
               max_error(exp2_f, exp2_model, exp2_f, c, h_t));
  (void)ident;

  Mp il;  // 1/ln 2 = high + low
  mpfr_const_log2(il.v, MPFR_RNDN);
  mpfr_ui_div(il.v, 1, il.v, MPFR_RNDN);
  const double il_hi = mpfr_get_d(il.v, MPFR_RNDN);
  s += "// 1/ln 2 = high + low.\n";
  appendf(s, "static const double kInvLn2[2] = {%s, %s};\n", hex(a, il_hi), hex(b, rest(il, il_hi)));
  return s;
}

static const Output kOutputs[] = {
    {"src/zaf_core/pow/pow_tables.inc", render},
};

}  // namespace pow_tables

#ifndef POW_TABLES_NO_MAIN
int main(int argc, char** argv) { return table_tools::write_outputs(argc, argv, pow_tables::kOutputs); }
#endif
