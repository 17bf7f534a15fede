// Float hyperbolic tangent, 21-bit class, in float: below 9/16 an odd polynomial, above it 1 - 2/(e^(2|x|) + 1).
#include "zaf_core/tanh/tanh_impl.h"

namespace {
struct P : zaforq::vm::tanhk::STanh21 {
  static constexpr char name[] = "_zafsTanh_21";
};
}  // namespace

extern "C" ZAFORQ_API void _zafsTanh_21(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<P>(n, a, r); }
