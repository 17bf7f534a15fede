// Uniform numbers on [a, b) straight from the stream's generator.
#include "zaforq/orq_streams.h"

extern "C" ZAFORQ_API int32_t _orqdRngUniform(int32_t, OrqStream stream, int32_t n, double* r, double a, double b) {
  int32_t row, offset;
  const BrngRow* table = __orqGetBrngBaseOffset(*static_cast<const int32_t*>(stream), &row, &offset);
  return table[row].DoubleFn(stream, n, r, a, b);
}
