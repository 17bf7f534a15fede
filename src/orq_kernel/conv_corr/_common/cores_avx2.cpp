// The direct correlation cores on the AVX2 and FMA path.
#define ZAFORQ_ISA_NS avx2
#include "orq_kernel/conv_corr/_common/cores_wide.inc"
