#include "orq_sub_kernel/mt19937/twister.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqiBRngMT19937(OrqStream stream, int32_t n, void* r) {
  twist_words(StateOf<Mt19937State>(stream), mt19937_params(), static_cast<uint32_t*>(r), n);
  return ORQ_STATUS_OK;
}
