// The exponential: x = k ln2/N + r with k the integer nearest to x N/ln 2 (found by adding a
// shifter constant and reading the low bits of the sum), exp(x) = 2^floor(k/N) 2^((k mod N)/N)
// e^r, the middle factor from a table and e^r - 1 from a short polynomial. Near the ends of the
// range the power of two is applied in two steps so that no intermediate overflows and a
// subnormal result is rounded once.
#pragma once
#include <immintrin.h>
#include <stdint.h>

#include "common/bits.h"
#include "common/simd.h"
#include "zaf_core/_frame/frame.h"

namespace zaforq::vm::expk {

using namespace zaforq::simd;

#include "zaf_core/exp/exp_tables.inc"

// Where the power of two is applied: in one step, or in two for results below the normal
// range (the first factor raised by 2^1022, the second 2^-1022) or near overflow (the first
// lowered by 2^1024, then times 2^1023 and 2).
enum class Scale { one_step, low, high };

// The cores below are templates over the register type V (f64x2 or f32x4 here, the wider
// types of simd_avx.h on the AVX2 and AVX-512 paths); every lane runs the same operations in
// the same order on every width, so the path never changes a result.

// The low 32 bits of each 64-bit lane, lowest lane first: where a shifter sum keeps its integer.
template <class I>
__attribute__((always_inline)) inline void low_words(I v, int32_t (&k)[I::lanes]) {
  alignas(64) int64_t w[I::lanes];
  v.store(w);
  for (int j = 0; j < I::lanes; ++j) k[j] = static_cast<int32_t>(w[j]);
}

// Lane j of the result is base[off_j]: table entries picked per lane, from a register of
// small non-negative offsets (64-bit lanes for doubles, 32-bit for floats). The wider paths
// use the gather instructions; SSE2 reads the offsets out and loads the entries one by one.
template <class V, class I>
__attribute__((always_inline)) inline V take(const double* base, I off) {
  static_assert(I::lanes == V::lanes, "one offset per lane");
  if constexpr (V::lanes == 2) {
    const int32_t i0 = _mm_cvtsi128_si32(off.v), i1 = _mm_cvtsi128_si32(_mm_unpackhi_epi64(off.v, off.v));
    return V(_mm_loadh_pd(_mm_load_sd(base + i0), base + i1));
  }
#if defined(__AVX2__)
  else if constexpr (V::lanes == 4) {
    return V(_mm256_i64gather_pd(base, off.v, 8));
  }
#endif
#if defined(__AVX512F__)
  else if constexpr (V::lanes == 8) {
    return V(_mm512_i64gather_pd(off.v, base, 8));
  }
#endif
}

template <Scale S, class V>
__attribute__((always_inline)) inline V finish_scale(V y, V scale) {
  if (S == Scale::one_step) return y * scale;
  if (S == Scale::low) return (y * scale) * V::all(bits<double>(0x0010000000000000ull));  // 2^-1022
  return ((y * scale) * V::all(bits<double>(0x7FE0000000000000ull))) * V::all(2.0);         // 2^1023
}

// Entries of a table of 128 64-bit integers at the lanes' offsets (0 to 127). (Register
// permutes, as for the float table below, measured slower than the gather for this one.)
template <class I>
__attribute__((always_inline)) inline I take128(const uint64_t (&tab)[128], I off) {
  if constexpr (I::lanes == 2) {
    const int32_t i0 = _mm_cvtsi128_si32(off.v), i1 = _mm_cvtsi128_si32(_mm_unpackhi_epi64(off.v, off.v));
    return I(_mm_set_epi64x(static_cast<int64_t>(tab[i1]), static_cast<int64_t>(tab[i0])));
  }
#if defined(__AVX2__)
  else if constexpr (I::lanes == 4) {
    return I(_mm256_i64gather_epi64(reinterpret_cast<const long long*>(tab), off.v, 8));
  }
#endif
#if defined(__AVX512F__)
  else if constexpr (I::lanes == 8) {
    return I(_mm512_i64gather_epi64(off.v, reinterpret_cast<const long long*>(tab), 8));
  }
#endif
}

// The two entries of the rows tab[row_j] (0 to 127) of float lanes. SSE2 reads them one by
// one; AVX2 gathers each row as one 64-bit element and splits the pairs after (half the
// gathered elements); on AVX-512 the table's columns are registers and the rows are picked
// by register permutes, cheaper there than any gather.
template <class V, class I>
__attribute__((always_inline)) inline void take_pairs(const float (&tab)[128][2], I row, V& first, V& second) {
  static_assert(I::lanes == V::lanes, "one row per lane");
  if constexpr (V::lanes == 4) {
    alignas(16) int32_t k[4];
    row.store(k);
    first = V(_mm_setr_ps(tab[k[0]][0], tab[k[1]][0], tab[k[2]][0], tab[k[3]][0]));
    second = V(_mm_setr_ps(tab[k[0]][1], tab[k[1]][1], tab[k[2]][1], tab[k[3]][1]));
  }
#if defined(__AVX2__)
  else if constexpr (V::lanes == 8) {
    const double* base = reinterpret_cast<const double*>(tab);
    // the masked form, with every lane on: the plain one starts from an undefined register
    const __m256d zero = _mm256_setzero_pd(), on = _mm256_castsi256_pd(_mm256_set1_epi64x(-1));
    const __m256 a = _mm256_castpd_ps(_mm256_mask_i32gather_pd(zero, base, _mm256_castsi256_si128(row.v), on, 8));
    const __m256 b = _mm256_castpd_ps(_mm256_mask_i32gather_pd(zero, base, _mm256_extracti128_si256(row.v, 1), on, 8));
    // a = (f0 s0 f1 s1 | f2 s2 f3 s3), b the same for lanes 4 to 7
    first = V(_mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(_mm256_shuffle_ps(a, b, 0x88)), 0xD8)));
    second = V(_mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(_mm256_shuffle_ps(a, b, 0xDD)), 0xD8)));
  }
