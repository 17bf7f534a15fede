#include "orq_sub_kernel/wh/wh.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqiBRngWH(OrqStream stream, int32_t n, void* r) {
  wh::Words sink{static_cast<uint32_t*>(r)};
  wh::generate(StateOf<wh::State>(stream), wh::set_of(stream), n, sink);
  return ORQ_STATUS_OK;
}
