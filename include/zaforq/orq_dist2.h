/* zaforq distributions with parameter-driven rejection and inversion methods: gamma, beta,
   binomial, negative binomial, hypergeometric and Poisson. C99; included by orq.h.

   Like the other distributions these are kernels: they do not check n, r or the parameters
   (shapes and scales positive, 0 <= p <= 1, ntrial >= 0, 0 <= m <= l, 0 <= s <= l, lambda > 0).
   The method is chosen from the parameters; the method argument is looked at only by the
   Poisson entry. Set-ups and carried candidates live in chunks of the stream, so they travel
   with stream copies and stream files; a set-up chunk that cannot be allocated gives
   ORQ_STATUS_NO_MEMORY before anything is drawn. */
#ifndef ZAFORQ_ORQ_DIST2_H
#define ZAFORQ_ORQ_DIST2_H

#include "zaforq/common.h"
#include "zaforq/orq_streams.h"

ZAFORQ_BEGIN_DECLS

/* Poisson methods: exact (inversion below a mean of 27, PTPE rejection from 27), and an
   approximation that maps one uniform (mean below 1) or one Gaussian per variate through a fixed
   formula, without rejection or state. Other method numbers return ORQ_STATUS_UNKNOWN_METHOD
   without drawing. */
#define ORQ_POISSON_PTPE 0
#define ORQ_POISSON_POISNORM 1

/* gamma with shape alpha, then x beta + a */
ZAFORQ_API int32_t _orqdRngGamma(int32_t method, OrqStream stream, int32_t n, double* r, double alpha, double a,
                                 double beta);
ZAFORQ_API int32_t _orqsRngGamma(int32_t method, OrqStream stream, int32_t n, float* r, float alpha, float a,
                                 float beta);
/* beta with shapes p and q, then x beta + a */
ZAFORQ_API int32_t _orqdRngBeta(int32_t method, OrqStream stream, int32_t n, double* r, double p, double q, double a,
                                double beta);
ZAFORQ_API int32_t _orqsRngBeta(int32_t method, OrqStream stream, int32_t n, float* r, float p, float q, float a,
                                float beta);
/* successes in ntrial trials of probability p */
ZAFORQ_API int32_t _orqiRngBinomial(int32_t method, OrqStream stream, int32_t n, int32_t* r, int32_t ntrial, double p);
/* failures before the a-th success, success probability p (a real) */
ZAFORQ_API int32_t _orqiRngNegbinomial(int32_t method, OrqStream stream, int32_t n, int32_t* r, double a, double p);
/* marked items in a sample of s drawn without replacement from l items of which m are marked */
ZAFORQ_API int32_t _orqiRngHypergeometric(int32_t method, OrqStream stream, int32_t n, int32_t* r, int32_t l,
                                          int32_t s, int32_t m);
/* Poisson with mean lambda, by ORQ_POISSON_PTPE or ORQ_POISSON_POISNORM */
ZAFORQ_API int32_t _orqiRngPoisson(int32_t method, OrqStream stream, int32_t n, int32_t* r, double lambda);
/* Poisson with mean lambda[i] for element i (the method is not looked at): one Gaussian per
   element mapped through a fixed formula, an approximation like ORQ_POISSON_POISNORM */
ZAFORQ_API int32_t _orqiRngPoissonV(int32_t method, OrqStream stream, int32_t n, int32_t* r, const double* lambda);

ZAFORQ_END_DECLS

#endif
