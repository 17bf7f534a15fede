// Products of spectra in Perm layout: positions 0 (and 1 for an even length) are real bins,
// the rest complex pairs.
#include "gax/gax.h"
#include "gax/pack4.h"

using namespace zaforq::gax;

namespace {

template <class T>
void complex_products(const T* a, T* b, size_t count) {
  size_t k = 0;
  for (; k + 4 <= count; k += 4) {
    const C4<T> x = C4<T>::load_pairs(a + 2 * k), y = C4<T>::load_pairs(b + 2 * k);
    cmul(x, re_of(y), im_of(y)).store_pairs(b + 2 * k);
  }
  for (; k < count; ++k) {
    const T ar = a[2 * k], ai = a[2 * k + 1], br = b[2 * k], bi = b[2 * k + 1];
    b[2 * k] = ar * br - ai * bi;
    b[2 * k + 1] = ar * bi + ai * br;
  }
}

template <class T>
int32_t mul_perm(const T* src, T* srcDst, int32_t len, void (*products)(const T*, T*, size_t)) {
  if (!src || !srcDst) return GAXS_STATUS_NULL_PTR_ERR;
  if (len < 1) return GAXS_STATUS_SIZE_ERR;
  srcDst[0] *= src[0];
  if (len % 2 == 0) {
    if (len > 1) srcDst[1] *= src[1];
    products(src + 2, srcDst + 2, static_cast<size_t>(len - 2) / 2);
  } else {
    products(src + 1, srcDst + 1, static_cast<size_t>(len - 1) / 2);
  }
  return GAXS_STATUS_OK;
}

void mpy2_32fc(const float* a, float* b, size_t count) { ownps_Mpy2_32fc(a, b, static_cast<int32_t>(count)); }

}  // namespace

extern "C" void ownps_Mpy2_32fc(const float* src, float* srcDst, int32_t count) {
  if (count > 0) complex_products(src, srcDst, static_cast<size_t>(count));
}

extern "C" ZAFORQ_API int32_t gaxsMulPerm_32f_I(const float* src, float* srcDst, int32_t len) {
  return mul_perm<float>(src, srcDst, len, mpy2_32fc);
}
extern "C" ZAFORQ_API int32_t gaxsMulPerm_64f_I(const double* src, double* srcDst, int32_t len) {
  return mul_perm<double>(src, srcDst, len, complex_products<double>);
}
