// Real transforms of 1, 2, 4 and 8 points in closed form, chosen by order from tables of
// kernels; the _norm forms also multiply by the scale. Results are formed in registers first,
// so src may equal dst.
#include "gax/fft.h"

namespace zaforq::gax {

namespace {

template <class T>
void rfft_1(const T* s, T* d) { d[0] = s[0]; }
template <class T>
void rfft_2(const T* s, T* d) {
  const T a = s[0], b = s[1];
  d[0] = a + b, d[1] = a - b;
}
template <class T>
void rfftfwd_4(const T* s, T* d) {
  const T e0 = s[0] + s[2], e1 = s[1] + s[3];
  const T r = s[0] - s[2], i = s[3] - s[1];
  d[0] = e0 + e1, d[1] = e0 - e1, d[2] = r, d[3] = i;
}
template <class T>
void rfftinv_4(const T* s, T* d) {
  const T x0 = s[0], x2 = s[1], r = s[2] + s[2], i = s[3] + s[3];
  const T p = x0 + x2, m = x0 - x2;
  d[0] = p + r, d[1] = m - i, d[2] = p - r, d[3] = m + i;
}
// 8 points: a length-4 transform of the even and of the odd samples, joined with e^(-i pi k/4).
template <class T>
void rfftfwd_8(const T* s, T* d) {
  const T h = static_cast<T>(0.70710678118654752440L);
  const T a0 = s[0] + s[4], a1 = s[0] - s[4], a2 = s[2] + s[6], a3 = s[6] - s[2];  // evens
  const T b0 = s[1] + s[5], b1 = s[1] - s[5], b2 = s[3] + s[7], b3 = s[7] - s[3];  // odds
  const T e0 = a0 + a2, e2 = a0 - a2;  // E_0, E_2 real; E_1 = a1 + i a3
  const T o0 = b0 + b2, o2 = b0 - b2;  // O_1 = b1 + i b3
  // X_1 = E_1 + w O_1 with w = (1 - i) h
  const T wr = (b1 + b3) * h, wi = (b3 - b1) * h;  // w O_1
  T out[8];
  out[0] = e0 + o0;
  out[1] = e0 - o0;
  out[2] = a1 + wr, out[3] = a3 + wi;  // X_1
  out[4] = e2, out[5] = -o2;           // X_2 = E_2 - i O_2
  out[6] = a1 - wr, out[7] = wi - a3;  // X_3 = conj(E_1) + w^3 conj(O_1) = conj(E_1 - w O_1)
  for (int k = 0; k < 8; ++k) d[k] = out[k];
}
template <class T>
void rfftinv_8(const T* s, T* d) {
  const T h = static_cast<T>(0.70710678118654752440L);
  // Fold the spectrum: A_k = X_k + X_(k+4) and B_k = (X_k - X_(k+4)) conj(w^k), w = e^(-i pi/4);
  // the even outputs are the inverse length-4 transform of A, the odd ones that of B.
  const T X0 = s[0], X4 = s[1];
  const T e0 = X0 + X4, o0 = X0 - X4;
  const T e2 = s[4] + s[4], o2 = -(s[5] + s[5]);  // A_2 = 2 Re X_2, B_2 = -2 Im X_2
  const T er = s[2] + s[6], ei = s[3] - s[7];     // A_1 = X_1 + conj X_3
  const T dr = s[2] - s[6], di = s[3] + s[7];     // X_1 - conj X_3 = w O_1
  const T orr = (dr - di) * h, oi = (dr + di) * h;  // B_1 = (X_1 - conj X_3)(1 + i) h
  // inverse length-4 transforms of E = (e0, E_1, e2, conj E_1) and O likewise
  T out[8];
  const T pe = e0 + e2, me = e0 - e2, po = o0 + o2, mo = o0 - o2;
  const T ye0 = pe + 2 * er, ye1 = me - 2 * ei, ye2 = pe - 2 * er, ye3 = me + 2 * ei;
  const T yo0 = po + 2 * orr, yo1 = mo - 2 * oi, yo2 = po - 2 * orr, yo3 = mo + 2 * oi;
  // y_(2n) = ye_n, y_(2n+1) = yo_n
  out[0] = ye0, out[2] = ye1, out[4] = ye2, out[6] = ye3;
  out[1] = yo0, out[3] = yo1, out[5] = yo2, out[7] = yo3;
  for (int k = 0; k < 8; ++k) d[k] = out[k];
}

template <class T>
using Kernel = void (*)(const T*, T*);

template <class T>
struct Tables {
  static constexpr Kernel<T> fwd[4] = {rfft_1<T>, rfft_2<T>, rfftfwd_4<T>, rfftfwd_8<T>};
  static constexpr Kernel<T> inv[4] = {rfft_1<T>, rfft_2<T>, rfftinv_4<T>, rfftinv_8<T>};
};

template <class T>
void scale_n(T* d, int n, T scale) {
  for (int k = 0; k < n; ++k) d[k] *= scale;
}

}  // namespace

template <class T>
void small_forward(int order, const T* src, T* dst, bool norm, T scale) {
  Tables<T>::fwd[order](src, dst);
  if (norm) scale_n(dst, 1 << order, scale);
}
template <class T>
void small_inverse(int order, const T* src, T* dst, bool norm, T scale) {
  Tables<T>::inv[order](src, dst);
  if (norm) scale_n(dst, 1 << order, scale);
}

template void small_forward<float>(int, const float*, float*, bool, float);
template void small_forward<double>(int, const double*, double*, bool, double);
template void small_inverse<float>(int, const float*, float*, bool, float);
template void small_inverse<double>(int, const double*, double*, bool, double);

}  // namespace zaforq::gax
