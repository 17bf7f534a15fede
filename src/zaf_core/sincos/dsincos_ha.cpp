// Double sine and cosine together, high accuracy: one reduction by pi/32 feeds both table
// evaluations; beyond the fast limit, inf and NaN through the callout.
#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct DSinCosHA {
  static constexpr char name[] = "_zafdSinCos_HA";
  static constexpr char callout[] = "_zafdSinCos_HA";
  static constexpr zaforq::X87 x87 = zaforq::X87::untouched;
  static constexpr bool table = true;  // the pi/32 table, or the table-free polynomials
};

}  // namespace

extern "C" ZAFORQ_API void _zafdSinCos_HA(int32_t n, const double* a, double* r1, double* r2) {
  zaforq::vm::run_two_out<DoubleSinCos<DSinCosHA>>(n, a, r1, r2);
}
