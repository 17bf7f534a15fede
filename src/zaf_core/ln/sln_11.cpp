// Float Ln of the 11-bit class, in float arithmetic over a 17-entry table; special
// arguments on the x87 unit.
#include "zaf_core/_log/log_impl.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::logk;

struct SLn11 : SLogCore<Base::e, 16> {
  using Wide = SLogCore<Base::e, 16>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsLn_11";
  static uint32_t fast(const float* a, float* r) { return Wide::fast<f32x4>(a, r); }
  static void special(float a, float& r, const vm::Report<float>& report) { slog_special<Base::e>(a, r, report); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsLn_11(int32_t n, const float* a, float* r) { vm::run_unary<SLn11>(n, a, r); }
