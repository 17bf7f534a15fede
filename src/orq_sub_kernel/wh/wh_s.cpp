#include "orq_sub_kernel/wh/wh.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqsBRngWH(OrqStream stream, int32_t n, float* r, float a, float b) {
  const int32_t set = wh::set_of(stream);
  wh::Uniform<float> sink(r, set, a, b);
  wh::generate(StateOf<wh::State>(stream), set, n, sink);
  return ORQ_STATUS_OK;
}
