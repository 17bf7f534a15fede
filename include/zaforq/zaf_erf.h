/* zaforq vector math: error function and its complement. C99; included by zaf.h. */
#ifndef ZAFORQ_ZAF_ERF_H
#define ZAFORQ_ZAF_ERF_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

/* r[i] = erf a[i]; never reports */
ZAFORQ_API void _zafsErf_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsErf_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsErf_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdErf_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdErf_HA(int32_t n, const double* a, double* r);

/* r[i] = erfc a[i] = 1 - erf a[i]; UNDERFLOW for finite a[i] whose result is below the
   normal range (float from 9.19455, double above 26.543258454250978), result the subnormal
   value or +0 */
ZAFORQ_API void _zafsErfc_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsErfc_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsErfc_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdErfc_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdErfc_HA(int32_t n, const double* a, double* r);

ZAFORQ_END_DECLS

#endif
