// Error function and its complement.
#include "harness.h"
#include "zaf.h"

namespace {

using acc::Class;
using acc::Prec;
using acc::Shape;

const double kInf = __builtin_inf();
const double kNaN = __builtin_nan("");

// Erfc reports UNDERFLOW for finite arguments whose result is below the normal range.
int derfc_status(double a, double) { return a > 26.543258454250978 && a != kInf ? ZAF_STATUS_UNDERFLOW : 0; }
int serfc_status(double a, double) { return a >= 9.194549560546875 && a != kInf ? ZAF_STATUS_UNDERFLOW : 0; }

// MPFR's erfc at the harness's 256 bits takes milliseconds an argument from about 8 to 30, where
// its asymptotic expansion cannot reach 256 bits, and so made a run of 10^6 points a range take
// hours. At 128 bits it takes that expansion from about 16 on; 128 bits are still 75 beyond a
// double, far more than an error read to a thousandth of an ulp needs.
int erfc_128(mpfr_ptr y, mpfr_srcptr x, mpfr_rnd_t rnd) {
  mpfr_t t;
  mpfr_init2(t, 128);
  const int inexact = mpfr_erfc(t, x, rnd);
  mpfr_set(y, t, rnd);
  mpfr_clear(t);
  return inexact;
}

const std::vector<acc::Range> kDErfRanges = {
    {4.9406564584124654e-324, 2.2250738585072014e-308},  // subnormal arguments
    {2.2250738585072014e-308, 0.125},
    {0.125, 4.0},
    {4.0, 6.5},
    {6.5, 1.7976931348623157e308},
};
const std::vector<acc::Special> kDErfSpecials = {
    {0.0, 0}, {-0.0, 0}, {kInf, 0}, {-kInf, 0}, {kNaN, 0}, {1.0, 0}, {-1.0, 0}, {0.125, 0},
    {0.12499999999999999, 0}, {2.0, 0}, {1.9999999999999998, 0}, {4.0, 0}, {5.0, 0}, {6.0, 0},
    {5.9999999999999991, 0}, {5.9215, 0}, {4.9406564584124654e-324, 0}, {-4.9406564584124654e-324, 0},
    {9.3326361850321888e-302, 0}, {9.3326361850321901e-302, 0},  // either side of 2^-1000
    {2.2250738585072014e-308, 0}, {1.7976931348623157e308, 0}, {-1.7976931348623157e308, 0}};
const std::vector<acc::Range> kDErfcRanges = {
    {1e-300, 0.5},
    {0.5, 6.0},
    {6.0, 26.4, +1},
    {26.4, 27.3, +1},  // two-step scaling, subnormal results from 26.5432...
    {27.3, 1.7976931348623157e308, +1},
    {6.0, 1.7976931348623157e308, -1},
};
const std::vector<acc::Special> kDErfcSpecials = {
    {0.0, 0}, {-0.0, 0}, {kInf, 0}, {-kInf, 0}, {kNaN, 0}, {1.0, 0}, {-1.0, 0}, {26.4, 0}, {-26.4, 0},
    {26.5, 0}, {26.6, 0}, {28.0, 0}, {26.543258454250978, 0}, {26.54325845425098, 0},
    {27.22601318359375, 0}, {27.226013183593746, 0}, {-6.0, 0}, {-30.0, 0}, {0.125, 0}, {32.0, 0},
    {4.9406564584124654e-324, 0}, {1.7976931348623157e308, 0}, {-1.7976931348623157e308, 0}};
const std::vector<acc::Range> kSErfRanges = {
    {1.401298464324817e-45, 1.1754943508222875e-38},
    {1.1754943508222875e-38, 0.125},
    {0.125, 4.0},
    {4.0, 3.4028234663852886e38},
};
const std::vector<acc::Special> kSErfSpecials = {
    {0.0, 0}, {-0.0, 0}, {kInf, 0}, {-kInf, 0}, {kNaN, 0}, {1.0, 0}, {-1.0, 0}, {0.125, 0},
    {2.0, 0}, {3.9, 0}, {4.0, 0}, {1.401298464324817e-45, 0}, {-1.401298464324817e-45, 0},
    {1.1754943508222875e-38, 0}, {3.4028234663852886e38, 0}};
const std::vector<acc::Range> kSErfcRanges = {
    {1e-30, 0.5},
    {0.5, 9.19},
    {9.19, 10.06, +1},  // subnormal results from 9.19455
    {10.06, 3.4028234663852886e38, +1},
    {4.0, 3.4028234663852886e38, -1},
};
const std::vector<acc::Special> kSErfcSpecials = {
    {0.0, 0}, {-0.0, 0}, {kInf, 0}, {-kInf, 0}, {kNaN, 0}, {1.0, 0}, {-1.0, 0}, {9.0, 0}, {9.5, 0},
    {9.194549560546875, 0}, {9.1945486068725586, 0}, {10.054195404052734, 0},
    {10.054194450378418, 0}, {16.0, 0}, {-10.0, 0}, {3.4028234663852886e38, 0}, {1.401298464324817e-45, 0}};

#define FN(f) reinterpret_cast<void*>(&f)

acc::Registration r_derf_ha({"_zafdErf_HA", Prec::f64, Class::dHA, Shape::unary, FN(_zafdErf_HA), mpfr_erf, nullptr,
                             nullptr, kDErfRanges, {}, kDErfSpecials, nullptr});
acc::Registration r_derf_50({"_zafdErf_50", Prec::f64, Class::d50, Shape::unary, FN(_zafdErf_50), mpfr_erf, nullptr,
                             nullptr, kDErfRanges, {}, kDErfSpecials, nullptr});
acc::Registration r_serf_ha({"_zafsErf_HA", Prec::f32, Class::fHA, Shape::unary, FN(_zafsErf_HA), mpfr_erf, nullptr,
                             nullptr, kSErfRanges, {}, kSErfSpecials, nullptr});
acc::Registration r_serf_21({"_zafsErf_21", Prec::f32, Class::f21, Shape::unary, FN(_zafsErf_21), mpfr_erf, nullptr,
                             nullptr, kSErfRanges, {}, kSErfSpecials, nullptr});
acc::Registration r_serf_11({"_zafsErf_11", Prec::f32, Class::f11, Shape::unary, FN(_zafsErf_11), mpfr_erf, nullptr,
                             nullptr, kSErfRanges, {}, kSErfSpecials, nullptr});

acc::Registration r_derfc_ha({"_zafdErfc_HA", Prec::f64, Class::dHA, Shape::unary, FN(_zafdErfc_HA), erfc_128,
                              nullptr, nullptr, kDErfcRanges, {}, kDErfcSpecials, derfc_status});
acc::Registration r_derfc_50({"_zafdErfc_50", Prec::f64, Class::d50, Shape::unary, FN(_zafdErfc_50), erfc_128,
                              nullptr, nullptr, kDErfcRanges, {}, kDErfcSpecials, derfc_status});
acc::Registration r_serfc_ha({"_zafsErfc_HA", Prec::f32, Class::fHA, Shape::unary, FN(_zafsErfc_HA), erfc_128,
                              nullptr, nullptr, kSErfcRanges, {}, kSErfcSpecials, serfc_status});
acc::Registration r_serfc_21({"_zafsErfc_21", Prec::f32, Class::f21, Shape::unary, FN(_zafsErfc_21), erfc_128,
                              nullptr, nullptr, kSErfcRanges, {}, kSErfcSpecials, serfc_status});
acc::Registration r_serfc_11({"_zafsErfc_11", Prec::f32, Class::f11, Shape::unary, FN(_zafsErfc_11), erfc_128,
                              nullptr, nullptr, kSErfcRanges, {}, kSErfcSpecials, serfc_status});

}  // namespace
