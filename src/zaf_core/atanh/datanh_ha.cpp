// Double inverse hyperbolic tangent, high accuracy: the logarithm's argument as a (high, low) pair and the
// logarithm's 513-entry table, rounded once.
#include "zaf_core/_hyperbolic/arc.h"

namespace {
struct P : zaforq::vm::arc::D<zaforq::vm::arc::Fn::atanh, true> {
  static constexpr char name[] = "_zafdAtanh_HA";
};
}  // namespace

extern "C" ZAFORQ_API void _zafdAtanh_HA(int32_t n, const double* a, double* r) { zaforq::vm::run_unary<P>(n, a, r); }
