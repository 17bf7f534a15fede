// Double reciprocal by SSE2 division: the quotient is correctly rounded, so only zero
// divisors (a pole) leave the fast path.
#include "common/simd.h"
#include "zaf_core/_frame/frame.h"

namespace {

using namespace zaforq;
using namespace zaforq::simd;

struct DInv50 {
  using T = double;
  static constexpr int group = 4;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafdInv_50";

  static uint32_t fast(const double* a, double* r) {
    const f64x2 x0 = f64x2::load(a), x1 = f64x2::load(a + 2);
    const f64x2 one = f64x2::all(1.0), zero = f64x2::all(0.0);
    (one / x0).store(r);
    (one / x1).store(r + 2);
    return movemask(x0 == zero) | (movemask(x1 == zero) << 2);
  }
  static void special(double a, double& r, const vm::Report<double>& report) {
    r = 1.0 / a;  // ±inf with the sign of the zero
    report(ZAF_STATUS_SING);
  }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdInv_50(int32_t n, const double* a, double* r) {
  vm::run_unary<DInv50>(n, a, r);
}
