// Double complementary error function, 4-ulp class: the same scheme with a degree-10 G in
// plain double arithmetic.
#include "zaf_core/erfc/derfc.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct C50 : DErfcPolicy<false> {
  static constexpr char name[] = "_zafdErfc_50";
};

}  // namespace

extern "C" ZAFORQ_API void _zafdErfc_50(int32_t n, const double* a, double* r) {
  vm::run_unary<C50>(n, a, r);
}
