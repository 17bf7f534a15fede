// Table construction for the real FFT (see fft_tables.h and fft_core.h for the layouts).
#include "gax/fft_tables.h"

#include <math.h>

#include "gax/fft_tables.h"

namespace zaforq::gax {

template <class T>
void init_sine_base(T* base, size_t n) {
  const size_t q = n / 4;
  const double step = 6.283185307179586476925286766559 / static_cast<double>(n);
  for (size_t j = 0; j <= q; ++j)
    base[j] = static_cast<T>(j <= n / 8 ? sin(static_cast<double>(j) * step) : cos(static_cast<double>(q - j) * step));
}

void init_bitrev_table(int log2M, int32_t* table) {
  const int bits = log2M - 2;
  const size_t count = size_t(1) << (bits > 0 ? bits : 0);
  // Incremental reversed counter: adding 1 at the top bit with the carry running downwards.
  uint32_t r = 0;
  for (size_t j = 0; j < count; ++j) {
    table[j] = static_cast<int32_t>(2 * r);
    if (bits <= 0) break;
    uint32_t bit = uint32_t(1) << (bits - 1);
    while (r & bit) {
      r ^= bit;
      bit >>= 1;
    }
    r |= bit;
  }
  table[count] = 0;
}

template <class T>
void init_radix4_twiddles(int log2M, const SineBase<T>& sb, T* table) {
  for (int s = 4 + (log2M & 1); s <= log2M; s += 2) {
    const size_t L = size_t(1) << s, stride = sb.n / L;
    for (size_t j = 0; j < L / 4; j += 4, table += 24)
      for (int q = 1; q <= 3; ++q)
        for (size_t t = 0; t < 4; ++t) sb.twiddle((j + t) * q * stride, table[8 * (q - 1) + t], table[8 * (q - 1) + 4 + t]);
  }
}

template <class T>
void init_realrec_table(const SineBase<T>& sb, T* table) {
  const size_t q = sb.n / 4;
  for (size_t j = 1; j <= q; j += 4, table += 8)
    for (size_t t = 0; t < 4; ++t) {
      table[t] = static_cast<T>(0.5) * sb.base[q - (j + t)];
      table[4 + t] = static_cast<T>(0.5) - static_cast<T>(0.5) * sb.base[j + t];
    }
}

template <class T>
void init_ccsrec_table(const SineBase<T>& sb, T* table) {
  const size_t q = sb.n / 4;
  for (size_t j = 1; j <= q; j += 4, table += 8)
    for (size_t t = 0; t < 4; ++t) {
      table[t] = sb.base[q - (j + t)];
      table[4 + t] = -sb.base[j + t];
    }
}

template void init_sine_base<float>(float*, size_t);
template void init_sine_base<double>(double*, size_t);
template void init_radix4_twiddles<float>(int, const SineBase<float>&, float*);
template void init_radix4_twiddles<double>(int, const SineBase<double>&, double*);
template void init_realrec_table<float>(const SineBase<float>&, float*);
template void init_realrec_table<double>(const SineBase<double>&, double*);
template void init_ccsrec_table<float>(const SineBase<float>&, float*);
template void init_ccsrec_table<double>(const SineBase<double>&, double*);

}  // namespace zaforq::gax
