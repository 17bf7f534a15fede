#include "orq_sub_kernel/r250/r250.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqiBRngR250(OrqStream stream, int32_t n, void* r) {
  r250_fill(StateOf<R250State>(stream), static_cast<uint32_t*>(r), n);
  return ORQ_STATUS_OK;
}
