// The transform and the spectrum products on the AVX-512 path: eight doubles, sixteen floats.
// Sixteen floats per register pay while the data stays in the first-level cache; beyond it the
// four pieces each split-group load is made of cost more than the wider arithmetic saves, and
// eight lanes (with this path's 32 registers) measure faster.
#define ZAFORQ_ISA_NS avx512
#define ZAFORQ_F64_LANES 8
#define ZAFORQ_F32_LANES 16
#define ZAFORQ_F32_LANES_LARGE 8
#define ZAFORQ_F32_LARGE_FROM 12
#define ZAFORQ_FFT_FUSE 1
#include "gax/fft_path.inc"
