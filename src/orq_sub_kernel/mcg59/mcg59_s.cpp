#include "orq_sub_kernel/mcg59/mcg59.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqsBRngMCG59(OrqStream stream, int32_t n, float* r, float a, float b) {
  mcg59_uniform(StateOf<Mcg59State>(stream), n, r, static_cast<double>(a), static_cast<double>(b));
  return ORQ_STATUS_OK;
}
