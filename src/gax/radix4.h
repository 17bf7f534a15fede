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
inline void dft4(const C4<T>& a, const C4<T>& b, const C4<T>& c, const C4<T>& d, C4<T>& x0, C4<T>& x1, C4<T>& x2,
                 C4<T>& x3) {
  const C4<T> s = a + b, u = a - b, v = c + d, w = c - d;
  const C4<T> iw = times_i(w);
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
inline void twiddle8(C4<T>& o1, C4<T>& o2, C4<T>& o3) {
  const T h = static_cast<T>(0.70710678118654752440L);
  const R4<T> hr = splat_r4(h);
  // forward: o1 * (1 - i) h, o2 * (-i), o3 * (-1 - i) h
  const R4<T> r1 = re_of(o1), i1 = im_of(o1), r3 = re_of(o3), i3 = im_of(o3);
  if (!inv) {
    o1 = make_c4((r1 + i1) * hr, (i1 - r1) * hr);
    o2 = make_c4(im_of(o2), -re_of(o2));
    o3 = make_c4((i3 - r3) * hr, -(r3 + i3) * hr);
  } else {
    o1 = make_c4((r1 - i1) * hr, (i1 + r1) * hr);
    o2 = make_c4(-im_of(o2), re_of(o2));
    o3 = make_c4(-(r3 + i3) * hr, (r3 - i3) * hr);
  }
}

// First pass over M complex values (M >= 8). rev: bit-reversal table (entry j = 2 * bit
// reversal of j over log2 M - 2 bits), or null when the input is already in bit-reversed order.
// in and out may be the same array only when rev is null.
template <class T, bool inv>
void first_pass(const T* in, T* out, size_t M, int log2M, const int32_t* rev) {
  const bool radix8 = (log2M & 1) != 0;
  const size_t width = radix8 ? 8 : 4;
  const size_t blocks = M / width, q = M / width;  // q: distance of bit-reversed inputs
  for (size_t j = 0; j < blocks; j += 4) {
    size_t base[4];
    for (int b = 0; b < 4; ++b) {
      const size_t blk = j + b < blocks ? j + b : blocks - 1;
      if (rev)
        base[b] = static_cast<size_t>(rev[radix8 ? 2 * blk : blk]) / 2;
      else
        base[b] = blk * width;
    }
    auto load = [&](int t) {
      size_t o[4];
      for (int b = 0; b < 4; ++b)
        o[b] = rev ? base[b] + static_cast<size_t>(radix8 ? kRev3[t] : kRev2[t]) * q : base[b] + t;
      return C4<T>::gather(in, o);
    };
    const size_t valid = blocks - j < 4 ? blocks - j : 4;
    if (!radix8) {
      C4<T> x0, x1, x2, x3;
      dft4<T, inv>(load(0), load(1), load(2), load(3), x0, x1, x2, x3);
      transpose(x0, x1, x2, x3);
      const C4<T> xs[4] = {x0, x1, x2, x3};
      for (size_t b = 0; b < valid; ++b) xs[b].store_split(out + 8 * (j + b));
    } else {
      C4<T> e0, e1, e2, e3, o0, o1, o2, o3;
      dft4<T, inv>(load(0), load(1), load(2), load(3), e0, e1, e2, e3);
      dft4<T, inv>(load(4), load(5), load(6), load(7), o0, o1, o2, o3);
      twiddle8<T, inv>(o1, o2, o3);
      C4<T> x0 = e0 + o0, x1 = e1 + o1, x2 = e2 + o2, x3 = e3 + o3;
      C4<T> x4 = e0 - o0, x5 = e1 - o1, x6 = e2 - o2, x7 = e3 - o3;
      transpose(x0, x1, x2, x3);
      transpose(x4, x5, x6, x7);
      const C4<T> lo[4] = {x0, x1, x2, x3}, hi[4] = {x4, x5, x6, x7};
      for (size_t b = 0; b < valid; ++b) {
        lo[b].store_split(out + 16 * (j + b));
        hi[b].store_split(out + 16 * (j + b) + 8);
      }
    }
  }
}

// One radix-4 pass: groups of four sub-sequences at distance span (complex values, a multiple
// of 4) over data in split groups; tw holds 3 * span twiddles. With pairs set, the results are
// written to out as interleaved pairs (out may be data); otherwise in place as split groups.
template <class T, bool inv, bool pairs>
void fact4(T* data, size_t span, size_t groups, const T* tw, T* out) {
  for (size_t g = 0; g < groups; ++g) {
    T* p = data + 8 * g * span;
    T* o = out + 8 * g * span;
    const T* t = tw;
    for (size_t i = 0; i < span; i += 4, t += 24) {
      T* p0 = p + 2 * i;
      const C4<T> a = C4<T>::load_split(p0);
      C4<T> b = C4<T>::load_split(p0 + 2 * span), c = C4<T>::load_split(p0 + 4 * span),
            d = C4<T>::load_split(p0 + 6 * span);
      if (inv) {
        c = cmul_conj(c, load_r4(t), load_r4(t + 4));
        b = cmul_conj(b, load_r4(t + 8), load_r4(t + 12));
        d = cmul_conj(d, load_r4(t + 16), load_r4(t + 20));
      } else {
        c = cmul(c, load_r4(t), load_r4(t + 4));
        b = cmul(b, load_r4(t + 8), load_r4(t + 12));
        d = cmul(d, load_r4(t + 16), load_r4(t + 20));
      }
      C4<T> x0, x1, x2, x3;
      dft4<T, inv>(a, b, c, d, x0, x1, x2, x3);
      if (pairs) {
        T* q0 = o + 2 * i;
        x0.store_pairs(q0);
        x1.store_pairs(q0 + 2 * span);
        x2.store_pairs(q0 + 4 * span);
        x3.store_pairs(q0 + 6 * span);
      } else {
        x0.store_split(p0);
        x1.store_split(p0 + 2 * span);
        x2.store_split(p0 + 4 * span);
        x3.store_split(p0 + 6 * span);
      }
    }
  }
}

// One radix-2 pass: pairs of sub-sequences at distance span; tw holds span twiddles, per group
// of four the real parts then the imaginary parts.
template <class T, bool inv, bool pairs>
void fact2(T* data, size_t span, size_t groups, const T* tw, T* out) {
  for (size_t g = 0; g < groups; ++g) {
    T* p = data + 4 * g * span;
    T* o = out + 4 * g * span;
    const T* t = tw;
    for (size_t i = 0; i < span; i += 4, t += 8) {
      T* p0 = p + 2 * i;
      const C4<T> a = C4<T>::load_split(p0);
      C4<T> b = C4<T>::load_split(p0 + 2 * span);
      b = inv ? cmul_conj(b, load_r4(t), load_r4(t + 4)) : cmul(b, load_r4(t), load_r4(t + 4));
      const C4<T> x0 = a + b, x1 = a - b;
      if (pairs) {
        x0.store_pairs(o + 2 * i);
        x1.store_pairs(o + 2 * i + 2 * span);
      } else {
        x0.store_split(p0);
        x1.store_split(p0 + 2 * span);
      }
    }
  }
}

// n complex values in split groups to interleaved pairs, in place or not.
template <class T>
void split_to_pairs(const T* in, T* out, size_t n) {
  for (size_t i = 0; i < n; i += 4) C4<T>::load_split(in + 2 * i).store_pairs(out + 2 * i);
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
