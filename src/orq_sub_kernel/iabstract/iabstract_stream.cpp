// Integer abstract stream: creation and initialisation.
#include "orq_sub_kernel/iabstract/abstract.h"

using namespace zaforq::orq;

extern "C" int32_t __orqBRngiAbstractInitStream(int32_t method, OrqStream stream, int32_t n, const uint32_t* params) {
  if (method != 0) return abstract_refusal(method);
  if (n < kIntParamWords || !params) return ORQ_STATUS_BAD_ARGUMENT;
  const int32_t size = *slot_pointer<const int32_t*>(params, 0);
  uint32_t* buffer = slot_pointer<uint32_t*>(params, 1);
  OrqiAbstractRefill refill = slot_pointer<OrqiAbstractRefill>(params, 2);
  // the same checks as creation, for a caller that reaches this function through the registry
  if (size <= 0 || !buffer || !refill) return ORQ_STATUS_BAD_ARGUMENT;
  IAbstractState* st = StateOf<IAbstractState>(stream);
  st->size = size;
  st->next = 0;
  st->room = size;  // empty: the first generation call starts with a refill
  st->buffer = buffer;
  st->refill = refill;
  return ORQ_STATUS_OK;
}

extern "C" ZAFORQ_API int32_t __orqiNewAbstractStream(OrqStream* stream, int32_t n, uint32_t* buffer,
                                                      OrqiAbstractRefill refill) {
  // a negative size must not reach the ring arithmetic: refused like 0
  if (n <= 0 || !buffer || !refill) return ORQ_STATUS_BAD_ARGUMENT;
  const uint64_t block[3] = {param_slot(&n), param_slot(buffer), param_slot(reinterpret_cast<const void*>(refill))};
  return create_abstract(stream, ORQ_BRNG_IABSTRACT, kIntParamWords, block);
}
