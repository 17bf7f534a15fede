// Double Gaussian variates by Box-Muller, through the method table.
#include "orq_kernel/continuous/gaussian/box_muller.h"

using namespace zaforq::orq;

namespace {

int32_t _vdRngGaussianBoxMuller(OrqStream stream, int32_t n, double* r, double a, double sigma) {
  return box_muller<double>(stream, n, r, a, sigma);
}
int32_t _vdRngGaussianBoxMuller2(OrqStream stream, int32_t n, double* r, double a, double sigma) {
  return box_muller2<double>(stream, n, r, a, sigma);
}
const GaussianFn<double> Dispatch[2] = {_vdRngGaussianBoxMuller, _vdRngGaussianBoxMuller2};

}  // namespace

extern "C" ZAFORQ_API int32_t _orqdRngGaussian(int32_t method, OrqStream stream, int32_t n, double* r, double a,
                                               double sigma) {
  return gaussian<double>(method, stream, n, r, a, sigma, Dispatch);
}
