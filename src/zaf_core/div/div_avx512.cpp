// div_wide.inc on AVX-512 registers (sixteen floats).
#define ZAFORQ_ISA_NS avx512
#include "zaf_core/div/div_wide.inc"
