// Four complex values held as their real parts and their imaginary parts (C4<T>), the unit
// every butterfly of the FFT works on. In memory the transforms keep such groups as four real
// parts followed by four imaginary parts ("split groups"); interleaved (re, im) pairs are read
// and written only at the ends of a transform. f32x4 holds a group's four parts in one
// register, f64x2 in two.
#pragma once
#include <emmintrin.h>

#include "common/simd.h"

namespace zaforq::gax {

using simd::f32x4;
using simd::f64x2;

template <class T>
struct C4;

template <>
struct C4<float> {
  f32x4 re, im;
  static C4 load_split(const float* p) { return {f32x4::load(p), f32x4::load(p + 4)}; }
  void store_split(float* p) const {
    _mm_storeu_ps(p, re.v);
    _mm_storeu_ps(p + 4, im.v);
  }
  // p: r0 i0 r1 i1 r2 i2 r3 i3 (any alignment)
  static C4 load_pairs(const float* p) {
    const __m128 a = _mm_loadu_ps(p), b = _mm_loadu_ps(p + 4);
    return {_mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)), _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1))};
  }
  void store_pairs(float* p) const {
    _mm_storeu_ps(p, _mm_unpacklo_ps(re.v, im.v));
    _mm_storeu_ps(p + 4, _mm_unpackhi_ps(re.v, im.v));
  }
  // Lane order reversed: value 3 first.
  C4 reversed() const {
    return {_mm_shuffle_ps(re.v, re.v, _MM_SHUFFLE(0, 1, 2, 3)), _mm_shuffle_ps(im.v, im.v, _MM_SHUFFLE(0, 1, 2, 3))};
  }
  // The four complex values at complex offsets o[0..3] of p.
  static C4 gather(const float* p, const size_t* o) {
    __m128 a = _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(p + 2 * o[0])));
    a = _mm_loadh_pi(a, reinterpret_cast<const __m64*>(p + 2 * o[1]));
    __m128 b = _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(p + 2 * o[2])));
    b = _mm_loadh_pi(b, reinterpret_cast<const __m64*>(p + 2 * o[3]));
    return {_mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)), _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1))};
  }
  C4 scaled(float s) const { return {re * f32x4::all(s), im * f32x4::all(s)}; }
};

// The four lanes of a, b, c, d transposed: afterwards a holds the first lanes of all four.
inline void transpose(f32x4& a, f32x4& b, f32x4& c, f32x4& d) { _MM_TRANSPOSE4_PS(a.v, b.v, c.v, d.v); }

template <>
struct C4<double> {
  f64x2 re0, re1, im0, im1;  // values 0, 1 and 2, 3
  static C4 load_split(const double* p) {
    return {f64x2::load(p), f64x2::load(p + 2), f64x2::load(p + 4), f64x2::load(p + 6)};
  }
  void store_split(double* p) const {
    _mm_storeu_pd(p, re0.v);
    _mm_storeu_pd(p + 2, re1.v);
    _mm_storeu_pd(p + 4, im0.v);
    _mm_storeu_pd(p + 6, im1.v);
  }
  static C4 load_pairs(const double* p) {
    const __m128d a = _mm_loadu_pd(p), b = _mm_loadu_pd(p + 2), c = _mm_loadu_pd(p + 4), d = _mm_loadu_pd(p + 6);
    return {_mm_unpacklo_pd(a, b), _mm_unpacklo_pd(c, d), _mm_unpackhi_pd(a, b), _mm_unpackhi_pd(c, d)};
  }
  void store_pairs(double* p) const {
    _mm_storeu_pd(p, _mm_unpacklo_pd(re0.v, im0.v));
    _mm_storeu_pd(p + 2, _mm_unpackhi_pd(re0.v, im0.v));
    _mm_storeu_pd(p + 4, _mm_unpacklo_pd(re1.v, im1.v));
    _mm_storeu_pd(p + 6, _mm_unpackhi_pd(re1.v, im1.v));
  }
  C4 reversed() const {
    return {_mm_shuffle_pd(re1.v, re1.v, 1), _mm_shuffle_pd(re0.v, re0.v, 1), _mm_shuffle_pd(im1.v, im1.v, 1),
            _mm_shuffle_pd(im0.v, im0.v, 1)};
  }
  static C4 gather(const double* p, const size_t* o) {
    const __m128d a = _mm_loadu_pd(p + 2 * o[0]), b = _mm_loadu_pd(p + 2 * o[1]), c = _mm_loadu_pd(p + 2 * o[2]),
                  d = _mm_loadu_pd(p + 2 * o[3]);
    return {_mm_unpacklo_pd(a, b), _mm_unpacklo_pd(c, d), _mm_unpackhi_pd(a, b), _mm_unpackhi_pd(c, d)};
  }
  C4 scaled(double s) const {
    const f64x2 k = f64x2::all(s);
    return {re0 * k, re1 * k, im0 * k, im1 * k};
  }
};

