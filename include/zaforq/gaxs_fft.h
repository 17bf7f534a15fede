/* zaforq signal-processing primitives: status codes, aligned memory, real FFT, convolution primitive. C99; included by gaxs.h. */
#ifndef ZAFORQ_GAXS_FFT_H
#define ZAFORQ_GAXS_FFT_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

ZAFORQ_END_DECLS

#endif
