// Float exponential of the 11-bit class: no table, 2^k times a cubic in r = x - k ln 2.
#include "zaf_core/exp/exp_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::expk;

struct SExp11 : SExpCore<0> {
  using Wide = SExpCore<0>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsExp_11";
  static uint32_t fast(const float* a, float* r) { return Wide::template fast<f32x4>(a, r); }
  static void special(float a, float& r, const vm::Report<float>& report) { sexp_11_special(a, r, report); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsExp_11(int32_t n, const float* a, float* r) { vm::run_unary<SExp11>(n, a, r); }
