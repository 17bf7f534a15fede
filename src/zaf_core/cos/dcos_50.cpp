// The double cosine of the lower class is the high-accuracy kernel.
#include "zaf.h"

extern "C" ZAFORQ_API void _zafdCos_50(int32_t n, const double* a, double* r) { _zafdCos_HA(n, a, r); }
