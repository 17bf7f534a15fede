// Double complementary error function, high accuracy: G and e^(-x^2) each in twice the
// working precision where it matters.
#include "zaf_core/erfc/derfc.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct HA {
  static constexpr char name[] = "_zafdErfc_HA";
  static constexpr const auto& table = kErfcHA;
  __attribute__((always_inline)) static f64x2 g(f64x2 x, f64x2 a, const double* p0, const double* p1, int octaves) {
    return derfc_ha(x, a, p0, p1, octaves);
  }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdErfc_HA(int32_t n, const double* a, double* r) {
  vm::run_unary<DErfcPolicy<HA>>(n, a, r);
}
