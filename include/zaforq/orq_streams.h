/* zaforq random streams: status codes, generator registry, stream services, stream files, basic generators. C99; included by orq.h. */
#ifndef ZAFORQ_ORQ_STREAMS_H
#define ZAFORQ_ORQ_STREAMS_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

ZAFORQ_END_DECLS

#endif
