// The direct correlation cores on the AVX-512 path.
#define ZAFORQ_ISA_NS avx512
#include "orq_kernel/conv_corr/_common/cores_wide.inc"
