// Float Log10, high accuracy: the 65-entry reduction evaluated in double and rounded once;
// special arguments on the x87 unit.
#include "zaf_core/_log/log_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::logk;

struct SLog10HA : SLogCore<Base::ten, 0> {
  using Wide = SLogCore<Base::ten, 0>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsLog10_HA";
  static uint32_t fast(const float* a, float* r) { return Wide::fast<f32x4>(a, r); }
  static void special(float a, float& r, const vm::Report<float>& report) { slog_special<Base::ten>(a, r, report); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsLog10_HA(int32_t n, const float* a, float* r) { vm::run_unary<SLog10HA>(n, a, r); }
