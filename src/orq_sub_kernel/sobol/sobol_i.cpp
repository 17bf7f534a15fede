#include "orq_sub_kernel/sobol/quasi.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqiBRngSobol(OrqStream stream, int32_t n, void* r) {
  quasi_generate(StateOf<SobolState>(stream), n, WordSink{static_cast<uint32_t*>(r)});
  return ORQ_STATUS_OK;
}
