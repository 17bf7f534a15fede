#include "orq_sub_kernel/mrg32k3a/mrg32k3a.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqdBRngMRG32K3A(OrqStream stream, int32_t n, double* r, double a, double b) {
  mrg::Scaled<double> sink{r, (b - a) * mrg::kInvM1, a};
  mrg::generate(StateOf<mrg::State>(stream), n, sink);
  return ORQ_STATUS_OK;
}
