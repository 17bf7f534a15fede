// Double hyperbolic sine, lower accuracy: (e^|x| - e^-|x|) / 2 from one exponential and a
// division; below 1/2 a series.
#include "zaf_core/_hyperbolic/cosh_sinh.h"

namespace {
struct P : zaforq::vm::hyp::D50ByExp<zaforq::vm::hyp::Fn::sinh> {
  static constexpr char name[] = "_zafdSinh_50";
};
}  // namespace

extern "C" ZAFORQ_API void _zafdSinh_50(int32_t n, const double* a, double* r) { zaforq::vm::run_unary<P>(n, a, r); }
