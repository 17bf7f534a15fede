// Test support: read and load the x87 control word and MXCSR directly.
#pragma once
#include <stdint.h>

inline uint16_t test_fnstcw() {
  uint16_t cw;
  __asm__ __volatile__("fnstcw %0" : "=m"(cw));
  return cw;
}
inline void test_fldcw(uint16_t cw) { __asm__ __volatile__("fldcw %0" : : "m"(cw)); }
inline uint32_t test_stmxcsr() {
  uint32_t mx;
  __asm__ __volatile__("stmxcsr %0" : "=m"(mx));
  return mx;
}
inline void test_ldmxcsr(uint32_t mx) { __asm__ __volatile__("ldmxcsr %0" : : "m"(mx)); }

// Runs f on a fresh thread, whose mode, status and callback start from their initial values.
#include <thread>
template <class F>
void on_fresh_thread(F&& f) {
  std::thread t(f);
  t.join();
}
