// Double complementary error function, 4-ulp class: the same scheme with a degree-10 G in
// plain double arithmetic.
#include "zaf_core/erfc/derfc.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct C50 {
  static constexpr char name[] = "_zafdErfc_50";
  static constexpr const auto& table = kErfc50;
  __attribute__((always_inline)) static f64x2 g(f64x2 x, f64x2 a, const double* p0, const double* p1, int octaves) {
    return derfc_50(x, a, p0, p1, octaves);
  }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdErfc_50(int32_t n, const double* a, double* r) {
  vm::run_unary<DErfcPolicy<C50>>(n, a, r);
}
