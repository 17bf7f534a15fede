/* zaforq convolution and correlation: status codes, tasks, execution and kernels. C99; included by orq.h. */
#ifndef ZAFORQ_ORQ_CONV_H
#define ZAFORQ_ORQ_CONV_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

ZAFORQ_END_DECLS

#endif
