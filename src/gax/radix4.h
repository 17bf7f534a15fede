// The radix-4 complex FFT core on bit-reversed input, and the column passes of the large path.
//
// Data between passes is kept in split groups (four real parts, then four imaginary parts, for
// four consecutive complex values), so the butterflies need no shuffles. The first pass reads
// interleaved (re, im) pairs, through the bit-reversal table or in place, and computes the
// twiddle-free length-4 or length-8 transforms of four blocks at once (one block per lane),
// then transposes so that each block's outputs form one split group. Each later radix-4 stage
// of span L combines four sub-transforms of length L/4 standing at distance S = L/4:
//   a = x0, b = x1 w^(2j), c = x2 w^j, d = x3 w^(3j)   (w = e^(-2 pi i / L))
//   X_j = a + b + c + d,             X_(j+L/4)  = (a - b) - i (c - d),
//   X_(j+L/2) = a + b - c - d,       X_(j+3L/4) = (a - b) + i (c - d),
// the positions 1 and 2 carrying the sub-transforms of residues 2 and 1 because the input is in
// radix-2 bit-reversed order. The inverse uses the conjugate twiddles and exchanges +i and -i.
// When the core is the whole transform (final flag), its last stage writes interleaved pairs.
//
// Twiddle tables hold, for each pass, per group of four consecutive j: the real parts of the
// four w^j, their imaginary parts, then the same for w^(2j) and w^(3j) (24 values).
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "gax/pack4.h"

