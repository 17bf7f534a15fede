#include "zaf.h"
#include "zaf_core/_pack/pack.h"

extern "C" ZAFORQ_API void _zafsUnpackV(int32_t n, const float* a, float* y, const int32_t* iy) {
  zaforq::pack::unpack_v(n, a, y, iy);
}
