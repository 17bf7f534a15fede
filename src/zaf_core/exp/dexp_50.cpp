// Double exponential, lower accuracy: 128 steps per octave, a table of mantissas only (the
// exponent is added to them as an integer) and a degree-4 polynomial.
#include "zaf_core/exp/exp_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::expk;

struct DExp50 : DExpCore<false> {
  using Wide = DExpCore<false>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafdExp_50";
  static uint32_t fast(const double* a, double* r) { return Wide::template fast<f64x2>(a, r); }
  static void special(double a, double& r, const vm::Report<double>& report) { dexp_50_special(a, r, report); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdExp_50(int32_t n, const double* a, double* r) { vm::run_unary<DExp50>(n, a, r); }
