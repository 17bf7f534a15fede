// Pack and unpack move elements between a strided, indexed or masked layout and a dense
// array. Elements travel as integer words of their width, so every bit pattern (signalling
// NaNs included) arrives unchanged whatever unit the compiler picks for the copy.
//
// Each operation runs blocks of eight consecutive i, unrolled, then the tail, always in
// increasing i. Nothing is checked: the caller keeps every position within its arrays.
// Index vectors and increments are signed offsets (a negative one reaches below the pointer);
// offsets are formed in pointer width so that i * increment cannot wrap.
#pragma once
#include <stddef.h>
#include <stdint.h>

namespace zaforq::pack {

// The word type an element travels as, allowed to alias the caller's float or double.
template <class T>
struct Word;
template <>
struct Word<float> {
  typedef uint32_t __attribute__((may_alias)) type;
};
template <>
struct Word<double> {
  typedef uint64_t __attribute__((may_alias)) type;
};

// Runs body(i) for i = 0 ... n-1: unrolled blocks of eight, then the tail.
template <class F>
inline void for_each_index(int32_t n, F&& body) {
  int32_t i = 0;
  for (const int32_t blocks = n & ~7; i < blocks; i += 8) {
    body(i + 0); body(i + 1); body(i + 2); body(i + 3);
    body(i + 4); body(i + 5); body(i + 6); body(i + 7);
  }
  for (; i < n; ++i) body(i);
}

template <class T>
inline void pack_i(int32_t n, const T* a, int32_t inc, T* y) {
  using W = typename Word<T>::type;
  const W* src = reinterpret_cast<const W*>(a);
  W* dst = reinterpret_cast<W*>(y);
  for_each_index(n, [&](int32_t i) { dst[i] = src[static_cast<ptrdiff_t>(i) * inc]; });
}

template <class T>
inline void pack_v(int32_t n, const T* a, const int32_t* ia, T* y) {
  using W = typename Word<T>::type;
  const W* src = reinterpret_cast<const W*>(a);
  W* dst = reinterpret_cast<W*>(y);
  for_each_index(n, [&](int32_t i) { dst[i] = src[ia[i]]; });
}

template <class T>
inline void pack_m(int32_t n, const T* a, const int32_t* ma, T* y) {
  using W = typename Word<T>::type;
  const W* src = reinterpret_cast<const W*>(a);
  W* dst = reinterpret_cast<W*>(y);
  int32_t j = 0;
  for_each_index(n, [&](int32_t i) {
    if (ma[i] != 0) dst[j++] = src[i];
  });
}

template <class T>
inline void unpack_i(int32_t n, const T* a, T* y, int32_t inc) {
  using W = typename Word<T>::type;
  const W* src = reinterpret_cast<const W*>(a);
  W* dst = reinterpret_cast<W*>(y);
  for_each_index(n, [&](int32_t i) { dst[static_cast<ptrdiff_t>(i) * inc] = src[i]; });
}

template <class T>
inline void unpack_v(int32_t n, const T* a, T* y, const int32_t* iy) {
  using W = typename Word<T>::type;
  const W* src = reinterpret_cast<const W*>(a);
  W* dst = reinterpret_cast<W*>(y);
  for_each_index(n, [&](int32_t i) { dst[iy[i]] = src[i]; });
}

template <class T>
inline void unpack_m(int32_t n, const T* a, T* y, const int32_t* my) {
  using W = typename Word<T>::type;
  const W* src = reinterpret_cast<const W*>(a);
  W* dst = reinterpret_cast<W*>(y);
  int32_t j = 0;
  for_each_index(n, [&](int32_t i) {
    if (my[i] != 0) dst[i] = src[j++];
  });
}

}  // namespace zaforq::pack
