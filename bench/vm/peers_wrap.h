// Array loops over a peer's vector entry point: whole registers, then the tail through one
// padded register, so a peer does the same work per element as a kernel.
#pragma once
#include <immintrin.h>
#include <stdint.h>

#include "peers.h"

namespace vmbench {

// Register shapes: the element type, lanes per register, unaligned load and store.
struct LD2 {
  using T = double;
  using V = __m128d;
  static constexpr int n = 2;
  static V load(const T* p) { return _mm_loadu_pd(p); }
  static void store(T* p, V v) { _mm_storeu_pd(p, v); }
};
struct LF4 {
  using T = float;
  using V = __m128;
  static constexpr int n = 4;
  static V load(const T* p) { return _mm_loadu_ps(p); }
  static void store(T* p, V v) { _mm_storeu_ps(p, v); }
};
#ifdef __AVX2__
struct LD4 {
  using T = double;
  using V = __m256d;
  static constexpr int n = 4;
  static V load(const T* p) { return _mm256_loadu_pd(p); }
  static void store(T* p, V v) { _mm256_storeu_pd(p, v); }
};
struct LF8 {
  using T = float;
  using V = __m256;
  static constexpr int n = 8;
  static V load(const T* p) { return _mm256_loadu_ps(p); }
  static void store(T* p, V v) { _mm256_storeu_ps(p, v); }
};
#endif

// r = f(a)
template <class L, class F>
void vec1(int32_t n, const void* a_, void* r_, F f) {
  using T = typename L::T;
  const T* a = static_cast<const T*>(a_);
  T* r = static_cast<T*>(r_);
  int32_t i = 0;
  for (; i + L::n <= n; i += L::n) L::store(r + i, f(L::load(a + i)));
  if (i < n) {
    T t[L::n], o[L::n];
    for (int k = 0; k < L::n; ++k) t[k] = i + k < n ? a[i + k] : T(1);
    L::store(o, f(L::load(t)));
    for (int k = 0; i + k < n; ++k) r[i + k] = o[k];
  }
}

// r = f(a, b)
template <class L, class F>
void vec2(int32_t n, const void* a_, const void* b_, void* r_, F f) {
  using T = typename L::T;
  const T* a = static_cast<const T*>(a_);
  const T* b = static_cast<const T*>(b_);
  T* r = static_cast<T*>(r_);
  int32_t i = 0;
  for (; i + L::n <= n; i += L::n) L::store(r + i, f(L::load(a + i), L::load(b + i)));
  if (i < n) {
    T t[L::n], u[L::n], o[L::n];
    for (int k = 0; k < L::n; ++k) {
      t[k] = i + k < n ? a[i + k] : T(1);
      u[k] = i + k < n ? b[i + k] : T(1);
    }
    L::store(o, f(L::load(t), L::load(u)));
    for (int k = 0; i + k < n; ++k) r[i + k] = o[k];
  }
}

// (r, r2) = f(a), for peers that return both results as a pair of registers {x, y}.
template <class L, class F>
void vec_pair(int32_t n, const void* a_, void* r_, void* r2_, F f) {
  using T = typename L::T;
  const T* a = static_cast<const T*>(a_);
  T* r = static_cast<T*>(r_);
  T* r2 = static_cast<T*>(r2_);
  int32_t i = 0;
  for (; i + L::n <= n; i += L::n) {
    const auto p = f(L::load(a + i));
    L::store(r + i, p.x);
    L::store(r2 + i, p.y);
  }
  if (i < n) {
    T t[L::n], o[L::n], o2[L::n];
    for (int k = 0; k < L::n; ++k) t[k] = i + k < n ? a[i + k] : T(1);
    const auto p = f(L::load(t));
    L::store(o, p.x);
    L::store(o2, p.y);
    for (int k = 0; i + k < n; ++k) {
      r[i + k] = o[k];
      r2[i + k] = o2[k];
    }
  }
}

// Peer entries as ArrayFn, from a register-shape and a function of registers.
#define VM_PEER1(L, f) [](int32_t n, const void* a, const void*, void* r, void*) { vec1<L>(n, a, r, f); }
#define VM_PEER2(L, f) [](int32_t n, const void* a, const void* b, void* r, void*) { vec2<L>(n, a, b, r, f); }
#define VM_PEERP(L, f) [](int32_t n, const void* a, const void*, void* r, void* r2) { vec_pair<L>(n, a, r, r2, f); }

}  // namespace vmbench
