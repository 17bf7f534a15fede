// The set-up chunk of a parameter-driven discrete distribution: found by its key, or made,
// zeroed (so an untouched key never matches garbage and copies and files carry defined bytes)
// and handed to the stream.
#pragma once
#include <stdlib.h>
#include <string.h>

#include "zaforq/orq_streams.h"

namespace zaforq::orq {

// The chunk's data, or null with *status set to the failure.
inline void* setup_chunk(OrqStream stream, uint32_t key, uint32_t size, int32_t* status) {
  void* data = __orqSearchChunk(stream, key);
  if (data) return data;
  data = malloc(size);
  if (!data) {
    *status = ORQ_STATUS_NO_MEMORY;
    return nullptr;
  }
  __asm__("" : "+r"(data));  // keeps the compiler from fusing malloc and memset into calloc
  memset(data, 0, size);
  const int32_t added = __orqAddChunk(stream, key, data, size);
  if (added < 0) {
    free(data);
    *status = added;
    return nullptr;
  }
  return data;
}

// Searches a distribution-function table F[0 .. len) for the smallest k with F(k) > u, starting
// from j (u >= F(0)); returns len when u lies at or beyond the table's last entry.
inline int32_t cdf_search(const double* f, int32_t len, int32_t j, double u) {
  if (j >= len) j = len - 1;
  if (u >= f[j]) {
    while (j < len && f[j] <= u) ++j;
    return j;
  }
  while (j > 0 && f[j - 1] > u) --j;
  return j;
}

}  // namespace zaforq::orq
