// MCG59: x(k+1) = a x(k) mod 2^59, state after the header: x, then the multiplier a.
#pragma once
#include "orq_sub_kernel/_math/modmath.h"
#include "orq_sub_kernel/_service/convert.h"
#include "orq_sub_kernel/_service/stream.h"

namespace zaforq::orq {

struct Mcg59State {
  uint64_t x;  // next output, 59 significant bits
  uint64_t a;  // current multiplier (changed by leapfrog)
};
static_assert(sizeof(Mcg59State) + kHeaderBytes == 32, "MCG59 record is 32 bytes");

constexpr uint64_t kMcg59A = 0x113769B23C5FDull;  // 13^13
constexpr double kTwoM59 = 1.0 / 576460752303423488.0;  // 2^-59
constexpr int32_t kBlock59 = 512;

// n raw outputs; the first four serially, then four lanes each advanced by a^4.
inline void mcg59_fill(Mcg59State* st, uint64_t* out, int32_t n) {
  uint64_t x = st->x;
  const uint64_t a = st->a;
  int32_t head = n < 4 ? n : 4;
  for (int32_t i = 0; i < head; ++i) {
    out[i] = x;
    x = mulmod59(a, x);
  }
  if (n > 4) {
    const uint64_t a4 = mulmod59(mulmod59(a, a), mulmod59(a, a));
    for (int32_t i = 4; i < n; ++i) out[i] = mulmod59(out[i - 4], a4);
    x = mulmod59(out[n - 4], a4);
  }
  st->x = x;
}

// r = v_lo s + v_hi 2^32 s + a with both halves converted exactly.
template <class T>
inline void mcg59_uniform(Mcg59State* st, int32_t n, T* r, double a, double b) {
  const double s = (b - a) * kTwoM59;
  uint64_t buf[kBlock59];
  for (int32_t done = 0; done < n;) {
    int32_t k = n - done < kBlock59 ? n - done : kBlock59;
    mcg59_fill(st, buf, k);
    for (int32_t i = 0; i < k; ++i) {
      double lo = static_cast<double>(static_cast<uint32_t>(buf[i]));
      double hi = static_cast<double>(static_cast<uint32_t>(buf[i] >> 32)) * 4294967296.0;
      r[done + i] = static_cast<T>(lo * s + hi * s + a);
    }
    done += k;
  }
}

}  // namespace zaforq::orq
