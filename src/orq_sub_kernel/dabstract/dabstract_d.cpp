#include "orq_sub_kernel/iabstract/abstract.h"

using namespace zaforq::orq;

// Each buffered v of [lower, upper) becomes (v - lower) * s + a, s = (b - a) / (upper - lower).
extern "C" int32_t __orqdBRngdAbstract(OrqStream stream, int32_t n, double* r, double a, double b) {
  DAbstractState* st = StateOf<DAbstractState>(stream);
  const double lower = st->lower, s = (b - a) / (st->upper - lower);
  return ring_generate(stream, st, n, [=](int32_t at, const double* v, int32_t k) {
    for (int32_t i = 0; i < k; ++i) r[at + i] = (v[i] - lower) * s + a;
  });
}
