// Float complementary error function, high accuracy: e^(-x^2) (64 steps per octave, cubic
// polynomial) times a degree-5 polynomial on eighths of binades, in double, rounded once.
// Arguments from 9.19455 on report UNDERFLOW, each element on its own, lowest index first.
#include "zaf_core/_erf/erf_core.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct SErfcHA : SErfcCore<5, true, kSErfcHA> {
  using Wide = SErfcCore<5, true, kSErfcHA>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsErfc_HA";
  static uint32_t fast(const float* a, float* r) { return Wide::fast<f32x4>(a, r); }
  static void special(float a, float& r, const vm::Report<float>& report) {
    serfc_special<5, true, kSErfcHA>(a, r, report);
  }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsErfc_HA(int32_t n, const float* a, float* r) { vm::run_unary<SErfcHA>(n, a, r); }
