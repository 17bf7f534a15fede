// The Mersenne-twister logic shared by MT19937 and MT2203: key-array initialisation,
// regeneration, tempering, and the bulk path that writes untempered words straight into the
// output and tempers them in place.
#pragma once
#include "common/simd.h"
#include "orq_sub_kernel/_service/convert.h"
#include "orq_sub_kernel/_service/stream.h"

namespace zaforq::orq {

struct Mt19937State {
  uint32_t mt[624];
  int32_t pos;  // next word to output; 624 when used up
};
static_assert(sizeof(Mt19937State) + kHeaderBytes == 2516, "MT19937 record is 2516 bytes");

struct Mt2203State {
  uint32_t mt[69];
  int32_t pos;
  uint32_t a, b, c;  // twist constant and tempering masks of the parameter set
};
static_assert(sizeof(Mt2203State) + kHeaderBytes == 308, "MT2203 record is 308 bytes");

// Shape and constants of one twister; the parameters may come from the state (MT2203).
template <int N_, int M_, uint32_t Upper, int U>
struct Twister {
  static constexpr int N = N_, M = M_;
  static constexpr uint32_t kUpper = Upper, kLower = ~Upper;
  uint32_t a, b, c;

  uint32_t next(uint32_t x0, uint32_t x1, uint32_t xm) const {
    uint32_t y = (x0 & kUpper) | (x1 & kLower);
    return xm ^ (y >> 1) ^ ((0u - (y & 1u)) & a);
  }
  uint32_t temper(uint32_t y) const {
    y ^= y >> U;
    y ^= (y << 7) & b;
    y ^= (y << 15) & c;
    y ^= y >> 18;
    return y;
  }

  // The key-array initialisation (L words; n <= 0 means the key {1}).
  static void init_state(uint32_t* mt, int32_t n, const uint32_t* key) {
    static const uint32_t kDefaultKey[1] = {1u};
    if (n <= 0) {
      n = 1;
      key = kDefaultKey;
    }
    mt[0] = 19650218u;
    for (int i = 1; i < N; ++i) mt[i] = 1812433253u * (mt[i - 1] ^ (mt[i - 1] >> 30)) + static_cast<uint32_t>(i);
    int i = 1, j = 0;
    for (int32_t k = N > n ? N : n; k > 0; --k) {
      mt[i] = (mt[i] ^ ((mt[i - 1] ^ (mt[i - 1] >> 30)) * 1664525u)) + key[j] + static_cast<uint32_t>(j);
      ++i;
      ++j;
      if (i >= N) {
        mt[0] = mt[N - 1];
        i = 1;
      }
      if (j >= n) j = 0;
    }
    for (int k = N - 1; k > 0; --k) {
      mt[i] = (mt[i] ^ ((mt[i - 1] ^ (mt[i - 1] >> 30)) * 1566083941u)) - static_cast<uint32_t>(i);
      ++i;
      if (i >= N) {
        mt[0] = mt[N - 1];
        i = 1;
      }
    }
    mt[0] = 0x80000000u;
  }

  void regenerate(uint32_t* mt) const {
    int i = 0;
    for (; i < N - M; ++i) mt[i] = next(mt[i], mt[i + 1], mt[i + M]);
    for (; i < N - 1; ++i) mt[i] = next(mt[i], mt[i + 1], mt[i + M - N]);
    mt[N - 1] = next(mt[N - 1], mt[0], mt[M - 1]);
  }

  // Four words x[t..t+3] from x[t-N..], vectorised; N - M >= 4 keeps the lanes independent.
  void next4(uint32_t* x) const {
    using namespace zaforq::simd;
    const uint32_t* p = x - N;
    i32x4 x0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    i32x4 x1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    i32x4 xm = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + M));
    i32x4 y = (x0 & i32x4::all(static_cast<int32_t>(kUpper))) | (x1 & i32x4::all(static_cast<int32_t>(kLower)));
    i32x4 odd = i32x4::all(0) - (y & i32x4::all(1));
    i32x4 r = xm ^ shr<1>(y) ^ (odd & i32x4::all(static_cast<int32_t>(a)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(x), r.v);
  }

  void temper_in_place(uint32_t* x, int32_t n) const {
    using namespace zaforq::simd;
    const i32x4 vb = i32x4::all(static_cast<int32_t>(b)), vc = i32x4::all(static_cast<int32_t>(c));
    int32_t i = 0;
    for (; i + 4 <= n; i += 4) {
      i32x4 y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + i));
      y = y ^ shr<U>(y);
      y = y ^ (shl<7>(y) & vb);
      y = y ^ (shl<15>(y) & vc);
      y = y ^ shr<18>(y);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(x + i), y.v);
    }
    for (; i < n; ++i) x[i] = temper(x[i]);
  }

  // n tempered words. Up to N words go one by one; more are written untempered straight into
  // the output (the rest of the current block, then each word from the words N, N - 1 and
  // N - M places before it), the last N go back into mt, and a final pass tempers the output.
  void fill(uint32_t* mt, int32_t& pos, uint32_t* out, int32_t n) const {
    if (pos < 0 || pos > N) pos = N;  // a state read from a file may hold any position
    if (n <= N) {
      for (int32_t k = 0; k < n; ++k) {
        if (pos == N) {
          regenerate(mt);
          pos = 0;
        }
        out[k] = temper(mt[pos++]);
      }
      return;
    }
    // sequence index t: word t of the current block is mt[t]; out[k] is word pos + k
    const int32_t start = pos, end = pos + n;
    const int32_t rest = N - start;
    memcpy(out, mt + start, sizeof(uint32_t) * rest);
    auto word = [&](int32_t t) { return t < N ? mt[t] : out[t - start]; };
    int32_t t = N;
    // words whose sources still lie partly in mt
    for (; t < N + start + 1 && t < end; ++t) out[t - start] = next(word(t - N), word(t - N + 1), word(t - N + M));
    for (; t + 4 <= end; t += 4) next4(out + (t - start));
    for (; t < end; ++t) {
      uint32_t* x = out + (t - start);
      x[0] = next(x[-N], x[1 - N], x[M - N]);
    }
    memcpy(mt, out + (n - N), sizeof(uint32_t) * N);
    pos = N;
    temper_in_place(out, n);
  }
};

using Mt19937 = Twister<624, 397, 0x80000000u, 11>;
using Mt2203 = Twister<69, 34, 0xFFFFFFE0u, 12>;

inline Mt19937 mt19937_params() { return Mt19937{0x9908B0DFu, 0x9D2C5680u, 0xEFC60000u}; }
inline Mt2203 mt2203_params(const Mt2203State* st) { return Mt2203{st->a, st->b, st->c}; }

}  // namespace zaforq::orq
