// Double error function, high accuracy: 23 intervals of |x|, degree-14 polynomials with the
// leading terms in twice the working precision; |x| below 2^-1000 (and NaN) through the
// special routine, which forms x 2/sqrt(pi) in 64-bit precision on the x87 unit.
#include "zaf_core/_erf/erf_core.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct DErfHA : DErfCore<true> {
  static constexpr X87 x87 = X87::untouched;  // the x87 path sets its own control word
  static constexpr char name[] = "_zafdErf_HA";
  using Wide = DErfCore<true>;
  static uint32_t fast(const double* a, double* r) { return Wide::fast<f64x2>(a, r); }
  static void special(double a, double& r, const vm::Report<double>&) { r = a != a ? a + a : erf_tiny(a); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdErf_HA(int32_t n, const double* a, double* r) { vm::run_unary<DErfHA>(n, a, r); }
