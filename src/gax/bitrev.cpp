// Bit-reversed reordering of complex values. The table holds the reversal of the upper
// log2 M - 2 index bits; the two lowest bits reverse into the two highest ones:
// rev(4j + t) = table[j]/2 + rev2(t) * M/4.
//
// Long arrays are permuted by tiles so that memory is touched a cache line at a time: with the
// index split as i = (a, b, c) into kTileBits<T> high bits, the middle bits and as many low
// bits, rev(i) = (rev c, rev b, rev a). For one middle value b the 2^kTileBits source rows
// (a, b, .) are contiguous runs, read whole into a small buffer as transposed, and the
// destination rows (rev c, rev b, .) are written whole from it. Rows stand at a power-of-two
// distance, so going through the buffer also avoids the cache-set conflicts of a direct walk.
#include <string.h>

#include "gax/fft.h"
#include "gax/fft_tables.h"

namespace zaforq::gax {

namespace {

// Tiles of 32 x 32 values: rows of 256 (single) or 512 (double) bytes, which also keeps the
// number of pages touched per value low; buffers of 8 or 16 KiB on the stack (two of them for
// the exchange in place).
template <class T>
constexpr int kTileBits = 5;

template <class T>
inline void move_complex(const T* s, T* d) {
  memcpy(d, s, 2 * sizeof(T));
}

inline size_t reverse_bits(size_t x, int bits) {
  size_t r = 0;
  for (int i = 0; i < bits; ++i, x >>= 1) r = (r << 1) | (x & 1);
  return r;
}

template <class T>
struct TileGeometry {
  static constexpr int bits = kTileBits<T>;
  static constexpr size_t kTile = size_t(1) << bits;
  size_t row_stride;  // distance of consecutive high values a (complex values)
  int mid_bits;
  size_t rev_low[kTile];
  explicit TileGeometry(int log2M) : row_stride(size_t(1) << (log2M - bits)), mid_bits(log2M - 2 * bits) {
    for (size_t t = 0; t < kTile; ++t) rev_low[t] = reverse_bits(t, bits);
  }
};

// tmp[c][rev a] = x(a, b, c) for the tile of middle value b (2 * kTile * kTile reals).
template <class T>
void read_tile(const T* x, const TileGeometry<T>& g, size_t b, T* tmp) {
  constexpr size_t kTile = TileGeometry<T>::kTile;
  for (size_t a = 0; a < kTile; ++a) {
    const T* row = x + 2 * (a * g.row_stride + b * kTile);
    T* col = tmp + 2 * g.rev_low[a];
    for (size_t c = 0; c < kTile; ++c) move_complex(row + 2 * c, col + 2 * kTile * c);
  }
}

// Rows (rev c, rb, .) of x from tmp.
template <class T>
void write_tile(const T* tmp, const TileGeometry<T>& g, size_t rb, T* x) {
  constexpr size_t kTile = TileGeometry<T>::kTile;
  for (size_t c = 0; c < kTile; ++c)
    memcpy(x + 2 * (g.rev_low[c] * g.row_stride + rb * kTile), tmp + 2 * kTile * c, 2 * kTile * sizeof(T));
}

template <class T>
inline void swap_complex(T* a, T* b) {
  const T r = a[0], i = a[1];
  a[0] = b[0], a[1] = b[1];
  b[0] = r, b[1] = i;
}

}  // namespace

template <class T>
void bitrev_inplace(T* data, int log2M, const int32_t* table) {
  if (log2M >= 2 * kTileBits<T>) {
    const TileGeometry<T> g(log2M);
    constexpr size_t kTile = TileGeometry<T>::kTile;
    T tmp1[2 * kTile * kTile], tmp2[2 * kTile * kTile];
    const size_t mids = size_t(1) << g.mid_bits;
    for (size_t b = 0; b < mids; ++b) {
      const size_t rb = reverse_bits(b, g.mid_bits);
      if (rb < b) continue;  // exchanged when its partner came first
      read_tile(data, g, b, tmp1);
      if (rb == b) {
        write_tile(tmp1, g, b, data);
      } else {
        read_tile(data, g, rb, tmp2);
        write_tile(tmp1, g, rb, data);
        write_tile(tmp2, g, b, data);
      }
    }
    return;
  }
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
  if (log2M >= 2 * kTileBits<T>) {
    const TileGeometry<T> g(log2M);
    constexpr size_t kTile = TileGeometry<T>::kTile;
    T tmp[2 * kTile * kTile];
    const size_t mids = size_t(1) << g.mid_bits;
    for (size_t b = 0; b < mids; ++b) {
      read_tile(src, g, b, tmp);
      write_tile(tmp, g, reverse_bits(b, g.mid_bits), dst);
    }
    return;
  }
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
