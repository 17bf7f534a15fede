#include "orq_sub_kernel/sobol/quasi.h"

using namespace zaforq::orq;

// r = X * ((b - a) * 2^-32) + a, written as the points are made.
extern "C" ZAFORQ_API int32_t __orqdBRngNiederr(OrqStream stream, int32_t n, double* r, double a, double b) {
  quasi_generate(StateOf<NiederrState>(stream), n, DoubleSink{r, (b - a) * 0x1p-32, a});
  return ORQ_STATUS_OK;
}
