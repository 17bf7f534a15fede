// Float abstract stream: creation and initialisation.
#include "orq_sub_kernel/iabstract/abstract.h"

using namespace zaforq::orq;

extern "C" int32_t __orqBRngsAbstractInitStream(int32_t method, OrqStream stream, int32_t n, const uint32_t* params) {
  return init_real_abstract<SAbstractState, float, OrqsAbstractRefill>(method, stream, n, params);
}

extern "C" ZAFORQ_API int32_t __orqsNewAbstractStream(OrqStream* stream, int32_t n, float* buffer, float lower,
                                                      float upper, OrqsAbstractRefill refill) {
  return new_real_abstract(stream, ORQ_BRNG_SABSTRACT, n, buffer, lower, upper, refill);
}
