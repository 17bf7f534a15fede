// Float hyperbolic tangent, 11-bit class: degree-4 polynomials on 30 intervals, in double.
#include "zaf_core/tanh/tanh_impl.h"

namespace {
struct P : zaforq::vm::tanhk::STanh11 {
  static constexpr char name[] = "_zafsTanh_11";
};
}  // namespace

extern "C" ZAFORQ_API void _zafsTanh_11(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<P>(n, a, r); }
