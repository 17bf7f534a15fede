// Float hyperbolic sine, 11-bit class: float arithmetic on the table-free float exponential.
// Lanes beyond 88.0242691040039 go to the special routine, each overflow reported lowest lane first.
#include "zaf_core/_hyperbolic/cosh_sinh.h"

namespace {
struct P : zaforq::vm::hyp::S<zaforq::vm::hyp::Fn::sinh, 0> {
  static constexpr char name[] = "_zafsSinh_11";
};
}  // namespace

extern "C" ZAFORQ_API void _zafsSinh_11(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<P>(n, a, r); }
