// The twisters' block work on the AVX-512 path.
// GCC 12 warns about the deliberately undefined upper lanes inside its own AVX-512 intrinsics
// (shifts, conversions, extractions); the values are fully defined.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#define ZAFORQ_ISA_NS twist_avx512
#include "orq_sub_kernel/mt19937/twist_wide.h"
