// R250: x(k) = x(k - 250) XOR x(k - 147) over 32-bit words; the state after the header is
// the ring T of the last 250 values, the slot i of the oldest and j = i + 103 (mod 250).
#pragma once
#include "orq_sub_kernel/_service/convert.h"
#include "orq_sub_kernel/_service/stream.h"

namespace zaforq::orq {

constexpr int32_t kR250 = 250, kR250Lag = 103;  // 250 - 147

struct R250State {
  uint32_t T[kR250];
  int32_t i;
  int32_t j;
};
static_assert(sizeof(R250State) + kHeaderBytes == 1024, "R250 record is 1024 bytes");
static_assert(252 * 4 == sizeof(R250State), "a state copy of 252 words moves the table and both slots");

inline void r250_fill(R250State* st, uint32_t* out, int32_t n) {
  // A state read from a file may hold any slots; keep them inside the ring.
  if (st->i < 0 || st->i >= kR250) st->i = ((st->i % kR250) + kR250) % kR250;
  st->j = st->i + kR250Lag < kR250 ? st->i + kR250Lag : st->i + kR250Lag - kR250;
  if (n < kR250) {
    int32_t i = st->i, j = st->j;
    for (int32_t m = 0; m < n; ++m) {
      uint32_t v = st->T[i] ^ st->T[j];
      st->T[i] = v;
      out[m] = v;
      if (++i == kR250) i = 0;
      if (++j == kR250) j = 0;
    }
    st->i = i;
    st->j = j;
    return;
  }
  // Straight into the output: output m is x(k+m) = x(k+m-250) ^ x(k+m-147); the older
  // terms come from the ring while m < 250 (resp. 147) and from the output after that.
  const int32_t i = st->i;
  auto ring = [&](int32_t m) { return st->T[(i + m) % kR250]; };
  int32_t m = 0;
  for (; m < kR250 - kR250Lag; ++m) out[m] = ring(m) ^ ring(m + kR250Lag);
  for (; m < kR250; ++m) out[m] = ring(m) ^ out[m - (kR250 - kR250Lag)];
  for (; m < n; ++m) out[m] = out[m - kR250] ^ out[m - (kR250 - kR250Lag)];
  memcpy(st->T, out + (n - kR250), sizeof(st->T));
  st->i = 0;
  st->j = kR250Lag;
}

}  // namespace zaforq::orq
