// Exponential, logarithms and powers.
#include "harness.h"
#include "zaf.h"

namespace {

using acc::Class;
using acc::Prec;
using acc::Shape;

const double kInf = __builtin_inf();
const double kNaN = __builtin_nan("");

int mpfr_log10_(mpfr_ptr r, mpfr_srcptr x, mpfr_rnd_t rnd) { return mpfr_log10(r, x, rnd); }

// Exp reports OVERFLOW and UNDERFLOW for finite arguments past the thresholds.
int dexp_status(double a, double) {
  if (a != a || a == kInf || a == -kInf) return 0;
  if (a >= 709.7827128933841) return ZAF_STATUS_OVERFLOW;
  if (a <= -708.396418532264) return ZAF_STATUS_UNDERFLOW;
  return 0;
}
int sexp_status(double a, double) {
  if (a != a || a == kInf || a == -kInf) return 0;
  if (a >= 88.72283935546875) return ZAF_STATUS_OVERFLOW;
  if (a < -87.3365478515625) return ZAF_STATUS_UNDERFLOW;
  return 0;
}
int log_status(double a, double) {
  if (a == 0) return ZAF_STATUS_SING;
  if (a < 0) return ZAF_STATUS_ERRDOM;
  return 0;
}

const std::vector<acc::Range> kDExpRanges = {
    {1e-300, 1.0},
    {1.0, 708.39},
    {708.3965, 709.7827, +1},  // near overflow, two-step scaling from 709.7772...
    {708.3965, 745.13, -1},    // subnormal results, two-step scaling
};
const std::vector<acc::Special> kDExpSpecials = {
    {0.0, 0}, {-0.0, 0}, {1.0, 0}, {kInf, 0}, {-kInf, 0}, {kNaN, 0}, {709.78, 0},
    {709.7827128933841, 0}, {709.7772976810359, 0}, {709.78000528721, 0}, {1000.0, 0},
    {-708.0, 0}, {-708.396418532264, 0}, {-720.0, 0}, {-745.1332191019412, 0}, {-746.0, 0},
    {-1e308, 0}, {1e308, 0}, {708.3964185322641, 0}, {-708.3964185322641, 0}};
const std::vector<acc::Range> kSExpRanges = {
    {1e-40, 1.0},
    {1.0, 87.336},
    {87.3366, 88.7228, +1},  // near overflow, two-step scaling
    {87.3366, 103.27, -1},   // subnormal results
};
const std::vector<acc::Special> kSExpSpecials = {
    {0.0, 0}, {-0.0, 0}, {1.0, 0}, {kInf, 0}, {-kInf, 0}, {kNaN, 0}, {88.8, 0},
    {88.72283935546875, 0}, {88.72283172607422, 0}, {87.3365478515625, 0}, {-87.3365478515625, 0},
    {-90.0, 0}, {-100.0, 0}, {-104.0, 0}, {-200.0, 0}, {1000.0, 0}};
const std::vector<acc::Range> kDLogRanges = {
    {4.9406564584124654e-324, 2.2250738585072014e-308, +1},  // subnormal arguments
    {2.2250738585072014e-308, 1.7976931348623157e308, +1},
    {0.7, 1.5, +1},
    {0.999, 1.001, +1},
    {1e-300, 1e300, -1},  // domain errors
};
const std::vector<acc::Special> kDLogSpecials = {
    {0.0, 0}, {-0.0, 0}, {1.0, 0}, {-1.0, 0}, {kInf, 0}, {-kInf, 0}, {kNaN, 0}, {2.0, 0}, {10.0, 0},
    {4.9406564584124654e-324, 0}, {2.2250738585072014e-308, 0}, {1.7976931348623157e308, 0},
    {0.74951171875, 0}, {1.4990234375, 0}, {0.9999999999999999, 0}, {1.0000000000000002, 0}};
const std::vector<acc::Range> kSLogRanges = {
    {1.4e-45, 1.17549435e-38, +1},
    {1.17549435e-38, 3.4028234e38, +1},
    {0.7, 1.5, +1},
    {0.999, 1.001, +1},
    {1e-30, 1e30, -1},
};
const std::vector<acc::Special> kSLogSpecials = {
    {0.0, 0}, {-0.0, 0}, {1.0, 0}, {-1.0, 0}, {kInf, 0}, {-kInf, 0}, {kNaN, 0}, {2.0, 0}, {10.0, 0},
    {1.401298464324817e-45, 0}, {1.1754943508222875e-38, 0}, {3.4028234663852886e38, 0},
    {0.99999994039535522, 0}, {1.0000001192092896, 0}};

#define FN(f) reinterpret_cast<void*>(&f)

acc::Registration r_dexp_ha({"_zafdExp_HA", Prec::f64, Class::dHA, Shape::unary, FN(_zafdExp_HA), mpfr_exp, nullptr,
                             nullptr, kDExpRanges, {}, kDExpSpecials, dexp_status});
acc::Registration r_dexp_50({"_zafdExp_50", Prec::f64, Class::d50, Shape::unary, FN(_zafdExp_50), mpfr_exp, nullptr,
                             nullptr, kDExpRanges, {}, kDExpSpecials, dexp_status});
acc::Registration r_sexp_ha({"_zafsExp_HA", Prec::f32, Class::fHA, Shape::unary, FN(_zafsExp_HA), mpfr_exp, nullptr,
                             nullptr, kSExpRanges, {}, kSExpSpecials, sexp_status});
acc::Registration r_sexp_21({"_zafsExp_21", Prec::f32, Class::f21, Shape::unary, FN(_zafsExp_21), mpfr_exp, nullptr,
                             nullptr, kSExpRanges, {}, kSExpSpecials, sexp_status});
acc::Registration r_sexp_11({"_zafsExp_11", Prec::f32, Class::f11, Shape::unary, FN(_zafsExp_11), mpfr_exp, nullptr,
                             nullptr, kSExpRanges, {}, kSExpSpecials, sexp_status});

acc::Registration r_dln_ha({"_zafdLn_HA", Prec::f64, Class::dHA, Shape::unary, FN(_zafdLn_HA), mpfr_log, nullptr,
                            nullptr, kDLogRanges, {}, kDLogSpecials, log_status});
acc::Registration r_dln_50({"_zafdLn_50", Prec::f64, Class::d50, Shape::unary, FN(_zafdLn_50), mpfr_log, nullptr,
                            nullptr, kDLogRanges, {}, kDLogSpecials, log_status});
acc::Registration r_sln_ha({"_zafsLn_HA", Prec::f32, Class::fHA, Shape::unary, FN(_zafsLn_HA), mpfr_log, nullptr,
                            nullptr, kSLogRanges, {}, kSLogSpecials, log_status});
acc::Registration r_sln_21({"_zafsLn_21", Prec::f32, Class::f21, Shape::unary, FN(_zafsLn_21), mpfr_log, nullptr,
                            nullptr, kSLogRanges, {}, kSLogSpecials, log_status});
acc::Registration r_sln_11({"_zafsLn_11", Prec::f32, Class::f11, Shape::unary, FN(_zafsLn_11), mpfr_log, nullptr,
                            nullptr, kSLogRanges, {}, kSLogSpecials, log_status});

acc::Registration r_dlog10_ha({"_zafdLog10_HA", Prec::f64, Class::dHA, Shape::unary, FN(_zafdLog10_HA), mpfr_log10_,
                               nullptr, nullptr, kDLogRanges, {}, kDLogSpecials, log_status});
acc::Registration r_dlog10_50({"_zafdLog10_50", Prec::f64, Class::d50, Shape::unary, FN(_zafdLog10_50), mpfr_log10_,
                               nullptr, nullptr, kDLogRanges, {}, kDLogSpecials, log_status});
acc::Registration r_slog10_ha({"_zafsLog10_HA", Prec::f32, Class::fHA, Shape::unary, FN(_zafsLog10_HA), mpfr_log10_,
                               nullptr, nullptr, kSLogRanges, {}, kSLogSpecials, log_status});
acc::Registration r_slog10_21({"_zafsLog10_21", Prec::f32, Class::f21, Shape::unary, FN(_zafsLog10_21), mpfr_log10_,
                               nullptr, nullptr, kSLogRanges, {}, kSLogSpecials, log_status});
acc::Registration r_slog10_11({"_zafsLog10_11", Prec::f32, Class::f11, Shape::unary, FN(_zafsLog10_11), mpfr_log10_,
                               nullptr, nullptr, kSLogRanges, {}, kSLogSpecials, log_status});

}  // namespace
