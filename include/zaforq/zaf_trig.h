/* zaforq vector math: sine, cosine, tangent, their per-element callouts and the argument reduction. C99; included by zaf.h. */
#ifndef ZAFORQ_ZAF_TRIG_H
#define ZAFORQ_ZAF_TRIG_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

ZAFORQ_END_DECLS

#endif
