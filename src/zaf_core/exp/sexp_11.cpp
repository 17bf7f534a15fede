// Float exponential of the 11-bit class: no table, 2^k times a cubic in r = x - k ln 2.
#include "zaf_core/exp/exp_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::expk;

struct SExp11 {
  using T = float;
  static constexpr int group = 8;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsExp_11";
  static uint32_t fast(const float* a, float* r) {
    const f32x4 x0 = f32x4::load(a), x1 = f32x4::load(a + 4);
    const f32x4 bound = f32x4::all(bits<float>(0x42AE8000u));  // 87.25: special from here on
    sexp_11(x0).store(r);
    sexp_11(x1).store(r + 4);
    const uint32_t m0 = ~movemask(abs(x0) < bound) & 0xFu, m1 = ~movemask(abs(x1) < bound) & 0xFu;
    return m0 | (m1 << 4);
  }
  static void special(float a, float& r, const vm::Report<float>& report) { sexp_11_special(a, r, report); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsExp_11(int32_t n, const float* a, float* r) { vm::run_unary<SExp11>(n, a, r); }
