// Double hyperbolic tangent, lower accuracy: degree-11 polynomials on the same 30 intervals.
#include "zaf_core/tanh/tanh_impl.h"

namespace {
struct P : zaforq::vm::tanhk::DTanh50 {
  static constexpr char name[] = "_zafdTanh_50";
};
}  // namespace

extern "C" ZAFORQ_API void _zafdTanh_50(int32_t n, const double* a, double* r) { zaforq::vm::run_unary<P>(n, a, r); }
