// Float power, high accuracy: computed in double precision (log2 x from a 257-entry table,
// 2^(product) from a 128-entry table) and rounded once to float. Groups of eight; a group with
// any lane outside the vector path (x not positive finite, y zero, infinite or NaN) is redone
// element by element.
#include "zaf_core/pow/pow_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::powk;

struct SPowHA {
  using T = float;
  static constexpr int group = 8;
  static constexpr X87 x87 = X87::pc53;
  static constexpr char name[] = "_zafsPow_HA";
  static uint32_t fast(const float* a, const float* b, float* r) {
    return spow_fast8(f32x4::load(a), f32x4::load(a + 4), f32x4::load(b), f32x4::load(b + 4), r);
  }
  static void special(float a, float b, float& r, const vm::Report<float>& report) { spow_special(a, b, r, report); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsPow_HA(int32_t n, const float* a, const float* b, float* r) {
  vm::run_binary<SPowHA>(n, a, b, r);
}
