#include "orq_sub_kernel/mt19937/twister.h"

using namespace zaforq::orq;

// a and b are widened to double; each result is computed in double and rounded once to float
extern "C" ZAFORQ_API int32_t __orqsBRngMT19937(OrqStream stream, int32_t n, float* r, float a, float b) {
  twist_uniform(StateOf<Mt19937State>(stream), mt19937_params(), r, n, a, b);
  return ORQ_STATUS_OK;
}