#endif
#if defined(__AVX512F__)
  else if constexpr (V::lanes == 16) {
    // Each column in eight registers; a permute picks among 32 entries, blends on bits 5
    // and 6 of the row among the four permutes.
    const float* base = &tab[0][0];
    const __m512i even = _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
    const __m512i odd = _mm512_add_epi32(even, _mm512_set1_epi32(1));
    __m512 col[2][8];
#pragma GCC unroll 8
    for (int q = 0; q < 8; ++q) {
      const __m512 a = _mm512_loadu_ps(base + 32 * q), b = _mm512_loadu_ps(base + 32 * q + 16);
      col[0][q] = _mm512_permutex2var_ps(a, even, b);
      col[1][q] = _mm512_permutex2var_ps(a, odd, b);
    }
    const __mmask16 b5 = _mm512_test_epi32_mask(row.v, _mm512_set1_epi32(32));
    const __mmask16 b6 = _mm512_test_epi32_mask(row.v, _mm512_set1_epi32(64));
    __m512 out[2];
#pragma GCC unroll 2
    for (int c = 0; c < 2; ++c) {
      const __m512 p0 = _mm512_permutex2var_ps(col[c][0], row.v, col[c][1]);
      const __m512 p1 = _mm512_permutex2var_ps(col[c][2], row.v, col[c][3]);
      const __m512 p2 = _mm512_permutex2var_ps(col[c][4], row.v, col[c][5]);
      const __m512 p3 = _mm512_permutex2var_ps(col[c][6], row.v, col[c][7]);
      out[c] = _mm512_mask_blend_ps(b6, _mm512_mask_blend_ps(b5, p0, p1), _mm512_mask_blend_ps(b5, p2, p3));
    }
    first = V(out[0]);
    second = V(out[1]);
  }
#endif
}

