// Roots, reciprocals and division, against MPFR.
#include <math.h>

#include "harness.h"
#include "zaf.h"

namespace {

using acc::Class;
using acc::Prec;
using acc::Shape;

// The exact functions, with the catalogue's sign conventions where MPFR's differ: 1/sqrt(-0)
// is -inf here (MPFR gives +inf).
int ex_inv(mpfr_ptr r, mpfr_srcptr x, mpfr_rnd_t rnd) { return mpfr_ui_div(r, 1, x, rnd); }
int ex_invsqrt(mpfr_ptr r, mpfr_srcptr x, mpfr_rnd_t rnd) {
  if (mpfr_zero_p(x)) {
    mpfr_set_inf(r, mpfr_signbit(x) ? -1 : 1);
    return 0;
  }
  return mpfr_rec_sqrt(r, x, rnd);
}
int ex_invcbrt(mpfr_ptr r, mpfr_srcptr x, mpfr_rnd_t rnd) {
  mpfr_t t;
  mpfr_init2(t, mpfr_get_prec(r) + 64);
  mpfr_cbrt(t, x, MPFR_RNDN);
  const int i = mpfr_ui_div(r, 1, t, rnd);
  mpfr_clear(t);
  return i;
}

int st_sqrt(double a, double) { return a < 0 ? ZAF_STATUS_ERRDOM : 0; }
int st_invsqrt(double a, double) { return a == 0 ? ZAF_STATUS_SING : a < 0 ? ZAF_STATUS_ERRDOM : 0; }
int st_pole(double a, double) { return a == 0 ? ZAF_STATUS_SING : 0; }
int st_div(double, double b) { return b == 0 ? ZAF_STATUS_SING : 0; }

const double kInf = INFINITY;
const double kNaN = NAN;

// Whole ranges of each format, both signs, denormals included.
const std::vector<acc::Range> kAllD = {{4.9406564584124654e-324, 1.7976931348623157e308}};
const std::vector<acc::Range> kAllF = {{1.4012984643248171e-45, 3.4028234663852886e38}};
// Division also near 1, where the group's product stays in range and the fast path is taken.
const std::vector<acc::Range> kDivD = {{4.9406564584124654e-324, 1.7976931348623157e308}, {0.01, 100}};
const std::vector<acc::Range> kDivF = {{1.4012984643248171e-45, 3.4028234663852886e38}, {0.01, 100}};

std::vector<acc::Special> specials_d() {
  return {{0.0, 0},   {-0.0, 0},  {kInf, 0},   {-kInf, 0},  {kNaN, 0},
          {-1.0, 0},  {1.0, 0},   {4.0, 0},    {-8.0, 0},   {8.0, 0},
          {3.0, 0},   {0x1p-1074, 0}, {0x1p-1022, 0}, {0x0.fffffffffffffp-1022, 0},
          {1.7976931348623157e308, 0}, {0x1p-1000, 0}, {0x1p1000, 0}, {2.0, 0}};
}
std::vector<acc::Special> specials_f() {
  return {{0.0, 0},   {-0.0, 0},  {kInf, 0},   {-kInf, 0},  {kNaN, 0},
          {-1.0, 0},  {1.0, 0},   {4.0, 0},    {-8.0, 0},   {8.0, 0},
          {3.0, 0},   {0x1p-149, 0}, {0x1p-126, 0}, {0x1p-127, 0}, {0x1p126, 0}, {0x1p127, 0},
          {3.4028234663852886e38, 0}, {0x1p-100, 0}, {0x1.fffffep-101, 0}, {2.0, 0}};
}
std::vector<acc::Special> specials_div_d() {
  return {{1.0, 0.0}, {-1.0, 0.0}, {0.0, 0.0}, {1.0, -0.0}, {kNaN, 1.0}, {1.0, kNaN},
          {kInf, 2.0}, {2.0, kInf}, {kInf, kInf}, {1e300, 1e-300}, {1e-300, 1e300},
          {3.0, 1e100}, {1e100, 1e100}, {7.0, 3.0}, {0x1p-1074, 2.0}, {1.0, 0x1p-1074}};
}
std::vector<acc::Special> specials_div_f() {
  return {{1.0, 0.0}, {-1.0, 0.0}, {0.0, 0.0}, {1.0, -0.0}, {kNaN, 1.0}, {1.0, kNaN},
          {kInf, 2.0}, {2.0, kInf}, {kInf, kInf}, {1e30, 1e-30}, {1e-30, 1e30},
          {3.0, 0x1p127}, {3.0, 0x1p-127}, {7.0, 3.0}, {0x1p-149, 2.0}, {1.0, 0x1p-149}};
}

#define UNARY(fn, prec, cls, exact, ranges, specials, status)                                  \
  acc::Registration r_##fn({#fn, Prec::prec, Class::cls, Shape::unary, reinterpret_cast<void*>(&fn), \
                            exact, nullptr, nullptr, ranges, {}, specials(), status});
#define BINARY(fn, prec, cls, ranges, specials)                                                  \
  acc::Registration r_##fn({#fn, Prec::prec, Class::cls, Shape::binary, reinterpret_cast<void*>(&fn), \
                            nullptr, nullptr, mpfr_div, ranges, ranges, specials(), st_div});

#define FLOAT_FAMILY(F, exact, status)                      \
  UNARY(_zafs##F##_11, f32, f11, exact, kAllF, specials_f, status) \
  UNARY(_zafs##F##_21, f32, f21, exact, kAllF, specials_f, status) \
  UNARY(_zafs##F##_HA, f32, fHA, exact, kAllF, specials_f, status)
#define DOUBLE_FAMILY(F, exact, status)                     \
  UNARY(_zafd##F##_50, f64, d50, exact, kAllD, specials_d, status) \
  UNARY(_zafd##F##_HA, f64, dHA, exact, kAllD, specials_d, status)

FLOAT_FAMILY(Sqrt, mpfr_sqrt, st_sqrt)
DOUBLE_FAMILY(Sqrt, mpfr_sqrt, st_sqrt)
FLOAT_FAMILY(InvSqrt, ex_invsqrt, st_invsqrt)
DOUBLE_FAMILY(InvSqrt, ex_invsqrt, st_invsqrt)
FLOAT_FAMILY(Cbrt, mpfr_cbrt, nullptr)
DOUBLE_FAMILY(Cbrt, mpfr_cbrt, nullptr)
FLOAT_FAMILY(InvCbrt, ex_invcbrt, st_pole)
DOUBLE_FAMILY(InvCbrt, ex_invcbrt, st_pole)
FLOAT_FAMILY(Inv, ex_inv, st_pole)
DOUBLE_FAMILY(Inv, ex_inv, st_pole)

BINARY(_zafsDiv_11, f32, f11, kDivF, specials_div_f)
BINARY(_zafsDiv_21, f32, f21, kDivF, specials_div_f)
BINARY(_zafsDiv_HA, f32, fHA, kDivF, specials_div_f)
BINARY(_zafdDiv_50, f64, d50, kDivD, specials_div_d)
BINARY(_zafdDiv_HA, f64, dHA, kDivD, specials_div_d)

}  // namespace
