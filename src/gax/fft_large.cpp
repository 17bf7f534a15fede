// Cache-blocked complex FFT for long transforms. The 2^m bit-reversed values are viewed as
// B = 2^k rows of R = 2^(m-k) contiguous values: each row is then a bit-reversed sequence of its
// own, and is transformed first (by the radix-4 core, or by this same step one level down when
// the row is still too long). The remaining k butterfly stages combine the rows; they run on
// groups of Q = 2^(g-k) columns of all B rows (2^g values) as floor(k/2) radix-4 passes of span
// Q, 4Q, 16Q, ... and a radix-2 pass when k is odd. The first pass reads the group from the
// rows and writes it to a work block that stays in cache, the last writes it back to the rows
// (one pass alone works in place in the rows). Rows and column groups stay in split groups
// throughout; the outermost last pass writes interleaved pairs. The steps are in fft_core.h.
//
// Column twiddles of one level, in the order the passes read them: per column group c0, per
// pass of span S combining sub-transforms into length L = R S / Q * 4 (radix-4) or 2 (radix-2),
// for i = t Q + c the twiddles w_L^(J q), J = c0 + c + t R, in the radix-4 table format.
#include <string.h>

#include "gax/fft.h"

namespace zaforq::gax {

namespace {

using Split = LargeSplit;

// Outer stages k and column-group size g, by log2 of the length at each level.
template <class T>
Split split_of(int m);
template <>
Split split_of<float>(int m) {
  static constexpr int8_t k[] = {4, 4, 4, 5, 6, 6, 8};   // m = 16 .. 22 (and above)
  static constexpr int8_t g[] = {9, 10, 10, 13, 13, 13, 14};
  const int i = m >= 22 ? 6 : m - 16;
  return {k[i], g[i]};
}
template <>
Split split_of<double>(int m) {
  static constexpr int8_t k[] = {4, 4, 4, 4, 5, 6, 7, 8, 4, 5, 6, 7, 8};  // m = 14 .. 26 (and above)
  static constexpr int8_t g[] = {8, 8, 10, 10, 12, 13, 13, 13, 10, 12, 13, 13, 13};
  const int i = m >= 26 ? 12 : m - 14;
  return {k[i], g[i]};
}

// Twiddle values (reals) of one level's column passes.
size_t level_table_reals(int m, Split s) {
  const size_t R = size_t(1) << (m - s.k), Q = size_t(1) << (s.g - s.k);
  size_t per_group = 0, span = Q;
  for (int p = 0; p < s.k / 2; ++p, span *= 4) per_group += 6 * span;
  if (s.k & 1) per_group += 2 * span;
  return R / Q * per_group;
}

template <class T>
void init_level_table(int m, Split s, const SineBase<T>& sb, T* t) {
  const size_t R = size_t(1) << (m - s.k), Q = size_t(1) << (s.g - s.k);
  for (size_t c0 = 0; c0 < R; c0 += Q) {
    size_t span = Q, L = 4 * R;
    for (int p = 0; p < s.k / 2; ++p, span *= 4, L *= 4) {
      const size_t stride = sb.n / L;
      for (size_t i = 0; i < span; i += 4, t += 24)
        for (int q = 1; q <= 3; ++q)
          for (size_t u = 0; u < 4; ++u) {
            const size_t J = c0 + (i + u) % Q + (i + u) / Q * R;
            sb.twiddle(J * q * stride, t[8 * (q - 1) + u], t[8 * (q - 1) + 4 + u]);
          }
    }
    if (s.k & 1) {
      L = L / 2;  // the last pass doubles the length
      const size_t stride = sb.n / L;
      for (size_t i = 0; i < span; i += 4, t += 8)
        for (size_t u = 0; u < 4; ++u) {
          const size_t J = c0 + (i + u) % Q + (i + u) / Q * R;
          sb.twiddle(J * stride, t[u], t[4 + u]);
        }
    }
  }
}

}  // namespace

template <class T>
LargeSplit large_split(int m) {
  return split_of<T>(m);
}

template <class T>
bool large_sizes(int log2M, size_t& twiddle_bytes, size_t& work_bytes) {
  uint64_t tw = 0, work = 0;  // 64-bit sums: the largest tables exceed a 32-bit size
  int m = log2M;
  for (;;) {
    const Split s = split_of<T>(m);
    const uint64_t group = (uint64_t(1) << s.g) * 2 * sizeof(T);
    if (group > work) work = group;
    tw += uint64_t(level_table_reals(m, s)) * sizeof(T);
    m -= s.k;
    if (m <= Fft<T>::row_max) break;
  }
  tw += uint64_t(radix4_table_reals(m)) * sizeof(T);
  const uint64_t row_work = (uint64_t(1) << m) * 2 * sizeof(T);
  if (row_work > work) work = row_work;
  if (tw > SIZE_MAX) return false;
  twiddle_bytes = static_cast<size_t>(tw);
  work_bytes = static_cast<size_t>(work);
  return true;
}

template <class T>
bool large_init(typename Fft<T>::Spec* spec, int log2M, const SineBase<T>& sb) {
  int m = log2M;
  for (int level = 0;; ++level) {
    const Split s = split_of<T>(m);
    size_t bytes;
    if (level >= GAXS_FFT_LEVEL_TABLES || !mul_size(level_table_reals(m, s), sizeof(T), bytes)) return false;
    T* t = static_cast<T*>(alloc(bytes));
    spec->levelTwiddles[level] = t;
    if (!t) return false;
    init_level_table(m, s, sb, t);
    m -= s.k;
    if (m <= Fft<T>::row_max) break;
  }
  size_t bytes;
  if (!mul_size(radix4_table_reals(m), sizeof(T), bytes)) return false;
  spec->twiddles = alloc(bytes);
  if (!spec->twiddles) return false;
  init_radix4_twiddles(m, sb, static_cast<T*>(spec->twiddles));
  return true;
}

template bool large_sizes<float>(int, size_t&, size_t&);
template bool large_sizes<double>(int, size_t&, size_t&);
template bool large_init<float>(FftSpecR_32f*, int, const SineBase<float>&);
template bool large_init<double>(FftSpecR_64f*, int, const SineBase<double>&);
template LargeSplit large_split<float>(int);
template LargeSplit large_split<double>(int);

}  // namespace zaforq::gax
