#include "orq_sub_kernel/mcg31m1/mcg31m1.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqiBRngMCG31M1(OrqStream stream, int32_t n, void* r) {
  mcg31_fill(StateOf<Mcg31State>(stream), static_cast<uint32_t*>(r), n);
  return ORQ_STATUS_OK;
}
