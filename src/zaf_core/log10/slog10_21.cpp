// Float Log10 of the 21-bit class, in float arithmetic over a 65-entry table; special
// arguments on the x87 unit.
#include "zaf_core/_log/log_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::logk;

struct SLog1021 : SLogCore<Base::ten, 64> {
  using Wide = SLogCore<Base::ten, 64>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsLog10_21";
  static uint32_t fast(const float* a, float* r) { return Wide::fast<f32x4>(a, r); }
  static void special(float a, float& r, const vm::Report<float>& report) { slog_special<Base::ten>(a, r, report); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsLog10_21(int32_t n, const float* a, float* r) { vm::run_unary<SLog1021>(n, a, r); }
