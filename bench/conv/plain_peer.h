// The "best hand-written" peer of the direct convolution benchmarks: plain loops, each output
// accumulated in memory tap by tap so the compiler vectorizes the inner loop over outputs.
// Compiled with -O3 -march=native and contraction into fused multiply-adds allowed.
#pragma once

namespace plain {

// z[k] = sum_i x[i] y[i + shift + k], k < nz, over the i where y's index exists.
void corr1d(const float* x, int nx, const float* y, int ny, float* z, int nz, int shift);
void corr1d(const double* x, int nx, const double* y, int ny, double* z, int nz, int shift);
// The full convolution z[k] = sum_i x[i] y[k - i], k < nx + ny - 1.
void conv1d(const float* x, int nx, const float* y, int ny, float* z);
void conv1d(const double* x, int nx, const double* y, int ny, double* z);
// Rank 2, dimension 0 contiguous: z[k1][k0] = sum x[i1][i0] y[i1 + s1 + k1][i0 + s0 + k0].
void corr2d(const float* x, const int* nx, const float* y, const int* ny, float* z, const int* nz, const int* shift);
void corr2d(const double* x, const int* nx, const double* y, const int* ny, double* z, const int* nz,
            const int* shift);

}  // namespace plain
