// Float power to one scalar exponent: the computation of the float Pow kernel with every
// exponent equal to b.
#include "zaf_core/pow/pow_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::powk;

struct SPowxHA {
  using T = float;
  static constexpr int group = 8;
  static constexpr X87 x87 = X87::pc53;
  static constexpr char name[] = "_zafsPowx_HA";
  static uint32_t fast(const float* a, float b, float* r) {
    const f32x4 y = f32x4::all(b);
    return spow_fast8(f32x4::load(a), f32x4::load(a + 4), y, y, r);
  }
  static void special(float a, float b, float& r, const vm::Report<float>& report) { spow_special(a, b, r, report); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsPowx_HA(int32_t n, const float* a, float b, float* r) {
  vm::run_scalar<SPowxHA>(n, a, b, r);
}
