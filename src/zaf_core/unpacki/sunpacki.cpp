#include "zaf.h"
#include "zaf_core/_pack/pack.h"

extern "C" ZAFORQ_API void _zafsUnpackI(int32_t n, const float* a, float* y, int32_t inc) {
  zaforq::pack::unpack_i(n, a, y, inc);
}
