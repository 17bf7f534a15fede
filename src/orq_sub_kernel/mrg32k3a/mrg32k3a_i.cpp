#include "orq_sub_kernel/mrg32k3a/mrg32k3a.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqiBRngMRG32K3A(OrqStream stream, int32_t n, void* r) {
  mrg::Words sink{static_cast<uint32_t*>(r)};
  mrg::generate(StateOf<mrg::State>(stream), n, sink);
  return ORQ_STATUS_OK;
}