// ---- double, 64 steps per octave, (high, low) table -------------------------------------
template <Scale S = Scale::one_step, class V>
__attribute__((always_inline)) inline V dexp_ha(V x) {
  using I = typename V::i64;
  const V inv_step = V::all(bits<double>(0x40571547652B82FEull));  // 92.33248261689366 = 64/ln 2
  const V shifter = V::all(bits<double>(0x4338000000000000ull));   // 1.5 * 2^52
  const V step_hi = V::all(bits<double>(0x3F862E42FEF00000ull));   // 0.010830424695086549
  const V step_lo = V::all(bits<double>(0x3D7473DE6AF278EDull));   // 1.162596423439437e-12
  const V c2 = V::all(bits<double>(0x3FDFFFFFFFFFD97Cull));        // 0.49999999999945266
  const V c3 = V::all(bits<double>(0x3FC55555555542A1ull));        // 0.16666666666653376
  const V c4 = V::all(bits<double>(0x3FA555574BC3A1BEull));        // 0.04166672515731616
  const V c5 = V::all(bits<double>(0x3F81111276409C2Cull));        // 0.008333343728805863
  const V s = x * inv_step + shifter;
  const V kd = s - shifter;
  const V r = (x - kd * step_hi) - kd * step_lo;
  const I row = shl<1>(s.bits() & I::all(0x3F));  // offset of row k mod 64, (high, low)
  const V th = take<V>(&kExp64[0][0], row);
  const V tl = take<V>(&kExp64[0][1], row);
  const V p = r + r * r * (c2 + r * (c3 + r * (c4 + r * c5)));
  const V y = th + (tl + p * (th + tl));
  // 1023 * 64 in step units, moved by 1022 or -1024 octaves for the two-step scalings.
  const int64_t bias = S == Scale::one_step ? 0xFFC0 : S == Scale::low ? 0xFFC0 + 1022 * 64 : 0xFFC0 - 1024 * 64;
  const V scale = (shl<46>(s.bits() + I::all(bias)) & I::all(static_cast<int64_t>(0x7FF0000000000000ull))).as_f64();
  return finish_scale<S>(y, scale);
}

// Double special routine of a method whose scaled forms are Eval<S>: both methods share the
// thresholds but the one from which the result needs the two-step scaling near overflow, as
// their rounding there differs. Shared with the per-element uses of other kernels.
template <template <Scale> class Eval, uint64_t HighFromBits>
inline void dexp_special(double x, double& r, const Report<double>& report) {
  if (x != x) {
    r = x + x;
    return;
  }
  if (x <= bits<double>(0xC0874910D52D3052ull)) {  // -745.1332191019412 (and -inf)
    r = 0.0;
    if (x != -__builtin_inf()) report(ZAF_STATUS_UNDERFLOW);
    return;
  }
  if (x <= bits<double>(0xC086232BDD7ABCD1ull)) {  // -708.396418532264
    r = Eval<Scale::low>::at(x);
    report(ZAF_STATUS_UNDERFLOW);
    return;
  }
  if (x >= bits<double>(0x40862E42FEFA39F0ull)) {  // 709.7827128933841 (and +inf)
    r = __builtin_inf();
    if (x != __builtin_inf()) report(ZAF_STATUS_OVERFLOW);
    return;
  }
  if (x >= bits<double>(HighFromBits)) {
    r = Eval<Scale::high>::at(x);
    return;
  }
  r = Eval<Scale::one_step>::at(x);
}

template <Scale S>
struct DExpHAAt {
  static double at(double x) { return dexp_ha<S>(f64x2::all(x)).lane0(); }
};
inline void dexp_ha_special(double x, double& r, const Report<double>& report) {
  dexp_special<DExpHAAt, 0x40862E37E7D8BA72ull>(x, r, report);  // from 709.7772976810359
}

