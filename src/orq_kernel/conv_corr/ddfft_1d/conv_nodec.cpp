// The front end reaches the FFT method only through the decimating entry; this one has no kernel.
#include "zaforq/orq_conv.h"

extern "C" int32_t _orqConvDDFft1D_nodec(const double*, int32_t, const double*, int32_t, double*, int32_t, int32_t, int32_t, int32_t,
                                 int32_t) {
  return ORQ_CC_STATUS_UNSUPPORTED;
}
