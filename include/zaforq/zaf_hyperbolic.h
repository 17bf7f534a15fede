/* zaforq vector math: hyperbolic functions and their inverses. C99; included by zaf.h. */
#ifndef ZAFORQ_ZAF_HYPERBOLIC_H
#define ZAFORQ_ZAF_HYPERBOLIC_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

/* r[i] = sinh a[i] */
ZAFORQ_API void _zafsSinh_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsSinh_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsSinh_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdSinh_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdSinh_HA(int32_t n, const double* a, double* r);

/* r[i] = cosh a[i] */
ZAFORQ_API void _zafsCosh_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsCosh_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsCosh_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdCosh_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdCosh_HA(int32_t n, const double* a, double* r);

/* r[i] = tanh a[i] */
ZAFORQ_API void _zafsTanh_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsTanh_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsTanh_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdTanh_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdTanh_HA(int32_t n, const double* a, double* r);

/* r[i] = asinh a[i] */
ZAFORQ_API void _zafsAsinh_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsAsinh_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsAsinh_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdAsinh_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdAsinh_HA(int32_t n, const double* a, double* r);

/* r[i] = acosh a[i] */
ZAFORQ_API void _zafsAcosh_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsAcosh_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsAcosh_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdAcosh_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdAcosh_HA(int32_t n, const double* a, double* r);

/* r[i] = atanh a[i] */
ZAFORQ_API void _zafsAtanh_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsAtanh_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsAtanh_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdAtanh_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdAtanh_HA(int32_t n, const double* a, double* r);

ZAFORQ_END_DECLS

#endif