// Component-wise access in a precision-independent form: a C4 is a pair (re, im) of "R4"
// values, four reals each.
template <class T>
struct R4;
template <>
struct R4<float> {
  f32x4 v;
};
template <>
struct R4<double> {
  f64x2 lo, hi;
};

inline R4<float> re_of(const C4<float>& c) { return {c.re}; }
inline R4<float> im_of(const C4<float>& c) { return {c.im}; }
inline C4<float> make_c4(R4<float> r, R4<float> i) { return {r.v, i.v}; }
inline R4<double> re_of(const C4<double>& c) { return {c.re0, c.re1}; }
inline R4<double> im_of(const C4<double>& c) { return {c.im0, c.im1}; }
inline C4<double> make_c4(R4<double> r, R4<double> i) { return {r.lo, r.hi, i.lo, i.hi}; }

inline R4<float> operator+(R4<float> a, R4<float> b) { return {a.v + b.v}; }
inline R4<float> operator-(R4<float> a, R4<float> b) { return {a.v - b.v}; }
inline R4<float> operator*(R4<float> a, R4<float> b) { return {a.v * b.v}; }
inline R4<float> operator-(R4<float> a) { return {-a.v}; }
inline R4<double> operator+(R4<double> a, R4<double> b) { return {a.lo + b.lo, a.hi + b.hi}; }
inline R4<double> operator-(R4<double> a, R4<double> b) { return {a.lo - b.lo, a.hi - b.hi}; }
inline R4<double> operator*(R4<double> a, R4<double> b) { return {a.lo * b.lo, a.hi * b.hi}; }
inline R4<double> operator-(R4<double> a) { return {-a.lo, -a.hi}; }
inline R4<float> load_r4(const float* p) { return {f32x4::load_aligned(p)}; }
inline R4<double> load_r4(const double* p) { return {f64x2::load_aligned(p), f64x2::load_aligned(p + 2)}; }
inline R4<float> splat_r4(float x) { return {f32x4::all(x)}; }
inline R4<double> splat_r4(double x) { return {f64x2::all(x), f64x2::all(x)}; }

template <class T>
inline C4<T> operator+(const C4<T>& a, const C4<T>& b) {
  return make_c4(re_of(a) + re_of(b), im_of(a) + im_of(b));
}
template <class T>
inline C4<T> operator-(const C4<T>& a, const C4<T>& b) {
  return make_c4(re_of(a) - re_of(b), im_of(a) - im_of(b));
}
template <class T>
inline C4<T> conj(const C4<T>& a) {
  return make_c4(re_of(a), -im_of(a));
}
// a * i
template <class T>
inline C4<T> times_i(const C4<T>& a) {
  return make_c4(-im_of(a), re_of(a));
}
// a * (wr + i wi)
template <class T>
inline C4<T> cmul(const C4<T>& a, R4<T> wr, R4<T> wi) {
  const R4<T> ar = re_of(a), ai = im_of(a);
  return make_c4(ar * wr - ai * wi, ar * wi + ai * wr);
}
// a * (wr - i wi)
template <class T>
inline C4<T> cmul_conj(const C4<T>& a, R4<T> wr, R4<T> wi) {
  const R4<T> ar = re_of(a), ai = im_of(a);
  return make_c4(ar * wr + ai * wi, ai * wr - ar * wi);
}

