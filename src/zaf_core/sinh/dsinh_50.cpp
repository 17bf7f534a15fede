// Double hyperbolic sine, lower accuracy: half exponentials from the 128-step table of
// mantissas; below 0.2475 a series.
#include "zaf_core/_hyperbolic/cosh_sinh.h"

namespace {
struct P : zaforq::vm::hyp::D50<zaforq::vm::hyp::Fn::sinh> {
  static constexpr char name[] = "_zafdSinh_50";
};
}  // namespace

extern "C" ZAFORQ_API void _zafdSinh_50(int32_t n, const double* a, double* r) { zaforq::vm::run_unary<P>(n, a, r); }
