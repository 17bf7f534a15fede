/* zaforq vector-math kernels: included by zaf.h; each group of families has its own header. */
#ifndef ZAFORQ_ZAF_KERNELS_H
#define ZAFORQ_ZAF_KERNELS_H

#include "zaforq/zaf_algebraic.h"
#endif
