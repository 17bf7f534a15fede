// Float complementary error function, 11-bit class: erfc(r) - s d (1 - r d) from the nearest
// point r of the 1/128 grid, in float from the _21 kernel's rows (2 - that for negative x);
// beyond the fast path the _HA step.
// Arguments from 9.19455 on report UNDERFLOW, each element on its own, lowest index first.
#include "zaf_core/_erf/erf_core.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct SErfc11 : SErfcFloatGridCore<true> {
  using Wide = SErfcFloatGridCore<true>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsErfc_11";
  static uint32_t fast(const float* a, float* r) { return Wide::fast<f32x4>(a, r); }
  static void special(float a, float& r, const vm::Report<float>& report) {
    serfc_special(a, r, report);
  }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsErfc_11(int32_t n, const float* a, float* r) { vm::run_unary<SErfc11>(n, a, r); }
