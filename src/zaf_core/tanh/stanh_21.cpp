// Float hyperbolic tangent, 21-bit class: degree-6 polynomials on 30 intervals, in double.
#include "zaf_core/tanh/tanh_impl.h"

namespace {
struct P : zaforq::vm::tanhk::STanh21 {
  static constexpr char name[] = "_zafsTanh_21";
};
}  // namespace

extern "C" ZAFORQ_API void _zafsTanh_21(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<P>(n, a, r); }
