// Float Log10 of the 21-bit class, in float arithmetic over a 65-entry table; special
// arguments on the x87 unit.
#include "zaf_core/_log/log_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::logk;

struct SLog1021 {
  using T = float;
  static constexpr int group = 8;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsLog10_21";
  static uint32_t fast(const float* a, float* r) {
    const f32x4 x0 = f32x4::load(a), x1 = f32x4::load(a + 4);
    slog_table<Base::ten, 64>(x0).store(r);
    slog_table<Base::ten, 64>(x1).store(r + 4);
    return slog_out_of_range(x0) | (slog_out_of_range(x1) << 4);
  }
  static void special(float a, float& r, const vm::Report<float>& report) { slog_special<Base::ten>(a, r, report); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsLog10_21(int32_t n, const float* a, float* r) { vm::run_unary<SLog1021>(n, a, r); }
