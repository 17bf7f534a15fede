// The transform written once over the width-templated value types and compiled once per
// instruction-set path (fft_path_sse2.cpp, fft_path_avx2.cpp, fft_path_avx512.cpp define
// ZAFORQ_ISA_NS and include this header). Everything here lives in the path's own namespace.
//
// Radix-4 core on bit-reversed input. Data between passes is kept in split groups (four real
// parts, then four imaginary parts, for four consecutive complex values), so the butterflies
// need no shuffles; a register of N lanes holds the real (or imaginary) parts of N consecutive
// values, taken from N/4 groups when N > 4. The first pass reads interleaved (re, im) pairs,
// through the bit-reversal table or in place, and computes the twiddle-free length-4 or
// length-8 transforms of N blocks at once (one block per lane), then transposes so that each
// block's outputs form one split group. Each later radix-4 stage of span L combines four
// sub-transforms of length L/4 standing at distance S = L/4:
//   a = x0, b = x1 w^(2j), c = x2 w^j, d = x3 w^(3j)   (w = e^(-2 pi i / L))
//   X_j = a + b + c + d,             X_(j+L/4)  = (a - b) - i (c - d),
//   X_(j+L/2) = a + b - c - d,       X_(j+3L/4) = (a - b) + i (c - d),
// the positions 1 and 2 carrying the sub-transforms of residues 2 and 1 because the input is in
// radix-2 bit-reversed order. The inverse uses the conjugate twiddles and exchanges +i and -i.
// When the core is the whole transform (final flag), its last stage writes interleaved pairs.
//
// Twiddle tables hold, for each pass, per group of four consecutive j: the real parts of the
// four w^j, their imaginary parts, then the same for w^(2j) and w^(3j) (24 values); the wide
// registers read them as runs of four at a distance of 24 values.
//
// Where a pass has fewer values than a register has lanes (the first spans, the smallest
// transforms), it runs on the half-width type of the same path.
#pragma once
#ifndef ZAFORQ_ISA_NS
#error "define ZAFORQ_ISA_NS before including fft_core.h"
#endif
// Whether the 512-bit registers read and write memory as whole 64-byte pieces: fastest when the
// arrays start on a cache line, and much slower than narrow accesses when they do not (each
// piece then straddles two lines). The AVX-512 path is compiled both ways.
#ifndef ZAFORQ_FFT_WHOLE_LINES
#define ZAFORQ_FFT_WHOLE_LINES 1
#endif
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <type_traits>

#include "common/simd_wide.h"
#include "gax/bitrev_tiles.h"
#include "gax/fft.h"