// ---- double, 128 steps per octave, mantissa-only table ----------------------------------
template <Scale S = Scale::one_step, class V>
__attribute__((always_inline)) inline V dexp_50(V x) {
  using I = typename V::i64;
  const V inv_step = V::all(bits<double>(0x40671547652B82FEull));  // 184.6649652337873 = 128/ln 2
  const V shifter = V::all(bits<double>(0x4338000000000000ull));   // 1.5 * 2^52
  const V step_hi = V::all(bits<double>(0x3F762E42FEE00000ull));   // ln 2/128, high part
  const V step_lo = V::all(bits<double>(0x3D7A39EF35793C76ull));   // ln 2/128, low part
  const V c2 = V::all(0.49999999999998135);
  const V c3 = V::all(0.16666671248624326);
  const V c4 = V::all(0.041666679394326736);
  const V s = x * inv_step + shifter;
  const V kd = s - shifter;
  const V r = (x - kd * step_hi) - kd * step_lo;
  const I mant = take128(kExp128Mantissa, s.bits() & I::all(0x7F));
  const int64_t bias = S == Scale::one_step ? 0x1FF80 : S == Scale::low ? 0x1FF80 + 1022 * 128 : 0x1FF80 - 1024 * 128;
  const I expo = shl<45>(s.bits() + I::all(bias)) & I::all(static_cast<int64_t>(0x7FF0000000000000ull));
  const V t = (expo + mant).as_f64();
  const V p = r + r * r * (c2 + r * (c3 + r * c4));
  return finish_scale<S>(V::all(1.0), t + t * p);
}

template <Scale S>
struct DExp50At {
  static double at(double x) { return dexp_50<S>(f64x2::all(x)).lane0(); }
};
inline void dexp_50_special(double x, double& r, const Report<double>& report) {
  dexp_special<DExp50At, 0x40862E3D73697A31ull>(x, r, report);  // from 709.78000528721
}

// ---- float, 128 steps per octave ---------------------------------------------------------
template <bool TwoStep = false, class V>
__attribute__((always_inline)) inline V sexp_ha(V x) {
  using I = typename V::i32;
  const V inv_step = V::all(bits<float>(0x4338AA3Bu));  // 184.66496 = 128/ln 2
  const V shifter = V::all(bits<float>(0x4B300000u));   // 11534336: integers in the low bits
  const V step_hi = V::all(bits<float>(0x3BB18000u));   // ln 2/128, high part (9 bits)
  const V step_lo = V::all(bits<float>(0xB5DE8083u));   // ln 2/128, low part
  const V s = x * inv_step + shifter;
  const V kd = s - shifter;
  const V r = (x - kd * step_hi) - kd * step_lo;
  V t, c;  // the row's value and correction
  take_pairs(kSExp128, s.bits() & I::all(0x7F), t, c);
  const V p = r + V::all(0.5f) * r * r;
  const V y = t + (c + t * p);
  // (floor(k/128) + 127) in the exponent field; one octave less for the two-step scaling.
  const int32_t bias = TwoStep ? 127 * 128 - 128 : 127 * 128;
  const V scale = (shl<16>(s.bits() + I::all(bias)) & I::all(0x7F800000)).as_f32();
  return TwoStep ? (y * scale) * V::all(2.0f) : y * scale;
}

inline void sexp_ha_special(float x, float& r, const Report<float>& report) {
  if (x != x) {
    r = x + x;
    return;
  }
  if (x >= bits<float>(0x42B17218u)) {  // 88.72283935546875 (and +inf)
    r = __builtin_inff();
    if (x != __builtin_inff()) report(ZAF_STATUS_OVERFLOW);
    return;
  }
  if (x <= bits<float>(0xC2CE8ED1u)) {  // -103.27893829345703 (and -inf)
    r = 0.0f;
    if (x != -__builtin_inff()) report(ZAF_STATUS_UNDERFLOW);
    return;
  }
  if (x < -bits<float>(0x42AEAC50u)) {  // below -87.3365478515625: a float subnormal, rounded once from double
    r = static_cast<float>(dexp_ha(f64x2::all(static_cast<double>(x))).lane0());
    report(ZAF_STATUS_UNDERFLOW);
    return;
  }
  float v[4];
  (x > 0.0f ? sexp_ha<true>(f32x4::all(x)) : sexp_ha<false>(f32x4::all(x))).store(v);
  r = v[0];
}

