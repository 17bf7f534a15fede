// Uniform numbers on [a, b) straight from the stream's generator, single precision.
#include "zaforq/orq_streams.h"

extern "C" ZAFORQ_API int32_t _orqsRngUniform(int32_t, OrqStream stream, int32_t n, float* r, float a, float b) {
  int32_t row, offset;
  const BrngRow* table = __orqGetBrngBaseOffset(*static_cast<const int32_t*>(stream), &row, &offset);
  return table[row].FloatFn(stream, n, r, a, b);
}
