#include "orq_sub_kernel/mt19937/twister.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqiBRngMT2203(OrqStream stream, int32_t n, void* r) {
  Mt2203State* st = StateOf<Mt2203State>(stream);
  twist_words(st, mt2203_params(st), static_cast<uint32_t*>(r), n);
  return ORQ_STATUS_OK;
}
