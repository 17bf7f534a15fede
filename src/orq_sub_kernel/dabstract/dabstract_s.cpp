#include "orq_sub_kernel/iabstract/abstract.h"

extern "C" int32_t __orqsBRngdAbstract(OrqStream, int32_t, float*, float, float) {
  return ORQ_STATUS_WRONG_ABSTRACT_KIND;
}
