// Arcsine, arccosine, arctangent and the two-argument arctangent against MPFR, whose special
// values (atan2 of signed zeros and infinities included) are the ones these kernels must give.
#include <math.h>

#include "harness.h"
#include "zaf.h"

namespace {

using acc::Class;
using acc::Prec;
using acc::Shape;

const double kInf = INFINITY;
const double kNaN = NAN;

// ERRDOM beyond ±1, infinities included; NaN passes without a report.
int st_unit(double a, double) { return fabs(a) > 1 ? ZAF_STATUS_ERRDOM : 0; }

// Asin and Acos: subnormals, the polynomial range, the square-root range, arguments within
// 2^-20 and 2^-45 of ±1, and the domain errors beyond.
const std::vector<acc::Range> kUnitD = {
    {4.9406564584124654e-324, 2.2250738585072014e-308}, {1e-300, 0.5}, {0.5, 0.9999999999999999},
    {1 - 0x1p-20, 0.9999999999999999},                  {1 - 0x1p-45, 0.9999999999999999},
    {1.0000000000000002, 1e300}};
const std::vector<acc::Range> kUnitF = {
    {1.4e-45, 1.1754943508222875e-38}, {1e-30, 0.5}, {0.5, 1 - 0x1p-24}, {1 - 0x1p-12, 1 - 0x1p-24},
    {1 + 0x1p-23, 1e30}};
// A float kernel sees its arguments rounded to float, so its specials are float values.
double in_format(double x, bool f) { return f ? static_cast<float>(x) : x; }

std::vector<acc::Special> unit_specials(bool f) {
  const double eps = f ? 0x1p-24 : 0x1p-53;
  const double v[] = {0.0,  1.0,        0.5, 1 - eps, 1 + 2 * eps, 0.5 - eps / 2, 0.5 + eps, f ? 0x1p-149 : 0x1p-1074,
                      0.70710678118654757, 1e-8, 2.0, kInf};
  std::vector<acc::Special> s = {{kNaN, 0}};
  for (double x : v) {
    s.push_back({in_format(x, f), 0});
    s.push_back({-in_format(x, f), 0});
  }
  return s;
}

// Atan: every binade, the table points' neighbourhood, ±1 and the edge of the vector range.
const std::vector<acc::Range> kAtanD = {
    {4.9406564584124654e-324, 2.2250738585072014e-308}, {1e-300, 1e-8}, {1e-8, 1.0}, {1.0, 1e8},
    {1e8, 1.7976931348623157e308}, {0.9, 1.1}};
const std::vector<acc::Range> kAtanF = {
    {1.4e-45, 1.1754943508222875e-38}, {1e-30, 1e-4}, {1e-4, 1.0}, {1.0, 1e4}, {1e4, 3.4028234663852886e38},
    {0.9, 1.1}};
std::vector<acc::Special> atan_specials(bool f) {
  const double v[] = {0.0, 1.0, 0.0625, 0.03125, 0.09375, 0.41421356237309503, 16.0, 0x1p64,
                      f ? 0x1.fffffep63 : 0x1.fffffffffffffp63, f ? 3.4028234663852886e38 : 1.7976931348623157e308,
                      f ? 0x1p-149 : 0x1p-1074, kInf};
  std::vector<acc::Special> s = {{kNaN, 0}};
  for (double x : v) {
    s.push_back({in_format(x, f), 0});
    s.push_back({-in_format(x, f), 0});
  }
  return s;
}

// Atan2: subnormal, wide and near-equal magnitudes of both arguments, every pair.
const std::vector<acc::Range> kAtan2D = {
    {4.9406564584124654e-324, 2.2250738585072014e-308}, {1e-300, 1e300}, {0.5, 2.0}};
const std::vector<acc::Range> kAtan2F = {{1.4e-45, 1.1754943508222875e-38}, {1e-30, 1e30}, {0.5, 2.0}};
// Every pair of signed zeros, infinities, NaN, ones, the smallest subnormal, the largest value
// and the edges of the double table method's range.
std::vector<acc::Special> atan2_specials(bool f) {
  const double min_sub = f ? 0x1p-149 : 0x1p-1074, max = f ? 3.4028234663852886e38 : 1.7976931348623157e308;
  std::vector<double> v = {0.0, -0.0, kInf, -kInf, kNaN, 1.0, -1.0, min_sub, -min_sub, max, -max, 3.0, -0.5};
  if (!f) v.insert(v.end(), {0x1p-1020, 0x1p-1021, 0x1p992, 0x1.fffffffffffffp992, 0x1p993});
  std::vector<acc::Special> s;
  for (double a : v)
    for (double b : v) s.push_back({a, b});
  return s;
}

#define FN(f) reinterpret_cast<void*>(&f)
#define UNARY(NAME, P, C, EXACT, R, S, ST) \
  acc::Registration r##NAME({#NAME, Prec::P, Class::C, Shape::unary, FN(NAME), EXACT, nullptr, nullptr, R, {}, S, ST});
#define BINARY(NAME, P, C, R, S) \
  acc::Registration r##NAME({#NAME, Prec::P, Class::C, Shape::binary, FN(NAME), nullptr, nullptr, mpfr_atan2, R, R, S, nullptr});

const std::vector<acc::Special> kUnitSpD = unit_specials(false), kUnitSpF = unit_specials(true);
const std::vector<acc::Special> kAtanSpD = atan_specials(false), kAtanSpF = atan_specials(true);
const std::vector<acc::Special> kAtan2SpD = atan2_specials(false), kAtan2SpF = atan2_specials(true);

UNARY(_zafdAsin_HA, f64, dHA, mpfr_asin, kUnitD, kUnitSpD, st_unit)
UNARY(_zafdAsin_50, f64, d50, mpfr_asin, kUnitD, kUnitSpD, st_unit)
UNARY(_zafsAsin_HA, f32, fHA, mpfr_asin, kUnitF, kUnitSpF, st_unit)
UNARY(_zafsAsin_21, f32, f21, mpfr_asin, kUnitF, kUnitSpF, st_unit)
UNARY(_zafsAsin_11, f32, f11, mpfr_asin, kUnitF, kUnitSpF, st_unit)
UNARY(_zafdAcos_HA, f64, dHA, mpfr_acos, kUnitD, kUnitSpD, st_unit)
UNARY(_zafdAcos_50, f64, d50, mpfr_acos, kUnitD, kUnitSpD, st_unit)
UNARY(_zafsAcos_HA, f32, fHA, mpfr_acos, kUnitF, kUnitSpF, st_unit)
UNARY(_zafsAcos_21, f32, f21, mpfr_acos, kUnitF, kUnitSpF, st_unit)
UNARY(_zafsAcos_11, f32, f11, mpfr_acos, kUnitF, kUnitSpF, st_unit)
UNARY(_zafdAtan_HA, f64, dHA, mpfr_atan, kAtanD, kAtanSpD, nullptr)
UNARY(_zafdAtan_50, f64, d50, mpfr_atan, kAtanD, kAtanSpD, nullptr)
UNARY(_zafsAtan_HA, f32, fHA, mpfr_atan, kAtanF, kAtanSpF, nullptr)
UNARY(_zafsAtan_21, f32, f21, mpfr_atan, kAtanF, kAtanSpF, nullptr)
UNARY(_zafsAtan_11, f32, f11, mpfr_atan, kAtanF, kAtanSpF, nullptr)
BINARY(_zafdAtan2_HA, f64, dHA, kAtan2D, kAtan2SpD)
BINARY(_zafdAtan2_50, f64, d50, kAtan2D, kAtan2SpD)
BINARY(_zafsAtan2_HA, f32, fHA, kAtan2F, kAtan2SpF)
BINARY(_zafsAtan2_21, f32, f21, kAtan2F, kAtan2SpF)
BINARY(_zafsAtan2_11, f32, f11, kAtan2F, kAtan2SpF)

}  // namespace
