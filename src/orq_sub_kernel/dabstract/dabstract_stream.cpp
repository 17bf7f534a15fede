// Double abstract stream: creation and initialisation.
#include "orq_sub_kernel/iabstract/abstract.h"

using namespace zaforq::orq;

extern "C" int32_t __orqBRngdAbstractInitStream(int32_t method, OrqStream stream, int32_t n, const uint32_t* params) {
  if (method != 0) return abstract_refusal(method);
  if (n < kRealParamWords || !params) return ORQ_STATUS_BAD_ARGUMENT;
  const int32_t size = *slot_pointer<const int32_t*>(params, 0);
  double* buffer = slot_pointer<double*>(params, 1);
  const double lower = *slot_pointer<const double*>(params, 2), upper = *slot_pointer<const double*>(params, 3);
  OrqdAbstractRefill refill = slot_pointer<OrqdAbstractRefill>(params, 4);
  if (size <= 0 || !buffer || !(lower < upper) || !refill) return ORQ_STATUS_BAD_ARGUMENT;
  DAbstractState* st = StateOf<DAbstractState>(stream);
  st->size = size;
  st->next = 0;
  st->room = size;
  st->lower = lower;
  st->upper = upper;
  st->buffer = buffer;
  st->refill = refill;
  return ORQ_STATUS_OK;
}

extern "C" ZAFORQ_API int32_t __orqdNewAbstractStream(OrqStream* stream, int32_t n, double* buffer, double lower,
                                                      double upper, OrqdAbstractRefill refill) {
  // !(lower < upper) also refuses NaN bounds
  if (n <= 0 || !buffer || !(lower < upper) || !refill) return ORQ_STATUS_BAD_ARGUMENT;
  const uint64_t block[5] = {param_slot(&n), param_slot(buffer), param_slot(&lower), param_slot(&upper),
                             param_slot(reinterpret_cast<const void*>(refill))};
  return create_abstract(stream, ORQ_BRNG_DABSTRACT, kRealParamWords, block);
}
