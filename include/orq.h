/* zaforq: random streams, distributions and convolution/correlation tasks. C99. */
#ifndef ZAFORQ_ORQ_H
#define ZAFORQ_ORQ_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

ZAFORQ_END_DECLS

#endif
