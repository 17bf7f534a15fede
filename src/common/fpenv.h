// Access to the floating-point control registers, and the guard every vector kernel runs under.
#pragma once
#include <stdint.h>

namespace zaforq {

// The only four ways the library touches the control registers.
inline uint16_t fnstcw() {
  uint16_t cw;
  __asm__ __volatile__("fnstcw %0" : "=m"(cw));
  return cw;
}
inline void fldcw(uint16_t cw) { __asm__ __volatile__("fldcw %0" : : "m"(cw)); }
inline uint32_t stmxcsr() {
  uint32_t mx;
  __asm__ __volatile__("stmxcsr %0" : "=m"(mx));
  return mx;
}
inline void ldmxcsr(uint32_t mx) { __asm__ __volatile__("ldmxcsr %0" : : "m"(mx)); }

// x87 precision-control values a kernel may ask for (rounding to nearest in both).
enum class X87 : uint16_t { untouched = 0, pc53 = 0x200, pc64 = 0x300 };

// Runs a kernel with SSE rounding to nearest and denormals kept (MXCSR bits 0xE000 clear),
// and, where the kernel computes on the x87 unit, with the wanted precision and rounding.
// Registers are written only when their value must change, and restored on every exit.
class FpEnv {
 public:
  explicit FpEnv(X87 want = X87::untouched) {
    mx_ = stmxcsr();
    if (mx_ & 0xE000u) {
      ldmxcsr(mx_ & ~0xE000u);
      restore_mx_ = true;
    }
    if (want != X87::untouched) {
      cw_ = fnstcw();
      const uint16_t w = static_cast<uint16_t>(want);
      if ((cw_ & 0xF00u) != w) {
        fldcw(static_cast<uint16_t>((cw_ & ~0xF00u) | w));
        restore_cw_ = true;
      }
    }
  }
  ~FpEnv() {
    if (restore_cw_) fldcw(cw_);
    // Restore the caller's control bits but keep the exception flags the kernel raised.
    if (restore_mx_) ldmxcsr((stmxcsr() & 0x3Fu) | mx_);
  }
  FpEnv(const FpEnv&) = delete;
  FpEnv& operator=(const FpEnv&) = delete;

 private:
  uint32_t mx_ = 0;
  uint16_t cw_ = 0;
  bool restore_mx_ = false;
  bool restore_cw_ = false;
};

}  // namespace zaforq
