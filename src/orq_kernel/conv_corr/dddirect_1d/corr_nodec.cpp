// The front end reaches this type only through the decimating entry; this one has no kernel.
#include "zaforq/orq_conv.h"

extern "C" int32_t _orqCorrDDDirect1D_nodec(const double*, int32_t, const double*, int32_t, double*, int32_t, int32_t, int32_t, int32_t,
                                 int32_t) {
  return ORQ_CC_STATUS_UNSUPPORTED;
}
