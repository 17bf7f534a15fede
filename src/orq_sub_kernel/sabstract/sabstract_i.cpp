#include "orq_sub_kernel/iabstract/abstract.h"

extern "C" int32_t __orqiBRngsAbstract(OrqStream, int32_t, void*) { return ORQ_STATUS_WRONG_ABSTRACT_KIND; }
