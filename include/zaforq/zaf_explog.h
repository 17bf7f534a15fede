/* zaforq vector math: exponential, logarithms and powers. C99; included by zaf.h. */
#ifndef ZAFORQ_ZAF_EXPLOG_H
#define ZAFORQ_ZAF_EXPLOG_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

/* r[i] = e^a[i] */
ZAFORQ_API void _zafsExp_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsExp_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsExp_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdExp_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdExp_HA(int32_t n, const double* a, double* r);

/* r[i] = ln a[i] */
ZAFORQ_API void _zafsLn_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsLn_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsLn_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdLn_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdLn_HA(int32_t n, const double* a, double* r);

/* r[i] = log10 a[i] */
ZAFORQ_API void _zafsLog10_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsLog10_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsLog10_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdLog10_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdLog10_HA(int32_t n, const double* a, double* r);

/* r[i] = a[i] to the power b[i] */
ZAFORQ_API void _zafsPow_11(int32_t n, const float* a, const float* b, float* r);
ZAFORQ_API void _zafsPow_21(int32_t n, const float* a, const float* b, float* r);
ZAFORQ_API void _zafsPow_HA(int32_t n, const float* a, const float* b, float* r);
ZAFORQ_API void _zafdPow_50(int32_t n, const double* a, const double* b, double* r);
ZAFORQ_API void _zafdPow_HA(int32_t n, const double* a, const double* b, double* r);

/* r[i] = a[i] to the power b */
ZAFORQ_API void _zafsPowx_11(int32_t n, const float* a, float b, float* r);
ZAFORQ_API void _zafsPowx_21(int32_t n, const float* a, float b, float* r);
ZAFORQ_API void _zafsPowx_HA(int32_t n, const float* a, float b, float* r);
ZAFORQ_API void _zafdPowx_50(int32_t n, const double* a, double b, double* r);
ZAFORQ_API void _zafdPowx_HA(int32_t n, const double* a, double b, double* r);

ZAFORQ_END_DECLS

#endif
