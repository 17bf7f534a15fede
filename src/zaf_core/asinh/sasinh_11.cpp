// Float inverse hyperbolic sine, 11-bit class: evaluated in double, the logarithm on the float
// table with a degree-2 polynomial, rounded once to float.
#include "zaf_core/_hyperbolic/arc.h"

namespace {
struct P : zaforq::vm::arc::S<zaforq::vm::arc::Fn::asinh, 2> {
  static constexpr char name[] = "_zafsAsinh_11";
};
}  // namespace

extern "C" ZAFORQ_API void _zafsAsinh_11(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<P>(n, a, r); }
