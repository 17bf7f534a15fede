// Double exponential, high accuracy: 64 steps per octave with a (high, low) table and a
// degree-5 polynomial; a lane at |x| >= 708.3964... goes to the special routine.
#include "zaf_core/exp/exp_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::expk;

struct DExpHA : DExpCore<true> {
  using Wide = DExpCore<true>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafdExp_HA";
  static uint32_t fast(const double* a, double* r) { return Wide::template fast<f64x2>(a, r); }
  static void special(double a, double& r, const vm::Report<double>& report) { dexp_ha_special(a, r, report); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdExp_HA(int32_t n, const double* a, double* r) { vm::run_unary<DExpHA>(n, a, r); }
