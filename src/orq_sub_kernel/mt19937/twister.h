// The Mersenne-twister logic shared by MT19937 and MT2203: key-array initialisation, and the
// generation loop over the block work of twist_paths.h.
#pragma once
#include "cpu/path.h"
#include "orq_sub_kernel/_service/stream.h"
#include "orq_sub_kernel/mt19937/twist_paths.h"

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
  static constexpr uint32_t kUpper = Upper;
  uint32_t a, b, c;

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

  TwistShape shape() const { return {N, M, kUpper, a, b, c, U}; }
};

// The block work on the caller's chosen path.
inline void regenerate(cpu::Path p, const TwistShape& g, uint32_t* mt) {
#if defined(__x86_64__)
  if (p == cpu::kAvx512) return twist_avx512::regenerate(g, mt);
  if (p == cpu::kAvx2) return twist_avx2::regenerate(g, mt);
#endif
  twist_sse2::regenerate(g, mt);
}
template <class... Out>
inline void temper(cpu::Path p, const TwistShape& g, const uint32_t* src, int32_t k, Out... out) {
#if defined(__x86_64__)
  if (p == cpu::kAvx512) return twist_avx512::temper(g, src, k, out...);
  if (p == cpu::kAvx2) return twist_avx2::temper(g, src, k, out...);
#endif
  twist_sse2::temper(g, src, k, out...);
}

// n outputs: the state's remaining words, then whole blocks regenerated in place, each run of
// words tempered (and converted) straight from the state into the output. Regenerating in
// place keeps the working set at the state's N words and writes every output once, however
// large n is.
template <class T, class... Scale>
inline void twist_fill(const TwistShape& g, uint32_t* mt, int32_t& pos, T* out, int32_t n, Scale... scale) {
  const cpu::Path p = cpu::current();
  if (pos < 0 || pos > g.n) pos = g.n;  // a state read from a file may hold any position
  for (int32_t done = 0; done < n;) {
    if (pos == g.n) {
      regenerate(p, g, mt);
      pos = 0;
    }
    const int32_t k = g.n - pos < n - done ? g.n - pos : n - done;
    temper(p, g, mt + pos, k, out + done, scale...);
    pos += k;
    done += k;
  }
}

// The generation entries' bodies: n words, or n uniform numbers on [a, b) as y (b - a) 2^-32 + a.
template <class State, class Tw>
inline void twist_words(State* st, const Tw& tw, uint32_t* out, int32_t n) {
  twist_fill(tw.shape(), st->mt, st->pos, out, n);
}
template <class State, class Tw, class T>
inline void twist_uniform(State* st, const Tw& tw, T* r, int32_t n, double a, double b) {
  twist_fill(tw.shape(), st->mt, st->pos, r, n, (b - a) * (1.0 / 4294967296.0), a);
}

using Mt19937 = Twister<624, 397, 0x80000000u, 11>;
using Mt2203 = Twister<69, 34, 0xFFFFFFE0u, 12>;

inline Mt19937 mt19937_params() { return Mt19937{0x9908B0DFu, 0x9D2C5680u, 0xEFC60000u}; }
inline Mt2203 mt2203_params(const Mt2203State* st) { return Mt2203{st->a, st->b, st->c}; }

}  // namespace zaforq::orq
