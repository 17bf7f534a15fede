// Double inverse hyperbolic tangent, lower accuracy: log1p of an argument formed in plain
// arithmetic without cancellation, on the high-accuracy kernels' logarithm (no double-double
// argument).
#include "zaf_core/_hyperbolic/arc.h"

namespace {
struct P : zaforq::vm::arc::D<zaforq::vm::arc::Fn::atanh, false> {
  static constexpr char name[] = "_zafdAtanh_50";
};
}  // namespace

extern "C" ZAFORQ_API void _zafdAtanh_50(int32_t n, const double* a, double* r) { zaforq::vm::run_unary<P>(n, a, r); }
