// hyperbolic_wide.inc on AVX-512 registers (eight doubles, sixteen floats).
#define ZAFORQ_ISA_NS avx512
#include "zaf_core/_hyperbolic/hyperbolic_wide.inc"
