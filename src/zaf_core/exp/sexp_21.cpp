// Float exponential of the 21-bit class (the same algorithm as the high-accuracy kernel): 128 steps per
// octave, a (value, correction) table and e^r - 1 = r + r^2/2; groups of eight.
#include "zaf_core/exp/exp_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::expk;

struct SExp21 {
  using T = float;
  static constexpr int group = 8;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsExp_21";
  static uint32_t fast(const float* a, float* r) {
    const f32x4 x0 = f32x4::load(a), x1 = f32x4::load(a + 4);
    const f32x4 bound = f32x4::all(bits<float>(0x42AEAC50u));  // 87.3365478515625
    sexp_ha(x0).store(r);
    sexp_ha(x1).store(r + 4);
    return sexp_out_of_range(x0, bound) | (sexp_out_of_range(x1, bound) << 4);
  }
  static void special(float a, float& r, const vm::Report<float>& report) { sexp_ha_special(a, r, report); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsExp_21(int32_t n, const float* a, float* r) { vm::run_unary<SExp21>(n, a, r); }