inline void transpose(C4<float>& a, C4<float>& b, C4<float>& c, C4<float>& d) {
  transpose(a.re, b.re, c.re, d.re);
  transpose(a.im, b.im, c.im, d.im);
}
inline void transpose2(f64x2& a, f64x2& b) {  // 2x2
  const __m128d lo = _mm_unpacklo_pd(a.v, b.v), hi = _mm_unpackhi_pd(a.v, b.v);
  a = lo, b = hi;
}
// 4x4 transpose of doubles held as [row r] = (x0, x1) in lo, (x2, x3) in hi.
inline void transpose(f64x2& a0, f64x2& a1, f64x2& b0, f64x2& b1, f64x2& c0, f64x2& c1, f64x2& d0, f64x2& d1) {
  transpose2(a0, b0);
  transpose2(c1, d1);
  transpose2(a1, b1);
  transpose2(c0, d0);
  // upper-right block (a1, b1) swaps with lower-left (c0, d0)
  f64x2 t0 = a1, t1 = b1;
  a1 = c0, b1 = d0;
  c0 = t0, d0 = t1;
}
inline void transpose(C4<double>& a, C4<double>& b, C4<double>& c, C4<double>& d) {
  transpose(a.re0, a.re1, b.re0, b.re1, c.re0, c.re1, d.re0, d.re1);
  transpose(a.im0, a.im1, b.im0, b.im1, c.im0, c.im1, d.im0, d.im1);
}

// A register pair of complex values for the butterflies: their real parts and their imaginary
// parts, four values in single precision and two in double (W), so that a radix-4 butterfly
// with its twiddles fits the sixteen (or, on i386, eight) vector registers. In split groups a
// run of W values starts at a multiple of W, so its parts load and store as whole registers.
template <class T>
struct CV;
template <>
struct CV<float> {
  using V = f32x4;
  static constexpr size_t W = 4;
  V re, im;
  static CV load_pairs(const float* p) {
    const __m128 a = _mm_loadu_ps(p), b = _mm_loadu_ps(p + 4);
    return {_mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)), _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1))};
  }
  void store_pairs(float* p) const {
    _mm_storeu_ps(p, _mm_unpacklo_ps(re.v, im.v));
    _mm_storeu_ps(p + 4, _mm_unpackhi_ps(re.v, im.v));
  }
  CV reversed() const {  // lane order reversed
    return {_mm_shuffle_ps(re.v, re.v, _MM_SHUFFLE(0, 1, 2, 3)), _mm_shuffle_ps(im.v, im.v, _MM_SHUFFLE(0, 1, 2, 3))};
  }
  // The complex values at offsets o[0..3] of p, one per lane.
  static CV gather(const float* p, const size_t* o) {
    __m128 a = _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(p + 2 * o[0])));
    a = _mm_loadh_pi(a, reinterpret_cast<const __m64*>(p + 2 * o[1]));
    __m128 b = _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(p + 2 * o[2])));
    b = _mm_loadh_pi(b, reinterpret_cast<const __m64*>(p + 2 * o[3]));
    return {_mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)), _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1))};
  }
  // Lane b of x0..x3 becomes the split group at dst[b] (b < valid).
  static void store_lanes_as_groups(CV x0, CV x1, CV x2, CV x3, float* const* dst, size_t valid) {
    _MM_TRANSPOSE4_PS(x0.re.v, x1.re.v, x2.re.v, x3.re.v);
    _MM_TRANSPOSE4_PS(x0.im.v, x1.im.v, x2.im.v, x3.im.v);
    const CV xs[4] = {x0, x1, x2, x3};
    for (size_t b = 0; b < valid; ++b) {
      xs[b].re.store(dst[b]);
      xs[b].im.store(dst[b] + 4);
    }
  }
};
template <>
struct CV<double> {
  using V = f64x2;
  static constexpr size_t W = 2;
  V re, im;
  static CV load_pairs(const double* p) {
    const __m128d a = _mm_loadu_pd(p), b = _mm_loadu_pd(p + 2);
    return {_mm_unpacklo_pd(a, b), _mm_unpackhi_pd(a, b)};
  }
  void store_pairs(double* p) const {
    _mm_storeu_pd(p, _mm_unpacklo_pd(re.v, im.v));
    _mm_storeu_pd(p + 2, _mm_unpackhi_pd(re.v, im.v));
  }
  CV reversed() const { return {_mm_shuffle_pd(re.v, re.v, 1), _mm_shuffle_pd(im.v, im.v, 1)}; }
  static CV gather(const double* p, const size_t* o) {
    const __m128d a = _mm_loadu_pd(p + 2 * o[0]), b = _mm_loadu_pd(p + 2 * o[1]);
    return {_mm_unpacklo_pd(a, b), _mm_unpackhi_pd(a, b)};
  }
  static void store_lanes_as_groups(CV x0, CV x1, CV x2, CV x3, double* const* dst, size_t valid) {
    double* out = dst[0];
    _mm_storeu_pd(out, _mm_unpacklo_pd(x0.re.v, x1.re.v));
    _mm_storeu_pd(out + 2, _mm_unpacklo_pd(x2.re.v, x3.re.v));
    _mm_storeu_pd(out + 4, _mm_unpacklo_pd(x0.im.v, x1.im.v));
    _mm_storeu_pd(out + 6, _mm_unpacklo_pd(x2.im.v, x3.im.v));
    if (valid < 2) return;
    out = dst[1];
    _mm_storeu_pd(out, _mm_unpackhi_pd(x0.re.v, x1.re.v));
    _mm_storeu_pd(out + 2, _mm_unpackhi_pd(x2.re.v, x3.re.v));
    _mm_storeu_pd(out + 4, _mm_unpackhi_pd(x0.im.v, x1.im.v));
    _mm_storeu_pd(out + 6, _mm_unpackhi_pd(x2.im.v, x3.im.v));
  }
};

