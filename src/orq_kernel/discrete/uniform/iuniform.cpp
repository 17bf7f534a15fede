// Uniform integers on [a, b): the floor of a double uniform on [a, b), in blocks of 1024.
#include "orq_kernel/discrete/_common/floor.h"
#include "zaforq/orq_dist.h"

extern "C" ZAFORQ_API int32_t _orqiRngUniform(int32_t, OrqStream stream, int32_t n, int32_t* r, int32_t a,
                                              int32_t b) {
  constexpr int32_t kBlock = 1024;
  if (n < 1) return 0;
  double u[kBlock];
  int32_t status = 0;
  for (int32_t done = 0; done < n;) {
    const int32_t k = n - done < kBlock ? n - done : kBlock;
    status = _orqdRngUniform(0, stream, k, u, static_cast<double>(a), static_cast<double>(b));
    if (status < 0) return status;
    zaforq::orq::floor_to_i32(k, u, r + done);
    done += k;
  }
  return status;
}
