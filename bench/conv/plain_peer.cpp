#include "plain_peer.h"

namespace plain {
namespace {

inline int lo(int a, int b) { return a < b ? a : b; }
inline int hi(int a, int b) { return a > b ? a : b; }

template <class T>
void corr1d_t(const T* x, int nx, const T* y, int ny, T* z, int nz, int shift) {
  for (int k = 0; k < nz; ++k) z[k] = 0;
  for (int i = 0; i < nx; ++i) {
    const T xi = x[i];
    const T* yi = y + i + shift;
    const int k0 = hi(0, -shift - i), k1 = lo(nz - 1, ny - 1 - shift - i);
    for (int k = k0; k <= k1; ++k) z[k] += xi * yi[k];
  }
}

template <class T>
void conv1d_t(const T* x, int nx, const T* y, int ny, T* z) {
  for (int k = 0; k < nx + ny - 1; ++k) z[k] = 0;
  for (int i = 0; i < nx; ++i) {
    const T xi = x[i];
    T* zi = z + i;
    for (int j = 0; j < ny; ++j) zi[j] += xi * y[j];
  }
}

template <class T>
void corr2d_t(const T* x, const int* nx, const T* y, const int* ny, T* z, const int* nz, const int* s) {
  for (long k = 0; k < long(nz[0]) * nz[1]; ++k) z[k] = 0;
  for (int i1 = 0; i1 < nx[1]; ++i1)
    for (int i0 = 0; i0 < nx[0]; ++i0) {
      const T xv = x[i0 + long(nx[0]) * i1];
      const int a1 = hi(0, -s[1] - i1), b1 = lo(nz[1] - 1, ny[1] - 1 - s[1] - i1);
      const int a0 = hi(0, -s[0] - i0), b0 = lo(nz[0] - 1, ny[0] - 1 - s[0] - i0);
      for (int k1 = a1; k1 <= b1; ++k1) {
        T* zr = z + long(nz[0]) * k1;
        const T* yr = y + long(ny[0]) * (i1 + s[1] + k1) + i0 + s[0];
        for (int k0 = a0; k0 <= b0; ++k0) zr[k0] += xv * yr[k0];
      }
    }
}

}  // namespace

void corr1d(const float* x, int nx, const float* y, int ny, float* z, int nz, int shift) {
  corr1d_t(x, nx, y, ny, z, nz, shift);
}
void corr1d(const double* x, int nx, const double* y, int ny, double* z, int nz, int shift) {
  corr1d_t(x, nx, y, ny, z, nz, shift);
}
void conv1d(const float* x, int nx, const float* y, int ny, float* z) { conv1d_t(x, nx, y, ny, z); }
void conv1d(const double* x, int nx, const double* y, int ny, double* z) { conv1d_t(x, nx, y, ny, z); }
void corr2d(const float* x, const int* nx, const float* y, const int* ny, float* z, const int* nz, const int* s) {
  corr2d_t(x, nx, y, ny, z, nz, s);
}
void corr2d(const double* x, const int* nx, const double* y, const int* ny, double* z, const int* nz,
            const int* s) {
  corr2d_t(x, nx, y, ny, z, nz, s);
}

}  // namespace plain
