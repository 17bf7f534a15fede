// Double tangent, 4-ulp class: the staged evaluation of the high-accuracy kernel on groups of
// four, completed in double instead of extended precision.
#include "zaf_core/sin/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct DTan50 {
  using T = double;
  static constexpr int group = 4;
  static constexpr zaforq::X87 x87 = zaforq::X87::pc53;
  static constexpr char name[] = "_zafdTan_50";
  static uint32_t fast(const double* a, double* r) {
    alignas(16) double rh[4], rl[4], odd[4], p[4];
    dtan_reduction(4, a, rh, rl, odd);
    dtan_polynomial53(4, rh, p);
    dtan_complete53(4, rh, rl, p, odd, r);
    return double_outside(f64x2::load(a), kTanLimit, true) | (double_outside(f64x2::load(a + 2), kTanLimit, true) << 2);
  }
  static void special(double a, double& r, const zaforq::vm::Report<double>& rep) {
    zaforq::trig::callout(Fn::tan, a, &r, rep.index(), "dTan_LA");
  }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdTan_50(int32_t n, const double* a, double* r) {
  zaforq::vm::run_unary<DTan50>(n, a, r);
}
