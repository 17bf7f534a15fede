// MRG32k3a: two order-3 recurrences modulo m1 = 2^32 - 209 and m2 = 2^32 - 22853,
//   x1(n) = (1403580 x1(n-2) - 810728 x1(n-3)) mod m1,
//   x2(n) = (527612 x2(n-1) - 1370589 x2(n-3)) mod m2,
// output z(n) = (x1(n) - x2(n)) mod m1. State after the header: x1(n-3), x1(n-2), x1(n-1),
// x2(n-3), x2(n-2), x2(n-1).
//
// Arithmetic is exact in doubles: a step's sum a x - b y lies within (-2^53, 2^53), and its
// remainder is found from the quotient estimate q = nearest(p / m), computed as p times the
// nearest double to 1/m. The estimate is within 1/2 + 2^-31 of p/m, so p - q m lies in (-m, m)
// and one conditional addition of m gives the exact remainder. Rounding to nearest is set for
// the call (FpEnv).
//
// Calls of 64 outputs or more split them into 16 segments of S = n/16 consecutive elements.
// Lane i starts at element i S, reached by the matrix power A^S (a product of tabulated squares
// A^(2^k)) applied i times to the stream's state, and each pass of the vector loop advances all
// 16 lanes by one step, so one pass writes 16 outputs; the leftover n - 16 S elements follow
// serially from the end of lane 15. Shorter calls run serially with both components in one
// register.
#pragma once
#include "common/fpenv.h"
#include "common/simd.h"
#include "orq_sub_kernel/_math/matr3x3.h"
#include "orq_sub_kernel/_service/stream.h"

namespace zaforq::orq::mrg {

struct State {
  uint32_t x1[3];  // x1(n-3), x1(n-2), x1(n-1)
  uint32_t x2[3];  // x2(n-3), x2(n-2), x2(n-1)
};
static_assert(sizeof(State) + kHeaderBytes == 40, "MRG32k3a record is 40 bytes");

constexpr uint32_t kM1 = 4294967087u;  // 2^32 - 209
constexpr uint32_t kM2 = 4294944443u;  // 2^32 - 22853
constexpr uint32_t kA12 = 1403580u, kA13 = 810728u;
constexpr uint32_t kA21 = 527612u, kA23 = 1370589u;
constexpr double kM1d = 4294967087.0, kM2d = 4294944443.0;
constexpr double kInvM1 = 1.0 / 4294967087.0;  // the double nearest 1/m1, also the output scale
constexpr double kInvM2 = 1.0 / 4294944443.0;

// Companion coefficients for skip-ahead (c0 on x(n-1), c1 on x(n-2), c2 on x(n-3)); the
// negative coefficients enter as m - coefficient.
constexpr uint32_t kCoef1[3] = {0u, kA12, kM1 - kA13};  // m1 - 810728 = 4294156359
constexpr uint32_t kCoef2[3] = {kA21, 0u, kM2 - kA23};  // m2 - 1370589 = 4293573854

constexpr int32_t kLanes = 16;
constexpr int32_t kLaneMin = 64;  // below this the lane set-up costs more than it saves

// A^(2^k) for k = 0..30 and both components, A the companion matrix, computed by the compiler:
// a segment length S then costs one matrix product per set bit of S.
struct Powers {
  uint32_t p1[31][9], p2[31][9];
};
constexpr uint32_t cmul(uint32_t a, uint32_t b, uint32_t m) {
  return static_cast<uint32_t>(static_cast<uint64_t>(a) * b % m);
}
constexpr void csquare(const uint32_t* a, uint32_t* r, uint32_t m) {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      uint64_t s = 0;
      for (int k = 0; k < 3; ++k) s = (s + cmul(a[3 * i + k], a[3 * k + j], m)) % m;
      r[3 * i + j] = static_cast<uint32_t>(s);
    }
}
constexpr Powers make_powers() {
  Powers w{};
  const uint32_t a1[9] = {0, 1, 0, 0, 0, 1, kCoef1[2], kCoef1[1], kCoef1[0]};
  const uint32_t a2[9] = {0, 1, 0, 0, 0, 1, kCoef2[2], kCoef2[1], kCoef2[0]};
  for (int i = 0; i < 9; ++i) w.p1[0][i] = a1[i], w.p2[0][i] = a2[i];
  for (int k = 1; k < 31; ++k) {
    csquare(w.p1[k - 1], w.p1[k], kM1);
    csquare(w.p2[k - 1], w.p2[k], kM2);
  }
  return w;
}
inline constexpr Powers kPowers = make_powers();

