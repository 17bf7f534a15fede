// Bit-reversed reordering of complex values. The table holds the reversal of the upper
// log2 M - 2 index bits; the two lowest bits reverse into the two highest ones:
// rev(4j + t) = table[j]/2 + rev2(t) * M/4.
#include <string.h>

#include "gax/fft.h"
#include "gax/radix4.h"

namespace zaforq::gax {

namespace {
template <class T>
inline void swap_complex(T* a, T* b) {
  const T r = a[0], i = a[1];
  a[0] = b[0], a[1] = b[1];
  b[0] = r, b[1] = i;
}
}  // namespace

template <class T>
void bitrev_inplace(T* data, int log2M, const int32_t* table) {
  const size_t quarter = (size_t(1) << log2M) / 4;
  for (size_t j = 0; j < quarter; ++j) {
    const size_t r = static_cast<size_t>(table[j]) / 2;
    for (int t = 0; t < 4; ++t) {
      const size_t i = 4 * j + t, k = r + kRev2[t] * quarter;
      if (i < k) swap_complex(data + 2 * i, data + 2 * k);
    }
  }
}

template <class T>
void bitrev_copy(const T* src, T* dst, int log2M, const int32_t* table) {
  const size_t quarter = (size_t(1) << log2M) / 4;
  for (size_t j = 0; j < quarter; ++j) {
    const T* s = src + static_cast<size_t>(table[j]);
    T* d = dst + 8 * j;
    for (int t = 0; t < 4; ++t) memcpy(d + 2 * t, s + 2 * kRev2[t] * quarter, 2 * sizeof(T));
  }
}

template void bitrev_inplace<float>(float*, int, const int32_t*);
template void bitrev_inplace<double>(double*, int, const int32_t*);
template void bitrev_copy<float>(const float*, float*, int, const int32_t*);
template void bitrev_copy<double>(const double*, double*, int, const int32_t*);

}  // namespace zaforq::gax
