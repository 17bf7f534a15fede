// Double Erfc: the kernel policy of both classes, which differ only in the table of G and in
// how G times e^(-x^2) is evaluated. |x| above 26.4, and NaN, go through the special routine,
// which scales the result in two steps below the normal range and reports UNDERFLOW from
// 26.543258454250978 on.
#pragma once
#include "zaf_core/_erf/erf_core.h"

namespace zaforq::vm::erfk {

// Cls gives name, table and g(x, |x|, p0, p1, octaves).
template <class Cls>
struct DErfcPolicy : Cls {
  using T = double;
  static constexpr int group = 8;
  static constexpr X87 x87 = X87::untouched;
  static f64x2 eval(f64x2 x, f64x2 a, const double* p0, const double* p1, int octaves) {
    return Cls::g(x, a, p0, p1, octaves);
  }
  static uint32_t fast(const double* a, double* r) { return fast4(a, r) | (fast4(a + 4, r + 4) << 4); }
  __attribute__((always_inline)) static uint32_t fast4(const double* a, double* r) {
    const f64x2 x0 = f64x2::load(a), x1 = f64x2::load(a + 2);
    const f64x2 a0 = erfc_magnitude(x0, 32.0), a1 = erfc_magnitude(x1, 32.0);
    f64x2 y0, y1;
    four<3, kErfcLast>(x0, x1, a0, a1, Cls::table, [](f64x2 x, f64x2 m, const double* p0, const double* p1) {
      return Cls::g(x, m, p0, p1, 0);
    }, y0, y1);
    y0.store(r);
    y1.store(r + 2);
    const f64x2 bound = derfc_fast_bound();
    return (~movemask(abs(x0) <= bound) & 3u) | ((~movemask(abs(x1) <= bound) & 3u) << 2);  // NaN included
  }
  static void special(double a, double& r, const vm::Report<double>& report) {
    derfc_special(a, r, report, Cls::table, eval);
  }
};

}  // namespace zaforq::vm::erfk
