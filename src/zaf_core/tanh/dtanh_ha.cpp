// Double hyperbolic tangent, high accuracy: degree-15 polynomials on 30 intervals, c0 + c1 t
// summed exactly and the rest added to its error, rounded once.
#include "zaf_core/tanh/tanh_impl.h"

namespace {
struct P : zaforq::vm::tanhk::DTanhHA {
  static constexpr char name[] = "_zafdTanh_HA";
};
}  // namespace

extern "C" ZAFORQ_API void _zafdTanh_HA(int32_t n, const double* a, double* r) { zaforq::vm::run_unary<P>(n, a, r); }
