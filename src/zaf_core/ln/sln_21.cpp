// Float Ln of the 21-bit class, in float arithmetic over a 65-entry table; special
// arguments on the x87 unit.
#include "zaf_core/_log/log_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::logk;

struct SLn21 : SLogCore<Base::e, 64> {
  using Wide = SLogCore<Base::e, 64>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsLn_21";
  static uint32_t fast(const float* a, float* r) { return Wide::fast<f32x4>(a, r); }
  static void special(float a, float& r, const vm::Report<float>& report) { slog_special<Base::e>(a, r, report); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsLn_21(int32_t n, const float* a, float* r) { vm::run_unary<SLn21>(n, a, r); }
