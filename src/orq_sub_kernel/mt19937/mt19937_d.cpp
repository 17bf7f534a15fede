#include "orq_sub_kernel/mt19937/twister.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqdBRngMT19937(OrqStream stream, int32_t n, double* r, double a, double b) {
  twist_uniform(StateOf<Mt19937State>(stream), mt19937_params(), r, n, a, b);
  return ORQ_STATUS_OK;
}
