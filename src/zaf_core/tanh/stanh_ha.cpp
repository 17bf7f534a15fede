// Float hyperbolic tangent, high accuracy: below 1/8 an odd polynomial in float, above it 1 - 2/(e^(2|x|) + 1) in double.
#include "zaf_core/tanh/tanh_impl.h"

namespace {
struct P : zaforq::vm::tanhk::STanhHA {
  static constexpr char name[] = "_zafsTanh_HA";
};
}  // namespace

extern "C" ZAFORQ_API void _zafsTanh_HA(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<P>(n, a, r); }
