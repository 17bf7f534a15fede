// _zafdDiv_50 is the high-accuracy division: the x87 method costs no more than a lower class would.
#include "zaforq/zaf_algebraic.h"

extern "C" ZAFORQ_API void _zafdDiv_50(int32_t n, const double* a, const double* b, double* r) {
  _zafdDiv_HA(n, a, b, r);
}
