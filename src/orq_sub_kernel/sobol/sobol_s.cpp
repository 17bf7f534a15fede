#include "orq_sub_kernel/sobol/quasi.h"

using namespace zaforq::orq;

// Computed in double precision and rounded to float once.
extern "C" ZAFORQ_API int32_t __orqsBRngSobol(OrqStream stream, int32_t n, float* r, float a, float b) {
  SobolState* st = StateOf<SobolState>(stream);
  const double da = a, db = b;
  uniform_u32(n, r, (db - da) * 0x1p-32, da, [st](uint32_t* w, int32_t k) { quasi_fill(st, w, k); });
  return ORQ_STATUS_OK;
}
