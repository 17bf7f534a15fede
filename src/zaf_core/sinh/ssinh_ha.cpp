// Float hyperbolic sine, high accuracy: evaluated in double ((E ± 1/E)/2 with E = e^|x|) and rounded once.
// Lanes beyond 88.0242691040039 go to the special routine, each overflow reported lowest lane first.
#include "zaf_core/_hyperbolic/cosh_sinh.h"

namespace {
struct P : zaforq::vm::hyp::S<zaforq::vm::hyp::Fn::sinh, 2> {
  static constexpr char name[] = "_zafsSinh_HA";
};
}  // namespace

extern "C" ZAFORQ_API void _zafsSinh_HA(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<P>(n, a, r); }
