// Reads a fuzz input as a stream of small integers; past its end every read gives 0.
#pragma once

#include <stddef.h>
#include <stdint.h>

struct FuzzInput {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  uint32_t byte() { return at < size ? data[at++] : 0u; }
  // An integer in [lo, hi].
  int32_t in(int32_t lo, int32_t hi) {
    const uint32_t span = static_cast<uint32_t>(hi - lo) + 1u;
    const uint32_t v = span > 256 ? (byte() | byte() << 8) : byte();
    return lo + static_cast<int32_t>(v % span);
  }
};
