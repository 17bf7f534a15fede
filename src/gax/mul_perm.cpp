// Products of spectra in Perm layout: positions 0 (and 1 for an even length) are real bins,
// the rest complex pairs, multiplied on the instruction-set path in use.
#include "cpu/path.h"
#include "gax/fft.h"

using namespace zaforq::gax;

namespace {

template <class T>
int32_t mul_perm(const T* src, T* srcDst, int32_t len) {
  if (!src || !srcDst) return GAXS_STATUS_NULL_PTR_ERR;
  if (len < 1) return GAXS_STATUS_SIZE_ERR;
  mul_perm_unchecked(src, srcDst, static_cast<size_t>(len), zaforq::cpu::current());
  return GAXS_STATUS_OK;
}

}  // namespace

namespace zaforq::gax {

template <class T>
void mul_perm_unchecked(const T* src, T* srcDst, size_t len, int path) {
  srcDst[0] *= src[0];
  if (len % 2 == 0) {
    srcDst[1] *= src[1];
    products(src + 2, srcDst + 2, (len - 2) / 2, path);
  } else {
    products(src + 1, srcDst + 1, (len - 1) / 2, path);
  }
}
template void mul_perm_unchecked<float>(const float*, float*, size_t, int);
template void mul_perm_unchecked<double>(const double*, double*, size_t, int);

}  // namespace zaforq::gax

extern "C" void ownps_Mpy2_32fc(const float* src, float* srcDst, int32_t count) {
  if (count > 0) products(src, srcDst, static_cast<size_t>(count), zaforq::cpu::current());
}

extern "C" ZAFORQ_API int32_t gaxsMulPerm_32f_I(const float* src, float* srcDst, int32_t len) {
  return mul_perm<float>(src, srcDst, len);
}
extern "C" ZAFORQ_API int32_t gaxsMulPerm_64f_I(const double* src, double* srcDst, int32_t len) {
  return mul_perm<double>(src, srcDst, len);
}
