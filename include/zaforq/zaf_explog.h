/* zaforq vector math: exponential, logarithms and powers. C99; included by zaf.h. */
#ifndef ZAFORQ_ZAF_EXPLOG_H
#define ZAFORQ_ZAF_EXPLOG_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

ZAFORQ_END_DECLS

#endif
