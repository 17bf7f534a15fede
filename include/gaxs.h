/* zaforq: signal-processing primitives (aligned memory, real FFT, convolution). C99. */
#ifndef ZAFORQ_GAXS_H
#define ZAFORQ_GAXS_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

ZAFORQ_END_DECLS

#endif
