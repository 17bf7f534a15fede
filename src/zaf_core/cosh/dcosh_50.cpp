// Double hyperbolic cosine, lower accuracy: both half exponentials from the 128-step table of
// mantissas and a degree-4 polynomial.
#include "zaf_core/_hyperbolic/cosh_sinh.h"

namespace {
struct P : zaforq::vm::hyp::D50<zaforq::vm::hyp::Fn::cosh> {
  static constexpr char name[] = "_zafdCosh_50";
};
}  // namespace

extern "C" ZAFORQ_API void _zafdCosh_50(int32_t n, const double* a, double* r) { zaforq::vm::run_unary<P>(n, a, r); }