// ---- float, no table -----------------------------------------------------------------------
template <class V>
__attribute__((always_inline)) inline V sexp_11(V x) {
  using I = typename V::i32;
  const V log2e = V::all(bits<float>(0x3FB8AA3Bu));    // 1.442695
  const V shifter = V::all(bits<float>(0xCB400000u));  // -1.5 * 2^23
  const V ln2 = V::all(bits<float>(0x3F317218u));      // 0.6931472
  const V a1 = V::all(bits<float>(0x3F80017Au));       // 1.0000451
  const V a2 = V::all(bits<float>(0x3F00F657u));       // 0.5037588
  const V a3 = V::all(bits<float>(0x3E2AAA8Du));       // 0.1666662
  const V s = x * log2e + shifter;
  const V kd = s - shifter;
  const V r = x - kd * ln2;
  // s = -(1.5 * 2^23 - k), so its bit pattern is 0xCB400000 - k.
  const I k = I::all(static_cast<int32_t>(0xCB400000u)) - s.bits();
  const V scale = shl<23>(k + I::all(127)).as_f32();
  return scale * (V::all(1.0f) + r * (a1 + r * (a2 + r * a3)));
}

inline void sexp_11_special(float x, float& r, const Report<float>& report) {
  if (x != x) {
    r = x + x;
    return;
  }
  if (x >= bits<float>(0x42B17218u)) {  // 88.72283935546875 (and +inf)
    r = __builtin_inff();
    if (x != __builtin_inff()) report(ZAF_STATUS_OVERFLOW);
    return;
  }
  if (x == -__builtin_inff()) {
    r = 0.0f;
    return;
  }
  // The same polynomial in double, k clamped so that 2^k stays a double; below -104 the
  // result rounds to zero in float.
  const double xd = x;
  double kd = (xd * 1.4426950408889634 + 6755399441055744.0) - 6755399441055744.0;  // 1.5 * 2^52 shifter
  kd = kd < -160.0 ? -160.0 : kd > 160.0 ? 160.0 : kd;
  const double rd = xd - kd * 0.6931471805599453;
  const double p = 1.0 + rd * (1.0000451 + rd * (0.5037588 + rd * 0.1666662));
  const double y = x < -104.0f ? 0.0 : p * bits<double>(static_cast<uint64_t>(static_cast<int64_t>(kd) + 1023) << 52);
  r = static_cast<float>(y);
  // Decided by the argument, as in the high-accuracy kernel: e^x is below the smallest
  // normal float exactly from -87.3365478515625 down.
  if (x < -bits<float>(0x42AEAC50u)) report(ZAF_STATUS_UNDERFLOW);
}

// ---- the kernels' fast computations, any register width -----------------------------------
// Groups of sixteen doubles or thirty-two floats; lanes from the fast bound on (NaN included)
// go to the special routine, which gives in-range lanes the same bits. The policies run these
// on SSE2 registers, exp_avx2.cpp and exp_avx512.cpp on wider ones.
template <bool HA>
struct DExpCore {
  using T = double;
  static constexpr int group = 16;
  template <class V>
  static uint32_t fast(const double* a, double* r) {
    const auto value = [](V x) {
      if constexpr (HA) return dexp_ha(x);
      else return dexp_50(x);
    };
    // |x| from 708.3964... (high word without sign at least 0x4086232B)
    const auto out = [](V x) { return movemask(abs(x) < V::all(bits<double>(0x4086232B00000000ull))) ^ all_lanes<V>(); };
    return unary_group<V, group>(a, r, value, out);
  }
};

// C: 0 for _11 (|x| from 87.25 on to the special routine), 1 and 2 for _21 and _HA (above
// 87.3365478515625), which share the computation.
template <int C>
struct SExpCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static uint32_t fast(const float* a, float* r) {
    const auto value = [](V x) {
      if constexpr (C == 0) return sexp_11(x);
      else return sexp_ha(x);
    };
    const auto out = [](V x) {
      if constexpr (C == 0) return movemask(abs(x) < V::all(bits<float>(0x42AE8000u))) ^ all_lanes<V>();
      else return movemask(abs(x) <= V::all(bits<float>(0x42AEAC50u))) ^ all_lanes<V>();
    };
    return unary_group<V, group>(a, r, value, out);
  }
};

}  // namespace zaforq::vm::expk
