// Double error function, high accuracy: 23 intervals of |x|, degree-14 polynomials with the
// leading terms in twice the working precision; |x| below 2^-1000 (and NaN) through the
// special routine, which forms x 2/sqrt(pi) in 64-bit precision on the x87 unit.
#include "zaf_core/_erf/erf_core.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct DErfHA {
  using T = double;
  static constexpr int group = 8;
  static constexpr X87 x87 = X87::untouched;  // the x87 path sets its own control word
  static constexpr char name[] = "_zafdErf_HA";
  static uint32_t fast(const double* a, double* r) { return fast4(a, r) | (fast4(a + 4, r + 4) << 4); }
  __attribute__((always_inline)) static uint32_t fast4(const double* a, double* r) {
    const f64x2 x0 = f64x2::load(a), x1 = f64x2::load(a + 2);
    const f64x2 a0 = erf_magnitude(x0), a1 = erf_magnitude(x1);
    f64x2 y0, y1;
    four<2, kErfLast>(x0, x1, a0, a1, kErfHA, derf_ha, y0, y1);
    y0.store(r);
    y1.store(r + 2);
    const f64x2 tiny = f64x2::all(bits<double>(0x0170000000000000ull));  // 2^-1000
    return (~movemask(abs(x0) >= tiny) & 3u) | ((~movemask(abs(x1) >= tiny) & 3u) << 2);  // NaN included
  }
  static void special(double a, double& r, const vm::Report<double>&) { r = a != a ? a + a : erf_tiny(a); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdErf_HA(int32_t n, const double* a, double* r) { vm::run_unary<DErfHA>(n, a, r); }
