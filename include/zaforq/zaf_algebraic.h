/* zaforq vector math: roots, reciprocals and division. C99; included by zaf.h.
   Shapes: (n, a, r) one in, one out; Div (n, a, b, r) with r = a / b.
   Float classes _11 (relative error 2^-11), _21 (below 4 ulp), _HA (below 1 ulp); double
   classes _50 (below 4 ulp) and _HA (below 1 ulp). n <= 0 does nothing. */
#ifndef ZAFORQ_ZAF_ALGEBRAIC_H
#define ZAFORQ_ZAF_ALGEBRAIC_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

/* Sqrt: r = sqrt(a). ERRDOM for a < 0 and -inf (result the default NaN); -0 gives -0. */
ZAFORQ_API void _zafsSqrt_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsSqrt_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsSqrt_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdSqrt_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdSqrt_HA(int32_t n, const double* a, double* r);

/* InvSqrt: r = 1 / sqrt(a). SING for ±0 (result ±inf); ERRDOM for a < 0 (result NaN). */
ZAFORQ_API void _zafsInvSqrt_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsInvSqrt_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsInvSqrt_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdInvSqrt_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdInvSqrt_HA(int32_t n, const double* a, double* r);

/* Cbrt: r = cbrt(a). No status. */
ZAFORQ_API void _zafsCbrt_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsCbrt_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsCbrt_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdCbrt_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdCbrt_HA(int32_t n, const double* a, double* r);

/* InvCbrt: r = 1 / cbrt(a). SING for ±0 (result ±inf). _zafdInvCbrt_50 forwards to _HA. */
ZAFORQ_API void _zafsInvCbrt_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsInvCbrt_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsInvCbrt_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdInvCbrt_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdInvCbrt_HA(int32_t n, const double* a, double* r);

/* Inv: r = 1 / a. SING for ±0 (result ±inf). */
ZAFORQ_API void _zafsInv_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsInv_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsInv_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdInv_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdInv_HA(int32_t n, const double* a, double* r);

/* Div: r = a / b. SING for b = ±0 (result the IEEE quotient). _zafdDiv_50 forwards to _HA. */
ZAFORQ_API void _zafsDiv_11(int32_t n, const float* a, const float* b, float* r);
ZAFORQ_API void _zafsDiv_21(int32_t n, const float* a, const float* b, float* r);
ZAFORQ_API void _zafsDiv_HA(int32_t n, const float* a, const float* b, float* r);
ZAFORQ_API void _zafdDiv_50(int32_t n, const double* a, const double* b, double* r);
ZAFORQ_API void _zafdDiv_HA(int32_t n, const double* a, const double* b, double* r);

/* One-element helpers: absolute value by clearing the sign bit; the square roots used by the
   Sqrt kernels for elements outside their vector range (negative arguments give the default
   NaN, nothing is reported). */
ZAFORQ_API float _zaf_sabs_scalar(float x);
ZAFORQ_API double _zaf_dabs_scalar(double x);
ZAFORQ_API float _zafssqrt_scalar(float x);
ZAFORQ_API double _zafdsqrt_scalar(double x);

ZAFORQ_END_DECLS

#endif
