// The transform and the spectrum products on the AVX-512 path: eight doubles, sixteen floats.
// Runs of split groups are read and written as whole 64-byte pieces here (fft_core.h), which
// makes sixteen floats per register pay at every length.
#define ZAFORQ_ISA_NS avx512
#define ZAFORQ_F64_LANES 8
#define ZAFORQ_F32_LANES 16
#define ZAFORQ_FFT_FUSE 1
#include "gax/fft_path.inc"
