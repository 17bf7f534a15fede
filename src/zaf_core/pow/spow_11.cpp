// The float power has one accuracy class: this entry is the high-accuracy kernel.
#include "zaf.h"

extern "C" ZAFORQ_API void _zafsPow_11(int32_t n, const float* a, const float* b, float* r) { _zafsPow_HA(n, a, b, r); }
