#include "zaf.h"
#include "zaf_core/_pack/pack.h"

extern "C" ZAFORQ_API void _zafdPackI(int32_t n, const double* a, int32_t inc, double* y) {
  zaforq::pack::pack_i(n, a, inc, y);
}
