// The double sine of the lower class is the high-accuracy kernel.
#include "zaf.h"

extern "C" ZAFORQ_API void _zafdSin_50(int32_t n, const double* a, double* r) { _zafdSin_HA(n, a, r); }
