// The transform and the spectrum products on the AVX2 path: four doubles or eight floats.
#define ZAFORQ_ISA_NS avx2
#define ZAFORQ_F64_LANES 4
#define ZAFORQ_F32_LANES 8
#include "gax/fft_path.inc"
