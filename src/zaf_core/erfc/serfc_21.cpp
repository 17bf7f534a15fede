// Float complementary error function, 4-ulp class: a Taylor step of degree 4 from the nearest
// point of the 1/128 grid, in float from float rows scaled by 2^40; beyond the fast path the
// _HA step.
// Arguments from 9.19455 on report UNDERFLOW, each element on its own, lowest index first.
#include "zaf_core/_erf/erf_core.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct SErfc21 : SErfcFloatGridCore<false> {
  using Wide = SErfcFloatGridCore<false>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsErfc_21";
  static uint32_t fast(const float* a, float* r) { return Wide::fast<f32x4>(a, r); }
  static void special(float a, float& r, const vm::Report<float>& report) {
    serfc_special(a, r, report);
  }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsErfc_21(int32_t n, const float* a, float* r) { vm::run_unary<SErfc21>(n, a, r); }
