// Sine, cosine, tangent and sine-cosine: the fast ranges, the callout ranges up to the largest
// finite value (where the argument reduction is tested), and the special arguments.
#include "harness.h"
#include "zaf.h"

namespace {

using acc::Class;
using acc::Prec;
using acc::Shape;

const double kInf = __builtin_inf();
const double kNaN = __builtin_nan("");

// Only ±inf is a domain error; NaN passes through without a report.
int trig_status(double a, double) { return (a == kInf || a == -kInf) ? ZAF_STATUS_ERRDOM : 0; }

const std::vector<acc::Range> kDRanges = {
    {4.9406564584124654e-324, 2.2250738585072014e-308},  // subnormal arguments
    {1e-300, 1.0},
    {1.0, 90111.99},                   // fast path of Sin, Cos, SinCos
    {90112.0, 128000.0},               // Tan and SinCos _50 fast, the others through the callout
    {128000.0, 131072.0},              // just below the scalar routine's reduction
    {131072.0, 1073741824.0},          // Cody-Waite reduction
    {1073741824.0, 1.7976931348623157e308},  // Payne-Hanek reduction
    {3.1, 3.2},
    {1.5, 1.6},
};
const std::vector<acc::Special> kDSpecials = {
    {0.0, 0}, {-0.0, 0}, {kInf, 0}, {-kInf, 0}, {kNaN, 0}, {1e22, 0}, {-1e22, 0}, {1e-300, 0},
    {1.5707963267948966, 0}, {-1.5707963267948966, 0}, {3.141592653589793, 0}, {6.283185307179586, 0},
    {90111.99999999999, 0}, {90112.0, 0}, {128000.0, 0}, {128000.00000000001, 0}, {131072.0, 0},
    {1073741824.0, 0}, {1073741823.9999999, 0}, {8388608.0, 0}, {1.7976931348623157e308, 0},
    {-1.7976931348623157e308, 0}, {4.9406564584124654e-324, 0}, {2.2250738585072014e-308, 0},
    {6381956970095103.0 * 0x1p797, 0},  // the double closest to a multiple of pi/2
    {5.319372648326541e+255, 0}, {1.0, 0}, {-1.0, 0}, {0.7853981633974483, 0}};
const std::vector<acc::Range> kFRanges = {
    {1.4e-45, 1.1754943508222875e-38},  // subnormal arguments
    {1e-30, 1.0},
    {1.0, 10000.0},
    {10000.001, 3.4028234663852886e38},  // through the callout
    {1.5, 1.6},
    {3.1, 3.2},
};
const std::vector<acc::Special> kFSpecials = {
    {0.0, 0}, {-0.0, 0}, {kInf, 0}, {-kInf, 0}, {kNaN, 0}, {0.5, 0}, {20000.0, 0}, {10000.0, 0},
    {10000.0009765625, 0}, {1.5707963705062866, 0}, {3.1415927410125732, 0}, {1.4e-45, 0},
    {3.4028234663852886e38, 0}, {-3.4028234663852886e38, 0}, {1e-30, 0}, {8192.0, 0}};

#define FN(f) reinterpret_cast<void*>(&f)
#define UNARY(NAME, P, C, EXACT, R, S) \
  acc::Registration r##NAME({#NAME, Prec::P, Class::C, Shape::unary, FN(NAME), EXACT, nullptr, nullptr, R, {}, S, trig_status});
#define TWO(NAME, P, C, R, S) \
  acc::Registration r##NAME({#NAME, Prec::P, Class::C, Shape::two_out, FN(NAME), mpfr_sin, mpfr_cos, nullptr, R, {}, S, trig_status});

UNARY(_zafdSin_HA, f64, dHA, mpfr_sin, kDRanges, kDSpecials)
UNARY(_zafdSin_50, f64, d50, mpfr_sin, kDRanges, kDSpecials)
UNARY(_zafdCos_HA, f64, dHA, mpfr_cos, kDRanges, kDSpecials)
UNARY(_zafdCos_50, f64, d50, mpfr_cos, kDRanges, kDSpecials)
UNARY(_zafdTan_HA, f64, dHA, mpfr_tan, kDRanges, kDSpecials)
UNARY(_zafdTan_50, f64, d50, mpfr_tan, kDRanges, kDSpecials)
TWO(_zafdSinCos_HA, f64, dHA, kDRanges, kDSpecials)
TWO(_zafdSinCos_50, f64, d50, kDRanges, kDSpecials)

UNARY(_zafsSin_HA, f32, fHA, mpfr_sin, kFRanges, kFSpecials)
UNARY(_zafsSin_21, f32, f21, mpfr_sin, kFRanges, kFSpecials)
UNARY(_zafsSin_11, f32, f11, mpfr_sin, kFRanges, kFSpecials)
UNARY(_zafsCos_HA, f32, fHA, mpfr_cos, kFRanges, kFSpecials)
UNARY(_zafsCos_21, f32, f21, mpfr_cos, kFRanges, kFSpecials)
UNARY(_zafsCos_11, f32, f11, mpfr_cos, kFRanges, kFSpecials)
UNARY(_zafsTan_HA, f32, fHA, mpfr_tan, kFRanges, kFSpecials)
UNARY(_zafsTan_21, f32, f21, mpfr_tan, kFRanges, kFSpecials)
UNARY(_zafsTan_11, f32, f11, mpfr_tan, kFRanges, kFSpecials)
TWO(_zafsSinCos_HA, f32, fHA, kFRanges, kFSpecials)
TWO(_zafsSinCos_21, f32, f21, kFRanges, kFSpecials)
TWO(_zafsSinCos_11, f32, f11, kFRanges, kFSpecials)

}  // namespace
