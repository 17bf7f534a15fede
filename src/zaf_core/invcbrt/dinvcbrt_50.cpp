// _zafdInvCbrt_50 is the high-accuracy kernel.
#include "zaforq/zaf_algebraic.h"

extern "C" ZAFORQ_API void _zafdInvCbrt_50(int32_t n, const double* a, double* r) { _zafdInvCbrt_HA(n, a, r); }
