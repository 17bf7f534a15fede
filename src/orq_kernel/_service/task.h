// Internal helpers of the task services, shared by the lifecycle and the execution front end.
#pragma once
#include <stdint.h>

#include "zaforq/orq_conv.h"

namespace zaforq::cc {

// *field = null when source is null; otherwise copies count words into storage and points the
// field at it.
void convgate_copy(int32_t* storage, int32_t** field, const int32_t* source, int32_t count);
// Dense strides of a shape: out[0] = 1, out[i] = out[i-1] * shape[i-1]; nothing for rank < 1.
// False when a stride does not fit in 32 bits.
bool convgate_stride(int32_t* out, const int32_t* shape, int32_t rank);

}  // namespace zaforq::cc
