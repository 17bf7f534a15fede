#include "orq_sub_kernel/mcg59/mcg59.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqdBRngMCG59(OrqStream stream, int32_t n, double* r, double a, double b) {
  mcg59_uniform(StateOf<Mcg59State>(stream), n, r, a, b);
  return ORQ_STATUS_OK;
}
