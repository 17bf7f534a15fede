// The float scalar-exponent power has one accuracy class: this entry is the high-accuracy kernel.
#include "zaf.h"

extern "C" ZAFORQ_API void _zafsPowx_21(int32_t n, const float* a, float b, float* r) { _zafsPowx_HA(n, a, b, r); }
