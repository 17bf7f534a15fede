// The correlation cores of the wide processor paths (x86-64 only), each compiled in its own
// source with its instruction set, and the choice among the paths, made once per kernel call.
#pragma once
#include <stdint.h>

#include "cpu/path.h"
#include "orq_kernel/conv_corr/_common/cores.h"

namespace zaforq::cc {

#if defined(__x86_64__)
#define ZAFORQ_CC_PATH_CORES                                                                                  \
  void core_1d(const float* x, int64_t nx, const float* y, int64_t ny, float* z, int64_t nz, int64_t shift,     \
               int64_t dec);                                                                                  \
  void core_1d(const double* x, int64_t nx, const double* y, int64_t ny, double* z, int64_t nz, int64_t shift,  \
               int64_t dec);                                                                                  \
  void core_all(int rank, const float* x, const int32_t* nx, const float* y, const int32_t* ny, float* z,       \
                const int32_t* nz, const int64_t* shift, const int32_t* dec);                                 \
  void core_all(int rank, const double* x, const int32_t* nx, const double* y, const int32_t* ny, double* z,    \
                const int32_t* nz, const int64_t* shift, const int32_t* dec);
namespace avx2 {
ZAFORQ_CC_PATH_CORES
}
namespace avx512 {
ZAFORQ_CC_PATH_CORES
}
#undef ZAFORQ_CC_PATH_CORES
#endif

// Rank 1 on the path in use.
template <class T>
void path_correlate_1d(const T* x, int64_t nx, const T* y, int64_t ny, T* z, int64_t nz, int64_t shift,
                       int64_t dec) {
#if defined(__x86_64__)
  switch (cpu::current()) {
    case cpu::kAvx512:
      return avx512::core_1d(x, nx, y, ny, z, nz, shift, dec);
    case cpu::kAvx2:
      return avx2::core_1d(x, nx, y, ny, z, nz, shift, dec);
    default:
      break;
  }
#endif
  sse2::correlate_1d(x, nx, y, ny, z, nz, shift, dec);
}

// Any rank on the path in use.
template <class T>
void path_correlate_all(int rank, const T* x, const int32_t* nx, const T* y, const int32_t* ny, T* z,
                        const int32_t* nz, const int64_t* shift, const int32_t* dec) {
#if defined(__x86_64__)
  switch (cpu::current()) {
    case cpu::kAvx512:
      return avx512::core_all(rank, x, nx, y, ny, z, nz, shift, dec);
    case cpu::kAvx2:
      return avx2::core_all(rank, x, nx, y, ny, z, nz, shift, dec);
    default:
      break;
  }
#endif
  sse2::correlate_all(rank, x, nx, y, ny, z, nz, shift, dec);
}

}  // namespace zaforq::cc
