// Double power to one scalar exponent, high accuracy: the computation of the double Pow kernel
// with every exponent equal to b.
#include "zaf_core/pow/pow_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::powk;

struct DPowxHA {
  using T = double;
  static constexpr int group = 4;
  static constexpr X87 x87 = X87::pc53;
  static constexpr char name[] = "_zafdPowx_HA";
  static uint32_t fast(const double* a, double b, double* r) {
    const f64x2 y = f64x2::all(b);
    return dpow_fast4<DHA>(f64x2::load(a), f64x2::load(a + 2), y, y, r);
  }
  static void special(double a, double b, double& r, const vm::Report<double>& report) {
    dpow_special<DHA>(a, b, r, report);
  }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdPowx_HA(int32_t n, const double* a, double b, double* r) {
  vm::run_scalar<DPowxHA>(n, a, b, r);
}
