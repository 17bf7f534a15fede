// Double Log10, lower accuracy: 257-entry table indexed by the leading mantissa bits rounded to
// 8, no split point.
#include "zaf_core/_log/log_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::logk;

struct DLog1050 : DLogCore<Base::ten, false> {
  using Wide = DLogCore<Base::ten, false>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafdLog10_50";
  static uint32_t fast(const double* a, double* r) { return Wide::fast<f64x2>(a, r); }
  static void special(double a, double& r, const vm::Report<double>& report) { dlog_50_special<Base::ten>(a, r, report); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdLog10_50(int32_t n, const double* a, double* r) { vm::run_unary<DLog1050>(n, a, r); }
