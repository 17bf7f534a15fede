// Wichmann-Hill: four multiplicative congruential components x_i <- a_i x_i mod M_i (M_i primes
// below 2^24) combined as the fractional part of sum x_i / M_i. State after the header: the
// current values x1..x4, then the current multipliers a1..a4 (changed by leapfrog).
//
// A pass computes four successive elements: lane k of component i holds a_i^k x_i, and every
// lane advances by a_i^4. Products a x stay below 2^48 (even after leapfrog, when a is any
// residue), so they are exact in doubles. Their remainders use q = trunc(p r) with r the
// reciprocal of M rounded upwards: r >= 1/M keeps q from falling below the true quotient, and
// the excess is under one, so p - q M lies in [-M, M) and one conditional addition of M gives
// the exact remainder.
#pragma once
#include "common/fpenv.h"
#include "common/simd.h"
#include "orq_sub_kernel/_service/stream.h"

namespace zaforq::orq::wh {

struct State {
  uint32_t x[4];  // current values, 1 .. M_i - 1
  uint32_t a[4];  // current multipliers
};
static_assert(sizeof(State) + kHeaderBytes == 48, "Wichmann-Hill record is 48 bytes");

constexpr int32_t kSets = 273;

// The parameter set of a stream: the offset of a current id, id - 4 for a legacy id.
inline int32_t set_of(OrqStream stream) {
  int32_t row, offset;
  __orqGetBrngBaseOffset(header(stream)->id, &row, &offset);
  return offset;
}

inline uint32_t mul_mod(uint32_t a, uint32_t b, uint32_t m) {
  return static_cast<uint32_t>(static_cast<uint64_t>(a) * b % m);
}

// 1/M rounded upwards for the four moduli. The rounding mode is changed and restored inside
// one asm statement, so no other arithmetic can be scheduled under it.
inline void reciprocals_up(const double* m, double* r) {
  const uint32_t mx = stmxcsr();
  const uint32_t up = (mx & ~0x6000u) | 0x4000u;
  __m128d q0 = _mm_set1_pd(1.0), q1 = _mm_set1_pd(1.0);
  const __m128d m0 = _mm_loadu_pd(m), m1 = _mm_loadu_pd(m + 2);
  __asm__ __volatile__("ldmxcsr %4\n\tdivpd %2, %0\n\tdivpd %3, %1\n\tldmxcsr %5"
                       : "+x"(q0), "+x"(q1)
                       : "x"(m0), "x"(m1), "m"(up), "m"(mx));
  _mm_storeu_pd(r, q0);
  _mm_storeu_pd(r + 2, q1);
}

// p mod M for an integer 0 <= p < 2^48, with r = 1/M rounded upwards.
inline simd::f64x2 reduce(simd::f64x2 p, simd::f64x2 m, simd::f64x2 r) {
  using namespace simd;
  const f64x2 q = _mm_cvtepi32_pd(_mm_cvttpd_epi32((p * r).v));
  const f64x2 d = p - q * m;
  return d + (m & (d < f64x2::all(0.0)));
}

// Lanes of one pass: v[i][0] holds elements 0, 1 and v[i][1] elements 2, 3 of component i.
struct Pass {
  simd::f64x2 v[4][2];
};

// n elements into the sink, which is called as sink(first, count, pass) with count 4 for full
// passes and the remainder for the last one.
template <class Sink>
inline void generate(State* st, int32_t set, int32_t n, const Sink& out) {
  using namespace simd;
  Sink sink = out;  // a private copy: stores to the output cannot alias its constants
  FpEnv env;  // rounding to nearest for the products p r
  double m[4], r[4];
  for (int i = 0; i < 4; ++i) m[i] = _orq_WH_M[4 * set + i];
  reciprocals_up(m, r);
  Pass lane;
  f64x2 a4[4], mv[4], rv[4];
  for (int i = 0; i < 4; ++i) {
    const uint32_t M = _orq_WH_M[4 * set + i], a = st->a[i];
    uint32_t l[4] = {st->x[i], 0, 0, 0};
    for (int k = 1; k < 4; ++k) l[k] = mul_mod(l[k - 1], a, M);
    const uint32_t a2 = mul_mod(a, a, M);
    a4[i] = f64x2::all(static_cast<double>(mul_mod(a2, a2, M)));
    mv[i] = f64x2::all(m[i]);
    rv[i] = f64x2::all(r[i]);
    lane.v[i][0] = _mm_set_pd(l[1], l[0]);
    lane.v[i][1] = _mm_set_pd(l[3], l[2]);
  }
  int32_t done = 0;
  for (; done + 4 <= n; done += 4) {
    sink(done, 4, lane);
    for (int i = 0; i < 4; ++i) {
      lane.v[i][0] = reduce(lane.v[i][0] * a4[i], mv[i], rv[i]);
      lane.v[i][1] = reduce(lane.v[i][1] * a4[i], mv[i], rv[i]);
    }
  }
  const int32_t t = n - done;  // 0 .. 3 elements left; the state moves to lane t
  if (t) sink(done, t, lane);
  for (int i = 0; i < 4; ++i) {
    alignas(16) double l[4];
    _mm_store_pd(l, lane.v[i][0].v);
    _mm_store_pd(l + 2, lane.v[i][1].v);
    st->x[i] = static_cast<uint32_t>(_mm_cvttsd_si32(_mm_set_sd(l[t])));
  }
}

inline void store4(double* r, simd::f64x2 lo, simd::f64x2 hi) {
  lo.store(r);
  hi.store(r + 2);
}
inline void store4(float* r, simd::f64x2 lo, simd::f64x2 hi) { _mm_storeu_ps(r, simd::to_f32(lo, hi).v); }

// u = s - floor(s), s = ((x1 r1 + x2 r2) + x3 r3) + x4 r4 with the nearest reciprocals, then
// u (b - a) + a; the sink writes T (double or float).
template <class T>
struct Uniform {
  T* out;
  simd::f64x2 im[4], w, a;
  Uniform(T* r, int32_t set, double lo, double hi) : out(r) {
    for (int i = 0; i < 4; ++i) im[i] = simd::f64x2::all(_orqdWH_IM_Tab[4 * set + i]);
    w = simd::f64x2::all(hi - lo);
    a = simd::f64x2::all(lo);
  }
  void operator()(int32_t first, int32_t count, const Pass& p) {
    using namespace simd;
    f64x2 v[2];
    for (int h = 0; h < 2; ++h) {
      const f64x2 s = ((p.v[0][h] * im[0] + p.v[1][h] * im[1]) + p.v[2][h] * im[2]) + p.v[3][h] * im[3];
      const f64x2 u = s - f64x2(_mm_cvtepi32_pd(_mm_cvttpd_epi32(s.v)));
      v[h] = u * w + a;
    }
    if (count == 4) {
      store4(out + first, v[0], v[1]);
    } else {
      alignas(16) double t[4];
      v[0].store(t);
      v[1].store(t + 2);
      for (int k = 0; k < count; ++k) out[first + k] = static_cast<T>(t[k]);
    }
  }
};

// 16 bytes per element: x1, x2, x3, x4.
struct Words {
  uint32_t* out;
  void operator()(int32_t first, int32_t count, const Pass& p) {
    __m128i c[4];
    for (int i = 0; i < 4; ++i)
      c[i] = _mm_unpacklo_epi64(_mm_cvttpd_epi32(p.v[i][0].v), _mm_cvttpd_epi32(p.v[i][1].v));
    // transpose: component-major lanes to one row of four words per element
    const __m128i t0 = _mm_unpacklo_epi32(c[0], c[1]), t1 = _mm_unpacklo_epi32(c[2], c[3]);
    const __m128i t2 = _mm_unpackhi_epi32(c[0], c[1]), t3 = _mm_unpackhi_epi32(c[2], c[3]);
    __m128i row[4] = {_mm_unpacklo_epi64(t0, t1), _mm_unpackhi_epi64(t0, t1), _mm_unpacklo_epi64(t2, t3),
                      _mm_unpackhi_epi64(t2, t3)};
    for (int k = 0; k < count; ++k)
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4 * (first + k)), row[k]);
  }
};

}  // namespace zaforq::orq::wh
