// Natural and decimal logarithms: x = 2^e m with m near 1, log x = e log 2 + L_j + log(1 + r),
// L_j = -log(rcp_j) from a table indexed by the leading mantissa bits and r = m rcp_j - 1
// small enough for a short polynomial. Mantissas at or above the split point count to the next
// power of two (their table entries carry -log 2), so that log x loses nothing to cancellation
// just below 1. No division anywhere.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "common/bits.h"
#include "common/simd.h"
#include "zaf_core/_frame/frame.h"

namespace zaforq::vm::logk {

using namespace zaforq::simd;

#include "zaf_core/_log/ln_tables.inc"
#include "zaf_core/_log/log10_tables.inc"

enum class Base { e, ten };

// High words of two doubles in lanes 0 and 1 (lanes 2, 3 repeat them).
inline i32x4 high_words(f64x2 x) { return _mm_shuffle_epi32(x.bits().v, _MM_SHUFFLE(3, 1, 3, 1)); }
// Doubles whose high words are lanes 0 and 1 of h and whose low words are zero.
inline f64x2 from_high_words(i32x4 h) { return i32x4(_mm_unpacklo_epi32(_mm_setzero_si128(), h.v)).as_f64(); }

// ---- steps for double registers of any width ----------------------------------------------
// The Ln and Log10 cores and the inverse hyperbolic ones run on AVX2 and AVX-512 registers
// too. These helpers take the table lookups and the integer steps to any width V, lane by lane
// the same values as the SSE2 forms above (integer steps are exact, so their layout cannot
// matter).

// Each lane's high word as a 32-bit integer, where the integer steps expect it: on SSE2 packed
// into lanes 0 and 1 (as high_words), on wider registers in place, in the low half of each
// 64-bit lane (the high halves are zero, and the 32-bit steps applied to them give values no
// one reads).
template <class V>
__attribute__((always_inline)) inline typename V::i32 high_words_of(V x) {
  if constexpr (V::lanes == 2) return high_words(x);
  else return shr<32>(x.bits()).as_i32();
}
// Where lane k's word sits in an integer register laid out as above.
template <class V>
constexpr int word_of_lane(int k) { return V::lanes == 2 ? k : 2 * k; }
// Those integers (|e| < 2^19) as doubles: on wider registers through the shifter 1.5 * 2^20,
// which is exact, so the same doubles as SSE2's conversion.
template <class V>
__attribute__((always_inline)) inline V words_to_f64(typename V::i32 e) {
  using I = typename V::i32;
  if constexpr (V::lanes == 2) return to_f64_low2(e);
  else return shl<32>((e + I::all(0x41380000)).as_i64()).as_f64() - V::all(bits<double>(0x4138000000000000ull));
}

// Columns 0 to 3 of table rows p[k] (four doubles each) into lane k of c0 to c3.
__attribute__((always_inline)) inline void load_rows(const double* const* p, f64x2& c0, f64x2& c1, f64x2& c2,
                                                     f64x2& c3) {
  const __m128d a0 = _mm_loadu_pd(p[0]), a1 = _mm_loadu_pd(p[1]);
  const __m128d b0 = _mm_loadu_pd(p[0] + 2), b1 = _mm_loadu_pd(p[1] + 2);
  c0 = _mm_unpacklo_pd(a0, a1);
  c1 = _mm_unpackhi_pd(a0, a1);
  c2 = _mm_unpacklo_pd(b0, b1);
  c3 = _mm_unpackhi_pd(b0, b1);
}
#if defined(ZAFORQ_ISA_NS) && defined(__AVX2__)
// Four rows transposed in registers.
__attribute__((always_inline)) inline void load_rows(const double* const* p, simd::ZAFORQ_ISA_NS::f64x4& c0,
                                                     simd::ZAFORQ_ISA_NS::f64x4& c1, simd::ZAFORQ_ISA_NS::f64x4& c2,
                                                     simd::ZAFORQ_ISA_NS::f64x4& c3) {
  const __m256d r0 = _mm256_loadu_pd(p[0]), r1 = _mm256_loadu_pd(p[1]);
  const __m256d r2 = _mm256_loadu_pd(p[2]), r3 = _mm256_loadu_pd(p[3]);
  const __m256d t0 = _mm256_unpacklo_pd(r0, r1), t1 = _mm256_unpackhi_pd(r0, r1);  // r0[0] r1[0] r0[2] r1[2]
  const __m256d t2 = _mm256_unpacklo_pd(r2, r3), t3 = _mm256_unpackhi_pd(r2, r3);
  c0 = _mm256_permute2f128_pd(t0, t2, 0x20);
  c1 = _mm256_permute2f128_pd(t1, t3, 0x20);
  c2 = _mm256_permute2f128_pd(t0, t2, 0x31);
  c3 = _mm256_permute2f128_pd(t1, t3, 0x31);
}
#endif
#if defined(ZAFORQ_ISA_NS) && defined(__AVX512F__)
__attribute__((always_inline)) inline void load_rows(const double* const* p, simd::ZAFORQ_ISA_NS::f64x8& c0,
                                                     simd::ZAFORQ_ISA_NS::f64x8& c1, simd::ZAFORQ_ISA_NS::f64x8& c2,
                                                     simd::ZAFORQ_ISA_NS::f64x8& c3) {
  simd::ZAFORQ_ISA_NS::f64x4 l0, l1, l2, l3, h0, h1, h2, h3;
  load_rows(p, l0, l1, l2, l3);
  load_rows(p + 4, h0, h1, h2, h3);
  c0 = _mm512_insertf64x4(_mm512_castpd256_pd512(l0.v), h0.v, 1);
  c1 = _mm512_insertf64x4(_mm512_castpd256_pd512(l1.v), h1.v, 1);
  c2 = _mm512_insertf64x4(_mm512_castpd256_pd512(l2.v), h2.v, 1);
  c3 = _mm512_insertf64x4(_mm512_castpd256_pd512(l3.v), h3.v, 1);
}
#endif

// The same for float tables (four floats a row): 4 x 4 transposes, on wider registers one per
// 128-bit lane with rows k, k + 4, ... in lanes 0, 1, ... of the loaded registers.
__attribute__((always_inline)) inline void load_rows(const float* const* p, f32x4& c0, f32x4& c1, f32x4& c2,
                                                     f32x4& c3) {
  __m128 a0 = _mm_loadu_ps(p[0]), a1 = _mm_loadu_ps(p[1]), a2 = _mm_loadu_ps(p[2]), a3 = _mm_loadu_ps(p[3]);
  _MM_TRANSPOSE4_PS(a0, a1, a2, a3);
  c0 = a0;
  c1 = a1;
  c2 = a2;
  c3 = a3;
}
#if defined(ZAFORQ_ISA_NS) && defined(__AVX2__)
__attribute__((always_inline)) inline void load_rows(const float* const* p, simd::ZAFORQ_ISA_NS::f32x8& c0,
                                                     simd::ZAFORQ_ISA_NS::f32x8& c1, simd::ZAFORQ_ISA_NS::f32x8& c2,
                                                     simd::ZAFORQ_ISA_NS::f32x8& c3) {
  __m256 a[4];
#pragma GCC unroll 4
  for (int k = 0; k < 4; ++k) a[k] = _mm256_set_m128(_mm_loadu_ps(p[k + 4]), _mm_loadu_ps(p[k]));
  const __m256 t0 = _mm256_unpacklo_ps(a[0], a[1]), t2 = _mm256_unpacklo_ps(a[2], a[3]);
  const __m256 t1 = _mm256_unpackhi_ps(a[0], a[1]), t3 = _mm256_unpackhi_ps(a[2], a[3]);
  c0 = _mm256_shuffle_ps(t0, t2, _MM_SHUFFLE(1, 0, 1, 0));
  c1 = _mm256_shuffle_ps(t0, t2, _MM_SHUFFLE(3, 2, 3, 2));
  c2 = _mm256_shuffle_ps(t1, t3, _MM_SHUFFLE(1, 0, 1, 0));
  c3 = _mm256_shuffle_ps(t1, t3, _MM_SHUFFLE(3, 2, 3, 2));
}
#endif
#if defined(ZAFORQ_ISA_NS) && defined(__AVX512F__)
__attribute__((always_inline)) inline void load_rows(const float* const* p, simd::ZAFORQ_ISA_NS::f32x16& c0,
                                                     simd::ZAFORQ_ISA_NS::f32x16& c1, simd::ZAFORQ_ISA_NS::f32x16& c2,
                                                     simd::ZAFORQ_ISA_NS::f32x16& c3) {
  __m512 a[4];
#pragma GCC unroll 4
  for (int k = 0; k < 4; ++k) {
    const __m256 lo = _mm256_set_m128(_mm_loadu_ps(p[k + 4]), _mm_loadu_ps(p[k]));
    const __m256 hi = _mm256_set_m128(_mm_loadu_ps(p[k + 12]), _mm_loadu_ps(p[k + 8]));
    a[k] = _mm512_insertf32x8(_mm512_castps256_ps512(lo), hi, 1);
  }
  const __m512 t0 = _mm512_unpacklo_ps(a[0], a[1]), t2 = _mm512_unpacklo_ps(a[2], a[3]);
  const __m512 t1 = _mm512_unpackhi_ps(a[0], a[1]), t3 = _mm512_unpackhi_ps(a[2], a[3]);
  c0 = _mm512_shuffle_ps(t0, t2, _MM_SHUFFLE(1, 0, 1, 0));
  c1 = _mm512_shuffle_ps(t0, t2, _MM_SHUFFLE(3, 2, 3, 2));
  c2 = _mm512_shuffle_ps(t1, t3, _MM_SHUFFLE(1, 0, 1, 0));
  c3 = _mm512_shuffle_ps(t1, t3, _MM_SHUFFLE(3, 2, 3, 2));
}
#endif

// The rows of a table named by the row numbers in row (laid out as high_words_of's words).
template <class V, size_t R>
__attribute__((always_inline)) inline void table_columns(const double (&tab)[R][4], typename V::i32 row, V& c0,
                                                         V& c1, V& c2, V& c3) {
  alignas(64) int32_t j[2 * V::lanes];
  row.store(j);
  const double* p[V::lanes];
#pragma GCC unroll 16
  for (int k = 0; k < V::lanes; ++k) p[k] = tab[j[word_of_lane<V>(k)]];
  load_rows(p, c0, c1, c2, c3);
}

// ---- double, high accuracy: 513-entry table, 21-bit mantissa high part ------------------
// corr is 0 for normal x, and 52 log 2 for a subnormal x scaled by 2^52.
template <Base B>
inline const double (&dlog_ha_table())[513][4] { return B == Base::e ? kLnHA : kLog10HA; }

// The integer steps on the high words h of four lanes at once: the exponent e (split point
// applied) and j, the table row (leading 9 mantissa bits rounded, 0 to 512).
// (Templates over the integer register, for the wider cores.)
template <class I>
inline I dlog_ha_exponent(I h) { return sar<20>(h - I::all(0x3FE7FC00)); }
template <class I>
inline I dlog_ha_row(I h) { return shr<11>(((h & I::all(0xFFC00)) + I::all(0x400)) & I::all(0x1FF800)); }
// Lanes 0 and 1 of an integer register as doubles, through the shifter 1.5 * 2^20.
inline f64x2 dlog_ha_exponent_f64(i32x4 e) {
  return from_high_words(e + i32x4::all(0x41380000)) - f64x2::all(bits<double>(0x4138000000000000ull));
}

// One register of x (any width) whose exponent ed (as doubles) and table columns (the
// reciprocal and ln's high and low parts) are known.
template <Base B, class V>
__attribute__((always_inline)) inline V dlog_ha_cols(V x, V corr, V ed, V rcp, V L_hi, V L_lo) {
  using f64x2 = V;
  using i64x2 = typename V::i64;
  const i64x2 mant_mask = i64x2::all(0x000FFFFFFFFFFFFFll);
  const f64x2 one = f64x2::all(bits<double>(0x3FF0000000000000ull));  // 1.0
  const i64x2 high_mask = i64x2::all(static_cast<int64_t>(0xFFFFFFFF00000000ull));
  // log 2 in two parts; the high part has trailing zeros so that e times it is exact.
  const f64x2 lg2_hi = f64x2::all(B == Base::e ? bits<double>(0x3FE62E42FEFA3800ull)    // 0.6931471805598903
                                               : bits<double>(0x3FD34413509F7800ull));  // 0.30102999566395283
  const f64x2 lg2_lo = f64x2::all(B == Base::e ? bits<double>(0x3D2EF35793C76730ull)    // 5.497923018708371e-14
                                               : bits<double>(0x3D1FEF311F12B358ull));  // 2.8363394551044964e-14
  // 1 for base e; for base 10 the short leading term 0.43359375 of log10(e), the table's
  // reciprocals being scaled by log10(e).
  const f64x2 unit = B == Base::e ? one : f64x2::all(bits<double>(0x3FDBC00000000000ull));
  const f64x2 m = ((x.bits() & mant_mask) | one.bits()).as_f64();
  const f64x2 m_hi = (m.bits() & high_mask).as_f64();
  const f64x2 m_lo = m - m_hi;
  const f64x2 u = m_hi * rcp - unit;  // exact: 21 by 23 (or 24) bits, then Sterbenz
  const f64x2 v = m_lo * rcp;
  const f64x2 r = u + v;
  // High sum u + (e log2_high + L_high), its rounding error kept for the low sum (without it
  // the two roundings of a large result can add up to a whole ulp).
  const f64x2 H = ed * lg2_hi + L_hi;  // exact
  f64x2 hs = H + u;
  const f64x2 hb = hs - H;
  // For base e, H is 0 or at least one table step (about 2^-9) from 0 while |u| stays under
  // half a step, so the ordered sum's error term is exact. For base 10, u carries the offset
  // log10(e) - 0.43359375 and can outgrow H, so the full sum is needed there.
  const f64x2 herr = B == Base::e ? u - hb : (H - (hs - hb)) + (u - hb);
  const f64x2 ls = ed * lg2_lo + L_lo;
  // Where the low sum is exactly zero (e = 0 and L = 0) v joins u, so that r is rounded once.
  const f64x2 to_high = ls == f64x2::all(0.0);
  hs = hs + (to_high & v);
  const f64x2 v_low = andnot(to_high, v);
  f64x2 q;
  if (B == Base::e) {
    const f64x2 d2 = f64x2::all(bits<double>(0xBFDFFFFFFFFFFCA9ull));  // -0.49999999999995254
    const f64x2 d3 = f64x2::all(bits<double>(0x3FD555555555512Aull));  // 0.3333333333332741
    const f64x2 d4 = f64x2::all(bits<double>(0xBFD00000D588D052ull));  // -0.2500001988694339
    const f64x2 d5 = f64x2::all(bits<double>(0x3FC9999B39037E04ull));  // 0.2000001934420511
    q = r * r * (d2 + r * (d3 + r * (d4 + r * d5)));
  } else {
    // log10(1 + r/K) - r with K = 0.43359375, coefficients in the order stored.
    const f64x2 p5 = f64x2::all(5.667606256268926);
    const f64x2 p4 = f64x2::all(-3.0717977023883023);
    const f64x2 p3 = f64x2::all(1.7758816353479039);
    const f64x2 p2 = f64x2::all(-1.1550167667400704);
    const f64x2 p1 = f64x2::all(0.0016161024074997105);
    q = r * (p1 + r * (p2 + r * (p3 + r * (p4 + r * p5))));
  }
  return ((q + (ls + herr) + v_low) - corr) + hs;
}

// One register of x whose exponent ed (as doubles) and table rows t0, t1 are known.
template <Base B>
__attribute__((always_inline)) inline f64x2 dlog_ha(f64x2 x, f64x2 corr, f64x2 ed, const double* t0,
                                                    const double* t1) {
  const f64x2 rcp = _mm_unpacklo_pd(f64x2::load_aligned(t0).v, f64x2::load_aligned(t1).v);
  const f64x2 l0 = f64x2::load_aligned(t0 + 2), l1 = f64x2::load_aligned(t1 + 2);
  const f64x2 L_hi = _mm_unpacklo_pd(l0.v, l1.v);
  const f64x2 L_lo = _mm_unpackhi_pd(l0.v, l1.v);
  return dlog_ha_cols<B>(x, corr, ed, rcp, L_hi, L_lo);
}

// ln(y) - corr for a register of positive normal y of any width, on the 513-entry table.
template <class V>
__attribute__((always_inline)) inline V dlog_ha_any(V y, V corr) {
  const typename V::i32 hw = high_words_of(y);
  V rcp, unused, L_hi, L_lo;
  table_columns(kLnHA, dlog_ha_row(hw), rcp, unused, L_hi, L_lo);
  return dlog_ha_cols<Base::e>(y, corr, words_to_f64<V>(dlog_ha_exponent(hw)), rcp, L_hi, L_lo);
}

// One register of x, e.g. one element broadcast.
// e: mantissas from 1.4990234375 on count to the next power of two (split point 0.74951171875).
template <Base B>
inline f64x2 dlog_ha(f64x2 x, f64x2 corr) {
  const i32x4 hw = high_words(x);
  alignas(16) int32_t j[4];
  dlog_ha_row(hw).store(j);
  return dlog_ha<B>(x, corr, dlog_ha_exponent_f64(dlog_ha_exponent(hw)), dlog_ha_table<B>()[j[0]],
                    dlog_ha_table<B>()[j[1]]);
}

template <Base B>
inline void dlog_special(double x, double& r, const Report<double>& report) {
  if (x != x) {
    r = x * 1.0;
    return;
  }
  if (x == 0.0) {
    r = bits<double>(0xFFF0000000000000ull);  // -inf
    report(ZAF_STATUS_SING);
    return;
  }
  if (x < 0.0) {
    r = domain_nan<double>();
    report(ZAF_STATUS_ERRDOM);
    return;
  }
  if (x == __builtin_inf()) {
    r = x;
    return;
  }
  if (x < bits<double>(0x0010000000000000ull)) {  // subnormal: scale by 2^52 and take 52 log 2 off
    const double corr = B == Base::e ? bits<double>(0x404205966F2B4F12ull)  // 36.04365338911715
                                     : 15.653559774527022;
    r = dlog_ha<B>(f64x2::all(x * bits<double>(0x4330000000000000ull)), f64x2::all(corr)).lane0();
    return;
  }
  r = dlog_ha<B>(f64x2::all(x), f64x2::all(0.0)).lane0();
}

// ---- double, lower accuracy: 257-entry table ------------------------------------------------
template <Base B>
inline const double (&dlog_50_table())[257][4] { return B == Base::e ? kLn50 : kLog1050; }
// Integer steps on four high words: the row, from the leading 9 mantissa bits rounded to 8
// (as a 32-byte offset, shifted down), and the unbiased exponent.
template <class I>
inline I dlog_50_row(I h) { return shr<5>(((shr<7>(h) & I::all(0x1FF0)) + I::all(0x10)) & I::all(0x3FE0)); }
template <class I>
inline I dlog_50_exponent(I h) { return sar<20>(h) - I::all(1023); }

// One register of x (any width) whose exponent ed (as doubles) and table columns (ln's high and
// low parts, the reciprocal) are known.
template <Base B, class V>
__attribute__((always_inline)) inline V dlog_50_cols(V x, V ed, V L_hi, V L_lo, V rcp) {
  using f64x2 = V;
  using i64x2 = typename V::i64;
  const f64x2 one = f64x2::all(1.0);
  const f64x2 shifter = f64x2::all(bits<double>(0x42B0000000000000ull));  // 2^44: rounds m to 8 fraction bits
  const f64x2 lg2_hi = f64x2::all(B == Base::e ? bits<double>(0x3FE62E42FEFA4000ull)    // 0.6931471805601177
                                               : bits<double>(0x3FD34413509F8000ull));  // 0.3010299956640665
  const f64x2 lg2_lo = f64x2::all(B == Base::e ? bits<double>(0xBD48432A1B0E2634ull)    // -1.7239444525614835e-13
                                               : bits<double>(0xBD380433B83B532Aull));  // -8.532344317057107e-14
  const f64x2 m = ((x.bits() & i64x2::all(0x000FFFFFFFFFFFFFll)) | one.bits()).as_f64();
  // The index rounds half-way mantissas up; setting m's last bit before the shifter makes the
  // shifter do the same (it cannot move any other mantissa across a rounding boundary).
  const f64x2 c = ((m.bits() | i64x2::all(1)).as_f64() + shifter) - shifter;
  const f64x2 r = (m - c) * rcp;
  f64x2 b2 = f64x2::all(-0.4999999999992423), b3 = f64x2::all(0.33333333333238757),
        b4 = f64x2::all(-0.25000079467558006), b5 = f64x2::all(0.20000077300509184);
  if (B == Base::ten) {
    // r carries the factor log10(e); log10(1 + w/log10 e) = w + sum b_k w^k / log10(e)^(k-1).
    const double s = 2.302585092994046;  // 1 / log10(e)
    b2 = b2 * f64x2::all(s);
    b3 = b3 * f64x2::all(s * s);
    b4 = b4 * f64x2::all(s * s * s);
    b5 = b5 * f64x2::all(s * s * s * s);
  }
  const f64x2 q = r * r * (b2 + r * (b3 + r * (b4 + r * b5)));
  return (ed * lg2_hi + L_hi) + (r + (q + (ed * lg2_lo + L_lo)));
}

// One register of x whose exponent ed (as doubles) and table rows t0, t1 are known.
template <Base B>
__attribute__((always_inline)) inline f64x2 dlog_50(f64x2 x, f64x2 ed, const double* t0, const double* t1) {
  const f64x2 l0 = f64x2::load_aligned(t0), l1 = f64x2::load_aligned(t1);
  const f64x2 L_hi = _mm_unpacklo_pd(l0.v, l1.v);
  const f64x2 L_lo = _mm_unpackhi_pd(l0.v, l1.v);
  const f64x2 rcp = _mm_unpacklo_pd(f64x2::load_aligned(t0 + 2).v, f64x2::load_aligned(t1 + 2).v);
  return dlog_50_cols<B>(x, ed, L_hi, L_lo, rcp);
}

template <Base B>
inline f64x2 dlog_50(f64x2 x) {
  const i32x4 hw = high_words(x);
  alignas(16) int32_t j[4];
  dlog_50_row(hw).store(j);
  return dlog_50<B>(x, to_f64_low2(dlog_50_exponent(hw)), dlog_50_table<B>()[j[0]], dlog_50_table<B>()[j[1]]);
}

template <Base B>
inline void dlog_50_special(double x, double& r, const Report<double>& report) {
  if (x != x || x <= 0.0 || x == __builtin_inf()) {
    dlog_special<B>(x, r, report);
    return;
  }
  if (x < bits<double>(0x0010000000000000ull)) {
    const double corr = B == Base::e ? bits<double>(0x404205966F2B4F12ull) : 15.653559774527022;
    r = dlog_50<B>(f64x2::all(x * bits<double>(0x4330000000000000ull))).lane0() - corr;
    return;
  }
  r = dlog_50<B>(f64x2::all(x)).lane0();
}

// ---- double cores on registers of any width --------------------------------------------------
// Lanes that are not positive normal numbers (as the high-word test of the SSE2 forms).
template <class V>
__attribute__((always_inline)) inline uint32_t dlog_out_of_range(V x) {
  const uint32_t all = V::lanes == 32 ? 0xFFFFFFFFu : (1u << V::lanes) - 1u;
  return movemask((x >= V::all(bits<double>(0x0010000000000000ull))) & (x < V::all(__builtin_inf()))) ^ all;
}

// Double Ln and Log10, both classes: one group on registers V (the kernels run it on SSE2, the
// log_avx2.cpp and log_avx512.cpp sources on wider registers).
template <Base B, bool HA>
struct DLogCore {
  using T = double;
  static constexpr int group = 16;
  template <class V>
  static uint32_t fast(const double* a, double* r) {
    const auto value = [](V x) {
      const typename V::i32 hw = high_words_of(x);
      V c0, c1, c2, c3;
      if constexpr (HA) {
        table_columns(B == Base::e ? kLnHA : kLog10HA, dlog_ha_row(hw), c0, c1, c2, c3);
        return dlog_ha_cols<B>(x, V::all(0.0), words_to_f64<V>(dlog_ha_exponent(hw)), c0, c2, c3);
      } else {
        table_columns(B == Base::e ? kLn50 : kLog1050, dlog_50_row(hw), c0, c1, c2, c3);
        return dlog_50_cols<B>(x, words_to_f64<V>(dlog_50_exponent(hw)), c0, c1, c2);
      }
    };
    return unary_group<V, group>(a, r, value, [](V x) { return dlog_out_of_range(x); });
  }
};

// ---- float ------------------------------------------------------------------------------------
// Lanes that are not positive normal floats: (bits - 0x80800000), signed, not below -0x1000000.
template <class V>
__attribute__((always_inline)) inline uint32_t slog_out_of_range(V x) {
  using I = typename V::i32;
  const uint32_t all = V::lanes == 32 ? 0xFFFFFFFFu : (1u << V::lanes) - 1u;
  const I t = x.bits() - I::all(static_cast<int32_t>(0x80800000u));
  return movemask(t < I::all(-0x1000000)) ^ all;
}

// log(x) = ln 2 log2(x) on the x87 unit (fyl2x), for zero, negative, infinite, NaN and
// subnormal arguments: zero gives -inf with SING, a negative argument the default NaN with
// ERRDOM.
template <Base B>
inline void slog_special(float x, float& r, const Report<float>& report) {
  long double v = x;
  if (B == Base::e)
    __asm__("fldln2\n\tfxch\n\tfyl2x" : "+t"(v));
  else
    __asm__("fldlg2\n\tfxch\n\tfyl2x" : "+t"(v));
  if (x == 0.0f) {
    r = -__builtin_inff();
    report(ZAF_STATUS_SING);
    return;
  }
  if (x < 0.0f) {
    r = domain_nan<float>();
    report(ZAF_STATUS_ERRDOM);
    return;
  }
  r = static_cast<float>(v);
}

template <Base B, int N>
__attribute__((always_inline)) inline const auto& float_table() {
  if constexpr (N == 64) {
    if constexpr (B == Base::e) return kSLn21; else return kSLog1021;
  } else {
    if constexpr (B == Base::e) return kSLn11; else return kSLog1011;
  }
}

// Float logarithm in float arithmetic over an (N + 1)-entry table of (c_j = 1 + j/N, 1/c_j,
// L high, L low); r = (m - c_j)/c_j with m - c_j exact; log(1 + r) = r + r^2 (p0 + p1 r).
// N = 64 (index: leading 7 mantissa bits rounded to 6) or 16 (5 bits rounded to 4).
template <Base B, int N, class V>
__attribute__((always_inline)) inline V slog_table(V x) {
  using I = typename V::i32;
  const float(&tab)[N + 1][4] = float_table<B, N>();
  const I b = x.bits();
  // Mantissas from 1 + (N - 1)/(2N) on count to the next power of two.
  const int32_t split = N == 64 ? 0x3F3F0000 : 0x3F3C0000;  // 0.74609375 : 0.734375
  const V e = to_f32(sar<23>(b - I::all(split)));
  alignas(64) int32_t off[V::lanes];
  if (N == 64)
    (((shr<13>(b) & I::all(0x3F8)) + I::all(8)) & I::all(0x7F0)).store(off);  // 16-byte offset
  else
    (((shr<15>(b) & I::all(0xF8)) + I::all(8)) & I::all(0x1F0)).store(off);
  const float* rows[V::lanes];
#pragma GCC unroll 16
  for (int k = 0; k < V::lanes; ++k) rows[k] = tab[off[k] >> 4];
  V c, rcp, L_hi, L_lo;
  load_rows(rows, c, rcp, L_hi, L_lo);
  const V m = ((b & I::all(0x007FFFFF)) | I::all(0x3F800000)).as_f32();
  const V r = (m - c) * rcp;
  // Minimax fits of (log(1 + r) - r)/r^2 for the relative error of log(1 + r)
  // (tools/explog_poly/fit.py): |r| <= 1/128 for N = 64, 1/32 for N = 16.
  const V p0 = V::all(N == 64 ? bits<float>(0xBF0000C0u)    // -0.50001144
                              : bits<float>(0xBF000C15u));  // -0.50018436
  const V p1 = V::all(N == 64 ? bits<float>(0x3EAAAB91u)    // 0.3333402
                              : bits<float>(0x3EAAB92Au));  // 0.33344394
  const V p = r + r * r * (p0 + p1 * r);
  if (B == Base::e) {
    const V lg2_hi = V::all(bits<float>(0x3F317200u));  // 0.69314575 (e times it is exact)
    const V lg2_lo = V::all(bits<float>(0x35BFBE8Eu));  // 1.4286068e-06
    return (e * lg2_hi + L_hi) + (p + (e * lg2_lo + L_lo));
  }
  const V lg2_hi = V::all(bits<float>(0x3E9A2100u));  // 0.30103302
  const V lg2_lo = V::all(bits<float>(0xB64AF608u));  // -3.0243556e-06
  const V log10e = V::all(bits<float>(0x3EDE5BD9u));  // 0.4342945
  return (e * lg2_hi + L_hi) + (log10e * p + (e * lg2_lo + L_lo));
}

// Float high accuracy: the same reduction over the 65-entry table, evaluated in double with a
// degree-5 polynomial, then rounded once to float. D is the double register, off the table
// offsets of its lanes.
template <Base B, class D>
__attribute__((always_inline)) inline D slog_ha_pair(D m, D e, const int32_t* off) {
  const double(&tab)[65][4] = B == Base::e ? kSLnHA : kSLog10HA;
  const double* rows[D::lanes];
#pragma GCC unroll 16
  for (int k = 0; k < D::lanes; ++k) rows[k] = tab[off[k] >> 4];
  D c, rcp, L, unused;
  load_rows(rows, c, rcp, L, unused);
  const D r = (m - c) * rcp;
  const D p = r + r * r * (D::all(-0.5) + r * (D::all(1.0 / 3) + r * (D::all(-0.25) + r * D::all(0.2))));
  if (B == Base::e) return e * D::all(0.6931471805599453) + L + p;
  return e * D::all(0.30102999566398120) + L + p * D::all(0.4342944819032518);
}

template <Base B, class V>
__attribute__((always_inline)) inline V slog_ha(V x) {
  using I = typename V::i32;
  const I b = x.bits();
  const V e = to_f32(sar<23>(b - I::all(0x3F3F0000)));  // exact, as are the widenings below
  alignas(64) int32_t off[V::lanes];
  (((shr<13>(b) & I::all(0x3F8)) + I::all(8)) & I::all(0x7F0)).store(off);
  const V m = ((b & I::all(0x007FFFFF)) | I::all(0x3F800000)).as_f32();
  const auto lo = slog_ha_pair<B>(to_f64_low(m), to_f64_low(e), off);
  const auto hi = slog_ha_pair<B>(to_f64_high(m), to_f64_high(e), off + V::lanes / 2);
  return to_f32(lo, hi);
}

// Float Ln and Log10, every class (N = 64 for _21, 16 for _11, 0 for _HA): one group on
// registers V of any width.
template <Base B, int N>
struct SLogCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static uint32_t fast(const float* a, float* r) {
    const auto value = [](V x) {
      if constexpr (N == 0) return slog_ha<B>(x);
      else return slog_table<B, N>(x);
    };
    return unary_group<V, group>(a, r, value, [](V x) { return slog_out_of_range(x); });
  }
};

}  // namespace zaforq::vm::logk
