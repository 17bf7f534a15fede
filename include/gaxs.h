/* zaforq: signal-processing primitives (aligned memory, real FFT, convolution). C99.
   The declarations live in zaforq/gaxs_fft.h. */
#ifndef ZAFORQ_GAXS_H
#define ZAFORQ_GAXS_H

#include "zaforq/common.h"
#include "zaforq/gaxs_fft.h"

#endif
