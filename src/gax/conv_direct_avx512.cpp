// Direct convolution accumulation on the AVX-512 path.
#define ZAFORQ_ISA_NS avx512
#include "gax/conv_direct_wide.inc"
