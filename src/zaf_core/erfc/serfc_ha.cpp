// Float complementary error function, high accuracy: a Taylor step of degree 5 from the nearest
// point of the 1/128 grid of erfc and its derivative, summed in double and rounded once.
// Arguments from 9.19455 on report UNDERFLOW, each element on its own, lowest index first.
#include "zaf_core/_erf/erf_core.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct SErfcHA : SErfcGridCore {
  using Wide = SErfcGridCore;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsErfc_HA";
  static uint32_t fast(const float* a, float* r) { return Wide::fast<f32x4>(a, r); }
  static void special(float a, float& r, const vm::Report<float>& report) {
    serfc_special(a, r, report);
  }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsErfc_HA(int32_t n, const float* a, float* r) { vm::run_unary<SErfcHA>(n, a, r); }
