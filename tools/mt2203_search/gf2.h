// Polynomials over GF(2) for the MT2203 parameter search and its test: bit-packed words,
// carry-less multiplication, Barrett reduction, Berlekamp-Massey and the irreducibility test
// for prime degree. Header-only, used by tools/mt2203_search and by the table test.
#pragma once
#include <stdint.h>
#include <string.h>

#include <vector>

#if defined(__PCLMUL__)
#include <wmmintrin.h>
#endif

namespace gf2 {

using Poly = std::vector<uint64_t>;  // bit i of word i/64 is the coefficient of x^i

// 64 x 64 -> 128 bit carry-less product.
inline void clmul(uint64_t a, uint64_t b, uint64_t& lo, uint64_t& hi) {
#if defined(__PCLMUL__)
  __m128i p = _mm_clmulepi64_si128(_mm_cvtsi64_si128(static_cast<long long>(a)),
                                   _mm_cvtsi64_si128(static_cast<long long>(b)), 0);
  lo = static_cast<uint64_t>(_mm_cvtsi128_si64(p));
  hi = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_srli_si128(p, 8)));
#else
  uint64_t l = 0, h = 0;
  for (int i = 0; i < 64; ++i) {
    if ((b >> i) & 1) {
      l ^= a << i;
      if (i) h ^= a >> (64 - i);
    }
  }
  lo = l;
  hi = h;
#endif
}

inline int degree(const Poly& p) {
  for (size_t w = p.size(); w-- > 0;)
    if (p[w]) return static_cast<int>(w * 64 + 63 - __builtin_clzll(p[w]));
  return -1;
}
inline int bit(const Poly& p, int i) {
  size_t w = static_cast<size_t>(i) >> 6;
  return w < p.size() ? static_cast<int>((p[w] >> (i & 63)) & 1) : 0;
}
inline void set_bit(Poly& p, int i) {
  size_t w = static_cast<size_t>(i) >> 6;
  if (w >= p.size()) p.resize(w + 1, 0);
  p[w] |= 1ull << (i & 63);
}
inline void trim(Poly& p) {
  while (!p.empty() && p.back() == 0) p.pop_back();
}

// r = a * b
inline Poly mul(const Poly& a, const Poly& b) {
  Poly r(a.size() + b.size() + 1, 0);
  for (size_t i = 0; i < a.size(); ++i) {
    if (!a[i]) continue;
    for (size_t j = 0; j < b.size(); ++j) {
      uint64_t lo, hi;
      clmul(a[i], b[j], lo, hi);
      r[i + j] ^= lo;
      r[i + j + 1] ^= hi;
    }
  }
  return r;
}

// a shifted right by s bits (floor division by x^s)
inline Poly shr(const Poly& a, int s) {
  size_t ws = static_cast<size_t>(s) >> 6;
  int bs = s & 63;
  if (ws >= a.size()) return Poly();
  Poly r(a.size() - ws, 0);
  for (size_t i = 0; i < r.size(); ++i) {
    uint64_t v = a[i + ws] >> bs;
    if (bs && i + ws + 1 < a.size()) v |= a[i + ws + 1] << (64 - bs);
    r[i] = v;
  }
  return r;
}

// Keep the coefficients below x^d.
inline void truncate(Poly& a, int d) {
  size_t words = (static_cast<size_t>(d) + 63) >> 6;
  if (a.size() > words) a.resize(words);
  if ((d & 63) && a.size() == words) a[words - 1] &= (1ull << (d & 63)) - 1;
}

// Remainder of a by m, bit by bit (used once per modulus).
inline Poly mod_slow(Poly a, const Poly& m) {
  int dm = degree(m);
  for (int i = degree(a); i >= dm; --i) {
    if (!bit(a, i)) continue;
    int s = i - dm;
    for (int j = 0; j <= dm; ++j)
      if (bit(m, j)) a[static_cast<size_t>(j + s) >> 6] ^= 1ull << ((j + s) & 63);
  }
  truncate(a, dm);
  trim(a);
  return a;
}

