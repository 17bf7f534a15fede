#include "orq_sub_kernel/r250/r250.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqdBRngR250(OrqStream stream, int32_t n, double* r, double a, double b) {
  R250State* st = StateOf<R250State>(stream);
  uniform_u32(n, r, (b - a) * (1.0 / 4294967296.0), a, [st](uint32_t* w, int32_t k) { r250_fill(st, w, k); });
  return ORQ_STATUS_OK;
}
