#include "orq_sub_kernel/iabstract/abstract.h"

using namespace zaforq::orq;

// The buffer words, unchanged.
extern "C" int32_t __orqiBRngiAbstract(OrqStream stream, int32_t n, void* r) {
  uint32_t* out = static_cast<uint32_t*>(r);
  return ring_generate(stream, StateOf<IAbstractState>(stream), n, [out](int32_t at, const uint32_t* v, int32_t k) {
    memcpy(out + at, v, static_cast<size_t>(k) * sizeof(uint32_t));
  });
}
