// Double exponential, high accuracy: 64 steps per octave with a (high, low) table and a
// degree-5 polynomial; groups of four, and a group with any lane at |x| >= 708.3964... goes to
// the special routine whole.
#include "zaf_core/exp/exp_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::expk;

struct DExpHA {
  using T = double;
  static constexpr int group = 4;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafdExp_HA";
  static uint32_t fast(const double* a, double* r) {
    const f64x2 x0 = f64x2::load(a), x1 = f64x2::load(a + 2);
    dexp_ha(x0).store(r);
    dexp_ha(x1).store(r + 2);
    return (dexp_out_of_range(x0) | dexp_out_of_range(x1)) ? 0xFu : 0u;
  }
  static void special(double a, double& r, const vm::Report<double>& report) { dexp_ha_special(a, r, report); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdExp_HA(int32_t n, const double* a, double* r) { vm::run_unary<DExpHA>(n, a, r); }
