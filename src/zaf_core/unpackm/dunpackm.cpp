#include "zaf.h"
#include "zaf_core/_pack/pack.h"

extern "C" ZAFORQ_API void _zafdUnpackM(int32_t n, const double* a, double* y, const int32_t* my) {
  zaforq::pack::unpack_m(n, a, y, my);
}
