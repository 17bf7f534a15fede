#include "orq_sub_kernel/mcg59/mcg59.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqiBRngMCG59(OrqStream stream, int32_t n, void* r) {
  mcg59_fill(StateOf<Mcg59State>(stream), static_cast<uint64_t*>(r), n);
  return ORQ_STATUS_OK;
}
