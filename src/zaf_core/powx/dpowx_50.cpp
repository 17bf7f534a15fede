// The double scalar-exponent power has one computation: this entry is the high-accuracy kernel.
#include "zaf.h"

extern "C" ZAFORQ_API void _zafdPowx_50(int32_t n, const double* a, double b, double* r) { _zafdPowx_HA(n, a, b, r); }
