// Hyperbolic functions and their inverses.
#include <math.h>

#include "harness.h"
#include "zaf.h"

namespace {

using acc::Class;
using acc::Prec;
using acc::Shape;

const double kInf = __builtin_inf();
const double kNaN = __builtin_nan("");
const double kDMinSub = 4.9406564584124654e-324, kDMinNorm = 2.2250738585072014e-308, kDMax = 1.7976931348623157e308;
const double kFMinSub = 1.401298464324817e-45, kFMinNorm = 1.1754943508222875e-38, kFMax = 3.4028234663852886e38;

double up(double x) { return nextafter(x, kInf); }
double down(double x) { return nextafter(x, -kInf); }
double fup(double x) { return nextafterf(static_cast<float>(x), INFINITY); }
double fdown(double x) { return nextafterf(static_cast<float>(x), -INFINITY); }

// Cosh and Sinh overflow from these magnitudes on; infinities give infinities silently. The
// double threshold itself is one double early (its cosh is just below the largest double):
// the kernels report it as stated, the family test checks that value, and it is left out here.
const double kDOverflow = 710.4758600739439, kSOverflow = 89.4159927368164;
int d_overflow_status(double a, double) {
  return fabs(a) >= kDOverflow && fabs(a) != kInf ? ZAF_STATUS_OVERFLOW : 0;
}
int s_overflow_status(double a, double) {
  return fabs(a) >= kSOverflow && fabs(a) != kInf ? ZAF_STATUS_OVERFLOW : 0;
}
int acosh_status(double a, double) { return a < 1 ? ZAF_STATUS_ERRDOM : 0; }
int atanh_status(double a, double) {
  if (fabs(a) == 1) return ZAF_STATUS_SING;
  return fabs(a) > 1 ? ZAF_STATUS_ERRDOM : 0;
}

std::vector<acc::Special> both_signs(std::vector<double> v) {
  std::vector<acc::Special> out;
  for (double x : v) {
    out.push_back({x, 0});
    out.push_back({-x, 0});
  }
  out.push_back({kNaN, 0});
  return out;
}

// ---- Cosh, Sinh ---------------------------------------------------------------------------
const std::vector<acc::Range> kDCoshSinhRanges = {
    {kDMinSub, kDMinNorm},
    {kDMinNorm, 0.035},
    {0.035, 0.2475},     // the sine's series
    {0.2475, 708.4018},  // the fast path
    {708.4019, 710.4704},  // one-step scaling in the special routine
    {710.4705, 710.47586},  // two-step scaling
    {710.4759, kDMax},  // overflow
};
const std::vector<acc::Special> kDCoshSinhSpecials = both_signs(
    {0.0, kInf, kDMinSub, kDMinNorm, 1.0, 0.034999999999999996, 0.035, 0.24746659389288783, up(0.24746659389288783),
     down(0.24746659389288783), 64.0, up(64.0), 708.4018337446123, down(708.4018337446123), 710.0,
     710.4704448615958, down(710.4704448615958), down(kDOverflow), 710.5, 1000.0, kDMax});
const std::vector<acc::Range> kSCoshSinhRanges = {
    {kFMinSub, kFMinNorm}, {kFMinNorm, 0.75}, {0.75, 88.0242}, {88.0243, 89.41598}, {89.416, kFMax},
};
const std::vector<acc::Special> kSCoshSinhSpecials = both_signs(
    {0.0, kInf, kFMinSub, kFMinNorm, 1.0, 0.75, fdown(0.75), 0x1p-10, 88.0242691040039, fup(88.0242691040039), 89.0,
     kSOverflow, fdown(kSOverflow), 89.5, 1000.0, kFMax});

// ---- Tanh ---------------------------------------------------------------------------------------
const std::vector<acc::Range> kDTanhRanges = {
    {kDMinSub, kDMinNorm}, {kDMinNorm, 0.125}, {0.125, 16.0}, {16.0, 20.0}, {20.0, kDMax},
};
const std::vector<acc::Range> kSTanhRanges = {
    {kFMinSub, kFMinNorm}, {kFMinNorm, 0.125}, {0.125, 16.0}, {16.0, 20.0}, {20.0, kFMax},
};
std::vector<acc::Special> tanh_specials(double max, double min_sub) {
  std::vector<double> v = {0.0, kInf, min_sub, 19.0, 20.0, max};
  // every interval edge and its neighbours
  for (double e = 0.125; e <= 16.0; e *= 2)
    for (double q : {1.0, 1.25, 1.5, 1.75}) {
      v.push_back(e * q);
      v.push_back(down(e * q));
      v.push_back(fdown(e * q));
    }
  return both_signs(v);
}

// ---- Asinh, Acosh, Atanh ------------------------------------------------------------------------
const std::vector<acc::Range> kDAsinhRanges = {
    {kDMinSub, kDMinNorm}, {kDMinNorm, 0x1p-28}, {0x1p-28, 1.0}, {1.0, 0x1p28}, {0x1p28, kDMax},
};
const std::vector<acc::Range> kSAsinhRanges = {
    {kFMinSub, kFMinNorm}, {kFMinNorm, 0x1p-12}, {0x1p-12, 1.0}, {1.0, 0x1p28}, {0x1p28, kFMax},
};
const std::vector<acc::Special> kDAsinhSpecials =
    both_signs({0.0, kInf, kDMinSub, kDMinNorm, 0x1p-28, down(0x1p-28), 1.0, 0x1p28, down(0x1p28), kDMax});
const std::vector<acc::Special> kSAsinhSpecials =
    both_signs({0.0, kInf, kFMinSub, kFMinNorm, 0x1p-12, fdown(0x1p-12), 1.0, 0x1p28, kFMax});

const std::vector<acc::Range> kDAcoshRanges = {
    {1.0000000000000002, 1.0000001, +1}, {1.0000001, 2.0, +1}, {2.0, 0x1p28, +1}, {0x1p28, kDMax, +1},
    {kDMinSub, 0.9999999999999999, 0},  // domain errors, both signs
    {1.0, kDMax, -1},
};
const std::vector<acc::Range> kSAcoshRanges = {
    {1.0000001192092896, 1.001, +1}, {1.001, 2.0, +1}, {2.0, kFMax, +1},
    {kFMinSub, 0.99999994, 0}, {1.0, kFMax, -1},
};
std::vector<acc::Special> acosh_specials(double step, double max) {
  std::vector<acc::Special> v = {{1.0, 0}, {1.0 + step, 0}, {1.0 + 2 * step, 0}, {1.0 - step / 2, 0}, {0.5, 0},
                                 {0.0, 0}, {-0.0, 0}, {-1.0, 0}, {kInf, 0}, {-kInf, 0}, {kNaN, 0},
                                 {0x1p28, 0}, {max, 0}, {2.0, 0}};
  return v;
}

const std::vector<acc::Range> kDAtanhRanges = {
    {kDMinSub, kDMinNorm}, {kDMinNorm, 0x1p-28}, {0x1p-28, 0.5}, {0.5, 0.9999999999999999},
    {1.0000000000000002, kDMax},  // domain errors
};
const std::vector<acc::Range> kSAtanhRanges = {
    {kFMinSub, kFMinNorm}, {kFMinNorm, 0x1p-12}, {0x1p-12, 0.5}, {0.5, 0.99999994},
    {1.0000001192092896, kFMax},
};
// Arguments near ±1: 1 - 2^-k for every k the format has, and 1 + 2^-k beyond.
std::vector<acc::Special> atanh_specials(int bits, double max, double min_sub) {
  std::vector<double> v = {0.0, 1.0, kInf, 2.0, 0.5, min_sub, max};
  for (int k = 1; k <= bits; ++k) {
    v.push_back(1.0 - ldexp(1.0, -k));
    if (k < bits) v.push_back(1.0 + ldexp(1.0, -k));
  }
  return both_signs(v);
}

#define FN(f) reinterpret_cast<void*>(&f)
#define REG(name, prec, cls, exact, ranges, specials, status) \
  acc::Registration r##name({#name, prec, cls, Shape::unary, FN(name), exact, nullptr, nullptr, ranges, {}, specials, status})

REG(_zafdCosh_HA, Prec::f64, Class::dHA, mpfr_cosh, kDCoshSinhRanges, kDCoshSinhSpecials, d_overflow_status);
REG(_zafdCosh_50, Prec::f64, Class::d50, mpfr_cosh, kDCoshSinhRanges, kDCoshSinhSpecials, d_overflow_status);
REG(_zafsCosh_HA, Prec::f32, Class::fHA, mpfr_cosh, kSCoshSinhRanges, kSCoshSinhSpecials, s_overflow_status);
REG(_zafsCosh_21, Prec::f32, Class::f21, mpfr_cosh, kSCoshSinhRanges, kSCoshSinhSpecials, s_overflow_status);
REG(_zafsCosh_11, Prec::f32, Class::f11, mpfr_cosh, kSCoshSinhRanges, kSCoshSinhSpecials, s_overflow_status);

REG(_zafdSinh_HA, Prec::f64, Class::dHA, mpfr_sinh, kDCoshSinhRanges, kDCoshSinhSpecials, d_overflow_status);
REG(_zafdSinh_50, Prec::f64, Class::d50, mpfr_sinh, kDCoshSinhRanges, kDCoshSinhSpecials, d_overflow_status);
REG(_zafsSinh_HA, Prec::f32, Class::fHA, mpfr_sinh, kSCoshSinhRanges, kSCoshSinhSpecials, s_overflow_status);
REG(_zafsSinh_21, Prec::f32, Class::f21, mpfr_sinh, kSCoshSinhRanges, kSCoshSinhSpecials, s_overflow_status);
REG(_zafsSinh_11, Prec::f32, Class::f11, mpfr_sinh, kSCoshSinhRanges, kSCoshSinhSpecials, s_overflow_status);

const std::vector<acc::Special> kDTanhSpecials = tanh_specials(kDMax, kDMinSub);
const std::vector<acc::Special> kSTanhSpecials = tanh_specials(kFMax, kFMinSub);
REG(_zafdTanh_HA, Prec::f64, Class::dHA, mpfr_tanh, kDTanhRanges, kDTanhSpecials, nullptr);
REG(_zafdTanh_50, Prec::f64, Class::d50, mpfr_tanh, kDTanhRanges, kDTanhSpecials, nullptr);
REG(_zafsTanh_HA, Prec::f32, Class::fHA, mpfr_tanh, kSTanhRanges, kSTanhSpecials, nullptr);
REG(_zafsTanh_21, Prec::f32, Class::f21, mpfr_tanh, kSTanhRanges, kSTanhSpecials, nullptr);
REG(_zafsTanh_11, Prec::f32, Class::f11, mpfr_tanh, kSTanhRanges, kSTanhSpecials, nullptr);

REG(_zafdAsinh_HA, Prec::f64, Class::dHA, mpfr_asinh, kDAsinhRanges, kDAsinhSpecials, nullptr);
REG(_zafdAsinh_50, Prec::f64, Class::d50, mpfr_asinh, kDAsinhRanges, kDAsinhSpecials, nullptr);
REG(_zafsAsinh_HA, Prec::f32, Class::fHA, mpfr_asinh, kSAsinhRanges, kSAsinhSpecials, nullptr);
REG(_zafsAsinh_21, Prec::f32, Class::f21, mpfr_asinh, kSAsinhRanges, kSAsinhSpecials, nullptr);
REG(_zafsAsinh_11, Prec::f32, Class::f11, mpfr_asinh, kSAsinhRanges, kSAsinhSpecials, nullptr);

const std::vector<acc::Special> kDAcoshSpecials = acosh_specials(0x1p-52, kDMax);
const std::vector<acc::Special> kSAcoshSpecials = acosh_specials(0x1p-23, kFMax);
REG(_zafdAcosh_HA, Prec::f64, Class::dHA, mpfr_acosh, kDAcoshRanges, kDAcoshSpecials, acosh_status);
REG(_zafdAcosh_50, Prec::f64, Class::d50, mpfr_acosh, kDAcoshRanges, kDAcoshSpecials, acosh_status);
REG(_zafsAcosh_HA, Prec::f32, Class::fHA, mpfr_acosh, kSAcoshRanges, kSAcoshSpecials, acosh_status);
REG(_zafsAcosh_21, Prec::f32, Class::f21, mpfr_acosh, kSAcoshRanges, kSAcoshSpecials, acosh_status);
REG(_zafsAcosh_11, Prec::f32, Class::f11, mpfr_acosh, kSAcoshRanges, kSAcoshSpecials, acosh_status);

const std::vector<acc::Special> kDAtanhSpecials = atanh_specials(53, kDMax, kDMinSub);
const std::vector<acc::Special> kSAtanhSpecials = atanh_specials(24, kFMax, kFMinSub);
REG(_zafdAtanh_HA, Prec::f64, Class::dHA, mpfr_atanh, kDAtanhRanges, kDAtanhSpecials, atanh_status);
REG(_zafdAtanh_50, Prec::f64, Class::d50, mpfr_atanh, kDAtanhRanges, kDAtanhSpecials, atanh_status);
REG(_zafsAtanh_HA, Prec::f32, Class::fHA, mpfr_atanh, kSAtanhRanges, kSAtanhSpecials, atanh_status);
REG(_zafsAtanh_21, Prec::f32, Class::f21, mpfr_atanh, kSAtanhRanges, kSAtanhSpecials, atanh_status);
REG(_zafsAtanh_11, Prec::f32, Class::f11, mpfr_atanh, kSAtanhRanges, kSAtanhSpecials, atanh_status);

}  // namespace
