// Tables of the real FFT: the quarter-wave sine base, bit reversal, radix-4 twiddles and the
// twiddles of the real recombination steps.
#pragma once
#include <stddef.h>
#include <stdint.h>

namespace zaforq::gax {

// Quarter-wave sine of a transform of n reals: base[j] = sin(2 pi j / n), j = 0 .. n/4.
template <class T>
struct SineBase {
  const T* base;
  size_t n;
  // e^(-2 pi i p / n) for any p >= 0.
  void twiddle(size_t p, T& re, T& im) const {
    p &= n - 1;
    const size_t q = n / 4, quadrant = p / q, r = p % q;
    T c, s;
    switch (quadrant) {
      case 0: s = base[r], c = base[q - r]; break;
      case 1: s = base[q - r], c = -base[r]; break;
      case 2: s = -base[r], c = -base[q - r]; break;
      default: s = -base[q - r], c = base[r]; break;
    }
    re = c, im = -s;
  }
};

// Fills base[0 .. n/4]; each half of the quarter wave is computed near its accurate end.
template <class T>
void init_sine_base(T* base, size_t n);

// entry j = 2 * (bit reversal of j over log2M - 2 bits), j < M/4, then a trailing 0.
void init_bitrev_table(int log2M, int32_t* table);

// The radix-4 core's table for M = 2^log2M complex values (radix4_table_reals(log2M) values),
// from the base table of a transform of n reals (n a multiple of 2M).
template <class T>
void init_radix4_twiddles(int log2M, const SineBase<T>& sb, T* table);

// Real recombination tables over j = 1 .. n/4, in groups of four: forward a_j = cos/2,
// b_j = (1 - sin)/2; inverse cos and -sin.
template <class T>
void init_realrec_table(const SineBase<T>& sb, T* table);
template <class T>
void init_ccsrec_table(const SineBase<T>& sb, T* table);

// Number of twiddle values (reals) in the radix-4 table of M = 2^log2M complex values: per
// stage of span L = 2^s, s = 4 + (log2M mod 2), s + 2, .. log2M, the 3L/4 values w^(jq).
inline size_t radix4_table_reals(int log2M) {
  size_t total = 0;
  for (int s = 4 + (log2M & 1); s <= log2M; s += 2) total += 6 * (size_t(1) << s) / 4;
  return total;
}

// The two lowest index bits reversed.
constexpr int kRev2[4] = {0, 2, 1, 3};

}  // namespace zaforq::gax
