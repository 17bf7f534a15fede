// Array loops over a peer's vector entry point: whole registers, then the tail through one
// padded register, so a peer does the same work per element as a kernel. The function of
// registers is a lambda, so a plain instruction is inlined in the loop and a library entry is a
// direct call, never a call through a pointer per register. Everything here has internal
// linkage: the same header is compiled for SSE2, AVX2 and AVX-512, and a shared inline copy
// could hand AVX code to an SSE2 caller.
#pragma once
#include <immintrin.h>
#include <stdint.h>

#include "peers.h"

namespace vmbench {
namespace {

// Register shapes: the element type, lanes per register, unaligned load and store.
#define VM_SHAPE(Name, T_, V_, N_, load_, store_)            \
  struct Name {                                              \
    using T = T_;                                            \
    using V = V_;                                            \
    static constexpr int n = N_;                             \
    static V load(const T* p) { return load_(p); }           \
    static void store(T* p, V v) { store_(p, v); }           \
  };
VM_SHAPE(LD2, double, __m128d, 2, _mm_loadu_pd, _mm_storeu_pd)
VM_SHAPE(LF4, float, __m128, 4, _mm_loadu_ps, _mm_storeu_ps)
#ifdef __AVX2__
VM_SHAPE(LD4, double, __m256d, 4, _mm256_loadu_pd, _mm256_storeu_pd)
VM_SHAPE(LF8, float, __m256, 8, _mm256_loadu_ps, _mm256_storeu_ps)
#endif
#ifdef __AVX512F__
VM_SHAPE(LD8, double, __m512d, 8, _mm512_loadu_pd, _mm512_storeu_pd)
VM_SHAPE(LF16, float, __m512, 16, _mm512_loadu_ps, _mm512_storeu_ps)
#endif
#undef VM_SHAPE

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

}  // namespace

// Peer entries as ArrayFn, from a register shape and a function (or expression) of registers.
#define VM_PEER1(L, f) \
  [](int32_t n, const void* a, const void*, void* r, void*) { vec1<L>(n, a, r, [](L::V x) { return f(x); }); }
#define VM_PEER2(L, f)                                       \
  [](int32_t n, const void* a, const void* b, void* r, void*) { \
    vec2<L>(n, a, b, r, [](L::V x, L::V y) { return f(x, y); }); \
  }
#define VM_PEERP(L, f) \
  [](int32_t n, const void* a, const void*, void* r, void* r2) { vec_pair<L>(n, a, r, r2, [](L::V x) { return f(x); }); }

}  // namespace vmbench
