// Double exponential, lower accuracy: 128 steps per octave, a table of mantissas only (the
// exponent is added to them as an integer) and a degree-4 polynomial.
#include "zaf_core/exp/exp_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::expk;

struct DExp50 {
  using T = double;
  static constexpr int group = 4;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafdExp_50";
  static uint32_t fast(const double* a, double* r) {
    const f64x2 x0 = f64x2::load(a), x1 = f64x2::load(a + 2);
    dexp_50(x0).store(r);
    dexp_50(x1).store(r + 2);
    return (dexp_out_of_range(x0) | dexp_out_of_range(x1)) ? 0xFu : 0u;
  }
  static void special(double a, double& r, const vm::Report<double>& report) { dexp_50_special(a, r, report); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdExp_50(int32_t n, const double* a, double* r) { vm::run_unary<DExp50>(n, a, r); }
