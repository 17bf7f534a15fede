#include "zaf.h"
#include "zaf_core/_pack/pack.h"

extern "C" ZAFORQ_API void _zafdUnpackV(int32_t n, const double* a, double* y, const int32_t* iy) {
  zaforq::pack::unpack_v(n, a, y, iy);
}
