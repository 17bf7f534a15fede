// The front end reaches the multi-dimensional kernels only through the decimating entry; this
// one has no kernel.
#include "zaforq/orq_conv.h"

extern "C" int32_t _orqCorrSSDirectAll_nodec(int32_t, const float*, const int32_t*, const int32_t*, const float*, const int32_t*,
                                 const int32_t*, float*, const int32_t*, const int32_t*, const int32_t*) {
  return ORQ_CC_STATUS_UNSUPPORTED;
}
