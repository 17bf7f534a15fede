// Direct convolution accumulation on the AVX2 and FMA path.
#define ZAFORQ_ISA_NS avx2
#include "gax/conv_direct_wide.inc"
