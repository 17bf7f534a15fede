// div_wide.inc on AVX2 registers (eight floats).
#define ZAFORQ_ISA_NS avx2
#include "zaf_core/div/div_wide.inc"
