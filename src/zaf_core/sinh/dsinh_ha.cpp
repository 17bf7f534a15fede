// Double hyperbolic sine, high accuracy: e^|x|/2 - e^-|x|/2 as (high, low) pairs; below 0.2475 a
// series, below 0.035 the x87 series at 64-bit precision.
#include "zaf_core/_hyperbolic/cosh_sinh.h"

namespace {
struct P : zaforq::vm::hyp::DHA<zaforq::vm::hyp::Fn::sinh> {
  static constexpr char name[] = "_zafdSinh_HA";
};
}  // namespace

extern "C" ZAFORQ_API void _zafdSinh_HA(int32_t n, const double* a, double* r) { zaforq::vm::run_unary<P>(n, a, r); }