namespace zaforq::gax {

constexpr int kRev2[4] = {0, 2, 1, 3};
constexpr int kRev3[8] = {0, 4, 2, 6, 1, 5, 3, 7};

// Length-4 transform of values at bit-reversed positions p0..p3 (natural order out).
template <class T, bool inv>
inline void dft4(const CV<T>& a, const CV<T>& b, const CV<T>& c, const CV<T>& d, CV<T>& x0, CV<T>& x1, CV<T>& x2,
                 CV<T>& x3) {
  const CV<T> s = a + b, u = a - b, v = c + d, w = c - d;
  const CV<T> iw = times_i(w);
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
template <class T, bool inv>
inline void twiddle8(CV<T>& o1, CV<T>& o2, CV<T>& o3) {
  using V = typename CV<T>::V;
  const V h = V::all(static_cast<T>(0.70710678118654752440L));
  const V r1 = o1.re, i1 = o1.im, r3 = o3.re, i3 = o3.im;
  // forward: o1 * (1 - i) h, o2 * (-i), o3 * (-1 - i) h
  if (!inv) {
    o1 = {(r1 + i1) * h, (i1 - r1) * h};
    o2 = {o2.im, -o2.re};
    o3 = {(i3 - r3) * h, -((r3 + i3) * h)};
  } else {
    o1 = {(r1 - i1) * h, (i1 + r1) * h};
    o2 = {-o2.im, o2.re};
    o3 = {-((r3 + i3) * h), (r3 - i3) * h};
  }
}

// First pass over M complex values (M >= 8): the length-4 (log2 M even) or length-8 (odd)
// transforms of consecutive blocks, W blocks at once, one per lane. rev: bit-reversal table
// (entry j = 2 * bit reversal of j over log2 M - 2 bits), or null when the input is already in
// bit-reversed order. in and out may be the same array only when rev is null.
//
// Through the table, the blocks are visited in bit-reversed order: element t of block rev(r)
// stands at natural position r + rev(t) M/width, so the W lanes r .. r+W-1 read W consecutive
// input values with one load, and each block's outputs (a whole group, or two) are written
// where the block belongs. Reading runs instead of single values keeps every input cache line
// in use; the blocks of lanes r .. r+W-1 are rev(r) + rev(b) (blocks / W).
template <class T, bool inv, bool radix8>
void first_pass_blocks(const T* in, T* out, size_t M, const int32_t* rev) {
  using C = CV<T>;
  constexpr size_t W = C::W, width = radix8 ? 8 : 4, block_reals = 2 * width;
  constexpr size_t rev_lane[4] = {0, W == 4 ? 2 : 1, 1, 3};
  const size_t blocks = M / width, q = M / width;  // q: distance of bit-reversed inputs
  const bool runs = rev && blocks >= W;
  for (size_t j = 0; j < blocks; j += W) {
    size_t base[W];
    T* dst[W];
    const size_t valid = blocks - j < W ? blocks - j : W;
    if (runs) {
      const size_t first = static_cast<size_t>(rev[radix8 ? 2 * j : j]) / 2;
      for (size_t b = 0; b < W; ++b) dst[b] = out + block_reals * (first + rev_lane[b] * (blocks / W));
    } else {
      for (size_t b = 0; b < W; ++b) {
        const size_t blk = j + b < blocks ? j + b : blocks - 1;
        base[b] = rev ? static_cast<size_t>(rev[radix8 ? 2 * blk : blk]) / 2 : blk * width;
        dst[b] = out + block_reals * blk;
      }
    }
    const size_t step = rev ? q : 1;
    // input at offset u * step of each lane's block (with rev, u is the natural position)
    auto load = [&](size_t u) {
      if (runs) return C::load_pairs(in + 2 * (j + u * q));
      size_t o[W];
      for (size_t b = 0; b < W; ++b) o[b] = base[b] + u * step;
      return C::gather(in, o);
    };
    if (!radix8) {
      C x0, x1, x2, x3;
      // with rev, bit-reversed inputs 0, 1, 2, 3 stand at natural positions 0, 2, 1, 3
      if (rev)
        dft4<T, inv>(load(0), load(2), load(1), load(3), x0, x1, x2, x3);
      else
        dft4<T, inv>(load(0), load(1), load(2), load(3), x0, x1, x2, x3);
      C::store_lanes_as_groups(x0, x1, x2, x3, dst, valid);
    } else {
      C e0, e1, e2, e3, o0, o1, o2, o3;
      if (rev) {  // bit-reversed input t stands at natural position rev3(t)
        dft4<T, inv>(load(0), load(4), load(2), load(6), e0, e1, e2, e3);
        dft4<T, inv>(load(1), load(5), load(3), load(7), o0, o1, o2, o3);
      } else {
        dft4<T, inv>(load(0), load(1), load(2), load(3), e0, e1, e2, e3);
        dft4<T, inv>(load(4), load(5), load(6), load(7), o0, o1, o2, o3);
      }
      twiddle8<T, inv>(o1, o2, o3);
      C::store_lanes_as_groups(e0 + o0, e1 + o1, e2 + o2, e3 + o3, dst, valid);
      T* hi[W];
      for (size_t b = 0; b < W; ++b) hi[b] = dst[b] + 8;
      C::store_lanes_as_groups(e0 - o0, e1 - o1, e2 - o2, e3 - o3, hi, valid);
    }
  }
}

template <class T, bool inv>
void first_pass(const T* in, T* out, size_t M, int log2M, const int32_t* rev) {
  if (log2M & 1)
    first_pass_blocks<T, inv, true>(in, out, M, rev);
  else
    first_pass_blocks<T, inv, false>(in, out, M, rev);
}

// One radix-4 pass: groups of four sub-sequences at distance span (complex values, a multiple
// of 4) over data in split groups; tw holds 3 * span twiddles. With pairs set, the results are
// written to out as interleaved pairs (out may be data); otherwise in place as split groups.
template <class T, bool inv, bool pairs>
void fact4(T* data, size_t span, size_t groups, const T* tw, T* out) {
  using C = CV<T>;
  using V = typename C::V;
  constexpr size_t W = C::W;
  const size_t s2 = 2 * span;
  for (size_t g = 0; g < groups; ++g) {
    T* p = data + 8 * g * span;
    T* o = out + 8 * g * span;
    for (size_t i = 0; i < span; i += W) {
      T* p0 = p + split_offset<T>(i);
      const T* t = tw + group_table_offset<T>(i, 24);
      const C a = load_split_run(p0);
      C b = load_split_run(p0 + s2), c = load_split_run(p0 + 2 * s2), d = load_split_run(p0 + 3 * s2);
      if (inv) {
        c = cmul_conj(c, V::load_aligned(t), V::load_aligned(t + 4));
        b = cmul_conj(b, V::load_aligned(t + 8), V::load_aligned(t + 12));
        d = cmul_conj(d, V::load_aligned(t + 16), V::load_aligned(t + 20));
      } else {
        c = cmul(c, V::load_aligned(t), V::load_aligned(t + 4));
        b = cmul(b, V::load_aligned(t + 8), V::load_aligned(t + 12));
        d = cmul(d, V::load_aligned(t + 16), V::load_aligned(t + 20));
      }
      C x0, x1, x2, x3;
      dft4<T, inv>(a, b, c, d, x0, x1, x2, x3);
      if (pairs) {
        T* q0 = o + 2 * i;
        x0.store_pairs(q0);
        x1.store_pairs(q0 + s2);
        x2.store_pairs(q0 + 2 * s2);
        x3.store_pairs(q0 + 3 * s2);
      } else {
        store_split_run(x0, p0);
        store_split_run(x1, p0 + s2);
        store_split_run(x2, p0 + 2 * s2);
        store_split_run(x3, p0 + 3 * s2);
      }
    }
  }
}

// One radix-2 pass: pairs of sub-sequences at distance span; tw holds span twiddles, per group
// of four the real parts then the imaginary parts.
template <class T, bool inv, bool pairs>
void fact2(T* data, size_t span, size_t groups, const T* tw, T* out) {
  using C = CV<T>;
  using V = typename C::V;
  constexpr size_t W = C::W;
  for (size_t g = 0; g < groups; ++g) {
    T* p = data + 4 * g * span;
    T* o = out + 4 * g * span;
    for (size_t i = 0; i < span; i += W) {
      T* p0 = p + split_offset<T>(i);
      const T* t = tw + group_table_offset<T>(i, 8);
      const C a = load_split_run(p0);
      C b = load_split_run(p0 + 2 * span);
      b = inv ? cmul_conj(b, V::load_aligned(t), V::load_aligned(t + 4))
              : cmul(b, V::load_aligned(t), V::load_aligned(t + 4));
      const C x0 = a + b, x1 = a - b;
      if (pairs) {
        x0.store_pairs(o + 2 * i);
        x1.store_pairs(o + 2 * i + 2 * span);
      } else {
        store_split_run(x0, p0);
        store_split_run(x1, p0 + 2 * span);
      }
    }
  }
}

// n complex values in split groups to interleaved pairs, in place or not.
template <class T>
void split_to_pairs(const T* in, T* out, size_t n) {
  for (size_t i = 0; i < n; i += CV<T>::W) load_split_run(in + split_offset<T>(i)).store_pairs(out + 2 * i);
}

// Number of twiddle values (reals) in the radix-4 table of M complex values.
inline size_t radix4_table_reals(int log2M) {
  size_t total = 0;
  for (int s = 4 + (log2M & 1); s <= log2M; s += 2) total += 6 * (size_t(1) << s) / 4;
  return total;
}

// The whole core: the complex DFT of M = 2^log2M values (M >= 8).
// - rev != null: reads src through the bit-reversal table into work (M complex values),
//   finishes in dst as interleaved pairs; src may equal dst.
// - rev == null: src must equal dst and hold bit-reversed input; in place. With final set the
//   result is interleaved pairs, otherwise split groups (the rows of the large path).
template <class T, bool inv>
void radix4(const T* src, T* dst, int log2M, const int32_t* rev, const T* tw, bool final, T* work) {
  const size_t M = size_t(1) << log2M;
  T* data = rev ? work : dst;
  first_pass<T, inv>(src, data, M, log2M, rev);
  size_t L = size_t(1) << (4 + (log2M & 1));
  if (L > M) {  // the first pass was the whole transform
    if (final) split_to_pairs(data, dst, M);
    return;
  }
  for (; L <= M; L *= 4) {
    const size_t span = L / 4, groups = M / L;
    if (L == M && final)
      fact4<T, inv, true>(data, span, groups, tw, dst);
    else
      fact4<T, inv, false>(data, span, groups, tw, data);
    tw += 6 * span;
  }
}

}  // namespace zaforq::gax
