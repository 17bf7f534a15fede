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
inline f64x2 keep_zero(Fn fn, f64x2 x, f64x2 v) {
  return fn == Fn::sin ? select(x == f64x2::all(0.0), x, v) : v;
}

// Double Sin and Cos: groups of four through the pi/32 table (F supplies name, fn, table(),
// limit, inclusive).
template <class F>
struct DoubleUnary {
  using T = double;
  static constexpr int group = 4;
  static constexpr X87 x87 = X87::untouched;
  static constexpr const char* name = F::name;
  static uint32_t fast(const double* a, double* r) {
    const f64x2 x0 = f64x2::load(a), x1 = f64x2::load(a + 2);
    const double* tab = F::table();
    keep_zero(F::fn, x0, dsin_table(tab, dreduce(x0, tab), 0)).store(r);
    keep_zero(F::fn, x1, dsin_table(tab, dreduce(x1, tab), 0)).store(r + 2);
    return double_outside(x0, F::limit, F::inclusive) | (double_outside(x1, F::limit, F::inclusive) << 2);
  }
  static void special(double a, double& r, const Report<double>& rep) {
    trig::callout(F::fn, a, &r, rep.index(), F::callout);
  }
};

template <class F>
struct DoubleSinCos {
  using T = double;
  static constexpr int group = 4;
  static constexpr X87 x87 = F::x87;
  static constexpr const char* name = F::name;
  static uint32_t fast(const double* a, double* r1, double* r2) {
    const f64x2 x0 = f64x2::load(a), x1 = f64x2::load(a + 2);
    if constexpr (F::table) {
      const DTable d0 = dreduce(x0, _dSinCosTab), d1 = dreduce(x1, _dSinCosTab);
      keep_zero(Fn::sin, x0, dsin_table(_dSinCosTab, d0, 0)).store(r1);
      keep_zero(Fn::sin, x1, dsin_table(_dSinCosTab, d1, 0)).store(r1 + 2);
      dsin_table(_dSinCosTab, d0, 16).store(r2);
      dsin_table(_dSinCosTab, d1, 16).store(r2 + 2);
    } else {
      f64x2 s0, c0, s1, c1;
      dsincos_la(x0, s0, c0);
      dsincos_la(x1, s1, c1);
      s0.store(r1);
      s1.store(r1 + 2);
      c0.store(r2);
      c1.store(r2 + 2);
    }
    return double_outside(x0, F::limit, F::inclusive) | (double_outside(x1, F::limit, F::inclusive) << 2);
  }
  static void special(double a, double& r1, double& r2, const Report<double>& rep) {
    trig::callout_sincos(a, &r1, &r2, rep.index(), F::callout);
  }
};

// The tangent's fast limit: |x| <= 128000 (bits 0x40FF400000000000).
constexpr double kTanLimit = 128000.0;

}  // namespace zaforq::vm::trigk
