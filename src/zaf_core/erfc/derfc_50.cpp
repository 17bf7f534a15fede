// Double complementary error function, 4-ulp class: the same scheme with a degree-10 G in plain double arithmetic.
// |x| above 26.4, and NaN, go through the special routine, which scales the result in two
// steps below the normal range and reports UNDERFLOW from 26.543258454250978 on.
#include "zaf_core/_erf/erf_core.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct DErfc50 {
  using T = double;
  static constexpr int group = 8;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafdErfc_50";
  static f64x2 eval(f64x2 x, f64x2 a, const double* p0, const double* p1, int octaves) {
    return derfc_50(x, a, p0, p1, octaves);
  }
  static uint32_t fast(const double* a, double* r) { return fast4(a, r) | (fast4(a + 4, r + 4) << 4); }
  __attribute__((always_inline)) static uint32_t fast4(const double* a, double* r) {
    const f64x2 x0 = f64x2::load(a), x1 = f64x2::load(a + 2);
    const f64x2 a0 = erfc_magnitude(x0, 32.0), a1 = erfc_magnitude(x1, 32.0);
    f64x2 y0, y1;
    four<3, kErfcLast>(x0, x1, a0, a1, kErfc50, [](f64x2 x, f64x2 m, const double* p0, const double* p1) {
      return derfc_50(x, m, p0, p1);
    }, y0, y1);
    y0.store(r);
    y1.store(r + 2);
    const f64x2 bound = derfc_fast_bound();
    return (~movemask(abs(x0) <= bound) & 3u) | ((~movemask(abs(x1) <= bound) & 3u) << 2);  // NaN included
  }
  static void special(double a, double& r, const vm::Report<double>& report) {
    derfc_special(a, r, report, kErfc50, eval);
  }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdErfc_50(int32_t n, const double* a, double* r) { vm::run_unary<DErfc50>(n, a, r); }
