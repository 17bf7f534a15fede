// Double Ln, high accuracy: 513-entry reciprocal table, exact products of a 21-bit mantissa
// part, the result summed in a high and a low part.
#include "zaf_core/_log/log_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::logk;

struct DLnHA : DLogCore<Base::e, true> {
  using Wide = DLogCore<Base::e, true>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafdLn_HA";
  static uint32_t fast(const double* a, double* r) { return Wide::fast<f64x2>(a, r); }
  static void special(double a, double& r, const vm::Report<double>& report) { dlog_special<Base::e>(a, r, report); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdLn_HA(int32_t n, const double* a, double* r) { vm::run_unary<DLnHA>(n, a, r); }
