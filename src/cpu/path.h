// The instruction-set path the wide kernels take, read by each entry once per call.
#pragma once
#include <stdint.h>

namespace zaforq::cpu {

enum Path : int32_t { kSse2 = 0, kAvx2 = 1, kAvx512 = 2 };

// The widest path this processor and its operating system support (kSse2 on i386).
Path best();
// The path in use now: best() unless a caller pinned another.
Path current();

}  // namespace zaforq::cpu
