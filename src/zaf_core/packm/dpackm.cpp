#include "zaf.h"
#include "zaf_core/_pack/pack.h"

extern "C" ZAFORQ_API void _zafdPackM(int32_t n, const double* a, const int32_t* ma, double* y) {
  zaforq::pack::pack_m(n, a, ma, y);
}
