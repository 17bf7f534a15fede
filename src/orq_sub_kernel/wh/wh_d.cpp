#include "orq_sub_kernel/wh/wh.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqdBRngWH(OrqStream stream, int32_t n, double* r, double a, double b) {
  const int32_t set = wh::set_of(stream);
  wh::Uniform<double> sink(r, set, a, b);
  wh::generate(StateOf<wh::State>(stream), set, n, sink);
  return ORQ_STATUS_OK;
}
