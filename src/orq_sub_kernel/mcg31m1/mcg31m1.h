// MCG31m1: x(k+1) = a x(k) mod 2^31 - 1, state after the header: x, then the multiplier a.
#pragma once
#include "orq_sub_kernel/_math/modmath.h"
#include "orq_sub_kernel/_service/convert.h"
#include "orq_sub_kernel/_service/stream.h"

namespace zaforq::orq {

struct Mcg31State {
  uint32_t x;  // next output, 1 .. 2^31 - 2
  uint32_t a;  // current multiplier (changed by leapfrog)
};
static_assert(sizeof(Mcg31State) + kHeaderBytes == 24, "MCG31m1 record is 24 bytes");

constexpr uint32_t kMcg31A = 1132489760u;
constexpr double kMcg31Scale = 1.0 / 2147483647.0;  // the double nearest 1/(2^31 - 1)

// n raw outputs; the first eight one after another, then eight lanes each advanced by a^8,
// which gives exactly the serial sequence.
inline void mcg31_fill(Mcg31State* st, uint32_t* out, int32_t n) {
  uint32_t x = st->x;
  const uint32_t a = st->a;
  int32_t head = n < 8 ? n : 8;
  for (int32_t i = 0; i < head; ++i) {
    out[i] = x;
    x = mulmod31(a, x);
  }
  if (n > 8) {
    const uint32_t a2 = mulmod31(a, a), a4 = mulmod31(a2, a2), a8 = mulmod31(a4, a4);
    for (int32_t i = 8; i < n; ++i) out[i] = mulmod31(out[i - 8], a8);
    x = mulmod31(out[n - 8], a8);
  }
  st->x = x;
}

}  // namespace zaforq::orq