// Offset in reals of complex value i in split groups; for a run of W values i is a multiple of
// W, which in single precision leaves no remainder within a group.
template <class T>
inline size_t split_offset(size_t i) {
  return CV<T>::W == 4 ? 2 * i : 8 * (i >> 2) + (i & 3);
}
// Offset of the twiddles of run i in a table of per reals for each group of four values.
template <class T>
inline size_t group_table_offset(size_t i, size_t per) {
  return CV<T>::W == 4 ? per / 4 * i : per / 4 * (i & ~size_t(3)) + (i & 3);
}

template <class T>
inline CV<T> load_split_run(const T* p) {  // p: the run's first real part
  return {CV<T>::V::load(p), CV<T>::V::load(p + 4)};
}
template <class T>
inline void store_split_run(const CV<T>& x, T* p) {
  x.re.store(p);
  x.im.store(p + 4);
}
template <class T>
inline CV<T> operator+(const CV<T>& a, const CV<T>& b) {
  return {a.re + b.re, a.im + b.im};
}
template <class T>
inline CV<T> operator-(const CV<T>& a, const CV<T>& b) {
  return {a.re - b.re, a.im - b.im};
}
template <class T>
inline CV<T> conj(const CV<T>& a) {
  return {a.re, -a.im};
}
template <class T>
inline CV<T> times_i(const CV<T>& a) {
  return {-a.im, a.re};
}
// a * (wr + i wi), and a * (wr - i wi)
template <class T, class V>
inline CV<T> cmul(const CV<T>& a, V wr, V wi) {
  return {a.re * wr - a.im * wi, a.re * wi + a.im * wr};
}
template <class T, class V>
inline CV<T> cmul_conj(const CV<T>& a, V wr, V wi) {
  return {a.re * wr + a.im * wi, a.im * wr - a.re * wi};
}

}  // namespace zaforq::gax
