// Float Gaussian variates by Box-Muller, through the method table.
#include "orq_kernel/continuous/gaussian/box_muller.h"

using namespace zaforq::orq;

namespace {

int32_t _vsRngGaussianBoxMuller(OrqStream stream, int32_t n, float* r, float a, float sigma) {
  return box_muller<float>(stream, n, r, a, sigma);
}
int32_t _vsRngGaussianBoxMuller2(OrqStream stream, int32_t n, float* r, float a, float sigma) {
  return box_muller2<float>(stream, n, r, a, sigma);
}
const GaussianFn<float> Dispatch[2] = {_vsRngGaussianBoxMuller, _vsRngGaussianBoxMuller2};

}  // namespace

extern "C" ZAFORQ_API int32_t _orqsRngGaussian(int32_t method, OrqStream stream, int32_t n, float* r, float a,
                                               float sigma) {
  return gaussian<float>(method, stream, n, r, a, sigma, Dispatch);
}
