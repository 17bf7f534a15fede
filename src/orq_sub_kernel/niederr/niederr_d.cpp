#include "orq_sub_kernel/sobol/quasi.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqdBRngNiederr(OrqStream stream, int32_t n, double* r, double a, double b) {
  NiederrState* st = StateOf<NiederrState>(stream);
  uniform_u32(n, r, (b - a) * 0x1p-32, a, [st](uint32_t* w, int32_t k) { quasi_fill(st, w, k); });
  return ORQ_STATUS_OK;
}
