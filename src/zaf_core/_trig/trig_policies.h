// Kernel policies of the trigonometric families: which fast path, which range limit, which
// callout name. One template per shape and precision; each kernel source instantiates one.
#pragma once
#include "zaf_core/_trig/trig_vec.h"

namespace zaforq::vm::trigk {

// The float evaluations, one per kernel family and class.
enum class FEval { sin_ha, cos_ha, sin_la, cos_la, sin_a11, cos_a11, tan_ha, tan_single };

template <FEval E, class V>
inline V feval(V x) {
  if constexpr (E == FEval::sin_ha) return sin_by_pi<false>(x);
  else if constexpr (E == FEval::cos_ha) return sin_by_pi<true>(x);
  else if constexpr (E == FEval::sin_la) return sin_by_pi_single<Poly::la, false>(x);
  else if constexpr (E == FEval::cos_la) return sin_by_pi_single<Poly::la, true>(x);
  else if constexpr (E == FEval::sin_a11) return sin_by_pi_single<Poly::a11, false>(x);
  else if constexpr (E == FEval::cos_a11) return sin_by_pi_single<Poly::a11, true>(x);
  else if constexpr (E == FEval::tan_ha) return tan_of(quadrant(x));
  else return tan_single(x);
}

// The float cores: one group on registers V of any width (the policies run them on SSE2,
// trig_avx2.cpp and trig_avx512.cpp on wider registers), fast for |x| <= 10000.
template <FEval E>
struct FUnaryCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static uint32_t fast(const float* a, float* r) {
    // Hint the next group into the cache without keeping it in the outer levels (a prefetch
    // past the end of the array is harmless).
    _mm_prefetch(reinterpret_cast<const char*>(a + group), _MM_HINT_NTA);
    return unary_group<V, group>(a, r, [](V x) { return feval<E>(x); }, [](V x) { return float_outside(x); });
  }
};

// Sine and cosine together: the lower classes compute in single precision, the
// high-accuracy class in double lanes.
template <Poly P>
struct FSinCosCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static uint32_t fast(const float* a, float* r1, float* r2) {
    uint32_t m = 0;
    for (int k = 0; k < group; k += V::lanes) {
      const V x = V::load(a + k);
      if constexpr (P != Poly::ha) {
        const auto q = quadrant_single<P>(x);
        sin_of(q).store(r1 + k);
        cos_of(q).store(r2 + k);
      } else {
        const auto q = quadrant(x);
        sin_of(q).store(r1 + k);
        cos_of(q).store(r2 + k);
      }
      m |= float_outside(x) << k;
    }
    return m;
  }
};

// Float kernels: the x87 unit at 53-bit precision for the double routine of the callout. F
// supplies name, callout (the name the callout reports), fn and eval (or poly for SinCos).
template <class F>
struct FloatUnary : FUnaryCore<F::eval> {
  using Wide = FUnaryCore<F::eval>;
  static constexpr X87 x87 = X87::pc53;
  static constexpr const char* name = F::name;
  static uint32_t fast(const float* a, float* r) { return Wide::template fast<f32x4>(a, r); }
  static void special(float a, float& r, const Report<float>& rep) {
    trig::callout(F::fn, a, &r, rep.index(), F::callout);
  }
};

template <class F>
struct FloatSinCos : FSinCosCore<F::poly> {
  using Wide = FSinCosCore<F::poly>;
  static constexpr X87 x87 = X87::pc53;
  static constexpr const char* name = F::name;
  static uint32_t fast(const float* a, float* r1, float* r2) { return Wide::template fast<f32x4>(a, r1, r2); }
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
    return unary_group<V, group>(a, r, [](V x) { return keep_zero(fn, x, dsin_table(table(), dreduce(x, table()), 0)); },
                                 [](V x) { return double_outside(x, limit, false); });
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
