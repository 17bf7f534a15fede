// One-element helpers shared by kernels of several families.
#pragma once
#include <stdint.h>

namespace zaforq {

// Non-zero when x is a NaN (any payload, either sign).
int32_t _zaf_sisnan_scalar(float x);

}  // namespace zaforq
