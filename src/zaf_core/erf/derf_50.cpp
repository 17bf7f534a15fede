// Double error function, 4-ulp class: the 23 intervals of the high-accuracy kernel with
// degree-13 polynomials in plain double arithmetic; only NaN leaves the fast path.
#include "zaf_core/_erf/erf_core.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct DErf50 {
  using T = double;
  static constexpr int group = 8;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafdErf_50";
  static uint32_t fast(const double* a, double* r) { return fast4(a, r) | (fast4(a + 4, r + 4) << 4); }
  __attribute__((always_inline)) static uint32_t fast4(const double* a, double* r) {
    const f64x2 x0 = f64x2::load(a), x1 = f64x2::load(a + 2);
    const f64x2 a0 = erf_magnitude(x0), a1 = erf_magnitude(x1);
    f64x2 y0, y1;
    four<2, kErfLast>(x0, x1, a0, a1, kErf50, derf_50, y0, y1);
    y0.store(r);
    y1.store(r + 2);
    return movemask(unordered(x0, x0)) | (movemask(unordered(x1, x1)) << 2);
  }
  static void special(double a, double& r, const vm::Report<double>&) { r = a + a; }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdErf_50(int32_t n, const double* a, double* r) { vm::run_unary<DErf50>(n, a, r); }