// Barrett reduction modulo m of degree d: mu = floor(x^(2d) / m); for deg a < 2d,
// a mod m = a - floor(floor(a / x^d) * mu / x^d) * m, exact over GF(2).
struct Barrett {
  Poly m, mu;
  int d;
  explicit Barrett(const Poly& modulus) : m(modulus), d(degree(modulus)) {
    // long division of x^(2d) by m, keeping the quotient
    Poly rem;
    set_bit(rem, 2 * d);
    Poly q;
    for (int i = 2 * d; i >= d; --i) {
      if (!bit(rem, i)) continue;
      set_bit(q, i - d);
      int s = i - d;
      for (int j = 0; j <= d; ++j)
        if (bit(m, j)) rem[static_cast<size_t>(j + s) >> 6] ^= 1ull << ((j + s) & 63);
    }
    mu = q;
  }
  Poly reduce(const Poly& a) const {
    Poly q = shr(mul(shr(a, d), mu), d);
    Poly qm = mul(q, m);
    Poly r = a;
    if (r.size() < qm.size()) r.resize(qm.size(), 0);
    for (size_t i = 0; i < qm.size(); ++i) r[i] ^= qm[i];
    truncate(r, d);
    trim(r);
    return r;
  }
};

inline Poly square(const Poly& a) {
  Poly r(2 * a.size(), 0);
  for (size_t i = 0; i < a.size(); ++i) clmul(a[i], a[i], r[2 * i], r[2 * i + 1]);
  return r;
}

// Irreducibility for a prime degree d: x^(2^d) = x (mod p), no linear factor (p(0) = p(1) = 1).
inline bool irreducible_prime_degree(const Poly& p) {
  int d = degree(p);
  if (d < 2 || !bit(p, 0)) return false;
  int weight = 0;
  for (uint64_t w : p) weight += __builtin_popcountll(w);
  if (!(weight & 1)) return false;  // p(1) = 0
  Barrett br(p);
  Poly x;
  set_bit(x, 1);
  for (int i = 0; i < d; ++i) x = br.reduce(square(x));
  trim(x);
  return x.size() == 1 && x[0] == 2;
}

// Berlekamp-Massey: the minimal polynomial of a bit sequence s[0..len), returned as the
// characteristic polynomial P(x) = x^L + c1 x^(L-1) + ... + cL of the recurrence
// s[n] = c1 s[n-1] + ... + cL s[n-L]; L is its degree (the linear complexity).
inline Poly berlekamp_massey(const std::vector<uint8_t>& s, int& L) {
  int len = static_cast<int>(s.size());
  int words = (len + 64) / 64 + 2;
  // the sequence reversed into words, so that sum(c_i s[n-i]) is a word-wise AND and parity:
  // bit j of R is s[len-1-j], and s[n-i] is bit (len-1-n+i)
  Poly R(words + 1, 0);
  for (int j = 0; j < len; ++j)
    if (s[len - 1 - j]) R[j >> 6] |= 1ull << (j & 63);
  auto window = [&](int o) -> uint64_t {
    int w = o >> 6, b = o & 63;
    uint64_t v = R[w] >> b;
    if (b) v |= R[w + 1] << (64 - b);
    return v;
  };
  Poly C(words, 0), B(words, 0), T;
  C[0] = B[0] = 1;
  L = 0;
  int m = 1;
  for (int n = 0; n < len; ++n) {
    int o = len - 1 - n;
    uint64_t acc = 0;
    int top = L >> 6;
    for (int k = 0; k <= top; ++k) acc ^= C[k] & window(o + 64 * k);
    int d = __builtin_parityll(acc);
    if (!d) {
      ++m;
      continue;
    }
    bool grow = 2 * L <= n;
    if (grow) T = C;
    int ws = m >> 6, bs = m & 63;
    for (int i = words - 1; i >= ws; --i) {
      uint64_t v = B[i - ws] << bs;
      if (bs && i - ws - 1 >= 0) v |= B[i - ws - 1] >> (64 - bs);
      C[i] ^= v;
    }
    if (grow) {
      L = n + 1 - L;
      B = T;
      m = 1;
    } else {
      ++m;
    }
  }
  // reverse the connection polynomial C (c0 = 1, degree <= L) into P of degree L
  Poly P((L + 64) / 64, 0);
  for (int i = 0; i <= L; ++i)
    if ((C[i >> 6] >> (i & 63)) & 1) P[(L - i) >> 6] |= 1ull << ((L - i) & 63);
  return P;
}

}  // namespace gf2
