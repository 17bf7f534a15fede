#include "orq_sub_kernel/iabstract/abstract.h"

extern "C" int32_t __orqdBRngiAbstract(OrqStream, int32_t, double*, double, double) {
  return ORQ_STATUS_WRONG_ABSTRACT_KIND;
}
