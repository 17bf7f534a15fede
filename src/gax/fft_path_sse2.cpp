// The transform and the spectrum products on the SSE2 path: two doubles or four floats.
#define ZAFORQ_ISA_NS sse2
#define ZAFORQ_F64_LANES 2
#define ZAFORQ_F32_LANES 4
#include "gax/fft_path.inc"
