#include "zaf.h"
#include "zaf_core/_pack/pack.h"

extern "C" ZAFORQ_API void _zafsPackV(int32_t n, const float* a, const int32_t* ia, float* y) {
  zaforq::pack::pack_v(n, a, ia, y);
}
