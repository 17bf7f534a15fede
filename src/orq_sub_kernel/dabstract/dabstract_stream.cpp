// Double abstract stream: creation and initialisation.
#include "orq_sub_kernel/iabstract/abstract.h"

using namespace zaforq::orq;

extern "C" int32_t __orqBRngdAbstractInitStream(int32_t method, OrqStream stream, int32_t n, const uint32_t* params) {
  return init_real_abstract<DAbstractState, double, OrqdAbstractRefill>(method, stream, n, params);
}

extern "C" ZAFORQ_API int32_t __orqdNewAbstractStream(OrqStream* stream, int32_t n, double* buffer, double lower,
                                                      double upper, OrqdAbstractRefill refill) {
  return new_real_abstract(stream, ORQ_BRNG_DABSTRACT, n, buffer, lower, upper, refill);
}
