#include "zaf.h"
#include "zaf_core/_pack/pack.h"

extern "C" ZAFORQ_API void _zafsPackI(int32_t n, const float* a, int32_t inc, float* y) {
  zaforq::pack::pack_i(n, a, inc, y);
}
