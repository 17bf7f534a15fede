// Block clear and copy engines and their typed front ends. Small blocks use plain stores;
// medium blocks 16-byte aligned stores, 64 bytes per step; blocks at least as large as the
// cache one thread can use are written with non-temporal stores, so that clearing or copying
// a huge array does not evict everything else from the cache.
#include <cpuid.h>
#include <emmintrin.h>
#include <string.h>

#include "gax/gax.h"

namespace {

// Streaming is chosen above this size when the processor does not describe its caches.
constexpr size_t kFallbackCache = 4u << 20;
constexpr size_t kZeroLoopMax = 262144;
constexpr size_t kCopyLoopMax = 131072;
constexpr size_t kCopyChunk = 262144;

}  // namespace

namespace zaforq::gax {

namespace {

// Walks the deterministic cache parameters (leaf 4 on Intel, 0x8000001D on AMD, same format)
// and returns the largest data or unified cache divided by the threads that share it.
size_t scan_cache_leaf(unsigned leaf) {
  size_t best = 0;
  for (unsigned sub = 0; sub < 16; ++sub) {
    unsigned a, b, c, d;
    __cpuid_count(leaf, sub, a, b, c, d);
    const unsigned type = a & 31;
    if (type == 0) break;
    if (type != 1 && type != 3) continue;  // instruction caches do not hold data
    const size_t ways = ((b >> 22) & 1023) + 1, parts = ((b >> 12) & 1023) + 1, line = (b & 4095) + 1;
    const size_t sets = static_cast<size_t>(c) + 1;
    const size_t sharing = ((a >> 14) & 4095) + 1;
    const size_t per_thread = ways * parts * line * sets / sharing;
    if (per_thread > best) best = per_thread;
  }
  return best;
}

}  // namespace

size_t largest_cache_per_thread() {
  unsigned a, b, c, d;
  if (!__get_cpuid(0, &a, &b, &c, &d)) return 0;
  size_t size = 0;
  if (a >= 4) size = scan_cache_leaf(4);
  if (size == 0) {
    const unsigned ext = __get_cpuid_max(0x80000000u, nullptr);
    if (ext >= 0x8000001Du) {
      __cpuid(0x80000001u, a, b, c, d);
      if (c & (1u << 22)) size = scan_cache_leaf(0x8000001Du);  // topology extensions
    }
  }
  return size;
}

}  // namespace zaforq::gax

namespace {

inline void store_zero(uint8_t* d, size_t bytes) {  // bytes is 1, 2, 4 or 8
  const uint64_t z = 0;
  memcpy(d, &z, bytes);
}

size_t cache_threshold() {
  const size_t c = zaforq::gax::largest_cache_per_thread();
  return c ? c : kFallbackCache;
}

}  // namespace

extern "C" void ownsZero_8u(uint8_t* d, size_t n) {
  if (n < 16) {
    for (size_t s = 8; s >= 1; s >>= 1)
      if (n & s) {
        store_zero(d, s);
        d += s;
      }
    return;
  }
  // Align the destination to 16 bytes with 1-, 2-, 4- and 8-byte stores.
  const size_t head = (16 - (reinterpret_cast<uintptr_t>(d) & 15)) & 15;
  for (size_t s = 1; s <= 8; s <<= 1)
    if (head & s) {
      store_zero(d, s);
      d += s;
    }
  n -= head;
  const __m128i z = _mm_setzero_si128();
  __m128i* p = reinterpret_cast<__m128i*>(d);
  size_t blocks = n / 64;
  if (n >= 64 && n > kZeroLoopMax && n >= cache_threshold()) {
    for (; blocks; --blocks, p += 4) {
      _mm_stream_si128(p, z);
      _mm_stream_si128(p + 1, z);
      _mm_stream_si128(p + 2, z);
      _mm_stream_si128(p + 3, z);
    }
    _mm_sfence();
  } else {
    for (; blocks; --blocks, p += 4) {
      _mm_store_si128(p, z);
      _mm_store_si128(p + 1, z);
      _mm_store_si128(p + 2, z);
      _mm_store_si128(p + 3, z);
    }
  }
  n &= 63;
  for (; n >= 16; n -= 16) _mm_store_si128(p++, z);
  d = reinterpret_cast<uint8_t*>(p);
  for (size_t s = 8; s >= 1; s >>= 1)
    if (n & s) {
      store_zero(d, s);
      d += s;
    }
}

