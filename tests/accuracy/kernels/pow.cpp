// Powers against MPFR's pow, whose special values are the ones these kernels must give.
#include <math.h>

#include "harness.h"
#include "zaf.h"

namespace {

using acc::Class;
using acc::Prec;
using acc::Shape;

const double kInf = INFINITY;
const double kNaN = NAN;

// ERRDOM exactly for a zero base with a negative exponent (-inf included), and for a negative
// finite base with a finite exponent that is not an integer; nothing else reports.
int pow_status(double a, double b) {
  if (a == 0 && b < 0) return ZAF_STATUS_ERRDOM;
  if (a < 0 && isfinite(a) && isfinite(b) && b != floor(b)) return ZAF_STATUS_ERRDOM;
  return 0;
}

// Every pair of an a range and a b range is sampled, so the ranges are chosen to make each
// pair useful: wide bases with modest exponents, bases near 1 with large exponents (results
// over the whole range, down to the subnormals and the two-step scaling), subnormal bases,
// and bases of both signs within 2^-46 (float 2^-17) of ±1 with exponents that are all
// integers (odd and even), so negative bases reach the general computation.
const std::vector<acc::Range> kDA = {
    {1e-300, 1e300, +1},
    {0.5, 2.0, +1},
    {1 - 0x1p-20, 1 + 0x1p-20, +1},
    {4.9406564584124654e-324, 2.2250738585072014e-308, +1},
    {1 - 0x1p-46, 1 + 0x1p-46, 0},
};
const std::vector<acc::Range> kDB = {
    {0x1p-10, 0x1p3, 0},
    {0x1p3, 0x1p11, 0},
    {0x1p11, 0x1p30, 0},
    {0x1p52, 0x1p53, 0},
};
const std::vector<acc::Range> kFA = {
    {1e-30, 1e30, +1},
    {0.5, 2.0, +1},
    {1 - 0x1p-12, 1 + 0x1p-12, +1},
    {1.4012984643248171e-45, 1.1754943508222875e-38, +1},
    {1 - 0x1p-17, 1 + 0x1p-17, 0},
};
const std::vector<acc::Range> kFB = {
    {0x1p-10, 0x1p3, 0},
    {0x1p3, 0x1p8, 0},
    {0x1p8, 0x1p20, 0},
    {0x1p23, 0x1p24, 0},
};

// Every pair of the values that decide the special-case table (2^53 in both precisions, 2^24
// in float), plus thresholds.
// `third` is 1/3 rounded to the kernel's format, so the exact value is taken at the argument
// the kernel sees.
std::vector<acc::Special> pairs(double big, double sub, double third) {
  const double v[] = {0.0, -0.0, sub, -sub, 0.5, -0.5, 1.0, -1.0, 2.0, -2.0, 3.0, -3.0,
                      big, -big, kInf, -kInf, kNaN, -8.0, third};
  std::vector<double> vals(v, v + sizeof v / sizeof v[0]);
  if (big != 0x1p53) {  // float: 2^53 as well
    vals.push_back(0x1p53);
    vals.push_back(-0x1p53);
  }
  std::vector<acc::Special> s;
  for (double a : vals)
    for (double b : vals) s.push_back({a, b});
  return s;
}
std::vector<acc::Special> specials_d() {
  std::vector<acc::Special> s = pairs(0x1p53, 4.9406564584124654e-324, 1.0 / 3);
  const acc::Special extra[] = {
      {10.0, 400.0}, {10.0, -400.0}, {2.0, 1023.0}, {2.0, 1024.0}, {2.0, -1022.0}, {2.0, -1074.0},
      {2.0, -1075.0}, {2.0, -1076.0}, {2.0, 1023.9999999999999}, {2.0, -1074.5}, {-2.0, 1023.0},
      {-2.0, -1073.0}, {0.5, 1074.0}, {1.0000000000000002, 0x1p62}, {0.9999999999999999, 0x1p62},
      {1.7976931348623157e308, 1.0}, {1.7976931348623157e308, -1.0}, {2.2250738585072014e-308, 0.5},
      {4.9406564584124654e-324, 0.5}, {4.9406564584124654e-324, -0.5}, {-8.0, 1.0 / 3}, {1.5, 1750.0},
      {3.0, 0x1p53 + 2}, {-1.0, 0x1p53 + 1}, {-1.0, 0x1p52 + 1}, {2.0, 0.5}};
  s.insert(s.end(), extra, extra + sizeof extra / sizeof extra[0]);
  return s;
}
std::vector<acc::Special> specials_f() {
  std::vector<acc::Special> s = pairs(0x1p24, 1.4012984643248171e-45, static_cast<float>(1.0 / 3));
  const acc::Special extra[] = {
      {10.0, 40.0}, {10.0, -46.0}, {2.0, 127.0}, {2.0, 128.0}, {2.0, -126.0}, {2.0, -149.0},
      {2.0, -150.0}, {2.0, -151.0}, {-2.0, 127.0}, {-2.0, -149.0}, {0.5, 149.0},
      {3.4028234663852886e38, 1.0}, {3.4028234663852886e38, -1.0}, {1.4012984643248171e-45, 0.5},
      {-1.0, 0x1p23 + 1}, {-1.0, 0x1p24}, {0x1.000002p0, 0x1p30}, {0x1.fffffep-1, 0x1p30}, {2.0, 0.5}};
  s.insert(s.end(), extra, extra + sizeof extra / sizeof extra[0]);
  return s;
}

#define FN(f) reinterpret_cast<void*>(&f)

acc::Registration r_dpow_ha({"_zafdPow_HA", Prec::f64, Class::dHA, Shape::binary, FN(_zafdPow_HA), nullptr, nullptr,
                             mpfr_pow, kDA, kDB, specials_d(), pow_status});
acc::Registration r_dpow_50({"_zafdPow_50", Prec::f64, Class::d50, Shape::binary, FN(_zafdPow_50), nullptr, nullptr,
                             mpfr_pow, kDA, kDB, specials_d(), pow_status});
acc::Registration r_spow_ha({"_zafsPow_HA", Prec::f32, Class::fHA, Shape::binary, FN(_zafsPow_HA), nullptr, nullptr,
                             mpfr_pow, kFA, kFB, specials_f(), pow_status});
acc::Registration r_dpowx_ha({"_zafdPowx_HA", Prec::f64, Class::dHA, Shape::scalar_b, FN(_zafdPowx_HA), nullptr,
                              nullptr, mpfr_pow, kDA, kDB, specials_d(), pow_status});
acc::Registration r_spowx_ha({"_zafsPowx_HA", Prec::f32, Class::fHA, Shape::scalar_b, FN(_zafsPowx_HA), nullptr,
                              nullptr, mpfr_pow, kFA, kFB, specials_f(), pow_status});
// The forwarding entries share the kernels above; a quick pass shows they are wired to them.
acc::Registration r_spow_21({"_zafsPow_21", Prec::f32, Class::f21, Shape::binary, FN(_zafsPow_21), nullptr, nullptr,
                             mpfr_pow, kFA, kFB, specials_f(), pow_status});
acc::Registration r_spow_11({"_zafsPow_11", Prec::f32, Class::f11, Shape::binary, FN(_zafsPow_11), nullptr, nullptr,
                             mpfr_pow, kFA, kFB, specials_f(), pow_status});
acc::Registration r_spowx_21({"_zafsPowx_21", Prec::f32, Class::f21, Shape::scalar_b, FN(_zafsPowx_21), nullptr,
                              nullptr, mpfr_pow, kFA, kFB, specials_f(), pow_status});
acc::Registration r_spowx_11({"_zafsPowx_11", Prec::f32, Class::f11, Shape::scalar_b, FN(_zafsPowx_11), nullptr,
                              nullptr, mpfr_pow, kFA, kFB, specials_f(), pow_status});
acc::Registration r_dpowx_50({"_zafdPowx_50", Prec::f64, Class::d50, Shape::scalar_b, FN(_zafdPowx_50), nullptr,
                              nullptr, mpfr_pow, kDA, kDB, specials_d(), pow_status});

}  // namespace
