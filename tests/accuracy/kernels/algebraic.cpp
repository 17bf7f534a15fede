// Roots, reciprocals and division.
#include "harness.h"
#include "zaf.h"

namespace {

int mpfr_inv(mpfr_ptr r, mpfr_srcptr x, mpfr_rnd_t rnd) { return mpfr_ui_div(r, 1, x, rnd); }

int inv_status(double a, double) { return a == 0 ? ZAF_STATUS_SING : 0; }

const double kInf = __builtin_inf();

acc::Registration r_dinv50({
    "_zafdInv_50", acc::Prec::f64, acc::Class::d50, acc::Shape::unary,
    reinterpret_cast<void*>(&_zafdInv_50), mpfr_inv, nullptr, nullptr,
    {{4.9406564584124654e-324, 1.7976931348623157e308}},
    {},
    {{0.0, 0}, {-0.0, 0}, {kInf, 0}, {-kInf, 0}, {__builtin_nan(""), 0},
     {4.9406564584124654e-324, 0}, {5.5626846462680035e-309, 0}, {1.7976931348623157e308, 0}},
    inv_status});

}  // namespace
