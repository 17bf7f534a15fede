// Float hyperbolic cosine, 21-bit class: float arithmetic on the float exponential.
// Lanes beyond 88.0242691040039 go to the special routine, each overflow reported lowest lane first.
#include "zaf_core/_hyperbolic/cosh_sinh.h"

namespace {
struct P : zaforq::vm::hyp::S<zaforq::vm::hyp::Fn::cosh, 1> {
  static constexpr char name[] = "_zafsCosh_21";
};
}  // namespace

extern "C" ZAFORQ_API void _zafsCosh_21(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<P>(n, a, r); }