namespace zaforq::gax::ZAFORQ_ISA_NS {

using simd::ZAFORQ_ISA_NS::vec;

// The butterflies' helpers are small; left to the compiler's judgment some stay calls that
// pass whole registers through memory, which costs more than the work they do.
#define ZAFORQ_FFT_INLINE inline __attribute__((always_inline))

// N complex values as their real parts and their imaginary parts.
template <class V>
struct cv {
  V re, im;
};
template <class V>
ZAFORQ_FFT_INLINE cv<V> operator+(const cv<V>& a, const cv<V>& b) {
  return {a.re + b.re, a.im + b.im};
}
template <class V>
ZAFORQ_FFT_INLINE cv<V> operator-(const cv<V>& a, const cv<V>& b) {
  return {a.re - b.re, a.im - b.im};
}
template <class V>
ZAFORQ_FFT_INLINE cv<V> conj(const cv<V>& a) {
  return {a.re, -a.im};
}
template <class V>
ZAFORQ_FFT_INLINE cv<V> times_i(const cv<V>& a) {
  return {-a.im, a.re};
}
// a * (wr + i wi), and a * (wr - i wi)
template <class V>
ZAFORQ_FFT_INLINE cv<V> cmul(const cv<V>& a, V wr, V wi) {
  return {fmsub(a.re, wr, a.im * wi), fmadd(a.re, wi, a.im * wr)};
}
template <class V>
ZAFORQ_FFT_INLINE cv<V> cmul_conj(const cv<V>& a, V wr, V wi) {
  return {fmadd(a.re, wr, a.im * wi), fmsub(a.im, wr, a.re * wi)};
}
template <class V>
ZAFORQ_FFT_INLINE cv<V> reversed(const cv<V>& a) {
  return {a.re.reversed(), a.im.reversed()};
}
template <class V, class T>
ZAFORQ_FFT_INLINE cv<V> load_pairs(const T* p) {
  cv<V> c;
  V::load_pairs(p, c.re, c.im);
  return c;
}
template <class V, class T>
ZAFORQ_FFT_INLINE void store_pairs(const cv<V>& c, T* p) {
  V::store_pairs(c.re, c.im, p);
}

// Offset in reals of complex value i in split groups (i a multiple of the run's width, or of 4).
ZAFORQ_FFT_INLINE size_t split_offset(size_t i) { return 8 * (i >> 2) + (i & 3); }
// Offset of the twiddles of the run starting at i in a table of per reals for each group of four.
ZAFORQ_FFT_INLINE size_t table_offset(size_t i, size_t per) { return per / 4 * (i & ~size_t(3)) + (i & 3); }

// A run of N values in split groups: N/4 groups of (4 real parts, 4 imaginary parts), contiguous.
// On 512-bit registers a run is read and written as whole 64-byte pieces, the parts sorted by
// two-source permutes, instead of one 16- or 32-byte access per group and part: fewer memory
// operations, and whole-line stores, which the passes beyond the first-level cache need.
template <class V, class T>
ZAFORQ_FFT_INLINE cv<V> load_run(const T* p) {  // p: the run's first real part
#if defined(__AVX512F__) && defined(__AVX512DQ__) && ZAFORQ_FFT_WHOLE_LINES
  if constexpr (std::is_same_v<V, vec<float, 16>>) {
    const __m512 a = _mm512_loadu_ps(p), b = _mm512_loadu_ps(p + 16);
    return {{_mm512_permutex2var_ps(a, _mm512_setr_epi32(0, 1, 2, 3, 8, 9, 10, 11, 16, 17, 18, 19, 24, 25, 26, 27), b)},
            {_mm512_permutex2var_ps(a, _mm512_setr_epi32(4, 5, 6, 7, 12, 13, 14, 15, 20, 21, 22, 23, 28, 29, 30, 31), b)}};
  } else if constexpr (std::is_same_v<V, vec<float, 8>>) {
    const __m512 a = _mm512_loadu_ps(p);
    return {{_mm512_castps512_ps256(_mm512_permutexvar_ps(_mm512_setr_epi32(0, 1, 2, 3, 8, 9, 10, 11, 0, 0, 0, 0, 0, 0, 0, 0), a))},
            {_mm512_castps512_ps256(_mm512_permutexvar_ps(_mm512_setr_epi32(4, 5, 6, 7, 12, 13, 14, 15, 0, 0, 0, 0, 0, 0, 0, 0), a))}};
  } else if constexpr (std::is_same_v<V, vec<double, 8>>) {
    const __m512d a = _mm512_loadu_pd(p), b = _mm512_loadu_pd(p + 8);
    return {{_mm512_permutex2var_pd(a, _mm512_setr_epi64(0, 1, 2, 3, 8, 9, 10, 11), b)},
            {_mm512_permutex2var_pd(a, _mm512_setr_epi64(4, 5, 6, 7, 12, 13, 14, 15), b)}};
  }
#endif
  return {V::load_groups(p, 8), V::load_groups(p + 4, 8)};
}
template <class V, class T>
ZAFORQ_FFT_INLINE void store_run(const cv<V>& x, T* p) {
#if defined(__AVX512F__) && defined(__AVX512DQ__) && ZAFORQ_FFT_WHOLE_LINES
  if constexpr (std::is_same_v<V, vec<float, 16>>) {
    _mm512_storeu_ps(p, _mm512_permutex2var_ps(x.re.v, _mm512_setr_epi32(0, 1, 2, 3, 16, 17, 18, 19, 4, 5, 6, 7, 20, 21, 22, 23), x.im.v));
    _mm512_storeu_ps(p + 16,
                     _mm512_permutex2var_ps(x.re.v, _mm512_setr_epi32(8, 9, 10, 11, 24, 25, 26, 27, 12, 13, 14, 15, 28, 29, 30, 31), x.im.v));
    return;
  } else if constexpr (std::is_same_v<V, vec<float, 8>>) {
    _mm512_storeu_ps(p, _mm512_permutex2var_ps(_mm512_castps256_ps512(x.re.v),
                                               _mm512_setr_epi32(0, 1, 2, 3, 16, 17, 18, 19, 4, 5, 6, 7, 20, 21, 22, 23),
                                               _mm512_castps256_ps512(x.im.v)));
    return;
  } else if constexpr (std::is_same_v<V, vec<double, 8>>) {
    _mm512_storeu_pd(p, _mm512_permutex2var_pd(x.re.v, _mm512_setr_epi64(0, 1, 2, 3, 8, 9, 10, 11), x.im.v));
    _mm512_storeu_pd(p + 8, _mm512_permutex2var_pd(x.re.v, _mm512_setr_epi64(4, 5, 6, 7, 12, 13, 14, 15), x.im.v));
    return;
  }
#endif
  x.re.store_groups(p, 8);
  x.im.store_groups(p + 4, 8);
}
// Twiddle pair (real parts, imaginary parts) of a run from a table of per reals per group.
template <class V, class T>
ZAFORQ_FFT_INLINE void load_twiddle(const T* t, size_t per, V& wr, V& wi) {
  wr = V::load_groups(t, per), wi = V::load_groups(t + 4, per);
}

template <class V>
constexpr bool has_half = !std::is_same_v<typename V::half, V>;

ZAFORQ_FFT_INLINE size_t reverse_bits(size_t x, int bits) {
  size_t r = 0;
  for (int i = 0; i < bits; ++i, x >>= 1) r = (r << 1) | (x & 1);
  return r;
}
constexpr int log2_of(int n) { return n <= 1 ? 0 : 1 + log2_of(n / 2); }

// Length-4 transform of values at bit-reversed positions (natural order out).
template <class V, bool inv>
ZAFORQ_FFT_INLINE void dft4(const cv<V>& a, const cv<V>& b, const cv<V>& c, const cv<V>& d, cv<V>& x0, cv<V>& x1, cv<V>& x2,
                 cv<V>& x3) {
  const cv<V> s = a + b, u = a - b, v = c + d, w = c - d;
  const cv<V> iw = times_i(w);
  x0 = s + v;
  x2 = s - v;
  if (inv) {
    x1 = u + iw;
    x3 = u - iw;
  } else {
    x1 = u - iw;
    x3 = u + iw;
  }
}

// w8^k for k = 1, 2, 3 applied to o (forward: e^(-i pi k / 4), inverse the conjugate).
template <class V, bool inv>
ZAFORQ_FFT_INLINE void twiddle8(cv<V>& o1, cv<V>& o2, cv<V>& o3) {
  using T = typename V::T;
  const V h = V::all(static_cast<T>(0.70710678118654752440L));
  const V r1 = o1.re, i1 = o1.im, r3 = o3.re, i3 = o3.im;
  if (!inv) {  // o1 (1 - i) h, o2 (-i), o3 (-1 - i) h
    o1 = {(r1 + i1) * h, (i1 - r1) * h};
    o2 = {o2.im, -o2.re};
    o3 = {(i3 - r3) * h, -((r3 + i3) * h)};
  } else {
    o1 = {(r1 - i1) * h, (i1 + r1) * h};
    o2 = {-o2.im, o2.re};
    o3 = {-((r3 + i3) * h), (r3 - i3) * h};
  }
}

// Lane b of x0..x3 becomes the split group at dst[b] (b < valid).
template <class V, class T>
ZAFORQ_FFT_INLINE void store_lanes_as_groups(const cv<V>& x0, const cv<V>& x1, const cv<V>& x2, const cv<V>& x3, T* const* dst,
                                  size_t valid) {
  T* im[V::N];
  for (size_t b = 0; b < valid; ++b) im[b] = dst[b] + 4;
  V::transpose_out(x0.re, x1.re, x2.re, x3.re, dst, valid);
  V::transpose_out(x0.im, x1.im, x2.im, x3.im, im, valid);
}

// Lane b of the sets (one or two) of four transforms x[4 s] .. x[4 s + 3] becomes split groups
// at dst[b] + 8 s, for all lanes. The first pass scatters its blocks over the whole array, and
// a cache line filled by several narrow stores at once in many lines stalls the stores far more
// than whole-line stores do (measured 3x on the first pass beyond the first-level cache): where
// a lane's groups make whole 64-byte lines, they are assembled in registers and stored at once.
template <class V, size_t sets, class T>
ZAFORQ_FFT_INLINE void store_lanes_as_lines(const cv<V>* x, T* const* dst) {
#if defined(__AVX2__) && defined(__FMA__)
  if constexpr (std::is_same_v<V, vec<double, 4>>) {
    // per set, lane b: (re of x0 .. x3, im of x0 .. x3) = 64 bytes
#pragma GCC unroll 2
    for (size_t s = 0; s < sets; ++s) {
      __m256d r[2][4];
#pragma GCC unroll 2
      for (int part = 0; part < 2; ++part) {
        const cv<V>* y = x + 4 * s;
        auto v = [&](int k) { return part ? y[k].im.v : y[k].re.v; };
        const __m256d t0 = _mm256_unpacklo_pd(v(0), v(1)), t1 = _mm256_unpackhi_pd(v(0), v(1));
        const __m256d t2 = _mm256_unpacklo_pd(v(2), v(3)), t3 = _mm256_unpackhi_pd(v(2), v(3));
        r[part][0] = _mm256_permute2f128_pd(t0, t2, 0x20), r[part][1] = _mm256_permute2f128_pd(t1, t3, 0x20);
        r[part][2] = _mm256_permute2f128_pd(t0, t2, 0x31), r[part][3] = _mm256_permute2f128_pd(t1, t3, 0x31);
      }
#pragma GCC unroll 4
      for (int b = 0; b < 4; ++b) {
#if defined(__AVX512F__) && ZAFORQ_FFT_WHOLE_LINES
        _mm512_storeu_pd(dst[b] + 8 * s, _mm512_insertf64x4(_mm512_castpd256_pd512(r[0][b]), r[1][b], 1));
#else
        _mm256_storeu_pd(dst[b] + 8 * s, r[0][b]);
        _mm256_storeu_pd(dst[b] + 8 * s + 4, r[1][b]);
#endif
      }
    }
    return;
  } else if constexpr (std::is_same_v<V, vec<float, 8>> && sets == 2) {
    // 4 x 4 transposes within each 128-bit half: row k of a transpose holds lane k (low half)
    // and lane k + 4 (high half); lane b's line is (re 0, im 0, re 1, im 1) of its two sets.
    __m256 r[2][2][4];  // [set][re, im][row]
    for (int s = 0; s < 2; ++s)
      for (int part = 0; part < 2; ++part) {
        const cv<V>* y = x + 4 * s;
        auto v = [&](int k) { return part ? y[k].im.v : y[k].re.v; };
        const __m256 t0 = _mm256_unpacklo_ps(v(0), v(1)), t1 = _mm256_unpackhi_ps(v(0), v(1));
        const __m256 t2 = _mm256_unpacklo_ps(v(2), v(3)), t3 = _mm256_unpackhi_ps(v(2), v(3));
        r[s][part][0] = _mm256_shuffle_ps(t0, t2, _MM_SHUFFLE(1, 0, 1, 0));
        r[s][part][1] = _mm256_shuffle_ps(t0, t2, _MM_SHUFFLE(3, 2, 3, 2));
        r[s][part][2] = _mm256_shuffle_ps(t1, t3, _MM_SHUFFLE(1, 0, 1, 0));
        r[s][part][3] = _mm256_shuffle_ps(t1, t3, _MM_SHUFFLE(3, 2, 3, 2));
      }
    for (int k = 0; k < 4; ++k) {
#if defined(__AVX512F__) && ZAFORQ_FFT_WHOLE_LINES
      // (re 0 | re 1) and (im 0 | im 1); lane k takes their low quarters, lane k + 4 the others
      const __m512 re = _mm512_insertf32x8(_mm512_castps256_ps512(r[0][0][k]), r[1][0][k], 1);
      const __m512 im = _mm512_insertf32x8(_mm512_castps256_ps512(r[0][1][k]), r[1][1][k], 1);
      _mm512_storeu_ps(dst[k], _mm512_permutex2var_ps(re, _mm512_setr_epi32(0, 1, 2, 3, 16, 17, 18, 19, 8, 9, 10, 11, 24, 25, 26, 27), im));
      _mm512_storeu_ps(dst[k + 4],
                       _mm512_permutex2var_ps(re, _mm512_setr_epi32(4, 5, 6, 7, 20, 21, 22, 23, 12, 13, 14, 15, 28, 29, 30, 31), im));
#else
      for (int s = 0; s < 2; ++s) {
        _mm256_storeu_ps(dst[k] + 8 * s, _mm256_permute2f128_ps(r[s][0][k], r[s][1][k], 0x20));
        _mm256_storeu_ps(dst[k + 4] + 8 * s, _mm256_permute2f128_ps(r[s][0][k], r[s][1][k], 0x31));
      }
#endif
    }
    return;
  }
#endif
  for (size_t s = 0; s < sets; ++s) {
    T* at[V::N];
    for (size_t b = 0; b < V::N; ++b) at[b] = dst[b] + 8 * s;
    store_lanes_as_groups(x[4 * s], x[4 * s + 1], x[4 * s + 2], x[4 * s + 3], at, V::N);
  }
}

// First pass over M complex values (M >= 8): the length-4 (log2 M even) or length-8 (odd)
// transforms of consecutive blocks, N blocks at once, one per lane. rev: bit-reversal table
// (entry j = 2 * bit reversal of j over log2 M - 2 bits), or null when the input is already in
// bit-reversed order. in and out may be the same array only when rev is null.
//
// Through the table, the blocks are visited in bit-reversed order: element t of block rev(r)
// stands at natural position r + rev(t) M/width, so the N lanes r .. r+N-1 read N consecutive
// input values with one load, and each block's outputs (a whole group, or two) are written
// where the block belongs. Reading runs instead of single values keeps every input cache line
// in use; the blocks of lanes r .. r+N-1 are rev(r) + rev(b) (blocks / N).
template <class V, bool inv, bool radix8>
void first_pass_blocks(const typename V::T* in, typename V::T* out, size_t M, const int32_t* rev, int rev_shift) {
  using T = typename V::T;
  using C = cv<V>;
  constexpr size_t W = V::N, width = radix8 ? 8 : 4, block_reals = 2 * width;
  const size_t blocks = M / width, q = M / width;  // q: distance of bit-reversed inputs
  if constexpr (has_half<V>) {
    if (blocks < W) return first_pass_blocks<typename V::half, inv, radix8>(in, out, M, rev, rev_shift);
  }
  size_t rev_lane[W];
  for (size_t b = 0; b < W; ++b) rev_lane[b] = reverse_bits(b, log2_of(W));
  const bool runs = rev && blocks >= W;
  // Visiting the blocks in the order of the output, which turns the N stores per step from
  // lines spread over the array into N streams (the loads take the spread instead), measured
  // 17-30% faster first passes beyond the first-level cache and 3-8% slower inside it.
  const bool out_order = M * 2 * sizeof(T) >= (size_t(64) << 10);
  // The block next to block rev(j) in the output is that of j + blocks/2 (one more in the
  // reversed index), far away in the loop. Taking the two together makes each lane's output
  // whole lines: a length-4 block of floats is only half a line. Doubles fill a line with one
  // block, but beyond the first-level cache two adjacent lines per lane still measured twice as
  // fast (while inside it the extra loads in flight cost more).
  const bool pair = !radix8 && (block_reals * sizeof(T) < 64 || M * 2 * sizeof(T) > (size_t(64) << 10));
  if (pair && runs && blocks >= 2 * W) {
    const size_t half = blocks / 2;
    for (size_t n = 0; n < half; n += W) {
      size_t j = n, first = 2 * n / W;  // (reversing is its own inverse)
      if (out_order)
        j = static_cast<size_t>(rev[first << rev_shift]) / 2;
      else
        first = static_cast<size_t>(rev[j << rev_shift]) / 2;
      T* dst[W];
      for (size_t b = 0; b < W; ++b) dst[b] = out + block_reals * (first + rev_lane[b] * (blocks / W));
      C x[8];
      for (size_t h = 0; h < 2; ++h) {
        const T* p = in + 2 * (j + h * half);
        auto load = [&](size_t u) __attribute__((always_inline)) { return load_pairs<V>(p + 2 * u * q); };
        dft4<V, inv>(load(0), load(2), load(1), load(3), x[4 * h], x[4 * h + 1], x[4 * h + 2], x[4 * h + 3]);
      }
      store_lanes_as_lines<V, 2>(x, dst);
    }
    return;
  }
  for (size_t n = 0; n < blocks; n += W) {
    size_t base[W];
    T* dst[W];
    const size_t valid = blocks - n < W ? blocks - n : W;
    size_t j = n;
    if (runs) {
      size_t first = n / W;
      if (out_order)
        j = static_cast<size_t>(rev[(radix8 ? 2 * first : first) << rev_shift]) / 2;
      else
        first = static_cast<size_t>(rev[(radix8 ? 2 * j : j) << rev_shift]) / 2;
      for (size_t b = 0; b < W; ++b) dst[b] = out + block_reals * (first + rev_lane[b] * (blocks / W));
    } else {
      for (size_t b = 0; b < W; ++b) {
        const size_t blk = j + b < blocks ? j + b : blocks - 1;
        base[b] = rev ? static_cast<size_t>(rev[(radix8 ? 2 * blk : blk) << rev_shift]) / 2 : blk * width;
        dst[b] = out + block_reals * blk;
      }
    }
    const size_t step = rev ? q : 1;
    // input at offset u * step of each lane's block (with rev, u is the natural position)
    auto load = [&](size_t u) __attribute__((always_inline)) {
      if (runs) return load_pairs<V>(in + 2 * (j + u * q));
      size_t o[W];
      for (size_t b = 0; b < W; ++b) o[b] = base[b] + u * step;
      C c;
      V::gather_pairs(in, o, c.re, c.im);
      return c;
    };
    if (!radix8) {
      C x0, x1, x2, x3;
      // with rev, bit-reversed inputs 0, 1, 2, 3 stand at natural positions 0, 2, 1, 3
      if (rev)
        dft4<V, inv>(load(0), load(2), load(1), load(3), x0, x1, x2, x3);
      else
        dft4<V, inv>(load(0), load(1), load(2), load(3), x0, x1, x2, x3);
      if (valid == W) {
        const C x[4] = {x0, x1, x2, x3};
        store_lanes_as_lines<V, 1>(x, dst);
      } else {
        store_lanes_as_groups(x0, x1, x2, x3, dst, valid);
      }
    } else {
      C e0, e1, e2, e3, o0, o1, o2, o3;
      if (rev) {  // bit-reversed input t stands at natural position rev3(t)
        dft4<V, inv>(load(0), load(4), load(2), load(6), e0, e1, e2, e3);
        dft4<V, inv>(load(1), load(5), load(3), load(7), o0, o1, o2, o3);
      } else {
        dft4<V, inv>(load(0), load(1), load(2), load(3), e0, e1, e2, e3);
        dft4<V, inv>(load(4), load(5), load(6), load(7), o0, o1, o2, o3);
      }
      twiddle8<V, inv>(o1, o2, o3);
      if (valid == W) {
        const C x[8] = {e0 + o0, e1 + o1, e2 + o2, e3 + o3, e0 - o0, e1 - o1, e2 - o2, e3 - o3};
        store_lanes_as_lines<V, 2>(x, dst);
      } else {
        store_lanes_as_groups(e0 + o0, e1 + o1, e2 + o2, e3 + o3, dst, valid);
        T* hi[W];
        for (size_t b = 0; b < W; ++b) hi[b] = dst[b] + 8;
        store_lanes_as_groups(e0 - o0, e1 - o1, e2 - o2, e3 - o3, hi, valid);
      }
    }
  }
}

// One radix-4 butterfly of a pass: b, c and d turned by the three twiddles at t (conjugated for
// the inverse), then the 4-point transform. Shared by the single and the fused passes, so both
// give the same bits.
template <class V, bool inv>
__attribute__((always_inline)) inline void twiddled_dft4(const typename V::T* t, const cv<V>& a, cv<V> b, cv<V> c,
                                                         cv<V> d, cv<V>& x0, cv<V>& x1, cv<V>& x2, cv<V>& x3,
                                                         size_t per = 24) {
  V w1r, w1i, w2r, w2i, w3r, w3i;
  load_twiddle(t, per, w1r, w1i);
  load_twiddle(t + 8, per, w2r, w2i);
  load_twiddle(t + 16, per, w3r, w3i);
  if (inv) {
    c = cmul_conj(c, w1r, w1i);
    b = cmul_conj(b, w2r, w2i);
    d = cmul_conj(d, w3r, w3i);
  } else {
    c = cmul(c, w1r, w1i);
    b = cmul(b, w2r, w2i);
    d = cmul(d, w3r, w3i);
  }
  dft4<V, inv>(a, b, c, d, x0, x1, x2, x3);
}

// Where complex value x of a pass's sequence lies. Flat: at x of one array. Rows: in rows of q
// consecutive values standing row values apart (x = r q + c at r row + c), which lets the
// column passes of the large path read their first inputs from the rows and write their last
// outputs back to them, instead of gathering the columns into the work area and scattering
// them back (measured 3-13% faster for doubles from 2^15 to 2^22 points, 0-8% for floats).
// A pass adds at() of a multiple of its span to at() of an index below it, which holds for
// Rows while the span is a multiple of q.
struct Flat {
  ZAFORQ_FFT_INLINE size_t at(size_t x) const { return x; }
};
struct Rows {
  int lq;
  size_t row;
  ZAFORQ_FFT_INLINE size_t at(size_t x) const { return (x >> lq) * row + (x & ((size_t(1) << lq) - 1)); }
};
// Offset in reals of value x in split groups, or as interleaved pairs.
template <bool pairs, class L>
ZAFORQ_FFT_INLINE size_t value_offset(const L& l, size_t x) {
  return pairs ? 2 * l.at(x) : split_offset(l.at(x));
}
template <class V, bool pairs, class T>
ZAFORQ_FFT_INLINE void store_values(const cv<V>& x, T* p) {
  if (pairs)
    store_pairs(x, p);
  else
    store_run(x, p);
}

// A span of 4 (the pass right after a radix-4 first pass) on registers of more lanes: each
// holds one run of four values (one split group) from each of N/4 groups of the pass, which
// share their twiddles (read with a stride of 0), instead of running the pass on the path's
// four-lane registers. The operations per value are the same, so are the bits. Measured 12-26%
// faster floats at 2^11 and 2^15 points, 2-5% for doubles; spans of 8 stay on the half-width
// registers, whose runs of 8 are whole lines (ganged, 5-9% slower).
template <class V>
constexpr size_t kGang = V::N / 4;
template <class V, class T>
ZAFORQ_FFT_INLINE cv<V> load_gang(const T* p, size_t stride) {
  return {V::load_groups(p, stride), V::load_groups(p + 4, stride)};
}
template <class V, class T>
ZAFORQ_FFT_INLINE void store_gang(const cv<V>& x, T* p, size_t stride) {
  x.re.store_groups(p, stride);
  x.im.store_groups(p + 4, stride);
}

// fact4 on groups of 4 span values in place, span 4, groups a multiple of kGang<V>.
template <class V, bool inv>
void fact4_gang(typename V::T* data, size_t span, size_t groups, const typename V::T* tw) {
  using T = typename V::T;
  using C = cv<V>;
  const size_t s2 = 2 * span, gs = 8 * span;  // reals between sub-sequences, between groups
  for (size_t g = 0; g < groups; g += kGang<V>)
    for (size_t i = 0; i < span; i += 4) {
      T* p0 = data + g * gs + 2 * i;
      C x0, x1, x2, x3;
      twiddled_dft4<V, inv>(tw + table_offset(i, 24), load_gang<V>(p0, gs), load_gang<V>(p0 + s2, gs),
                            load_gang<V>(p0 + 2 * s2, gs), load_gang<V>(p0 + 3 * s2, gs), x0, x1, x2, x3, 0);
      store_gang(x0, p0, gs);
      store_gang(x1, p0 + s2, gs);
      store_gang(x2, p0 + 2 * s2, gs);
      store_gang(x3, p0 + 3 * s2, gs);
    }
}

// fact4x2 on groups of 16 span values in place, span 4, groups a multiple of kGang<V>.
template <class V, bool inv>
void fact4x2_gang(typename V::T* data, size_t span, size_t groups, const typename V::T* tw) {
  using T = typename V::T;
  using C = cv<V>;
  const size_t s2 = 2 * span, gs = 32 * span;
  const T* tw2 = tw + 6 * span;
  for (size_t g = 0; g < groups; g += kGang<V>)
    for (size_t i = 0; i < span; i += 4) {
      T* p0 = data + g * gs + 2 * i;
      C y[16];
      const T* t1 = tw + table_offset(i, 24);
      for (size_t a = 0; a < 4; ++a) {
        const T* q = p0 + 4 * a * s2;
        twiddled_dft4<V, inv>(t1, load_gang<V>(q, gs), load_gang<V>(q + s2, gs), load_gang<V>(q + 2 * s2, gs),
                              load_gang<V>(q + 3 * s2, gs), y[4 * a], y[4 * a + 1], y[4 * a + 2], y[4 * a + 3], 0);
      }
      for (size_t v = 0; v < 4; ++v) {
        C x0, x1, x2, x3;
        twiddled_dft4<V, inv>(tw2 + table_offset(i + v * span, 24), y[v], y[v + 4], y[v + 8], y[v + 12], x0, x1, x2, x3,
                              0);
        T* q = p0 + v * s2;
        store_gang(x0, q, gs);
        store_gang(x1, q + 4 * s2, gs);
        store_gang(x2, q + 8 * s2, gs);
        store_gang(x3, q + 12 * s2, gs);
      }
    }
}

// One radix-4 pass: groups of four sub-sequences at distance span (complex values, a multiple
// of 4) read in split groups from in (laid out by li); tw holds 3 * span twiddles. The results
// go to out (laid out by lo; out may be in) as split groups, or as interleaved pairs with pairs
// set, which in place needs whole groups of four per run.
template <class V, bool inv, bool pairs, class LI = Flat, class LO = Flat>
void fact4(const typename V::T* in, size_t span, size_t groups, const typename V::T* tw, typename V::T* out,
           LI li = {}, LO lo = {}) {
  using T = typename V::T;
  using C = cv<V>;
  constexpr size_t W = V::N;
  if constexpr (has_half<V>) {
    if (span < W) {
      if constexpr (!pairs && std::is_same_v<LI, Flat> && std::is_same_v<LO, Flat>)
        if (span == 4 && in == out && groups % kGang<V> == 0) return fact4_gang<V, inv>(out, span, groups, tw);
      return fact4<typename V::half, inv, pairs>(in, span, groups, tw, out, li, lo);
    }
  }
  const size_t si = 2 * li.at(span), so = 2 * lo.at(span);
  for (size_t g = 0; g < groups; ++g) {
    const T* p = in + 2 * li.at(4 * g * span);
    T* o = out + 2 * lo.at(4 * g * span);
    for (size_t i = 0; i < span; i += W) {
      const T* p0 = p + split_offset(li.at(i));
      const T* t = tw + table_offset(i, 24);
      const C a = load_run<V>(p0);
      C b = load_run<V>(p0 + si), c = load_run<V>(p0 + 2 * si), d = load_run<V>(p0 + 3 * si);
      C x0, x1, x2, x3;
      twiddled_dft4<V, inv>(t, a, b, c, d, x0, x1, x2, x3);
      T* q0 = o + value_offset<pairs>(lo, i);
      store_values<V, pairs>(x0, q0);
      store_values<V, pairs>(x1, q0 + so);
      store_values<V, pairs>(x2, q0 + 2 * so);
      store_values<V, pairs>(x3, q0 + 3 * so);
    }
  }
}

// Two radix-4 passes in one sweep: the pass of span S and the pass of span 4S that follows it.
// For each i below S the sixteen values i + u S (u = 0 .. 15) of a group of 16 S are all the
// inputs and outputs of four butterflies of the first pass (all with the twiddles of i) and of
// four of the second (with those of i + v S, v = 0 .. 3), so they stay in registers between the
// two: one read and one write of the data instead of two. The operations are those of two calls
// of fact4, in the same order, so the results are the same bits. tw: the first pass's table;
// the second's (6 S further) follows it. groups: groups of 16 S values. in, out: as fact4.
template <class V, bool inv, bool pairs, class LI = Flat, class LO = Flat>
void fact4x2(const typename V::T* in, size_t span, size_t groups, const typename V::T* tw, typename V::T* out,
             LI li = {}, LO lo = {}) {
  using T = typename V::T;
  using C = cv<V>;
  constexpr size_t W = V::N;
  if constexpr (has_half<V>) {
    if (span < W) {
      if constexpr (!pairs && std::is_same_v<LI, Flat> && std::is_same_v<LO, Flat>)
        if (span == 4 && in == out && groups % kGang<V> == 0) return fact4x2_gang<V, inv>(out, span, groups, tw);
      return fact4x2<typename V::half, inv, pairs>(in, span, groups, tw, out, li, lo);
    }
  }
  const size_t si = 2 * li.at(span), so = 2 * lo.at(span);
  const T* tw2 = tw + 6 * span;
  for (size_t g = 0; g < groups; ++g) {
    const T* p = in + 2 * li.at(16 * g * span);
    T* o = out + 2 * lo.at(16 * g * span);
    for (size_t i = 0; i < span; i += W) {
      const T* p0 = p + split_offset(li.at(i));
      T* o0 = o + value_offset<pairs>(lo, i);
      C y[16];
      const T* t1 = tw + table_offset(i, 24);
      for (size_t a = 0; a < 4; ++a) {
        const T* q = p0 + 4 * a * si;
        twiddled_dft4<V, inv>(t1, load_run<V>(q), load_run<V>(q + si), load_run<V>(q + 2 * si), load_run<V>(q + 3 * si),
                              y[4 * a], y[4 * a + 1], y[4 * a + 2], y[4 * a + 3]);
      }
      for (size_t v = 0; v < 4; ++v) {
        C x0, x1, x2, x3;
        twiddled_dft4<V, inv>(tw2 + table_offset(i + v * span, 24), y[v], y[v + 4], y[v + 8], y[v + 12], x0, x1, x2, x3);
        T* q = o0 + v * so;
        store_values<V, pairs>(x0, q);
        store_values<V, pairs>(x1, q + 4 * so);
        store_values<V, pairs>(x2, q + 8 * so);
        store_values<V, pairs>(x3, q + 12 * so);
      }
    }
  }
}

// One radix-2 pass: pairs of sub-sequences at distance span; tw holds span twiddles, per group
// of four the real parts then the imaginary parts. in, out: as fact4.
template <class V, bool inv, bool pairs = false, class LI = Flat, class LO = Flat>
void fact2(const typename V::T* in, size_t span, size_t groups, const typename V::T* tw, typename V::T* out,
           LI li = {}, LO lo = {}) {
  using T = typename V::T;
  using C = cv<V>;
  constexpr size_t W = V::N;
  if constexpr (has_half<V>) {
    if (span < W) return fact2<typename V::half, inv, pairs>(in, span, groups, tw, out, li, lo);
  }
  const size_t si = 2 * li.at(span), so = 2 * lo.at(span);
  for (size_t g = 0; g < groups; ++g) {
    const T* p = in + 2 * li.at(2 * g * span);
    T* o = out + 2 * lo.at(2 * g * span);
    for (size_t i = 0; i < span; i += W) {
      const T* p0 = p + split_offset(li.at(i));
      V wr, wi;
      load_twiddle(tw + table_offset(i, 8), 8, wr, wi);
      const C a = load_run<V>(p0);
      C b = load_run<V>(p0 + si);
      b = inv ? cmul_conj(b, wr, wi) : cmul(b, wr, wi);
      T* q0 = o + value_offset<pairs>(lo, i);
      store_values<V, pairs>(a + b, q0);
      store_values<V, pairs>(a - b, q0 + so);
    }
  }
}

// n complex values in split groups to interleaved pairs (separate arrays).
template <class V>
void split_to_pairs(const typename V::T* in, typename V::T* out, size_t n) {
  if constexpr (has_half<V>) {
    if (n < V::N) return split_to_pairs<typename V::half>(in, out, n);
  }
  for (size_t i = 0; i < n; i += V::N) store_pairs(load_run<V>(in + split_offset(i)), out + 2 * i);
}

// Whether pairs of radix-4 passes run fused (fact4x2). Their sixteen values and six twiddles
// want about 40 registers: on paths with sixteen the spills cost more than the sweep saved, and
// on the 32-register path it measured 10-15% faster in single precision at 2^10-2^14 and no
// better in double (where the same count of registers holds half the values). Set per path.
#ifndef ZAFORQ_FFT_FUSE
#define ZAFORQ_FFT_FUSE 0
#endif
template <class V>
constexpr bool kFuse = ZAFORQ_FFT_FUSE != 0 && sizeof(typename V::T) == 4;

// The register the first pass works on: its outputs are transposed from lanes into split
// groups of four, which 512-bit registers make dearer than the butterflies save.
template <class V>
struct FirstPass {
  using type = std::conditional_t<(V::N > 32 / sizeof(typename V::T)), typename V::half, V>;
};

// Whether the core, reading through the table, runs its passes in an out-of-place dst (one array
// less in the cache than going through work) instead of the work area. Its last pass then turns
// split groups into pairs in place, which needs each run to cover whole groups of four (not the
// SSE2 doubles). Measured 0-27% faster in the narrow build too (double 2^13 most).
template <class V>
constexpr bool kPassesInDst = V::N >= 4;

// The whole core: the complex DFT of M = 2^log2M values (M >= 8).
// - rev != null, final: reads src through the bit-reversal table into dst (kPassesInDst), or
//   into work (M complex values) when src equals dst or otherwise, and finishes in dst as
//   interleaved pairs.
// - rev != null, not final: reads src (not dst) through the table, finishes in dst as split
//   groups. The table may be that of a longer transform: entry j of this one's is entry
//   j << rev_shift of it (reversing j << s over n bits reverses j over n - s bits).
// - rev == null: src must equal dst and hold bit-reversed input; in place. With final set the
//   result is interleaved pairs, otherwise split groups (the rows of the large path).
template <class V, bool inv>
void radix4(const typename V::T* src, typename V::T* dst, int log2M, const int32_t* rev, const typename V::T* tw,
            bool final, typename V::T* work, int rev_shift = 0) {
  using T = typename V::T;
  const size_t M = size_t(1) << log2M;
  // Through the table the passes cannot start in place.
  T* data = rev && final && (src == dst || !kPassesInDst<V>) ? work : dst;
  using F = typename FirstPass<V>::type;
  if (log2M & 1)
    first_pass_blocks<F, inv, true>(src, data, M, rev, rev_shift);
  else
    first_pass_blocks<F, inv, false>(src, data, M, rev, rev_shift);
  size_t L = size_t(1) << (4 + (log2M & 1));
  if (L > M) {  // the first pass was the whole transform
    if (final) split_to_pairs<V>(data, dst, M);
    return;
  }
  // Passes left: odd counts run one pass alone first, so that the fused pairs take the widest
  // spans, whose data is furthest from the registers.
  int passes = 0;
  for (size_t l = L; l <= M; l *= 4) ++passes;
  while (L <= M) {
    const size_t span = L / 4;
    if (kFuse<V> && passes % 2 == 0) {
      if (4 * L == M && final)
        fact4x2<V, inv, true>(data, span, M / (4 * L), tw, dst);
      else
        fact4x2<V, inv, false>(data, span, M / (4 * L), tw, data);
      tw += 30 * span, L *= 16, passes -= 2;
    } else {
      if (L == M && final)
        fact4<V, inv, true>(data, span, M / L, tw, dst);
      else
        fact4<V, inv, false>(data, span, M / L, tw, data);
      tw += 6 * span, L *= 4, passes -= 1;
    }
  }
}

// Z = DFT of the M pairs z_n = x_2n + i x_2n+1 in d (bins 1 .. M-1). With F = Z_k and
// G = conj Z_(M-k), X_k = (F + G)/2 - i w^k (F - G)/2 = G + (F - G)(b - i a) with a = cos/2,
// b = (1 - sin)/2 of 2 pi k / N, and X_(M-k) = conj(F - (F - G)(b - i a)). N bins from the
// front and the N mirrored bins from the back per step; the last step's runs meet in the
// middle bin, which both compute alike as conj Z_(M/2).
template <class V>
void real_recombine(typename V::T* d, size_t M, const typename V::T* tab) {
  using T = typename V::T;
  using C = cv<V>;
  constexpr size_t W = V::N;
  if constexpr (has_half<V>) {
    if (M / 2 < W) return real_recombine<typename V::half>(d, M, tab);
  }
  for (size_t k = 1; k < M / 2; k += W) {
    V a, b;
    load_twiddle(tab + table_offset(k - 1, 8), 8, a, b);
    T* front = d + 2 * k;
    T* back = d + 2 * (M - k - (W - 1));
    const C F = load_pairs<V>(front);
    const C G = conj(reversed(load_pairs<V>(back)));
    const C P = cmul_conj(F - G, b, a);
    store_pairs(G + P, front);
    store_pairs(reversed(conj(F - P)), back);
  }
}

// The inverse: Z_k = F + G + (F - G)(-sin + i cos) with F = X_k, G = conj X_(M-k), which is
// twice the spectrum the forward step started from; Z_(M-k) = conj(F + G - (F - G)(...)).
// One step of it: bins k .. k + W - 1 (k - 1 a multiple of 4) and their mirrors, the bins
// M - k - W + 1 .. M - k in ascending order. Every route of the inverse goes through this one
// step, which is what keeps their bits the same.
template <class V>
ZAFORQ_FFT_INLINE void ccs_step(const typename V::T* s, size_t M, size_t k, const typename V::T* tab, cv<V>& front,
                                cv<V>& back) {
  using C = cv<V>;
  V c, ms;
  load_twiddle(tab + table_offset(k - 1, 8), 8, c, ms);
  const C F = load_pairs<V>(s + 2 * k);
  const C G = conj(reversed(load_pairs<V>(s + 2 * (M - k - (V::N - 1)))));
  const C Q = cmul(F - G, ms, c);
  const C S = F + G;
  front = S + Q;
  back = reversed(conj(S - Q));
}
template <class V>
void ccs_recombine(const typename V::T* s, typename V::T* d, size_t M, const typename V::T* tab) {
  constexpr size_t W = V::N;
  if constexpr (has_half<V>) {
    if (M / 2 < W) return ccs_recombine<typename V::half>(s, d, M, tab);
  }
  for (size_t k = 1; k < M / 2; k += W) {
    cv<V> front, back;
    ccs_step(s, M, k, tab, front, back);
    store_pairs(front, d + 2 * k);
    store_pairs(back, d + 2 * (M - k - (W - 1)));
  }
}

template <class T>
void scale_values(T* d, size_t n, T s) {
  for (size_t i = 0; i < n; ++i) d[i] *= s;
}

// Whether the outermost rows of a large transform of 2^m values are read straight from the
// natural-order input (blk_step with src) instead of a reordering pass: the rows must be short
// enough for the core, and two costs must stay small: the sweeps over the input (one per
// line's worth of classes, each reading every line of the input and using a part of it) and
// the rows one sweep fills, which wait in cache for their transforms. Measured against the
// reordering pass: doubles 10% faster at 2^17 points (4 MiB of sweeps, 256 KiB of rows per
// sweep) and 3-7% at 2^18 (16 MiB, 256 KiB); floats 14% faster at 2^19 (4 MiB, 1 MiB) and 7%
// slower at 2^20 (16 MiB, 1 MiB).
template <class T>
bool rows_from_input(int m) {
  const int k = large_split<T>(m).k, row = m - k;
  const size_t value = 2 * sizeof(T), line = 64 / value, sweeps = (size_t(1) << k) / line;
  const size_t swept = sweeps * (value << m), filled = line * (value << row);
  return row <= Fft<T>::row_max && ((swept <= (size_t(16) << 20) && filled <= (size_t(256) << 10)) ||
                                    (swept <= (size_t(4) << 20) && filled <= (size_t(1) << 20)));
}

// z[i][t] = src[c0 + i + B t] for t < R and the G classes that share the input's cache lines:
// a line per t for G values of t at once, transposed into one whole line per class.
template <class T>
ZAFORQ_FFT_INLINE void copy_classes(const T* src, size_t B, size_t R, size_t c0, T* const* z) {
  constexpr size_t G = 64 / (2 * sizeof(T));
  size_t t = 0;
  for (; t + G <= R; t += G) {
    const T* in[G];
    T* out[G];
    for (size_t u = 0; u < G; ++u) in[u] = src + 2 * (c0 + B * (t + u)), out[u] = z[u] + 2 * t;
    transpose_square(in, out);
  }
  for (; t < R; ++t) {
    const T* in = src + 2 * (c0 + B * t);
    for (size_t i = 0; i < G; ++i) memcpy(z[i] + 2 * t, in + 2 * i, 2 * sizeof(T));
  }
}

// The inverse recombination of the spectrum s (M bins, Perm layout), in ccs_recombine's own
// steps (ccs_step, so the same bits), written out as the classes of the bins modulo B: class
// c (bins c + B t, t < R, in natural order) to the row after the one of the bit-reversed
// sequence where its transform belongs (rev_k(c) + 1, the last row's class to last), for
// blk_step. The front runs of X G consecutive t (bins B t0 + 1 .. B (t0 + X G)), G values
// to a line, are mirrored by the back runs of exactly the X G t that end at R - t0, so each pair
// of blocks goes through two small buffers and out as squares of whole lines. The front block
// starts one bin late: its first bin (class 0) is the last of the block before. The rows stand
// a multiple of the first-level cache's way apart, so the lines of one t in every row share a
// cache set: X lines per row and step spread the writes in flight over X sets (X = 1 measured
// 7% and 5% slower doubles at 2^15 and 2^16 points).
constexpr size_t kCcsRowsMaxB = 32, kCcsRowsLines = 4;
template <class V>
void ccs_to_rows(const typename V::T* s, size_t M, int k, typename V::T* dst, typename V::T* last, const typename V::T* tab) {
  using T = typename V::T;
  using C = cv<V>;
  constexpr size_t W = V::N, G = 64 / (2 * sizeof(T)), X = kCcsRowsLines, most = X * G * kCcsRowsMaxB;
  const size_t B = size_t(1) << k, R = M >> k, TB = X * G * B;
  T* rows[kCcsRowsMaxB];
  for (size_t c = 0; c < B; ++c) {
    const size_t b = reverse_bits(c, k);
    rows[c] = b + 1 < B ? dst + 2 * R * (b + 1) : last;
  }
  alignas(64) T front[2 * (most + W)], back[2 * most];
  front[0] = s[0] + s[1], front[1] = s[0] - s[1];  // bin 0
  auto write = [&](const T* block, size_t t0) __attribute__((always_inline)) {
    for (size_t c0 = 0; c0 < B; c0 += G)
      for (size_t x = 0; x < X; ++x) {
        const T* in[G];
        T* out[G];
        for (size_t u = 0; u < G; ++u) in[u] = block + 2 * (B * (x * G + u) + c0), out[u] = rows[c0 + u] + 2 * (t0 + x * G);
        transpose_square(in, out);
      }
  };
  for (size_t t0 = 0; t0 < R / 2; t0 += X * G) {
    for (size_t i = 1; i <= TB; i += W) {
      C f, b;
      ccs_step(s, M, B * t0 + i, tab, f, b);
      store_pairs(f, front + 2 * i);
      store_pairs(b, back + 2 * (TB - i - (W - 1)));
    }
    write(front, t0);
    write(back, R - t0 - X * G);
    front[0] = front[2 * TB], front[1] = front[2 * TB + 1];  // (bin M/2 at the end: the back's)
  }
}

// Whether the large inverse, out of place, builds its rows from its spectrum (ccs_to_rows)
// instead of recombining into dst, reversing in place and starting the rows in place. Measured
// with arrays from gaxsMalloc: doubles 11% and 8% faster at 2^15 and 2^16 points and 7-23%
// slower from 2^17 to 2^19 (neutral at 2^17 once the column passes read the rows), floats 19%,
// 12% and 9% faster at 2^17, 2^18 and 2^19 and 15% slower at 2^20. Beyond about the second-level
// cache its writes, spread over every row at once, cost more than the passes they save.
template <class T>
bool inverse_rows_from_input(int m) {
  const LargeSplit s = large_split<T>(m);
  return (size_t(1) << m) * 2 * sizeof(T) <= (size_t(sizeof(T) == 8 ? 512 : 2048) << 10) &&
         m - s.k <= Fft<T>::row_max && (size_t(1) << s.k) <= kCcsRowsMaxB;
}

// One column step of the large path: a radix-4 pass (kind 4), two fused (16) or a radix-2 (2).
template <class V, bool inv, bool pairs, class LI, class LO>
void col_step(int kind, const typename V::T* in, size_t span, size_t groups, const typename V::T* tw,
              typename V::T* out, LI li, LO lo) {
  if (kind == 16) {
    if constexpr (kFuse<V>) fact4x2<V, inv, pairs>(in, span, groups, tw, out, li, lo);
  } else if (kind == 4) {
    fact4<V, inv, pairs>(in, span, groups, tw, out, li, lo);
  } else {
    fact2<V, inv, pairs>(in, span, groups, tw, out, li, lo);
  }
}

// Large path (see fft_large.cpp for the split and the tables): rows first, then the column
// passes on groups of columns. data holds bit-reversed input, or, when src is given (the
// outermost step, rows_from_input, src not data), src holds the input in natural order and
// each row is read from it: row b of the bit-reversed sequence is the class of rev_k(b) modulo
// B in bit-reversed order, so that class is copied out as it stands and the core reads it
// through the transform's own table. This saves the separate reordering pass over memory. The
// inverse's src is its spectrum before the recombination (inverse_rows_from_input), which
// ccs_to_rows does while it writes every class, each one row further on (the last in work):
// each row's transform then reads the row after its own, which the transform before it has
// already read. Either way each class waits in a row not yet written (or in work), so no row
// is copied twice.
template <class V, bool inv>
void blk_step(typename V::T* data, int m, int level, const Plan<typename V::T>& plan, typename V::T* work, bool scale,
              bool outermost, const typename V::T* src = nullptr) {
  using T = typename V::T;
  const LargeSplit s = large_split<T>(m);
  const size_t R = size_t(1) << (m - s.k), B = size_t(1) << s.k, Q = size_t(1) << (s.g - s.k);
  if (src && inv) {
    ccs_to_rows<V>(src, size_t(1) << m, s.k, data, work, plan.ccsrec);
    for (size_t b = 0; b < B; ++b) {
      T* row = data + 2 * b * R;
      radix4<V, inv>(b + 1 < B ? row + 2 * R : work, row, m - s.k, plan.rev, plan.twiddles, false, nullptr, s.k);
      if (scale) scale_values(row, 2 * R, plan.scale);
    }
  } else if (src) {
    // G classes fill one cache line of input: each line is read once. Class c0 + i waits in
    // the (not yet written) row of class c0 + i - 1, class c0 in work; the rows are then
    // transformed from the last class down, each into the row its successor has just left.
    constexpr size_t G = 64 / (2 * sizeof(T));
    for (size_t c0 = 0; c0 < B; c0 += G) {
      T* z[G];
      z[0] = work;
      for (size_t i = 1; i < G; ++i) z[i] = data + 2 * reverse_bits(c0 + i - 1, s.k) * R;
      copy_classes(src, B, R, c0, z);
      for (size_t i = G; i-- > 0;) {
        T* row = data + 2 * reverse_bits(c0 + i, s.k) * R;
        radix4<V, inv>(z[i], row, m - s.k, plan.rev, plan.twiddles, false, nullptr, s.k);
        if (scale) scale_values(row, 2 * R, plan.scale);
      }
    }
  }
  for (size_t b = 0; b < B && !src; ++b) {
    T* row = data + 2 * b * R;
    if (m - s.k > Fft<T>::row_max) {
      blk_step<V, inv>(row, m - s.k, level + 1, plan, work, scale, false);
    } else {
      radix4<V, inv>(row, row, m - s.k, nullptr, plan.twiddles, false, nullptr);
      if (scale) scale_values(row, 2 * R, plan.scale);
    }
  }
  // The column passes, as a list of steps; the first reads the rows and the last writes them.
  struct Step {
    int kind;  // 4: fact4, 16: fact4x2, 2: fact2
    size_t span, groups;
  } steps[8];
  int n = 0;
  {
    size_t span = Q, groups = B / 4;
    for (int p = s.k / 2; p > 0;) {
      if (kFuse<V> && p % 2 == 0) {
        steps[n++] = {16, span, groups / 4};
        span *= 16, groups /= 16, p -= 2;
      } else {
        steps[n++] = {4, span, groups};
        span *= 4, groups /= 4, p -= 1;
      }
    }
    if (s.k & 1) steps[n++] = {2, span, 1};
  }
  const Rows rows{s.g - s.k, R};
  const T* tw = plan.level[level];
  for (size_t c0 = 0; c0 < R; c0 += Q) {
    T* cols = data + 2 * c0;
    for (int j = 0; j < n; ++j) {
      const Step& st = steps[j];
      const bool first = j == 0, last = j + 1 == n;
      if (first && last) {
        if (!outermost)
          col_step<V, inv, false>(st.kind, cols, st.span, st.groups, tw, cols, rows, rows);
        else if constexpr (V::N >= 4)
          col_step<V, inv, true>(st.kind, cols, st.span, st.groups, tw, cols, rows, rows);
        else {  // pairs in place need whole groups of four per run: through work
          col_step<V, inv, false>(st.kind, cols, st.span, st.groups, tw, work, rows, Flat{});
          for (size_t b = 0; b < B; ++b) split_to_pairs<V>(work + 2 * b * Q, cols + 2 * b * R, Q);
        }
      } else if (first) {
        col_step<V, inv, false>(st.kind, cols, st.span, st.groups, tw, work, rows, Flat{});
      } else if (last) {
        if (outermost)
          col_step<V, inv, true>(st.kind, work, st.span, st.groups, tw, cols, Flat{}, rows);
        else
          col_step<V, inv, false>(st.kind, work, st.span, st.groups, tw, cols, Flat{}, rows);
      } else {
        col_step<V, inv, false>(st.kind, work, st.span, st.groups, tw, work, Flat{}, Flat{});
      }
      tw += (st.kind == 2 ? 2 : st.kind == 4 ? 6 : 30) * st.span;
    }
  }
}

// The real transform of order >= 4 in either direction: the forward takes the complex DFT of
// the pairs and then separates the two interleaved spectra; the inverse runs the same steps
// mirrored. work: the plan's work area.
template <class V, bool inv>
void real_transform(const Plan<typename V::T>& plan, const typename V::T* src, typename V::T* dst,
                    typename V::T* work) {
  using T = typename V::T;
  const int log2M = plan.log2M;
  const size_t M = size_t(1) << log2M;
  const bool large = plan.large, scaled = inv ? plan.scale_inv : plan.scale_fwd;
  if (inv && large && src != dst && inverse_rows_from_input<T>(log2M))
    return blk_step<V, inv>(dst, log2M, 0, plan, work, scaled, true, src);
  if (inv) {
    // Below the large path the work area holds M values: where the core runs its passes in
    // dst, the recombination writes there and the core reads it through the table into dst.
    T* to = large || !kPassesInDst<V> ? dst : work;
    const T x0 = src[0], xh = src[1];
    ccs_recombine<V>(src, to, M, plan.ccsrec);
    to[0] = x0 + xh, to[1] = x0 - xh;
    src = to;
  }
  if (!large) {
    // The core reads through the bit-reversal table, which saves a separate reordering pass.
    radix4<V, inv>(src, dst, log2M, plan.rev, plan.twiddles, true, work);
  } else {
    if (src != dst && rows_from_input<T>(log2M)) {
      blk_step<V, inv>(dst, log2M, 0, plan, work, scaled, true, src);
    } else {
      if (src == dst)
        bitrev_inplace(dst, log2M, plan.rev);
      else
        bitrev_copy(src, dst, log2M, plan.rev);
      blk_step<V, inv>(dst, log2M, 0, plan, work, scaled, true);  // scales inside
    }
  }
  if (scaled && !large) scale_values(dst, 2 * M, plan.scale);
  if (!inv) {
    const T a = dst[0], b = dst[1];
    dst[0] = a + b, dst[1] = a - b;
    real_recombine<V>(dst, M, plan.realrec);
  }
}

// count complex products b[k] = a[k] * b[k] on interleaved pairs.
template <class V>
void complex_products(const typename V::T* a, typename V::T* b, size_t count) {
  using T = typename V::T;
  size_t k = 0;
  for (; k + V::N <= count; k += V::N) {
    const cv<V> x = load_pairs<V>(a + 2 * k), y = load_pairs<V>(b + 2 * k);
    store_pairs(cmul(x, y.re, y.im), b + 2 * k);
  }
  for (; k < count; ++k) {
    const T ar = a[2 * k], ai = a[2 * k + 1], br = b[2 * k], bi = b[2 * k + 1];
    b[2 * k] = ar * br - ai * bi;
    b[2 * k + 1] = ar * bi + ai * br;
  }
}

#undef ZAFORQ_FFT_INLINE

}  // namespace zaforq::gax::ZAFORQ_ISA_NS
