/* zaforq vector math: roots, reciprocals and division. C99; included by zaf.h.
   Shapes: (n, a, r) one in, one out; Div (n, a, b, r) with r = a / b. */
#ifndef ZAFORQ_ZAF_ALGEBRAIC_H
#define ZAFORQ_ZAF_ALGEBRAIC_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

/* Inv: r = 1 / a. SING for ±0 (result ±inf). */
ZAFORQ_API void _zafdInv_50(int32_t n, const double* a, double* r);

ZAFORQ_END_DECLS

#endif
