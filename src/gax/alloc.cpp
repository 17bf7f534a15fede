// Aligned allocator of the primitives. The system block is over-allocated so that the
// returned address can be moved up to a 32-byte boundary with room below it for the raw
// address, which gaxsFree reads back. On the 32-bit build the room is one 4-byte word, so
// the block asks for 36 bytes more and the aligned address is (raw + 35) & ~31.
#include <stdlib.h>

#include "gax/gax.h"

namespace zaforq::gax {

namespace {
constexpr size_t kRoom = sizeof(void*);
}  // namespace

void* alloc_aligned(size_t bytes, size_t align) {
  if (bytes == 0 || bytes > SIZE_MAX - (align + kRoom)) return nullptr;
  void* raw = malloc(bytes + align + kRoom);
  if (!raw) return nullptr;
  const uintptr_t r = reinterpret_cast<uintptr_t>(raw);
  const uintptr_t aligned = (r + align + kRoom - 1) & ~static_cast<uintptr_t>(align - 1);
  reinterpret_cast<void**>(aligned)[-1] = raw;
  return reinterpret_cast<void*>(aligned);
}

void* alloc(size_t bytes) { return alloc_aligned(bytes, 32); }

void release(void* p) {
  if (p) free(static_cast<void**>(p)[-1]);
}

}  // namespace zaforq::gax

using namespace zaforq;

extern "C" ZAFORQ_API uint8_t* gaxsMalloc_8u(int32_t n) {
  if (n < 1) return nullptr;
  return static_cast<uint8_t*>(gax::alloc(static_cast<size_t>(n)));
}

extern "C" ZAFORQ_API float* gaxsMalloc_32f(int32_t n) {
  size_t bytes;
  if (n < 1 || !gax::mul_size(static_cast<size_t>(n), sizeof(float), bytes)) return nullptr;
  return static_cast<float*>(gax::alloc(bytes));
}

extern "C" ZAFORQ_API double* gaxsMalloc_64f(int32_t n) {
  size_t bytes;
  if (n < 1 || !gax::mul_size(static_cast<size_t>(n), sizeof(double), bytes)) return nullptr;
  return static_cast<double*>(gax::alloc(bytes));
}

extern "C" ZAFORQ_API void gaxsFree(void* p) { gax::release(p); }
