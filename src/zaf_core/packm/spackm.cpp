#include "zaf.h"
#include "zaf_core/_pack/pack.h"

extern "C" ZAFORQ_API void _zafsPackM(int32_t n, const float* a, const int32_t* ma, float* y) {
  zaforq::pack::pack_m(n, a, ma, y);
}
