/* zaforq: random streams, distributions and convolution/correlation tasks. C99.
   The declarations live in one header per area, all included here. */
#ifndef ZAFORQ_ORQ_H
#define ZAFORQ_ORQ_H

#include "zaforq/common.h"
#include "zaforq/orq_streams.h"
#include "zaforq/orq_quasi.h"
#include "zaforq/orq_conv.h"
#include "zaforq/orq_dist.h"
#include "zaforq/orq_dist2.h"

#endif
