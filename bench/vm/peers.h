// Peer implementations the vector-math kernels are measured against, all behind one array
// signature so a benchmark treats a peer exactly like a kernel:
//   glibc  the scalar libm function in a plain loop
//   mvec   glibc's 2-lane (double) or 4-lane (float) vector entries (SSE4.1 code on this host)
//   sse2   SLEEF's SSE2 variant of the nearest accuracy (u05/u10 beside _HA, u35 beside lower)
//   avx2   SLEEF's AVX2 variant of the same accuracy (built in its own -mavx2 source)
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

namespace vmbench {

// r = f(a) or r = f(a, b); b is null for one-argument functions, r2 non-null only for SinCos.
using ArrayFn = void (*)(int32_t n, const void* a, const void* b, void* r, void* r2);

struct Peer {
  std::string family;  // "Exp", "Div", ... as in the kernel names
  bool is_float;
  std::string who;     // "glibc", "mvec", "sleef-sse2-u10", ...
  bool high_accuracy;  // the peer of the _HA kernels (otherwise of the lower classes)
  ArrayFn fn;
};

std::vector<Peer>& peers();

struct AddPeer {
  AddPeer(const char* family, bool is_float, const char* who, bool high_accuracy, ArrayFn fn) {
    peers().push_back({family, is_float, who, high_accuracy, fn});
  }
};

}  // namespace vmbench
