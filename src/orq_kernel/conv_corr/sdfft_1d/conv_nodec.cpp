// The front end reaches the FFT method only through the decimating entry; this one has no kernel.
#include "zaforq/orq_conv.h"

extern "C" int32_t _orqConvSDFft1D_nodec(const float*, int32_t, const float*, int32_t, float*, int32_t, int32_t, int32_t, int32_t,
                                 int32_t) {
  return ORQ_CC_STATUS_UNSUPPORTED;
}