// B = A^S for one component from the table of squares.
template <uint32_t M>
inline void power_of(const uint32_t (*squares)[9], int32_t S, uint32_t* B) {
  const FixedModulus<M> mod;
  bool first = true;
  for (int k = 0; S; ++k, S >>= 1) {
    if (!(S & 1)) continue;
    if (first) memcpy(B, squares[k], 9 * sizeof(uint32_t));
    else mat3_mul(squares[k], B, B, mod);
    first = false;
  }
}

// An integer 0 <= z < 2^32 held in a double, as uint32 (through the signed conversion).
inline uint32_t to_u32(double z) {
  return static_cast<uint32_t>(_mm_cvttsd_si32(_mm_set_sd(z - 2147483648.0))) ^ 0x80000000u;
}

// p mod m for integers |p| < 2^53 held exactly in doubles.
inline simd::f64x2 reduce(simd::f64x2 p, simd::f64x2 m, simd::f64x2 inv) {
  using namespace simd;
  const f64x2 q = _mm_cvtepi32_pd(_mm_cvtpd_epi32((p * inv).v));
  const f64x2 r = p - q * m;
  return r + (m & (r < f64x2::all(0.0)));
}

// Serial generation of n outputs from a double copy of the state, both components side by side
// (component 1 in lane 0, component 2 in lane 1); sink.one(i, z) takes the raw output z (an
// integer below m1, as a double) of element i.
template <class Sink>
inline void serial(double* x1, double* x2, int32_t first, int32_t n, const Sink& out) {
  using namespace simd;
  Sink sink = out;
  const f64x2 ca = _mm_set_pd(kA21, kA12), cb = _mm_set_pd(kA23, kA13);
  const f64x2 m = _mm_set_pd(kM2d, kM1d), inv = _mm_set_pd(kInvM2, kInvM1), m1 = f64x2::all(kM1d);
  f64x2 o = _mm_set_pd(x2[0], x1[0]), mid = _mm_set_pd(x2[1], x1[1]), last = _mm_set_pd(x2[2], x1[2]);
  for (int32_t i = 0; i < n; ++i) {
    // x1(n-2) for component 1, x2(n-1) for component 2
    const f64x2 lag = _mm_move_sd(last.v, mid.v);
    const f64x2 x = reduce(ca * lag - cb * o, m, inv);
    o = mid, mid = last, last = x;
    f64x2 z = _mm_sub_sd(x.v, _mm_unpackhi_pd(x.v, x.v));
    z = z + (m1 & (z < f64x2::all(0.0)));
    sink.one(first + i, z.lane0());
  }
  x1[0] = o.lane0(), x1[1] = mid.lane0(), x1[2] = last.lane0();
  x2[0] = o.lane1(), x2[1] = mid.lane1(), x2[2] = last.lane1();
}

