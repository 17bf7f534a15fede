#include "orq_sub_kernel/mcg31m1/mcg31m1.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqsBRngMCG31M1(OrqStream stream, int32_t n, float* r, float a, float b) {
  Mcg31State* st = StateOf<Mcg31State>(stream);
  const double da = a, db = b;
  uniform_u32(n, r, (db - da) * kMcg31Scale, da, [st](uint32_t* w, int32_t k) { mcg31_fill(st, w, k); });
  return ORQ_STATUS_OK;
}
