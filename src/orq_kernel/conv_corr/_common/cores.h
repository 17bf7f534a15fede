// Correlation cores of the direct kernels: z[k] = sum_i x[i] y[i + shift + k dec] over the
// indices where both factors exist, on dense operands, in the arithmetic type T (float or
// double). Convolution reaches them with x reversed. Empty sums give 0.
//
// The cores are written once against Lanes<T>, one register of T, and compiled once per
// processor path: here with the SSE2 registers below, and in the sources of the wide paths
// with those of dot_wide.h. Everything lives in the path's own namespace (ZAFORQ_ISA_NS), so
// that no inline function compiled with wide instructions is shared with the SSE2 objects.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "zaforq/orq_conv.h"

#if !defined(ZAFORQ_ISA_NS)
#define ZAFORQ_ISA_NS sse2
#endif
#if !defined(ZAFORQ_CC_WIDE_LANES)
#include "common/simd.h"
#endif

namespace zaforq::cc::ZAFORQ_ISA_NS {

constexpr int kMaxRank = ORQ_CC_MAX_RANK;

inline int64_t imin(int64_t a, int64_t b) { return a < b ? a : b; }
inline int64_t imax(int64_t a, int64_t b) { return a > b ? a : b; }
inline int64_t imin4(int64_t a, int64_t b, int64_t c, int64_t d) { return imin(imin(a, b), imin(c, d)); }
inline int64_t imax4(int64_t a, int64_t b, int64_t c, int64_t d) { return imax(imax(a, b), imax(c, d)); }

#if !defined(ZAFORQ_CC_WIDE_LANES)
// One SSE2 register of T, so the inner products are written once for both precisions. acc +
// a * b rounds twice: the SSE2 path has no fused multiply-add.
template <class T>
struct Lanes;
template <>
struct Lanes<float> {
  using V = simd::f32x4;
  static constexpr int n = 4;
  static constexpr bool kSse2 = true;
  static V zero() { return V::all(0.0f); }
  static V loadu(const float* p) { return V::load(p); }
  static V loada(const float* p) { return V::load_aligned(p); }
  static V all(float x) { return V::all(x); }
  static V madd(V acc, V a, V b) { return acc + a * b; }
  static float sum(V v) {  // (l0 + l1) + (l2 + l3)
    alignas(16) float t[4];
    _mm_store_ps(t, v.v);
    return (t[0] + t[1]) + (t[2] + t[3]);
  }
};
template <>
struct Lanes<double> {
  using V = simd::f64x2;
  static constexpr int n = 2;
  static constexpr bool kSse2 = true;
  static V zero() { return V::all(0.0); }
  static V loadu(const double* p) { return V::load(p); }
  static V loada(const double* p) { return V::load_aligned(p); }
  static V all(double x) { return V::all(x); }
  static V madd(V acc, V a, V b) { return acc + a * b; }
  static double sum(V v) { return v.lane0() + v.lane1(); }
};

#endif

// Number of leading terms to take one by one until p is 16-byte aligned; n when p is not even
// element-aligned (then no vector load can be aligned and the caller uses unaligned loads).
template <class T>
inline int64_t lead_in(const T* p, int64_t n) {
  const uintptr_t a = reinterpret_cast<uintptr_t>(p);
  if (a % sizeof(T) != 0) return -1;
  const int64_t k = static_cast<int64_t>(((16 - (a & 15)) & 15) / sizeof(T));
  return k < n ? k : n;
}

// Wide paths: four registers of running sums over unaligned loads (on processors with these
// instructions a load across a cache line costs little, so there is no lead-in), then one
// register at a time, and the last fewer than one register of terms in one masked step. The
// registers are added pairwise and their lanes folded in halves.
template <class T>
T dot_wide(const T* x, const T* y, int64_t n) {
  using L = Lanes<T>;
  using V = typename L::V;
  constexpr int64_t w = L::n;
  V a0 = L::zero(), a1 = L::zero(), a2 = L::zero(), a3 = L::zero();
  int64_t i = 0;
  for (; i + 4 * w <= n; i += 4 * w) {
    a0 = L::madd(a0, L::loadu(x + i), L::loadu(y + i));
    a1 = L::madd(a1, L::loadu(x + i + w), L::loadu(y + i + w));
    a2 = L::madd(a2, L::loadu(x + i + 2 * w), L::loadu(y + i + 2 * w));
    a3 = L::madd(a3, L::loadu(x + i + 3 * w), L::loadu(y + i + 3 * w));
  }
  for (; i + w <= n; i += w) a0 = L::madd(a0, L::loadu(x + i), L::loadu(y + i));
  if (i < n) a1 = L::madd(a1, L::load_lanes(x + i, 0, n - i - 1), L::load_lanes(y + i, 0, n - i - 1));
  return L::sum((a0 + a1) + (a2 + a3));
}

// sum_{i < n} x[i] y[i]. SSE2, runs of 8 terms or more: a scalar lead-in until y is 16-byte
// aligned, then 8 terms per step into eight partial sums (two or four registers), combined
// pairwise, then the remaining terms one by one.
template <class T>
T dot_sse2(const T* x, const T* y, int64_t n) {
  using L = Lanes<T>;
  using V = typename L::V;
  if (n < 8) {
    T s = 0;
    for (int64_t i = 0; i < n; ++i) s += x[i] * y[i];
    return s;
  }
  int64_t i = 0;
  T lead = 0;
  const int64_t k = lead_in(y, n);
  const bool aligned = k >= 0;
  if (aligned)
    for (; i < k; ++i) lead += x[i] * y[i];
  T body = 0;
  if constexpr (L::n == 4) {
    V a0 = L::zero(), a1 = L::zero();
    if (aligned)
      for (; i + 8 <= n; i += 8) {
        a0 = a0 + L::loadu(x + i) * L::loada(y + i);
        a1 = a1 + L::loadu(x + i + 4) * L::loada(y + i + 4);
      }
    else
      for (; i + 8 <= n; i += 8) {
        a0 = a0 + L::loadu(x + i) * L::loadu(y + i);
        a1 = a1 + L::loadu(x + i + 4) * L::loadu(y + i + 4);
      }
    body = L::sum(a0 + a1);
  } else {
    V a0 = L::zero(), a1 = L::zero(), a2 = L::zero(), a3 = L::zero();
    if (aligned)
      for (; i + 8 <= n; i += 8) {
        a0 = a0 + L::loadu(x + i) * L::loada(y + i);
        a1 = a1 + L::loadu(x + i + 2) * L::loada(y + i + 2);
        a2 = a2 + L::loadu(x + i + 4) * L::loada(y + i + 4);
        a3 = a3 + L::loadu(x + i + 6) * L::loada(y + i + 6);
      }
    else
      for (; i + 8 <= n; i += 8) {
        a0 = a0 + L::loadu(x + i) * L::loadu(y + i);
        a1 = a1 + L::loadu(x + i + 2) * L::loadu(y + i + 2);
        a2 = a2 + L::loadu(x + i + 4) * L::loadu(y + i + 4);
        a3 = a3 + L::loadu(x + i + 6) * L::loadu(y + i + 6);
      }
    body = L::sum((a0 + a1) + (a2 + a3));
  }
  T tail = 0;
  for (; i < n; ++i) tail += x[i] * y[i];
  return lead + body + tail;
}

template <class T>
T dot(const T* x, const T* y, int64_t n) {
  if constexpr (Lanes<T>::kSse2)
    return dot_sse2(x, y, n);
  else
    return dot_wide(x, y, n);
}

// s_j = sum_{i < n} x[i] yj[i] for four y runs: each x value is loaded once and multiplied
// with the four y values, four outputs per x load. The y runs are usually offset from each
// other by a few elements, so at most one could be aligned: all are loaded unaligned. On
// x86-64, with sixteen registers, two steps per iteration keep eight sums in flight. The wide
// paths take the last terms in one masked step, SSE2 one by one.
template <class T>
inline void dot4(const T* x, const T* y0, const T* y1, const T* y2, const T* y3, int64_t n, T& s0, T& s1, T& s2,
                 T& s3) {
  using L = Lanes<T>;
  using V = typename L::V;
  int64_t i = 0;
  T r0 = 0, r1 = 0, r2 = 0, r3 = 0;
  if (!L::kSse2 || n >= L::n) {
    V a0 = L::zero(), a1 = L::zero(), a2 = L::zero(), a3 = L::zero();
#if defined(__x86_64__)
    V b0 = L::zero(), b1 = L::zero(), b2 = L::zero(), b3 = L::zero();
    for (; i + 2 * L::n <= n; i += 2 * L::n) {
      const V xv = L::loadu(x + i), xw = L::loadu(x + i + L::n);
      a0 = L::madd(a0, xv, L::loadu(y0 + i));
      a1 = L::madd(a1, xv, L::loadu(y1 + i));
      a2 = L::madd(a2, xv, L::loadu(y2 + i));
      a3 = L::madd(a3, xv, L::loadu(y3 + i));
      b0 = L::madd(b0, xw, L::loadu(y0 + i + L::n));
      b1 = L::madd(b1, xw, L::loadu(y1 + i + L::n));
      b2 = L::madd(b2, xw, L::loadu(y2 + i + L::n));
      b3 = L::madd(b3, xw, L::loadu(y3 + i + L::n));
    }
    a0 = a0 + b0;
    a1 = a1 + b1;
    a2 = a2 + b2;
    a3 = a3 + b3;
#endif
    for (; i + L::n <= n; i += L::n) {
      const V xv = L::loadu(x + i);
      a0 = L::madd(a0, xv, L::loadu(y0 + i));
      a1 = L::madd(a1, xv, L::loadu(y1 + i));
      a2 = L::madd(a2, xv, L::loadu(y2 + i));
      a3 = L::madd(a3, xv, L::loadu(y3 + i));
    }
    if constexpr (!L::kSse2) {
      if (i < n) {
        const int64_t h = n - i - 1;
        const V xv = L::load_lanes(x + i, 0, h);
        a0 = L::madd(a0, xv, L::load_lanes(y0 + i, 0, h));
        a1 = L::madd(a1, xv, L::load_lanes(y1 + i, 0, h));
        a2 = L::madd(a2, xv, L::load_lanes(y2 + i, 0, h));
        a3 = L::madd(a3, xv, L::load_lanes(y3 + i, 0, h));
        i = n;
      }
    }
    r0 = L::sum(a0);
    r1 = L::sum(a1);
    r2 = L::sum(a2);
    r3 = L::sum(a3);
  }
  for (; i < n; ++i) {
    const T xi = x[i];
    r0 += xi * y0[i];
    r1 += xi * y1[i];
    r2 += xi * y2[i];
    r3 += xi * y3[i];
  }
  s0 = r0;
  s1 = r1;
  s2 = r2;
  s3 = r3;
}

// ---- rank 1 --------------------------------------------------------------------------------

// One output at lag s.
template <class T>
inline T lag_sum(const T* x, int64_t nx, const T* y, int64_t ny, int64_t s) {
  const int64_t lo = imax(0, -s), hi = imin(nx - 1, ny - 1 - s);
  return lo > hi ? T(0) : dot(x + lo, y + lo + s, hi - lo + 1);
}

template <class T>
void correlation_core_plain(const T* x, int64_t nx, const T* y, int64_t ny, T* z, int64_t nz, int64_t shift,
                            int64_t dec) {
  for (int64_t k = 0; k < nz; ++k) z[k] = lag_sum(x, nx, y, ny, shift + k * dec);
}

// Registers of outputs summed together by the rank-1 interior blocks: eight where there are
// sixteen vector registers or more (x86-64), four on the 32-bit build's eight.
#if defined(__x86_64__)
constexpr int kInteriorRegs = 8;
#else
constexpr int kInteriorRegs = 4;
#endif

// Rank 1, decimation 1, B = R x (lanes) consecutive lags s .. s+B-1 that all see the whole of
// x: z[q] = sum_i x[i] y[i + s + q] as outer products, each x value broadcast against B
// consecutive y values, every output one running sum (R is 1, 4 or 8 registers).
template <class T, int R>
void interior_run(const T* x, int64_t nx, const T* y, T* z) {
  static_assert(R == 1 || R == 4 || R == 8, "registers per run");
  using L = Lanes<T>;
  using V = typename L::V;
  constexpr int w = L::n;
  V a0 = L::zero(), a1 = L::zero(), a2 = L::zero(), a3 = L::zero();
  V a4 = L::zero(), a5 = L::zero(), a6 = L::zero(), a7 = L::zero();
  for (int64_t i = 0; i < nx; ++i) {
    const V xb = L::all(x[i]);
    const T* yi = y + i;
    a0 = L::madd(a0, xb, L::loadu(yi));
    if constexpr (R >= 4) {
      a1 = L::madd(a1, xb, L::loadu(yi + w));
      a2 = L::madd(a2, xb, L::loadu(yi + 2 * w));
      a3 = L::madd(a3, xb, L::loadu(yi + 3 * w));
    }
    if constexpr (R == 8) {
      a4 = L::madd(a4, xb, L::loadu(yi + 4 * w));
      a5 = L::madd(a5, xb, L::loadu(yi + 5 * w));
      a6 = L::madd(a6, xb, L::loadu(yi + 6 * w));
      a7 = L::madd(a7, xb, L::loadu(yi + 7 * w));
    }
  }
  a0.store(z);
  if constexpr (R >= 4) {
    a1.store(z + w);
    a2.store(z + 2 * w);
    a3.store(z + 3 * w);
  }
  if constexpr (R == 8) {
    a4.store(z + 4 * w);
    a5.store(z + 5 * w);
    a6.store(z + 6 * w);
    a7.store(z + 7 * w);
  }
}

// Wide paths, rank 1: up to one register of consecutive lags s .. s+cnt-1 with the terms that
// fall outside y left out by masked loads; each output one running sum over x in order.
template <class T>
void edge_run(const T* x, int64_t nx, const T* y, int64_t ny, T* z, int64_t s, int64_t cnt) {
  using L = Lanes<T>;
  using V = typename L::V;
  constexpr int64_t w = L::n;
  V a = L::zero();
  const int64_t ilo = imax(0, -s - (cnt - 1)), ihi = imin(nx - 1, ny - 1 - s);
  for (int64_t i = ilo; i <= ihi; ++i) {
    const int64_t lo = imax(0, -s - i), hi = imin(cnt - 1, ny - 1 - s - i);
    const V v = lo == 0 && hi == w - 1 ? L::loadu(y + i + s) : L::load_lanes(y + i + s, lo, hi);
    a = L::madd(a, L::all(x[i]), v);
  }
  L::store_lanes(z, a, 0, cnt - 1);
}

// Wide paths, rank 1, decimation 1: runs of eight registers of lags inside the overlap, then
// single registers, masked ones where the lags leave it.
template <class T>
void unrolled_wide(const T* x, int64_t nx, const T* y, int64_t ny, T* z, int64_t nz, int64_t shift) {
  constexpr int64_t W = Lanes<T>::n, B = kInteriorRegs * W;
  for (int64_t k = 0; k < nz;) {
    const int64_t s = shift + k;
    if (k + B <= nz && s >= 0 && s + B - 1 + nx <= ny) {
      interior_run<T, kInteriorRegs>(x, nx, y + s, z + k);
      k += B;
    } else if (k + W <= nz && s >= 0 && s + W - 1 + nx <= ny) {
      interior_run<T, 1>(x, nx, y + s, z + k);
      k += W;
    } else {
      const int64_t cnt = imin(W, nz - k);
      edge_run(x, nx, y, ny, z + k, s, cnt);
      k += cnt;
    }
  }
}

// Decimation 1: blocks of four consecutive lags share one pass over their common range (SSE2;
// the wide paths take unrolled_wide).
template <class T>
void correlation_core_unrolled_by_4(const T* x, int64_t nx, const T* y, int64_t ny, T* z, int64_t nz,
                                    int64_t shift) {
  if constexpr (!Lanes<T>::kSse2) {
    unrolled_wide(x, nx, y, ny, z, nz, shift);
    return;
  }
  constexpr int64_t B = kInteriorRegs * Lanes<T>::n;
  int64_t k = 0;
  for (; k + 4 <= nz; k += 4) {
    const int64_t s = shift + k;
    // Once the lags are inside the overlap, whole interior blocks while they last.
    while (k + B <= nz && shift + k >= 0 && shift + k + B - 1 + nx <= ny) {
      interior_run<T, kInteriorRegs>(x, nx, y + shift + k, z + k);
      k += B;
    }
    if (k + 4 > nz) break;
    if (shift + k != s) {  // blocks were taken: start the group of four again from here
      k -= 4;
      continue;
    }
    int64_t lo[4], hi[4];
    for (int j = 0; j < 4; ++j) {
      lo[j] = imax(0, -(s + j));
      hi[j] = imin(nx - 1, ny - 1 - (s + j));
    }
    const int64_t clo = imax4(lo[0], lo[1], lo[2], lo[3]);
    const int64_t chi = imin4(hi[0], hi[1], hi[2], hi[3]);
    if (clo > chi) {
      for (int j = 0; j < 4; ++j) z[k + j] = lag_sum(x, nx, y, ny, s + j);
      continue;
    }
    const T* yc = y + clo + s;
    T c0, c1, c2, c3;
    dot4(x + clo, yc, yc + 1, yc + 2, yc + 3, chi - clo + 1, c0, c1, c2, c3);
    if (lo[0] == clo && lo[3] == clo && hi[0] == chi && hi[3] == chi) {  // the usual case: no edge parts
      z[k] = c0;
      z[k + 1] = c1;
      z[k + 2] = c2;
      z[k + 3] = c3;
      continue;
    }
    // The parts of each range before and after the common one (lo_j falls and hi_j falls with j).
    const T c[4] = {c0, c1, c2, c3};
    for (int j = 0; j < 4; ++j)
      z[k + j] = dot(x + lo[j], y + lo[j] + s + j, clo - lo[j]) + c[j] +
                 dot(x + chi + 1, y + chi + 1 + s + j, hi[j] - chi);
  }
  for (; k < nz; ++k) z[k] = lag_sum(x, nx, y, ny, shift + k);
}

// ---- ranks 2 .. 7 ----------------------------------------------------------------------------

// Dense strides of a shape (dimension 0 fastest) and the dense offset of a multi-index, as
// the kernels' staging computes them; repeated here so the cores stay within their path.
inline void dense_strides(int64_t* out, const int32_t* shape, int rank) {
  out[0] = 1;
  for (int d = 1; d < rank; ++d) out[d] = out[d - 1] * shape[d - 1];
}
inline int64_t dense_offset(const int64_t* index, const int64_t* dense, int rank) {
  int64_t off = index[0];
  for (int d = 1; d < rank; ++d) off += index[d] * dense[d];
  return off;
}

// Dense geometry of the three operands of a multi-dimensional core.
struct Geometry {
  int rank;
  const int32_t* nx;
  const int32_t* ny;
  const int32_t* nz;
  int64_t dx[kMaxRank], dy[kMaxRank], dz[kMaxRank];
};

// sum over the box lo .. hi (inclusive, every dimension non-empty) of x[i] y[i + s].
template <class T>
T box_sum(const Geometry& g, const T* x, const T* y, const int64_t* lo, const int64_t* hi, const int64_t* s) {
  int64_t i[kMaxRank];
  for (int d = 0; d < g.rank; ++d) i[d] = lo[d];
  const int64_t n0 = hi[0] - lo[0] + 1;
  T total = 0;
  for (;;) {
    int64_t xo = lo[0], yo = lo[0] + s[0];
    for (int d = 1; d < g.rank; ++d) {
      xo += i[d] * g.dx[d];
      yo += (i[d] + s[d]) * g.dy[d];
    }
    total += dot(x + xo, y + yo, n0);
    int d = 1;
    for (; d < g.rank; ++d) {
      if (++i[d] <= hi[d]) break;
      i[d] = lo[d];
    }
    if (d == g.rank) return total;
  }
}

// The same box for four outputs whose dimension-1 lags are s1, s1+1, s1+2, s1+3: each x row is
// read once against the four y rows.
template <class T>
void box_sum4(const Geometry& g, const T* x, const T* y, const int64_t* lo, const int64_t* hi, const int64_t* s,
              T out[4]) {
  int64_t i[kMaxRank];
  for (int d = 0; d < g.rank; ++d) i[d] = lo[d];
  const int64_t n0 = hi[0] - lo[0] + 1;
  const int64_t step = g.dy[1];
  for (;;) {
    int64_t xo = lo[0], yo = lo[0] + s[0];
    for (int d = 1; d < g.rank; ++d) {
      xo += i[d] * g.dx[d];
      yo += (i[d] + s[d]) * g.dy[d];
    }
    const T* yr = y + yo;
    T c0, c1, c2, c3;
    dot4(x + xo, yr, yr + step, yr + 2 * step, yr + 3 * step, n0, c0, c1, c2, c3);
    out[0] += c0;
    out[1] += c1;
    out[2] += c2;
    out[3] += c3;
    int d = 1;
    for (; d < g.rank; ++d) {
      if (++i[d] <= hi[d]) break;
      i[d] = lo[d];
    }
    if (d == g.rank) return;
  }
}

// Per-dimension lags and overlap of output index k; false when the overlap is empty.
inline bool overlap(const Geometry& g, const int64_t* k, const int64_t* shift, const int32_t* dec, int64_t* s,
                    int64_t* lo, int64_t* hi) {
  bool any = true;
  for (int d = 0; d < g.rank; ++d) {
    s[d] = shift[d] + k[d] * dec[d];
    lo[d] = imax(0, -s[d]);
    hi[d] = imin(int64_t(g.nx[d]) - 1, int64_t(g.ny[d]) - 1 - s[d]);
    if (lo[d] > hi[d]) any = false;
  }
  return any;
}

inline void init_geometry(Geometry& g, int rank, const int32_t* nx, const int32_t* ny, const int32_t* nz) {
  g.rank = rank;
  g.nx = nx;
  g.ny = ny;
  g.nz = nz;
  dense_strides(g.dx, nx, rank);
  dense_strides(g.dy, ny, rank);
  dense_strides(g.dz, nz, rank);
}

// Advances the multi-index k over the shape n starting at dimension `from`; false after the last.
inline bool next_index(int64_t* k, const int32_t* n, int from, int rank) {
  for (int d = from; d < rank; ++d) {
    if (++k[d] < n[d]) return true;
    k[d] = 0;
  }
  return false;
}

template <class T>
void correlation_core_plain(int rank, const T* x, const int32_t* nx, const T* y, const int32_t* ny, T* z,
                            const int32_t* nz, const int64_t* shift, const int32_t* dec) {
  Geometry g;
  init_geometry(g, rank, nx, ny, nz);
  int64_t k[kMaxRank] = {0}, s[kMaxRank] = {0}, lo[kMaxRank] = {0}, hi[kMaxRank] = {0};
  T* out = z;
  do {
    *out++ = overlap(g, k, shift, dec, s, lo, hi) ? box_sum(g, x, y, lo, hi, s) : T(0);
  } while (next_index(k, nz, 0, rank));
}

// Inside the operands' overlap, where every output of a block of W consecutive outputs along
// dimension 0 (one register) and four along dimension 1 sees the whole of x, the block is
// summed as outer products: each x value, broadcast, meets four unaligned runs of W y values,
// one per dimension-1 output, so the short rows of small kernels still fill the registers.
// Writes the W x 4 outputs at zk (dense z, dimension 0 contiguous).
template <class T>
void interior_block(const Geometry& g, const T* x, const T* y, const int64_t* s, T* zk) {
  using L = Lanes<T>;
  using V = typename L::V;
  V a0 = L::zero(), a1 = L::zero(), a2 = L::zero(), a3 = L::zero();
  int64_t i[kMaxRank] = {0};
  const int32_t n0 = g.nx[0];
  const int64_t step = g.dy[1];
  for (;;) {
    int64_t xo = 0, yo = s[0];
    for (int d = 1; d < g.rank; ++d) {
      xo += i[d] * g.dx[d];
      yo += (i[d] + s[d]) * g.dy[d];
    }
    const T* xr = x + xo;
    const T* y0 = y + yo;
    for (int32_t i0 = 0; i0 < n0; ++i0) {
      const V xb = L::all(xr[i0]);
      a0 = L::madd(a0, xb, L::loadu(y0 + i0));
      a1 = L::madd(a1, xb, L::loadu(y0 + step + i0));
      a2 = L::madd(a2, xb, L::loadu(y0 + 2 * step + i0));
      a3 = L::madd(a3, xb, L::loadu(y0 + 3 * step + i0));
    }
    int d = 1;
    for (; d < g.rank; ++d) {
      if (++i[d] < g.nx[d]) break;
      i[d] = 0;
    }
    if (d == g.rank) break;
  }
  a0.store(zk);
  a1.store(zk + g.dz[1]);
  a2.store(zk + 2 * g.dz[1]);
  a3.store(zk + 3 * g.dz[1]);
}

// True when the block of outputs whose lags start at s (W along dimension 0, four along 1,
// one in the others) lies wholly inside the overlap.
template <class T>
bool is_interior(const Geometry& g, const int64_t* s) {
  for (int d = 0; d < g.rank; ++d) {
    const int64_t extra = d == 0 ? Lanes<T>::n - 1 : d == 1 ? 3 : 0;
    if (s[d] < 0 || s[d] + extra + g.nx[d] > g.ny[d]) return false;
  }
  return true;
}

// Wide paths: any block of up to one register of outputs along dimension 0 and up to four
// along dimension 1, whose lags start at s, with the parts of the x box that fall outside y
// left out: rows (dimensions 1 and above) by a test per row, lanes by masked loads. Each output
// is one running sum over x in dense order, the same order as interior_block's.
template <class T>
void edge_block(const Geometry& g, const T* x, const T* y, const int64_t* s, int64_t cnt, int rows, T* zk) {
  using L = Lanes<T>;
  using V = typename L::V;
  constexpr int64_t w = L::n;
  V a[4] = {L::zero(), L::zero(), L::zero(), L::zero()};
  int64_t i[kMaxRank] = {0};
  const int64_t n0 = g.nx[0], m0 = g.ny[0];
  // The lanes of x index i0 that meet y are the same in every row: for short rows they are
  // worked out once per block.
  constexpr int64_t kKept = 32;
  typename L::M lanes[kKept];
  signed char what[kKept];  // 0: no lane, 1: some lanes, 2: every lane
  const bool kept = n0 <= kKept;
  for (int64_t i0 = 0; kept && i0 < n0; ++i0) {
    const int64_t lo = -s[0] - i0 > 0 ? -s[0] - i0 : 0;
    const int64_t hi = m0 - 1 - s[0] - i0 < cnt - 1 ? m0 - 1 - s[0] - i0 : cnt - 1;
    what[i0] = lo > hi ? 0 : lo == 0 && hi == w - 1 ? 2 : 1;
    lanes[i0] = L::mask(lo, hi);
  }
  for (;;) {
    bool inside = true;  // dimensions 2 and above, shared by every output of the block
    int64_t xo = 0, yo = s[0];
    for (int d = 1; d < g.rank; ++d) {
      const int64_t j = i[d] + s[d];
      if (d >= 2 && (j < 0 || j >= g.ny[d])) inside = false;
      xo += i[d] * g.dx[d];
      yo += j * g.dy[d];
    }
    if (inside) {
      const T* xr = x + xo;
      for (int r = 0; r < rows; ++r) {
        const int64_t j1 = i[1] + s[1] + r;
        if (j1 < 0 || j1 >= g.ny[1]) continue;
        const T* yr = y + yo + r * g.dy[1];  // lane j of x index i0 reads yr[i0 + j]
        V acc = a[r];  // in a register through the run, not in the array
        if (kept) {
          for (int64_t i0 = 0; i0 < n0; ++i0) {
            if (!what[i0]) continue;
            const V v = what[i0] == 2 ? L::loadu(yr + i0) : L::load_mask(yr + i0, lanes[i0]);
            acc = L::madd(acc, L::all(xr[i0]), v);
          }
        } else {
          for (int64_t i0 = 0; i0 < n0; ++i0) {
            const int64_t lo = -s[0] - i0 > 0 ? -s[0] - i0 : 0;
            const int64_t hi = m0 - 1 - s[0] - i0 < cnt - 1 ? m0 - 1 - s[0] - i0 : cnt - 1;
            if (lo > hi) continue;
            const V v = lo == 0 && hi == w - 1 ? L::loadu(yr + i0) : L::load_lanes(yr + i0, lo, hi);
            acc = L::madd(acc, L::all(xr[i0]), v);
          }
        }
        a[r] = acc;
      }
    }
    int d = 1;
    for (; d < g.rank; ++d) {
      if (++i[d] < g.nx[d]) break;
      i[d] = 0;
    }
    if (d == g.rank) break;
  }
  for (int r = 0; r < rows; ++r) L::store_lanes(zk + r * g.dz[1], a[r], 0, cnt - 1);
}

// Wide paths, decimation 1 in dimensions 0 and 1: blocks of one register along dimension 0 by
// four along dimension 1, as outer products inside the overlap and masked at its edges.
template <class T>
void unrolled_wide(int rank, const T* x, const int32_t* nx, const T* y, const int32_t* ny, T* z, const int32_t* nz,
                   const int64_t* shift, const int32_t* dec) {
  constexpr int64_t w = Lanes<T>::n;
  Geometry g;
  init_geometry(g, rank, nx, ny, nz);
  int64_t k[kMaxRank] = {0}, s[kMaxRank] = {0};
  do {  // dimensions 2 and above
    for (k[1] = 0; k[1] < nz[1]; k[1] += 4) {
      const int rows = nz[1] - k[1] < 4 ? static_cast<int>(nz[1] - k[1]) : 4;
      for (k[0] = 0; k[0] < nz[0]; k[0] += w) {
        const int64_t cnt = nz[0] - k[0] < w ? nz[0] - k[0] : w;
        for (int d = 0; d < rank; ++d) s[d] = shift[d] + k[d] * dec[d];
        T* zk = z + dense_offset(k, g.dz, rank);
        if (rows == 4 && cnt == w && is_interior<T>(g, s))
          interior_block(g, x, y, s, zk);
        else
          edge_block(g, x, y, s, cnt, rows, zk);
      }
    }
    k[0] = k[1] = 0;
  } while (next_index(k, nz, 2, rank));
}

// Decimation 1 in dimensions 0 and 1: outputs in groups of four along dimension 1, the part of
// their dimension-1 ranges they share summed in one pass; the last fewer than four one by one
// (SSE2; the wide paths take unrolled_wide).
template <class T>
void correlation_core_unrolled_by_4(int rank, const T* x, const int32_t* nx, const T* y, const int32_t* ny, T* z,
                                    const int32_t* nz, const int64_t* shift, const int32_t* dec) {
  if constexpr (!Lanes<T>::kSse2) {
    unrolled_wide(rank, x, nx, y, ny, z, nz, shift, dec);
    return;
  }
  Geometry g;
  init_geometry(g, rank, nx, ny, nz);
  int64_t k[kMaxRank] = {0}, s[kMaxRank] = {0}, lo[kMaxRank] = {0}, hi[kMaxRank] = {0};
  do {  // dimensions 2 and above
    for (k[1] = 0; k[1] < nz[1]; ++k[1]) {
      const bool block = k[1] + 4 <= nz[1];  // k1 is a multiple of 4 here, or in the tail
      for (k[0] = 0; k[0] < nz[0]; ++k[0]) {
        T* zk = z + dense_offset(k, g.dz, rank);
        if (block && k[0] + Lanes<T>::n <= nz[0]) {
          for (int d = 0; d < rank; ++d) s[d] = shift[d] + k[d] * dec[d];
          if (is_interior<T>(g, s)) {
            interior_block(g, x, y, s, zk);
            k[0] += Lanes<T>::n - 1;
            continue;
          }
        }
        if (!block) {
          *zk = overlap(g, k, shift, dec, s, lo, hi) ? box_sum(g, x, y, lo, hi, s) : T(0);
          continue;
        }
        // The four outputs k1 .. k1+3 share every dimension but 1; their dimension-1 ranges
        // are lo1_j = max(0, -(s1 + j)), hi1_j = min(nx1 - 1, ny1 - 1 - s1 - j).
        overlap(g, k, shift, dec, s, lo, hi);
        bool others = true;
        for (int d = 0; d < rank; ++d)
          if (d != 1 && lo[d] > hi[d]) others = false;
        if (!others) {
          for (int j = 0; j < 4; ++j) zk[j * g.dz[1]] = T(0);
          continue;
        }
        int64_t lo1[4], hi1[4];
        for (int j = 0; j < 4; ++j) {
          lo1[j] = imax(0, -(s[1] + j));
          hi1[j] = imin(int64_t(nx[1]) - 1, int64_t(ny[1]) - 1 - (s[1] + j));
        }
        const int64_t clo = imax4(lo1[0], lo1[1], lo1[2], lo1[3]);
        const int64_t chi = imin4(hi1[0], hi1[1], hi1[2], hi1[3]);
        T out[4] = {0, 0, 0, 0};
        int64_t sj[kMaxRank], blo[kMaxRank], bhi[kMaxRank];
        for (int d = 0; d < rank; ++d) {
          sj[d] = s[d];
          blo[d] = lo[d];
          bhi[d] = hi[d];
        }
        for (int j = 0; j < 4; ++j) {  // each output's rows outside the common range
          sj[1] = s[1] + j;
          if (clo > chi) {
            if (lo1[j] <= hi1[j]) {
              blo[1] = lo1[j];
              bhi[1] = hi1[j];
              out[j] = box_sum(g, x, y, blo, bhi, sj);
            }
            continue;
          }
          if (lo1[j] < clo) {
            blo[1] = lo1[j];
            bhi[1] = clo - 1;
            out[j] += box_sum(g, x, y, blo, bhi, sj);
          }
          if (hi1[j] > chi) {
            blo[1] = chi + 1;
            bhi[1] = hi1[j];
            out[j] += box_sum(g, x, y, blo, bhi, sj);
          }
        }
        if (clo <= chi) {
          blo[1] = clo;
          bhi[1] = chi;
          box_sum4(g, x, y, blo, bhi, s, out);
        }
        for (int j = 0; j < 4; ++j) zk[j * g.dz[1]] = out[j];
      }
      if (block) k[1] += 3;
    }
    k[1] = 0;
  } while (next_index(k, nz, 2, rank));
}

// The choice of core: decimation 1 (in dimensions 0 and 1 above rank 1) takes the unrolled
// one, any other the plain one.
template <class T>
void correlate_1d(const T* x, int64_t nx, const T* y, int64_t ny, T* z, int64_t nz, int64_t shift, int64_t dec) {
  if (dec == 1)
    correlation_core_unrolled_by_4(x, nx, y, ny, z, nz, shift);
  else
    correlation_core_plain(x, nx, y, ny, z, nz, shift, dec);
}

template <class T>
void correlate_all(int rank, const T* x, const int32_t* nx, const T* y, const int32_t* ny, T* z, const int32_t* nz,
                   const int64_t* shift, const int32_t* dec) {
  if (rank == 1)
    correlate_1d(x, nx[0], y, ny[0], z, nz[0], shift[0], dec[0]);
  else if (dec[0] == 1 && dec[1] == 1)
    correlation_core_unrolled_by_4(rank, x, nx, y, ny, z, nz, shift, dec);
  else
    correlation_core_plain(rank, x, nx, y, ny, z, nz, shift, dec);
}

}  // namespace zaforq::cc::ZAFORQ_ISA_NS
