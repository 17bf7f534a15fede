/* zaforq vector math: inverse trigonometric functions. C99; included by zaf.h.
   Shapes: (n, a, r) one in, one out; Atan2 (n, a, b, r) with r = atan2(a, b), a the ordinate.
   Float classes _11 (relative error 2^-11), _21 (below 4 ulp), _HA (below 1 ulp); double
   classes _50 (below 4 ulp) and _HA (below 1 ulp). n <= 0 does nothing. */
#ifndef ZAFORQ_ZAF_INVTRIG_H
#define ZAFORQ_ZAF_INVTRIG_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

/* Asin: r = asin(a) in [-pi/2, pi/2]. ERRDOM for |a| > 1 (±inf included); result the
   default NaN (sign bit set). */
ZAFORQ_API void _zafsAsin_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsAsin_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsAsin_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdAsin_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdAsin_HA(int32_t n, const double* a, double* r);

/* Acos: r = acos(a) in [0, pi]. ERRDOM for |a| > 1 (±inf included); result the default NaN. */
ZAFORQ_API void _zafsAcos_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsAcos_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsAcos_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdAcos_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdAcos_HA(int32_t n, const double* a, double* r);

/* Atan: r = atan(a) in [-pi/2, pi/2]; atan(±inf) = ±pi/2. No status. */
ZAFORQ_API void _zafsAtan_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsAtan_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsAtan_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdAtan_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdAtan_HA(int32_t n, const double* a, double* r);

/* Atan2: r = atan2(a, b) in [-pi, pi]. Signed zeros and infinities give the results of the
   x87 partial arctangent (atan2(+0, -0) = +pi, atan2(-0, +0) = -0, atan2(+inf, -inf) = 3pi/4)
   in every class. No status. */
ZAFORQ_API void _zafsAtan2_11(int32_t n, const float* a, const float* b, float* r);
ZAFORQ_API void _zafsAtan2_21(int32_t n, const float* a, const float* b, float* r);
ZAFORQ_API void _zafsAtan2_HA(int32_t n, const float* a, const float* b, float* r);
ZAFORQ_API void _zafdAtan2_50(int32_t n, const double* a, const double* b, double* r);
ZAFORQ_API void _zafdAtan2_HA(int32_t n, const double* a, const double* b, double* r);

/* One float element of atan(x) and atan2(y, x), as the float Atan and Atan2 kernels compute
   the elements outside their vector range (NaN, infinities, zeros). */
ZAFORQ_API float _zafsatan_scalar(float x);
ZAFORQ_API float _zafsatan2_scalar(float y, float x);

ZAFORQ_END_DECLS

#endif
