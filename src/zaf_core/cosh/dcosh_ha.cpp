// Double hyperbolic cosine, high accuracy: e^|x|/2 + e^-|x|/2 on the exponential's 64-step
// table with the bias one octave lower, summed as (high, low) pairs and rounded once.
#include "zaf_core/_hyperbolic/cosh_sinh.h"

namespace {
struct P : zaforq::vm::hyp::DHA<zaforq::vm::hyp::Fn::cosh> {
  static constexpr char name[] = "_zafdCosh_HA";
};
}  // namespace

extern "C" ZAFORQ_API void _zafdCosh_HA(int32_t n, const double* a, double* r) { zaforq::vm::run_unary<P>(n, a, r); }
