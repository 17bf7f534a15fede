// Processor features, read once from CPUID and XGETBV, and the caller's pinned path.
#include "cpu/path.h"

#include <pthread.h>

#include "zaforq/cpu.h"

namespace zaforq::cpu {
namespace {

pthread_once_t g_once = PTHREAD_ONCE_INIT;
Path g_best = kSse2;
// -1 until a caller pins a path; read and written with relaxed atomics, since a path is a
// whole-call choice and any value seen is a valid one.
int32_t g_pinned = -1;

#if defined(__x86_64__)
void cpuid(uint32_t leaf, uint32_t sub, uint32_t r[4]) {
  __asm__ volatile("cpuid" : "=a"(r[0]), "=b"(r[1]), "=c"(r[2]), "=d"(r[3]) : "a"(leaf), "c"(sub));
}

uint64_t xgetbv0() {
  uint32_t lo, hi;
  __asm__ volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(0));
  return (uint64_t{hi} << 32) | lo;
}

void detect() {
  uint32_t r[4];
  cpuid(0, 0, r);
  const uint32_t max_leaf = r[0];
  if (max_leaf < 7) return;
  cpuid(1, 0, r);
  const uint32_t ecx1 = r[2];
  const bool osxsave = ecx1 & (1u << 27), avx = ecx1 & (1u << 28), fma = ecx1 & (1u << 12);
  if (!osxsave || !avx) return;
  // The operating system must save the registers: XMM and YMM state for AVX2, and the opmask
  // and both halves of the ZMM state as well for AVX-512.
  const uint64_t xcr0 = xgetbv0();
  if ((xcr0 & 0x6) != 0x6) return;
  cpuid(7, 0, r);
  const uint32_t ebx7 = r[1];
  const bool avx2 = ebx7 & (1u << 5);
  if (!(avx2 && fma)) return;
  g_best = kAvx2;
  const bool f = ebx7 & (1u << 16), dq = ebx7 & (1u << 17), vl = ebx7 & (1u << 31);
  if (f && dq && vl && (xcr0 & 0xE6) == 0xE6) g_best = kAvx512;
}
#else
void detect() {}  // the i386 build carries only the SSE2 path
#endif

}  // namespace

Path best() {
  pthread_once(&g_once, detect);
  return g_best;
}

Path current() {
  const int32_t p = __atomic_load_n(&g_pinned, __ATOMIC_RELAXED);
  return p >= 0 ? static_cast<Path>(p) : best();
}

}  // namespace zaforq::cpu

extern "C" {

ZAFORQ_API int32_t zaforqSetCpuPath(int32_t path) {
  using namespace zaforq::cpu;
  if (path == ZAFORQ_PATH_AUTO) {
    __atomic_store_n(&g_pinned, -1, __ATOMIC_RELAXED);
    return 0;
  }
  if (path < ZAFORQ_PATH_SSE2 || path > best()) return -1;
  __atomic_store_n(&g_pinned, path, __ATOMIC_RELAXED);
  return 0;
}

ZAFORQ_API int32_t zaforqGetCpuPath(void) { return zaforq::cpu::current(); }

}  // extern "C"
