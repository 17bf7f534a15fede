// Double error function, 4-ulp class: the 23 intervals of the high-accuracy kernel with
// degree-13 polynomials in plain double arithmetic; only NaN leaves the fast path.
#include "zaf_core/_erf/erf_core.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct DErf50 : DErfCore<false> {
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafdErf_50";
  using Wide = DErfCore<false>;
  static uint32_t fast(const double* a, double* r) { return Wide::fast<f64x2>(a, r); }
  static void special(double a, double& r, const vm::Report<double>&) { r = a + a; }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdErf_50(int32_t n, const double* a, double* r) { vm::run_unary<DErf50>(n, a, r); }
