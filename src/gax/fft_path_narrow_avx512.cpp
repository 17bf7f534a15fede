// The AVX-512 transform for arrays that do not all start on a cache line (the caller's, or
// blocks from the 32-byte allocator): the same code with the memory accessed in the narrower
// pieces that do not straddle lines. Same bits as the aligned build.
#define ZAFORQ_ISA_NS avx512_narrow
#define ZAFORQ_F64_LANES 8
#define ZAFORQ_F32_LANES 16
#define ZAFORQ_FFT_FUSE 1
#define ZAFORQ_FFT_WHOLE_LINES 0
#include "gax/fft_path.inc"
