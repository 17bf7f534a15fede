// Float inverse hyperbolic sine, 21-bit class: log1p of an argument without cancellation
// in float arithmetic, correctly rounded square roots and quotients, the logarithm without a table.
#include "zaf_core/_hyperbolic/arc.h"

namespace {
struct P : zaforq::vm::arc::SLow<zaforq::vm::arc::Fn::asinh, true> {
  static constexpr char name[] = "_zafsAsinh_21";
};
}  // namespace

extern "C" ZAFORQ_API void _zafsAsinh_21(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<P>(n, a, r); }
