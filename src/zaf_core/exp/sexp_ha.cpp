// Float exponential, high accuracy: 128 steps per octave, a (value, correction) table and
// e^r - 1 = r + r^2/2.
#include "zaf_core/exp/exp_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::expk;

struct SExpHA : SExpCore<2> {
  using Wide = SExpCore<2>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsExp_HA";
  static uint32_t fast(const float* a, float* r) { return Wide::template fast<f32x4>(a, r); }
  static void special(float a, float& r, const vm::Report<float>& report) { sexp_ha_special(a, r, report); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsExp_HA(int32_t n, const float* a, float* r) { vm::run_unary<SExpHA>(n, a, r); }
