// exp_wide.inc on AVX2 registers (four doubles, eight floats).
#define ZAFORQ_ISA_NS avx2
#include "zaf_core/exp/exp_wide.inc"
