// Internal routines of the signal-processing primitives, shared between their sources.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "zaforq/gaxs_fft.h"

namespace zaforq::gax {

// Aligned blocks of any size (the exported allocator takes 32-bit counts; tables of the
// largest transforms need more). Null when the size is 0 or the system allocator fails.
void* alloc(size_t bytes);
// The same on a boundary of align bytes (a power of two from 32): the library's own work blocks
// start on a cache line, which the wide transform paths are fastest with. release frees both.
void* alloc_aligned(size_t bytes, size_t align);
void release(void* p);
// bytes = a * b, false when it does not fit in size_t.
inline bool mul_size(size_t a, size_t b, size_t& out) {
  if (a != 0 && b > SIZE_MAX / a) return false;
  out = a * b;
  return true;
}

// Size of the largest cache per thread in bytes, 0 when it cannot be determined.
size_t largest_cache_per_thread();

// Rounds a work buffer handed in by the caller up to its first 16-byte boundary.
inline uint8_t* align16(uint8_t* p) {
  return reinterpret_cast<uint8_t*>((reinterpret_cast<uintptr_t>(p) + 15) & ~static_cast<uintptr_t>(15));
}

// Full linear convolution of the two operands into dst (len1 + len2 - 1 values), with the
// checks and statuses of gaxsConv_*.
int32_t conv_full(const float* src1, int32_t len1, const float* src2, int32_t len2, float* dst);
int32_t conv_full(const double* src1, int32_t len1, const double* src2, int32_t len2, double* dst);

// ownConv_* on a given processor path.
void own_conv_on(int path, const float* lng, int32_t lng_len, const float* shrt, int32_t shrt_len, float* dst);
void own_conv_on(int path, const double* lng, int32_t lng_len, const double* shrt, int32_t shrt_len, double* dst);

}  // namespace zaforq::gax

// The byte engines behind the typed front ends; no checks.
extern "C" void ownsZero_8u(uint8_t* dst, size_t bytes);
extern "C" void ownsCopy_8u(const uint8_t* src, uint8_t* dst, size_t bytes);

// Direct accumulation dst[i + j] += lng[i] * shrt[j] for all i < lng_len, j < shrt_len.
extern "C" void ownConv_32f(const float* lng, int32_t lng_len, const float* shrt, int32_t shrt_len, float* dst);
extern "C" void ownConv_64f(const double* lng, int32_t lng_len, const double* shrt, int32_t shrt_len, double* dst);
// count complex products srcDst[k] = src[k] * srcDst[k] on interleaved (re, im) pairs.
extern "C" void ownps_Mpy2_32fc(const float* src, float* srcDst, int32_t count);
