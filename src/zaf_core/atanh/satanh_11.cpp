// Float inverse hyperbolic tangent, 11-bit class: log1p of an argument without cancellation
// in float arithmetic, correctly rounded square roots and quotients, a short table-free logarithm.
#include "zaf_core/_hyperbolic/arc.h"

namespace {
struct P : zaforq::vm::arc::SLow<zaforq::vm::arc::Fn::atanh, false> {
  static constexpr char name[] = "_zafsAtanh_11";
};
}  // namespace

extern "C" ZAFORQ_API void _zafsAtanh_11(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<P>(n, a, r); }
