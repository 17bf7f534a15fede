#include "orq_sub_kernel/mcg31m1/mcg31m1.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqdBRngMCG31M1(OrqStream stream, int32_t n, double* r, double a, double b) {
  Mcg31State* st = StateOf<Mcg31State>(stream);
  uniform_u32(n, r, (b - a) * kMcg31Scale, a, [st](uint32_t* w, int32_t k) { mcg31_fill(st, w, k); });
  return ORQ_STATUS_OK;
}