namespace {

template <bool aligned_src, bool stream>
inline void copy64(const uint8_t*& s, uint8_t*& d, size_t blocks) {
  for (; blocks; --blocks, s += 64, d += 64) {
    const __m128i* sp = reinterpret_cast<const __m128i*>(s);
    __m128i a, b, c, e;
    if (aligned_src) {
      a = _mm_load_si128(sp), b = _mm_load_si128(sp + 1), c = _mm_load_si128(sp + 2), e = _mm_load_si128(sp + 3);
    } else {
      a = _mm_loadu_si128(sp), b = _mm_loadu_si128(sp + 1), c = _mm_loadu_si128(sp + 2), e = _mm_loadu_si128(sp + 3);
    }
    __m128i* dp = reinterpret_cast<__m128i*>(d);
    if (stream) {
      _mm_stream_si128(dp, a), _mm_stream_si128(dp + 1, b), _mm_stream_si128(dp + 2, c), _mm_stream_si128(dp + 3, e);
    } else {
      _mm_store_si128(dp, a), _mm_store_si128(dp + 1, b), _mm_store_si128(dp + 2, c), _mm_store_si128(dp + 3, e);
    }
  }
}

template <bool stream>
inline void copy_blocks(const uint8_t*& s, uint8_t*& d, size_t blocks) {
  if ((reinterpret_cast<uintptr_t>(s) & 15) == 0)
    copy64<true, stream>(s, d, blocks);
  else
    copy64<false, stream>(s, d, blocks);
}

}  // namespace

extern "C" void ownsCopy_8u(const uint8_t* s, uint8_t* d, size_t n) {
  if (n < 64) {
    for (; n >= 8; n -= 8, s += 8, d += 8) memcpy(d, s, 8);
    for (; n; --n) *d++ = *s++;
    return;
  }
  const uint8_t* const s_end = s + n;
  uint8_t* const d_end = d + n;
  const size_t head = (16 - (reinterpret_cast<uintptr_t>(d) & 15)) & 15;
  if (head) {
    // The first 16 bytes go unaligned; the aligned loop then starts at the next boundary and
    // writes some of them again with the same values.
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_loadu_si128(reinterpret_cast<const __m128i*>(s)));
    s += head, d += head, n -= head;
  }
  if (n > kCopyLoopMax && n >= cache_threshold() / 2) {
    while (n >= 64) {
      const size_t chunk = n < kCopyChunk ? n & ~static_cast<size_t>(63) : kCopyChunk;
      // Read the chunk's source once, a value per 32 bytes, so the streaming loop runs from cache.
      uint32_t sink = 0;
      for (size_t i = 0; i < chunk; i += 32) sink ^= *reinterpret_cast<const volatile uint8_t*>(s + i);
      (void)sink;
      copy_blocks<true>(s, d, chunk / 64);
      n -= chunk;
    }
    _mm_sfence();
  } else {
    copy_blocks<false>(s, d, n / 64);
    n &= 63;
  }
  for (; n >= 16; n -= 16, s += 16, d += 16)
    _mm_store_si128(reinterpret_cast<__m128i*>(d), _mm_loadu_si128(reinterpret_cast<const __m128i*>(s)));
  if (n)  // the last 16 bytes, overlapping what is already written
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d_end - 16), _mm_loadu_si128(reinterpret_cast<const __m128i*>(s_end - 16)));
}

namespace {
template <class T>
int32_t zero_front(T* dst, int32_t n) {
  if (!dst) return GAXS_STATUS_NULL_PTR_ERR;
  if (n < 1) return GAXS_STATUS_SIZE_ERR;
  ownsZero_8u(reinterpret_cast<uint8_t*>(dst), static_cast<size_t>(n) * sizeof(T));
  return GAXS_STATUS_OK;
}
template <class T>
int32_t copy_front(const T* src, T* dst, int32_t n) {
  if (!src || !dst) return GAXS_STATUS_NULL_PTR_ERR;
  if (n < 1) return GAXS_STATUS_SIZE_ERR;
  ownsCopy_8u(reinterpret_cast<const uint8_t*>(src), reinterpret_cast<uint8_t*>(dst), static_cast<size_t>(n) * sizeof(T));
  return GAXS_STATUS_OK;
}
}  // namespace

extern "C" ZAFORQ_API int32_t gaxsZero_8u(uint8_t* dst, int32_t n) { return zero_front(dst, n); }
extern "C" ZAFORQ_API int32_t gaxsZero_32f(float* dst, int32_t n) { return zero_front(dst, n); }
extern "C" ZAFORQ_API int32_t gaxsZero_64f(double* dst, int32_t n) { return zero_front(dst, n); }
extern "C" ZAFORQ_API int32_t gaxsCopy_32f(const float* src, float* dst, int32_t n) { return copy_front(src, dst, n); }
extern "C" ZAFORQ_API int32_t gaxsCopy_64f(const double* src, double* dst, int32_t n) { return copy_front(src, dst, n); }
