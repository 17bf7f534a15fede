#include "zaf.h"
#include "zaf_core/_pack/pack.h"

extern "C" ZAFORQ_API void _zafsUnpackM(int32_t n, const float* a, float* y, const int32_t* my) {
  zaforq::pack::unpack_m(n, a, y, my);
}
