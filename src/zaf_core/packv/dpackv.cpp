#include "zaf.h"
#include "zaf_core/_pack/pack.h"

extern "C" ZAFORQ_API void _zafdPackV(int32_t n, const double* a, const int32_t* ia, double* y) {
  zaforq::pack::pack_v(n, a, ia, y);
}
