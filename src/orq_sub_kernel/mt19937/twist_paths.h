// The twisters' block work, one implementation per instruction-set path: each path's object
// compiles twist_wide.h in its own namespace. Callers choose the path once per call.
#pragma once
#include <stdint.h>

namespace zaforq::orq {

// One twister's shape and parameters: N words, middle distance M, the upper-bits mask, the
// twist constant a, the tempering masks b and c and the first tempering shift u.
struct TwistShape {
  int32_t n, m;
  uint32_t upper, a, b, c;
  int32_t u;
};

#define ZAFORQ_TWIST_PATH_DECLS                                                                 \
  /* mt[0..N) becomes the next block of the sequence */                                         \
  void regenerate(const TwistShape& g, uint32_t* mt);                                           \
  /* k tempered words of src; into dst, or as src * s + a in doubles or floats */               \
  void temper(const TwistShape& g, const uint32_t* src, int32_t k, uint32_t* dst);              \
  void temper(const TwistShape& g, const uint32_t* src, int32_t k, double* r, double s, double a); \
  void temper(const TwistShape& g, const uint32_t* src, int32_t k, float* r, double s, double a);

namespace twist_sse2 {
ZAFORQ_TWIST_PATH_DECLS
}
#if defined(__x86_64__)
namespace twist_avx2 {
ZAFORQ_TWIST_PATH_DECLS
}
namespace twist_avx512 {
ZAFORQ_TWIST_PATH_DECLS
}
#endif
#undef ZAFORQ_TWIST_PATH_DECLS

}  // namespace zaforq::orq
