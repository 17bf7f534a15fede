// The twisters' block work on the AVX-512 path.
#define ZAFORQ_ISA_NS twist_avx512
#include "orq_sub_kernel/mt19937/twist_wide.h"
