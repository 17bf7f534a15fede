// Double complementary error function, high accuracy: G and e^(-x^2) each in twice the
// working precision where it matters.
#include "zaf_core/erfc/derfc.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct HA : DErfcPolicy<true> {
  static constexpr char name[] = "_zafdErfc_HA";
};

}  // namespace

extern "C" ZAFORQ_API void _zafdErfc_HA(int32_t n, const double* a, double* r) {
  vm::run_unary<HA>(n, a, r);
}
