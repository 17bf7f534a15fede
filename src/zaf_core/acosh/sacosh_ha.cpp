// Float inverse hyperbolic cosine, high accuracy: evaluated in double, the logarithm on the float
// table with a degree-5 polynomial, rounded once to float.
#include "zaf_core/_hyperbolic/arc.h"

namespace {
struct P : zaforq::vm::arc::S<zaforq::vm::arc::Fn::acosh> {
  static constexpr char name[] = "_zafsAcosh_HA";
};
}  // namespace

extern "C" ZAFORQ_API void _zafsAcosh_HA(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<P>(n, a, r); }
