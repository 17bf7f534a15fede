// Float abstract stream: creation and initialisation.
#include "orq_sub_kernel/iabstract/abstract.h"

using namespace zaforq::orq;

extern "C" int32_t __orqBRngsAbstractInitStream(int32_t method, OrqStream stream, int32_t n, const uint32_t* params) {
  if (method != 0) return abstract_refusal(method);
  if (n < kRealParamWords || !params) return ORQ_STATUS_BAD_ARGUMENT;
  const int32_t size = *slot_pointer<const int32_t*>(params, 0);
  float* buffer = slot_pointer<float*>(params, 1);
  const float lower = *slot_pointer<const float*>(params, 2), upper = *slot_pointer<const float*>(params, 3);
  OrqsAbstractRefill refill = slot_pointer<OrqsAbstractRefill>(params, 4);
  if (size <= 0 || !buffer || !(lower < upper) || !refill) return ORQ_STATUS_BAD_ARGUMENT;
  SAbstractState* st = StateOf<SAbstractState>(stream);
  st->size = size;
  st->next = 0;
  st->room = size;
  st->lower = lower;
  st->upper = upper;
  st->buffer = buffer;
  st->refill = refill;
  return ORQ_STATUS_OK;
}

extern "C" ZAFORQ_API int32_t __orqsNewAbstractStream(OrqStream* stream, int32_t n, float* buffer, float lower,
                                                      float upper, OrqsAbstractRefill refill) {
  // !(lower < upper) also refuses NaN bounds
  if (n <= 0 || !buffer || !(lower < upper) || !refill) return ORQ_STATUS_BAD_ARGUMENT;
  const uint64_t block[5] = {param_slot(&n), param_slot(buffer), param_slot(&lower), param_slot(&upper),
                             param_slot(reinterpret_cast<const void*>(refill))};
  return create_abstract(stream, ORQ_BRNG_SABSTRACT, kRealParamWords, block);
}
