// Bit-reversed reordering of complex values, compiled once per instruction-set path (included
// by fft_core.h inside the path's namespace). The table holds the reversal of the upper
// log2 M - 2 index bits; the two lowest bits reverse into the two highest ones:
// rev(4j + t) = table[j]/2 + rev2(t) * M/4.
//
// Long arrays are permuted by tiles so that memory is touched a cache line at a time: with the
// index split as i = (a, b, c) into kTileBits high bits, the middle bits and as many low bits,
// rev(i) = (rev c, rev b, rev a). For one middle value b the 2^kTileBits source rows (a, b, .)
// are contiguous runs, read whole into a small buffer as transposed, and the destination rows
// (rev c, rev b, .) are written whole from it. Rows stand at a power-of-two distance, so going
// through the buffer also avoids the cache-set conflicts of a direct walk.
#pragma once
#ifndef ZAFORQ_ISA_NS
#error "define ZAFORQ_ISA_NS before including bitrev_tiles.h"
#endif
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <immintrin.h>

#include "gax/fft_tables.h"

#ifndef ZAFORQ_FFT_WHOLE_LINES
#define ZAFORQ_FFT_WHOLE_LINES 1
#endif

namespace zaforq::gax::ZAFORQ_ISA_NS {

// out[i][u] = in[u][i] for the G x G complex values of a square whose rows are one cache line
// each (G = 64 / (2 sizeof(T))). On 512-bit registers: G line loads, shuffles, and G whole-line
// stores; a transpose done value by value writes into G lines at once with narrow stores, which
// stalls the stores once the lines are beyond the first-level cache.
template <class T>
inline __attribute__((always_inline)) void transpose_square(const T* const* in, T* const* out) {
#if defined(__AVX512F__) && ZAFORQ_FFT_WHOLE_LINES
  if constexpr (sizeof(T) == 8) {  // 4 x 4 complex doubles: 128-bit pieces
    __m512d l[4];
    for (size_t u = 0; u < 4; ++u) l[u] = _mm512_loadu_pd(in[u]);
    const __m512d a = _mm512_shuffle_f64x2(l[0], l[1], 0x44), b = _mm512_shuffle_f64x2(l[2], l[3], 0x44);
    const __m512d c = _mm512_shuffle_f64x2(l[0], l[1], 0xEE), d = _mm512_shuffle_f64x2(l[2], l[3], 0xEE);
    _mm512_storeu_pd(out[0], _mm512_shuffle_f64x2(a, b, 0x88));
    _mm512_storeu_pd(out[1], _mm512_shuffle_f64x2(a, b, 0xDD));
    _mm512_storeu_pd(out[2], _mm512_shuffle_f64x2(c, d, 0x88));
    _mm512_storeu_pd(out[3], _mm512_shuffle_f64x2(c, d, 0xDD));
  } else {  // 8 x 8 complex floats: 64-bit pieces
    __m512d l[8], h[8], q[8];
    for (size_t u = 0; u < 8; ++u) l[u] = _mm512_castps_pd(_mm512_loadu_ps(in[u]));
    for (size_t u = 0; u < 8; u += 2) h[u] = _mm512_unpacklo_pd(l[u], l[u + 1]), h[u + 1] = _mm512_unpackhi_pd(l[u], l[u + 1]);
    for (size_t u = 0; u < 8; u += 4)
      for (size_t v = 0; v < 2; ++v) {
        q[u + 2 * v] = _mm512_shuffle_f64x2(h[u + v], h[u + v + 2], 0x88);
        q[u + 2 * v + 1] = _mm512_shuffle_f64x2(h[u + v], h[u + v + 2], 0xDD);
      }
    // q[0]: pieces 0, 4 of lines 0 .. 3; q[1]: pieces 2, 6; q[2]: 1, 5; q[3]: 3, 7 (q[4 ..] lines 4 .. 7)
    constexpr size_t first_of[4] = {0, 2, 1, 3};
    for (size_t v = 0; v < 4; ++v) {
      _mm512_storeu_ps(out[first_of[v]], _mm512_castpd_ps(_mm512_shuffle_f64x2(q[v], q[v + 4], 0x88)));
      _mm512_storeu_ps(out[first_of[v] + 4], _mm512_castpd_ps(_mm512_shuffle_f64x2(q[v], q[v + 4], 0xDD)));
    }
  }
#elif defined(__AVX2__)
  // 256-bit pieces: whole half-lines, which do not straddle lines when the arrays start 32
  // bytes into one (as the narrow AVX-512 build's arrays may)
  if constexpr (sizeof(T) == 8) {  // out[i] = (in[0][i], in[1][i] | in[2][i], in[3][i])
    __m256d l[4][2];
    for (size_t u = 0; u < 4; ++u) l[u][0] = _mm256_loadu_pd(in[u]), l[u][1] = _mm256_loadu_pd(in[u] + 4);
    for (size_t h = 0; h < 2; ++h) {
      _mm256_storeu_pd(out[2 * h], _mm256_permute2f128_pd(l[0][h], l[1][h], 0x20));
      _mm256_storeu_pd(out[2 * h] + 4, _mm256_permute2f128_pd(l[2][h], l[3][h], 0x20));
      _mm256_storeu_pd(out[2 * h + 1], _mm256_permute2f128_pd(l[0][h], l[1][h], 0x31));
      _mm256_storeu_pd(out[2 * h + 1] + 4, _mm256_permute2f128_pd(l[2][h], l[3][h], 0x31));
    }
  } else {  // 8 x 8 complex floats as 64-bit pieces: four 4 x 4 transposes of 256-bit rows
    for (size_t rb = 0; rb < 8; rb += 4)
      for (size_t cb = 0; cb < 8; cb += 4) {
        __m256d r[4];
        for (size_t u = 0; u < 4; ++u) r[u] = _mm256_loadu_pd(reinterpret_cast<const double*>(in[rb + u] + 2 * cb));
        const __m256d a = _mm256_unpacklo_pd(r[0], r[1]), b = _mm256_unpackhi_pd(r[0], r[1]);
        const __m256d c = _mm256_unpacklo_pd(r[2], r[3]), d = _mm256_unpackhi_pd(r[2], r[3]);
        const __m256d o[4] = {_mm256_permute2f128_pd(a, c, 0x20), _mm256_permute2f128_pd(b, d, 0x20),
                              _mm256_permute2f128_pd(a, c, 0x31), _mm256_permute2f128_pd(b, d, 0x31)};
        for (size_t i = 0; i < 4; ++i) _mm256_storeu_pd(reinterpret_cast<double*>(out[cb + i] + 2 * rb), o[i]);
      }
  }
#else
  constexpr size_t G = 64 / (2 * sizeof(T));
  for (size_t u = 0; u < G; ++u)
    for (size_t i = 0; i < G; ++i) memcpy(out[i] + 2 * u, in[u] + 2 * i, 2 * sizeof(T));
#endif
}

namespace bitrev_detail {

// Tiles of 32 x 32 values: rows of 256 (single) or 512 (double) bytes, which also keeps the
// number of pages touched per value low; buffers of 8 or 16 KiB on the stack (two of them for
// the exchange in place).
constexpr int kTileBits = 5;
constexpr size_t kTile = size_t(1) << kTileBits;

inline size_t reverse_bits(size_t x, int bits) {
  size_t r = 0;
  for (int i = 0; i < bits; ++i, x >>= 1) r = (r << 1) | (x & 1);
  return r;
}

struct TileGeometry {
  size_t row_stride;  // distance of consecutive high values a (complex values)
  int mid_bits;
  size_t mids;  // 2^mid_bits
  size_t rev_low[kTile];
  explicit TileGeometry(int log2M)
      : row_stride(size_t(1) << (log2M - kTileBits)), mid_bits(log2M - 2 * kTileBits), mids(size_t(1) << mid_bits) {
    for (size_t t = 0; t < kTile; ++t) rev_low[t] = reverse_bits(t, kTileBits);
  }
};

// tmp[c][rev a] = x(a, b, c) for the tile of middle value b (2 * kTile * kTile reals). By
// squares: the G rows whose reversed numbers are r .. r + G - 1 against G consecutive c
// (measured 3-11% faster transforms on the wide paths than value by value). Floats copied to
// another array go instead row by row, value by value, asking for the rows of the tile ahead
// tiles further: 4-6% faster there, while in place their squares are 6-13% faster (2^19 to
// 2^22 points).
template <class T>
void read_tile(const T* x, const TileGeometry& g, size_t b, T* tmp, size_t ahead) {
  if (sizeof(T) == 4 && ahead) {
    for (size_t a = 0; a < kTile; ++a) {
      const T* row = x + 2 * (a * g.row_stride + b * kTile);
      if (b + ahead < g.mids)
        for (size_t o = 0; o < 2 * kTile; o += 16) __builtin_prefetch(row + 2 * kTile * ahead + o);
      T* col = tmp + 2 * g.rev_low[a];
      for (size_t c = 0; c < kTile; ++c) memcpy(col + 2 * kTile * c, row + 2 * c, 2 * sizeof(T));
    }
    return;
  }
  constexpr size_t G = 64 / (2 * sizeof(T)), line = 64 / sizeof(T);
  for (size_t r = 0; r < kTile; r += G) {
    const T* row[G];
    for (size_t u = 0; u < G; ++u) row[u] = x + 2 * (g.rev_low[r + u] * g.row_stride + b * kTile);
    // The squares read G rows a line at a time each; the rows of the next squares are asked
    // for now, so that their lines arrive while these are transposed.
    if (r + G < kTile)
      for (size_t u = 0; u < G; ++u) {
        const T* next = x + 2 * (g.rev_low[r + G + u] * g.row_stride + b * kTile);
        for (size_t o = 0; o < 2 * kTile; o += line) __builtin_prefetch(next + o);
      }
    for (size_t c0 = 0; c0 < kTile; c0 += G) {
      const T* in[G];
      T* out[G];
      for (size_t u = 0; u < G; ++u) in[u] = row[u] + 2 * c0, out[u] = tmp + 2 * (kTile * (c0 + u) + r);
      transpose_square(in, out);
    }
  }
}

// Rows (rev c, rb, .) of x from tmp.
template <class T>
void write_tile(const T* tmp, const TileGeometry& g, size_t rb, T* x) {
  for (size_t c = 0; c < kTile; ++c)
    memcpy(x + 2 * (g.rev_low[c] * g.row_stride + rb * kTile), tmp + 2 * kTile * c, 2 * kTile * sizeof(T));
}

template <class T>
inline void swap_complex(T* a, T* b) {
  const T r = a[0], i = a[1];
  a[0] = b[0], a[1] = b[1];
  b[0] = r, b[1] = i;
}

}  // namespace bitrev_detail

// Complex bit reversal of M = 2^log2M values with the table of init_bitrev_table, in place by
// exchanges.
template <class T>
void bitrev_inplace(T* data, int log2M, const int32_t* table) {
  using namespace bitrev_detail;
  if (log2M >= 2 * kTileBits) {
    const TileGeometry g(log2M);
    alignas(64) T tmp1[2 * kTile * kTile], tmp2[2 * kTile * kTile];
    const size_t mids = size_t(1) << g.mid_bits;
    for (size_t b = 0; b < mids; ++b) {
      const size_t rb = reverse_bits(b, g.mid_bits);
      if (rb < b) continue;  // exchanged when its partner came first
      read_tile(data, g, b, tmp1, 0);
      if (rb == b) {
        write_tile(tmp1, g, b, data);
      } else {
        read_tile(data, g, rb, tmp2, 0);
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

// The same, copied from src to dst (separate arrays).
template <class T>
void bitrev_copy(const T* src, T* dst, int log2M, const int32_t* table) {
  using namespace bitrev_detail;
  if (log2M >= 2 * kTileBits) {
    const TileGeometry g(log2M);
    alignas(64) T tmp[2 * kTile * kTile];
    const size_t mids = size_t(1) << g.mid_bits;
    for (size_t b = 0; b < mids; ++b) {
      read_tile(src, g, b, tmp, 2);
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

}  // namespace zaforq::gax::ZAFORQ_ISA_NS
