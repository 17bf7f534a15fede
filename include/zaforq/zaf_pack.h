/* zaforq vector math: strided, indexed and masked pack and unpack. C99; included by zaf.h. */
#ifndef ZAFORQ_ZAF_PACK_H
#define ZAFORQ_ZAF_PACK_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

ZAFORQ_END_DECLS

#endif
