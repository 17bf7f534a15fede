#include "orq_sub_kernel/iabstract/abstract.h"

using namespace zaforq::orq;

// The double kind's mapping, entirely in single precision.
extern "C" int32_t __orqsBRngsAbstract(OrqStream stream, int32_t n, float* r, float a, float b) {
  SAbstractState* st = StateOf<SAbstractState>(stream);
  const float lower = st->lower, s = (b - a) / (st->upper - lower);
  return ring_generate(stream, st, n, [=](int32_t at, const float* v, int32_t k) {
    for (int32_t i = 0; i < k; ++i) r[at + i] = (v[i] - lower) * s + a;
  });
}
