#include "orq_sub_kernel/sobol/quasi.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqiBRngNiederr(OrqStream stream, int32_t n, void* r) {
  quasi_fill(StateOf<NiederrState>(stream), static_cast<uint32_t*>(r), n);
  return ORQ_STATUS_OK;
}
