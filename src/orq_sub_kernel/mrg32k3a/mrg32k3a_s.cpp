#include "orq_sub_kernel/mrg32k3a/mrg32k3a.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqsBRngMRG32K3A(OrqStream stream, int32_t n, float* r, float a, float b) {
  const double da = a, db = b;
  mrg::Scaled<float> sink{r, (db - da) * mrg::kInvM1, da};
  mrg::generate(StateOf<mrg::State>(stream), n, sink);
  return ORQ_STATUS_OK;
}
