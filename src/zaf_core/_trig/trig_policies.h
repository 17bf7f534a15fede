// Kernel policies of the trigonometric families: which fast path, which range limit, which
// callout name. One template per shape and precision; each kernel source instantiates one.
#pragma once
#include "zaf_core/_trig/trig_vec.h"

namespace zaforq::vm::trigk {

// Float kernels: groups of eight, fast for |x| <= 10000, the x87 unit at 53-bit precision for
// the double routine of the callout. F supplies name, callout (the name the callout reports),
// fn and eval(f32x4) -> f32x4.
template <class F>
struct FloatUnary {
  using T = float;
  static constexpr int group = 8;
  static constexpr X87 x87 = X87::pc53;
  static constexpr const char* name = F::name;
  static uint32_t fast(const float* a, float* r) {
    const f32x4 x0 = f32x4::load(a), x1 = f32x4::load(a + 4);
    // Hint the next group into the cache without keeping it in the outer levels (a prefetch
    // past the end of the array is harmless).
    _mm_prefetch(reinterpret_cast<const char*>(a + 8), _MM_HINT_NTA);
    F::eval(x0).store(r);
    F::eval(x1).store(r + 4);
    return float_outside(x0) | (float_outside(x1) << 4);
  }
  static void special(float a, float& r, const Report<float>& rep) {
    trig::callout(F::fn, a, &r, rep.index(), F::callout);
  }
};

template <class F>
struct FloatSinCos {
  using T = float;
  static constexpr int group = 8;
  static constexpr X87 x87 = X87::pc53;
  static constexpr const char* name = F::name;
  static uint32_t fast(const float* a, float* r1, float* r2) {
    const f32x4 x0 = f32x4::load(a), x1 = f32x4::load(a + 4);
    const auto q0 = quad(x0), q1 = quad(x1);
    sin_of(q0).store(r1);
    sin_of(q1).store(r1 + 4);
    cos_of(q0).store(r2);
    cos_of(q1).store(r2 + 4);
    return float_outside(x0) | (float_outside(x1) << 4);
  }
  // The lower classes compute in single precision, the high-accuracy class in double lanes.
  static auto quad(f32x4 x) {
    if constexpr (F::poly != Poly::ha) return quadrant_single<F::poly>(x);
    else return quadrant(x);
  }
  static void special(float a, float& r1, float& r2, const Report<float>& rep) {
    trig::callout_sincos(a, &r1, &r2, rep.index(), F::callout);
  }
};

// The table sum rounds sin(-0) to +0: a zero argument is its own sine.
template <class V>
inline V keep_zero(Fn fn, V x, V v) {
  return fn == Fn::sin ? select(x == V::all(0.0), x, v) : v;
}

// The double cores: one group on registers V of any width (the policies run them on SSE2,
// trig_avx2.cpp and trig_avx512.cpp on wider registers). Sin and Cos through the pi/32
// table, fast below 90112.
template <Fn fn>
struct DTableCore {
  using T = double;
  static constexpr int group = 16;
  static constexpr double limit = 90112.0;  // high word 0x40F60000
  static const double* table() { return fn == Fn::sin ? _dSinTab : _dCosTab; }
  template <class V>
  static uint32_t fast(const double* a, double* r) {
    uint32_t m = 0;
    for (int k = 0; k < group; k += V::lanes) {
      const V x = V::load(a + k);
      keep_zero(fn, x, dsin_table(table(), dreduce(x, table()), 0)).store(r + k);
      m |= double_outside(x, limit, false) << k;
    }
    return m;
  }
};

// SinCos: through the table below 90112, or (the 4-ulp class) by the table-free polynomials
// up to 128000 inclusive.
template <bool kTable>
struct DSinCosCore {
  using T = double;
  static constexpr int group = 16;
  template <class V>
  static uint32_t fast(const double* a, double* r1, double* r2) {
    uint32_t m = 0;
    for (int k = 0; k < group; k += V::lanes) {
      const V x = V::load(a + k);
      if constexpr (kTable) {
        const DTable<V> d = dreduce(x, _dSinCosTab);
        keep_zero(Fn::sin, x, dsin_table(_dSinCosTab, d, 0)).store(r1 + k);
        dsin_table(_dSinCosTab, d, 16).store(r2 + k);
        m |= double_outside(x, 90112.0, false) << k;
      } else {
        V s, c;
        dsincos_la(x, s, c);
        s.store(r1 + k);
        c.store(r2 + k);
        m |= double_outside(x, 128000.0, true) << k;
      }
    }
    return m;
  }
};

// Double Sin and Cos (F supplies name, callout and fn).
template <class F>
struct DoubleUnary : DTableCore<F::fn> {
  using Wide = DTableCore<F::fn>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr const char* name = F::name;
  static uint32_t fast(const double* a, double* r) { return Wide::template fast<f64x2>(a, r); }
  static void special(double a, double& r, const Report<double>& rep) {
    trig::callout(F::fn, a, &r, rep.index(), F::callout);
  }
};

template <class F>
struct DoubleSinCos : DSinCosCore<F::table> {
  using Wide = DSinCosCore<F::table>;
  static constexpr X87 x87 = F::x87;
  static constexpr const char* name = F::name;
  static uint32_t fast(const double* a, double* r1, double* r2) { return Wide::template fast<f64x2>(a, r1, r2); }
  static void special(double a, double& r1, double& r2, const Report<double>& rep) {
    trig::callout_sincos(a, &r1, &r2, rep.index(), F::callout);
  }
};

// The tangent's fast limit: |x| <= 128000 (bits 0x40FF400000000000).
constexpr double kTanLimit = 128000.0;

}  // namespace zaforq::vm::trigk
