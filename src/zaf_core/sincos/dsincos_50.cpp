// Double sine and cosine together, the 4-ulp class: one reduction by pi/2 and two Taylor
// polynomials, no table; beyond |x| = 128000, inf and NaN through the callout.
#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct DSinCos50 {
  static constexpr char name[] = "_zafdSinCos_50";
  static constexpr char callout[] = "dSinCos_LA";
  static constexpr zaforq::X87 x87 = zaforq::X87::pc53;
  static constexpr bool table = false;  // the pi/32 table, or the table-free polynomials
};

}  // namespace

extern "C" ZAFORQ_API void _zafdSinCos_50(int32_t n, const double* a, double* r1, double* r2) {
  zaforq::vm::run_two_out<DoubleSinCos<DSinCos50>>(n, a, r1, r2);
}
