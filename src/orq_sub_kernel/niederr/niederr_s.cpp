#include "orq_sub_kernel/sobol/quasi.h"

using namespace zaforq::orq;

// The double entry's value, rounded to float.
extern "C" ZAFORQ_API int32_t __orqsBRngNiederr(OrqStream stream, int32_t n, float* r, float a, float b) {
  const double da = a, db = b;
  quasi_generate(StateOf<NiederrState>(stream), n, FloatSink{r, (db - da) * 0x1p-32, da});
  return ORQ_STATUS_OK;
}
