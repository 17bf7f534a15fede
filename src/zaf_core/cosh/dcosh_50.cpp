// Double hyperbolic cosine, lower accuracy: (e^|x| + e^-|x|) / 2 from one exponential and a
// division.
#include "zaf_core/_hyperbolic/cosh_sinh.h"

namespace {
struct P : zaforq::vm::hyp::D50ByExp<zaforq::vm::hyp::Fn::cosh> {
  static constexpr char name[] = "_zafdCosh_50";
};
}  // namespace

extern "C" ZAFORQ_API void _zafdCosh_50(int32_t n, const double* a, double* r) { zaforq::vm::run_unary<P>(n, a, r); }
