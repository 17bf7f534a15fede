// What the C++ table generators in tools/ share: an MPFR value that frees itself, the ways a
// high-precision value becomes the doubles a kernel stores (rounded once, cut to a grid or to
// a number of bits, split into a high part and the rest), text building, and the main that
// writes each rendered table under the repository root.
//
// Header-only, so that a generator stays one command to build
// (g++ -O1 -std=c++17 tools/<tool>/<tool>.cpp -lmpfr -lgmp) and a unit test can include the
// generator's source to render its tables again.
#ifndef ZAFORQ_TOOLS_COMMON_MPFR_TOOLS_H
#define ZAFORQ_TOOLS_COMMON_MPFR_TOOLS_H

#include <mpfr.h>
#include <stdarg.h>
#include <stdio.h>

#include <string>

namespace table_tools {

// Working precision of the table generators: far beyond the 2 x 53 bits a stored pair holds,
// so every stored value is the exact one rounded once.
constexpr mpfr_prec_t kPrec = 256;

struct Mp {
  mpfr_t v;
  Mp() { mpfr_init2(v, kPrec); mpfr_set_ui(v, 0, MPFR_RNDN); }
  explicit Mp(double d) { mpfr_init2(v, kPrec); mpfr_set_d(v, d, MPFR_RNDN); }
  Mp(const Mp& o) { mpfr_init2(v, kPrec); mpfr_set(v, o.v, MPFR_RNDN); }
  Mp& operator=(const Mp& o) { mpfr_set(v, o.v, MPFR_RNDN); return *this; }
  ~Mp() { mpfr_clear(v); }
};

inline void appendf(std::string& s, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
inline void appendf(std::string& s, const char* fmt, ...) {
  char buf[512];
  va_list ap;
  va_start(ap, fmt);
  vsnprintf(buf, sizeof buf, fmt, ap);
  va_end(ap);
  s += buf;
}

// Exact hexadecimal literals of a double and of a float.
inline const char* hex(char* buf, double x) { snprintf(buf, 40, "%a", x); return buf; }
inline const char* hexf(char* buf, float x) { snprintf(buf, 40, "%af", static_cast<double>(x)); return buf; }

// v rounded to the nearest multiple of 2^-g (ties to even): a high part on that grid makes
// the kernel's sums with other grid values exact.
inline double to_grid(const Mp& v, int g) {
  Mp t;
  mpfr_mul_2si(t.v, v.v, g, MPFR_RNDN);
  mpfr_rint(t.v, t.v, MPFR_RNDN);
  mpfr_div_2si(t.v, t.v, g, MPFR_RNDN);
  return mpfr_get_d(t.v, MPFR_RNDN);
}

// v rounded to `bits` significant bits, so that its products with short values are exact.
inline double to_bits(const Mp& v, int bits) {
  mpfr_t t;
  mpfr_init2(t, bits);
  mpfr_set(t, v.v, MPFR_RNDN);
  const double d = mpfr_get_d(t, MPFR_RNDN);
  mpfr_clear(t);
  return d;
}

// The rest v - hi, computed at v's precision and rounded once to double (or float): the low
// part of a pair whose high part the caller chose.
inline double rest(mpfr_srcptr v, double hi) {
  mpfr_t t;
  mpfr_init2(t, mpfr_get_prec(v));
  mpfr_sub_d(t, v, hi, MPFR_RNDN);
  const double d = mpfr_get_d(t, MPFR_RNDN);
  mpfr_clear(t);
  return d;
}
inline double rest(const Mp& v, double hi) { return rest(v.v, hi); }
inline float rest_f(const Mp& v, double hi) {
  Mp t;
  mpfr_sub_d(t.v, v.v, hi, MPFR_RNDN);
  return mpfr_get_flt(t.v, MPFR_RNDN);
}

// v as the double nearest to it and the double nearest to what is left.
inline void split2(mpfr_srcptr v, double& hi, double& lo) {
  hi = mpfr_get_d(v, MPFR_RNDN);
  lo = rest(v, hi);
}

// A generated file: where it lives below the repository root and how its text is made.
struct Output {
  const char* path;
  std::string (*render)();
};

// The main of a generator: writes every output below the root given as the first argument
// (default: the current directory).
template <size_t N>
int write_outputs(int argc, char** argv, const Output (&outputs)[N]) {
  const std::string root = argc > 1 ? argv[1] : ".";
  for (const auto& o : outputs) {
    const std::string path = root + "/" + o.path;
    FILE* fp = fopen(path.c_str(), "w");
    if (!fp) {
      fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
    const std::string text = o.render();
    fwrite(text.data(), 1, text.size(), fp);
    if (fclose(fp) != 0) return 1;
    printf("wrote %s\n", path.c_str());
  }
  return 0;
}

}  // namespace table_tools

#endif  // ZAFORQ_TOOLS_COMMON_MPFR_TOOLS_H
