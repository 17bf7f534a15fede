/* zaforq: vector mathematics, random streams and distributions, convolution and FFT.
   Umbrella header: include this one and link with -lzaforq. C99. */
#ifndef ZAFORQ_H
#define ZAFORQ_H

#include "zaf.h"
#include "orq.h"
#include "gaxs.h"

#endif
