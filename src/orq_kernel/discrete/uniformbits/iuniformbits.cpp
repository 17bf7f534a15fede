// The generator's integer output words, unchanged.
#include "zaforq/orq_streams.h"

extern "C" ZAFORQ_API int32_t _orqiRngUniformBits(int32_t, OrqStream stream, int32_t n, void* r) {
  int32_t row, offset;
  const BrngRow* table = __orqGetBrngBaseOffset(*static_cast<const int32_t*>(stream), &row, &offset);
  return table[row].IntFn(stream, n, r);
}
