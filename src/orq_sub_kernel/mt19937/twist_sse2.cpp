// The twisters' block work on the SSE2 path.
#define ZAFORQ_ISA_NS twist_sse2
#include "orq_sub_kernel/mt19937/twist_wide.h"
