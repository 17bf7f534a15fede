// The twisters' block work on the AVX2 path.
#define ZAFORQ_ISA_NS twist_avx2
#include "orq_sub_kernel/mt19937/twist_wide.h"
