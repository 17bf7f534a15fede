// Double power, lower accuracy: log2 x as a double-double from a 65-entry table and a
// degree-8 polynomial, the product with y in two parts, 2^(product) from the high parts of
// the 2^(j/128) table and a degree-4 polynomial. Groups of four; a group with any lane the
// vector path cannot finish is redone element by element.
#include "zaf_core/pow/pow_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::powk;

struct DPow50 {
  using T = double;
  static constexpr int group = 4;
  static constexpr X87 x87 = X87::pc53;
  static constexpr char name[] = "_zafdPow_50";
  // Kept out of line: the group loop stays small, and the per-group call costs nothing next to it.
  __attribute__((noinline)) static uint32_t fast(const double* a, const double* b, double* r) {
    const f64x2 x0 = f64x2::load(a), x1 = f64x2::load(a + 2);
    const f64x2 y0 = f64x2::load(b), y1 = f64x2::load(b + 2);
    return dpow_fast4<D50>(x0, x1, y0, y1, r);
  }
  static void special(double a, double b, double& r, const vm::Report<double>& report) {
    dpow_special<D50>(a, b, r, report);
  }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdPow_50(int32_t n, const double* a, const double* b, double* r) {
  vm::run_binary<DPow50>(n, a, b, r);
}
