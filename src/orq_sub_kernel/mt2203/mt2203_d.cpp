#include "orq_sub_kernel/mt19937/twister.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqdBRngMT2203(OrqStream stream, int32_t n, double* r, double a, double b) {
  Mt2203State* st = StateOf<Mt2203State>(stream);
  twist_uniform(st, mt2203_params(st), r, n, a, b);
  return ORQ_STATUS_OK;
}
