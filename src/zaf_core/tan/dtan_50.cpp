// Double tangent, 4-ulp class: the reduction and half-angle polynomial of the high-accuracy
// kernel in registers, completed in double instead of extended precision.
#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct DTan50 : DTanLaCore {
  using Wide = DTanLaCore;
  static constexpr zaforq::X87 x87 = zaforq::X87::pc53;
  static constexpr char name[] = "_zafdTan_50";
  static uint32_t fast(const double* a, double* r) { return Wide::fast<f64x2>(a, r); }
  static void special(double a, double& r, const zaforq::vm::Report<double>& rep) {
    zaforq::trig::callout(Fn::tan, a, &r, rep.index(), "dTan_LA");
  }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdTan_50(int32_t n, const double* a, double* r) {
  zaforq::vm::run_unary<DTan50>(n, a, r);
}