// The 16-lane loop over l1[slot][lane] and l2[slot][lane], the slots a ring over x(n-3),
// x(n-2), x(n-1); writes lane 15's final state to x1, x2.
template <class Sink>
inline void lanes(double (*l1)[kLanes], double (*l2)[kLanes], int32_t steps, const Sink& out, double* x1, double* x2) {
  using namespace simd;
  Sink sink = out;  // a private copy: stores to the output cannot alias its scale and offset
  const f64x2 c12 = f64x2::all(kA12), c13 = f64x2::all(kA13), c21 = f64x2::all(kA21), c23 = f64x2::all(kA23);
  const f64x2 m1 = f64x2::all(kM1d), m2 = f64x2::all(kM2d), i1 = f64x2::all(kInvM1), i2 = f64x2::all(kInvM2);
  const f64x2 zero = f64x2::all(0.0);
  double *a0 = l1[0], *a1 = l1[1], *a2 = l1[2], *b0 = l2[0], *b1 = l2[1], *b2 = l2[2];
  for (int32_t p = 0; p < steps; ++p) {
    for (int32_t j = 0; j < kLanes; j += 2) {
      const f64x2 x = reduce(c12 * f64x2::load_aligned(a1 + j) - c13 * f64x2::load_aligned(a0 + j), m1, i1);
      const f64x2 y = reduce(c21 * f64x2::load_aligned(b2 + j) - c23 * f64x2::load_aligned(b0 + j), m2, i2);
      _mm_store_pd(a0 + j, x.v);  // the oldest slot becomes the newest
      _mm_store_pd(b0 + j, y.v);
      f64x2 z = x - y;
      z = z + (m1 & (z < zero));
      sink.two(j, p, z);
    }
    double* t = a0;
    a0 = a1, a1 = a2, a2 = t;
    t = b0, b0 = b1, b1 = b2, b2 = t;
  }
  // lane 15 ends where the serial tail begins
  x1[0] = a0[kLanes - 1], x1[1] = a1[kLanes - 1], x1[2] = a2[kLanes - 1];
  x2[0] = b0[kLanes - 1], x2[1] = b1[kLanes - 1], x2[2] = b2[kLanes - 1];
}

// n outputs into the sink; the sink learns the segment length S before the lanes run.
template <class Sink>
inline void generate(State* st, int32_t n, Sink& sink) {
  FpEnv env;  // rounding to nearest for the quotient estimates
  double x1[3], x2[3];
  int32_t done = 0;
  if (n >= kLaneMin) {
    const int32_t S = n / kLanes;
    uint32_t B1[9], B2[9];
    power_of<kM1>(kPowers.p1, S, B1);
    power_of<kM2>(kPowers.p2, S, B2);
    alignas(16) double l1[3][kLanes], l2[3][kLanes];
    uint32_t v1[3] = {st->x1[0], st->x1[1], st->x1[2]}, v2[3] = {st->x2[0], st->x2[1], st->x2[2]};
    for (int32_t j = 0; j < kLanes; ++j) {
      if (j) {
        mat3_vec(B1, v1, v1, FixedModulus<kM1>{});
        mat3_vec(B2, v2, v2, FixedModulus<kM2>{});
      }
      for (int32_t k = 0; k < 3; ++k) l1[k][j] = v1[k], l2[k][j] = v2[k];
    }
    sink.segment(S);
    lanes(l1, l2, S, sink, x1, x2);
    done = kLanes * S;
  } else {
    for (int32_t k = 0; k < 3; ++k) x1[k] = st->x1[k], x2[k] = st->x2[k];
  }
  serial(x1, x2, done, n - done, sink);
  for (int32_t k = 0; k < 3; ++k) {
    st->x1[k] = to_u32(x1[k]);
    st->x2[k] = to_u32(x2[k]);
  }
}

// Sinks: r[i] = z c + a for doubles and floats (c = (b - a) / m1), z itself for integers.
template <class T>
struct Scaled {
  T* r;
  double c, a;
  int32_t S = 0;
  void segment(int32_t s) { S = s; }
  void one(int32_t i, double z) { r[i] = static_cast<T>(z * c + a); }
  void two(int32_t j, int32_t p, simd::f64x2 z) {
    const simd::f64x2 v = z * simd::f64x2::all(c) + simd::f64x2::all(a);
    r[j * S + p] = static_cast<T>(v.lane0());
    r[(j + 1) * S + p] = static_cast<T>(v.lane1());
  }
};

struct Words {
  uint32_t* r;
  int32_t S = 0;
  void segment(int32_t s) { S = s; }
  void one(int32_t i, double z) {
    r[i] = to_u32(z);
  }
  void two(int32_t j, int32_t p, simd::f64x2 z) {
    // z < 2^32: convert z - 2^31 as a signed integer and flip the top bit back
    const __m128i w = _mm_xor_si128(_mm_cvttpd_epi32((z - simd::f64x2::all(2147483648.0)).v),
                                    _mm_set1_epi32(static_cast<int32_t>(0x80000000u)));
    r[j * S + p] = static_cast<uint32_t>(_mm_cvtsi128_si32(w));
    r[(j + 1) * S + p] = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(w, 4)));
  }
};

}  // namespace zaforq::orq::mrg
