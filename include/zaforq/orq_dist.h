/* zaforq distributions: continuous variates by transformation, the multivariate Gaussian, the
   simple discrete distributions, and the scalar support functions of the set-up code. C99;
   included by orq.h.

   Every entry takes (method, stream, n, r, parameters...) and returns a status of the
   random-stream component (0 or a generator's non-negative status on success). The entries are
   kernels: they do not check n (at least 1), r, or the parameters (scales and deviations
   positive, a < b). Of the method numbers only the Gaussian's are looked at; a Gaussian method
   other than ORQ_GAUSSIAN_BOXMULLER and ORQ_GAUSSIAN_BOXMULLER2 returns ORQ_STATUS_UNKNOWN_METHOD
   without drawing. */
#ifndef ZAFORQ_ORQ_DIST_H
#define ZAFORQ_ORQ_DIST_H

#include "zaforq/common.h"
#include "zaforq/orq_streams.h"

ZAFORQ_BEGIN_DECLS

/* Gaussian methods: Box-Muller, one variate per pair of uniforms; and Box-Muller keeping the
   pair's second variate in the stream (chunk key 2 for double, 1 for float) for the next call. */
#define ORQ_GAUSSIAN_BOXMULLER 0
#define ORQ_GAUSSIAN_BOXMULLER2 1

/* Storage forms of the multivariate Gaussian's triangular factor. */
#define ORQ_MV_STORAGE_FULL 0   /* d x d row-major, lower triangle read */
#define ORQ_MV_STORAGE_PACKED 1 /* lower triangle column by column, d (d + 1) / 2 values */
#define ORQ_MV_STORAGE_DIAG 2   /* the d diagonal values */

/* ---- continuous: x for u uniform on [0, 1) ------------------------------------------------ */
/* Gaussian with mean a and deviation sigma. */
ZAFORQ_API int32_t _orqdRngGaussian(int32_t method, OrqStream stream, int32_t n, double* r, double a, double sigma);
ZAFORQ_API int32_t _orqsRngGaussian(int32_t method, OrqStream stream, int32_t n, float* r, float a, float sigma);
/* exp(z) beta + b, z Gaussian with mean a and deviation sigma (always the pair-keeping method). */
ZAFORQ_API int32_t _orqdRngLognormal(int32_t method, OrqStream stream, int32_t n, double* r, double a, double sigma,
                                     double b, double beta);
ZAFORQ_API int32_t _orqsRngLognormal(int32_t method, OrqStream stream, int32_t n, float* r, float a, float sigma,
                                     float b, float beta);
/* -beta ln u + a */
ZAFORQ_API int32_t _orqdRngExponential(int32_t method, OrqStream stream, int32_t n, double* r, double a, double beta);
ZAFORQ_API int32_t _orqsRngExponential(int32_t method, OrqStream stream, int32_t n, float* r, float a, float beta);
/* -+beta ln u1 + a, the sign chosen by a second uniform */
ZAFORQ_API int32_t _orqdRngLaplace(int32_t method, OrqStream stream, int32_t n, double* r, double a, double beta);
ZAFORQ_API int32_t _orqsRngLaplace(int32_t method, OrqStream stream, int32_t n, float* r, float a, float beta);
/* (-ln u)^(1/alpha) beta + a: shape alpha first, then shift a and scale beta */
ZAFORQ_API int32_t _orqdRngWeibull(int32_t method, OrqStream stream, int32_t n, double* r, double alpha, double a,
                                   double beta);
ZAFORQ_API int32_t _orqsRngWeibull(int32_t method, OrqStream stream, int32_t n, float* r, float alpha, float a,
                                   float beta);
/* tan(v) beta + a, v uniform on [-pi/2, pi/2) */
ZAFORQ_API int32_t _orqdRngCauchy(int32_t method, OrqStream stream, int32_t n, double* r, double a, double beta);
ZAFORQ_API int32_t _orqsRngCauchy(int32_t method, OrqStream stream, int32_t n, float* r, float a, float beta);
/* sqrt(-ln u) beta + a */
ZAFORQ_API int32_t _orqdRngRayleigh(int32_t method, OrqStream stream, int32_t n, double* r, double a, double beta);
ZAFORQ_API int32_t _orqsRngRayleigh(int32_t method, OrqStream stream, int32_t n, float* r, float a, float beta);
/* ln(-ln u) beta + a (the minimum-type extreme value distribution) */
ZAFORQ_API int32_t _orqdRngGumbel(int32_t method, OrqStream stream, int32_t n, double* r, double a, double beta);
ZAFORQ_API int32_t _orqsRngGumbel(int32_t method, OrqStream stream, int32_t n, float* r, float a, float beta);

/* The bounds of the Cauchy distribution's angles: {+pi/2, -pi/2}. */
ZAFORQ_API extern const double _orqdCauchyTab[2];
ZAFORQ_API extern const float _orqsCauchyTab[2];

/* ---- multivariate Gaussian ------------------------------------------------------------------ */
/* n vectors of dimension d, vector k at r[k d ...]: a + T z, z standard normal drawn with the
   Gaussian method; T in storage form mstorage (ORQ_MV_STORAGE_...). Returns the Gaussian
   draw's status, or ORQ_STATUS_NO_MEMORY when d >= 1024 and the work vector cannot be had. */
ZAFORQ_API int32_t _orqdRngGaussianMV(int32_t method, OrqStream stream, int32_t n, double* r, int32_t d,
                                      int32_t mstorage, const double* a, const double* t);
ZAFORQ_API int32_t _orqsRngGaussianMV(int32_t method, OrqStream stream, int32_t n, float* r, int32_t d,
                                      int32_t mstorage, const float* a, const float* t);

/* ---- discrete: 32-bit integers ------------------------------------------------------------- */
/* floor of a uniform on [a, b) */
ZAFORQ_API int32_t _orqiRngUniform(int32_t method, OrqStream stream, int32_t n, int32_t* r, int32_t a, int32_t b);
/* 1 with probability p, else 0 */
ZAFORQ_API int32_t _orqiRngBernoulli(int32_t method, OrqStream stream, int32_t n, int32_t* r, double p);
/* failures before the first success, success probability p */
ZAFORQ_API int32_t _orqiRngGeometric(int32_t method, OrqStream stream, int32_t n, int32_t* r, double p);

/* ---- scalar support functions of the set-up code ---------------------------------------------- */
/* ln x; zero, negative, NaN and +inf give ln 2^-1074 = -744.4400719213812, never -inf or NaN */
ZAFORQ_API double __orqdLn(double x);
/* ln x in float, evaluated in double and rounded once; +-0 give -103.2789306640625 */
ZAFORQ_API float __orqsLn(float x);
/* exact floor, without changing the rounding mode */
ZAFORQ_API double __orqdFloor(double x);
/* square root on the x87 unit */
ZAFORQ_API double __orqdSqrt(double x);

ZAFORQ_END_DECLS

#endif
