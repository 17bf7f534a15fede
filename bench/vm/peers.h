// Peer implementations the vector-math kernels are measured against, all behind one array
// signature so a benchmark treats a peer exactly like a kernel. Which kernel classes a peer is
// set beside follows its accuracy promise (bench/vm/run states the matching):
//   glibc      the scalar libm function in a plain loop                         _HA
//   mvecW      glibc's libmvec entries at register width W (4 ulp)              every class
//   sleefW-uNN SLEEF's variant at width W: u05/u10/u15 beside _HA, u35 beside
//              the lower classes; a function with one variant only is set
//              beside every class
//   sqrtW divW sqrt+divW  plain instructions (sqrtpd, divps...), correctly rounded    every class
//   <approx>W  the 12- and 14-bit reciprocal estimates (rcpps, vrsqrt14ps)     float _11
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

namespace vmbench {

// r = f(a) or r = f(a, b); b is null for one-argument functions, r2 non-null only for SinCos.
using ArrayFn = void (*)(int32_t n, const void* a, const void* b, void* r, void* r2);

// Kernel classes a peer is compared with.
enum : int { kClassHA = 1, kClassLow = 2 /* _50, _21 */, kClass11 = 4, kClassAll = 7 };
// Register width the peer needs; wider peers are left out on a processor without them.
enum class Isa { sse2, avx2, avx512 };

struct Peer {
  std::string family;  // "Exp", "Div", ... as in the kernel names
  bool is_float;
  std::string who;     // "glibc", "mvec256", "sleef512-u10", ...
  int classes;         // kClass* bits
  Isa isa;
  ArrayFn fn;
};

std::vector<Peer>& peers();

struct AddPeer {
  AddPeer(const char* family, bool is_float, const std::string& who, int classes, Isa isa, ArrayFn fn) {
    peers().push_back({family, is_float, who, classes, isa, fn});
  }
};

}  // namespace vmbench
