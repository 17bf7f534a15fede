/* zaforq random streams: the quasi-random generators (Sobol, Niederreiter) and the abstract
   streams that read caller buffers. C99; included by orq.h after orq_streams.h. */
#ifndef ZAFORQ_ORQ_QUASI_H
#define ZAFORQ_ORQ_QUASI_H

#include "zaforq/common.h"
#include "zaforq/orq_streams.h"

ZAFORQ_BEGIN_DECLS

/* ---- quasi-random generators ------------------------------------------------------------------
   A stream delivers the coordinates of successive points one after another, starting at point 1;
   params[0] of the creation is the dimension (1 to 40 for Sobol, 1 to 318 for Niederreiter, any
   other value gives 1). Leapfrog (k, 0x7FFFFFFF) selects coordinate k; skip-ahead counts
   coordinates. The integer output is the 32-bit fixed-point coordinate. */
ZAFORQ_API int32_t __orqBRngSobolInitStream(int32_t method, OrqStream stream, int32_t n, const uint32_t* params);
ZAFORQ_API int32_t __orqdBRngSobol(OrqStream stream, int32_t n, double* r, double a, double b);
ZAFORQ_API int32_t __orqsBRngSobol(OrqStream stream, int32_t n, float* r, float a, float b);
ZAFORQ_API int32_t __orqiBRngSobol(OrqStream stream, int32_t n, void* r);

ZAFORQ_API int32_t __orqBRngNiederrInitStream(int32_t method, OrqStream stream, int32_t n, const uint32_t* params);
ZAFORQ_API int32_t __orqdBRngNiederr(OrqStream stream, int32_t n, double* r, double a, double b);
ZAFORQ_API int32_t __orqsBRngNiederr(OrqStream stream, int32_t n, float* r, float a, float b);
ZAFORQ_API int32_t __orqiBRngNiederr(OrqStream stream, int32_t n, void* r);

/* Sobol tables, row r for dimension r + 1: primitive polynomials over GF(2) as integers (bit s
   is x^s), their degrees, and the initial direction values m_1..m_s (the rest of a row is 0). */
ZAFORQ_API extern const uint32_t uSobolIrredPoly[39];
ZAFORQ_API extern const int32_t iSobolIrredPolyDeg[39];
ZAFORQ_API extern const uint32_t uSobolMInit[39][8];

/* Niederreiter tables, row r for dimension r: the first 318 irreducible polynomials over GF(2)
   in increasing order (2 is x) and their degrees. */
ZAFORQ_API extern const uint32_t uNiederrIrredPoly[318];
ZAFORQ_API extern const int32_t iNiederrIrredPolyDeg[318];

/* ---- abstract streams ----------------------------------------------------------------------------
   The stream reads numbers from the caller's ring buffer of n slots and calls the refill function
   when it runs dry. The refill function writes new numbers into the slots *start, *start + 1, ...
   (wrapping at *size), at most *room of them and normally at least *wanted, and returns how many
   it wrote (1 to *wanted - 1 makes the stream call it again for the rest; 0, a negative count or
   more than *room is an error of the generation call). The buffer and the function stay the
   caller's; deleting the stream frees only the record. Leapfrog and skip-ahead are refused. */
typedef int32_t (*OrqiAbstractRefill)(OrqStream stream, int32_t* size, uint32_t* buffer, int32_t* wanted,
                                      int32_t* room, int32_t* start);
typedef int32_t (*OrqdAbstractRefill)(OrqStream stream, int32_t* size, double* buffer, int32_t* wanted,
                                      int32_t* room, int32_t* start);
typedef int32_t (*OrqsAbstractRefill)(OrqStream stream, int32_t* size, float* buffer, int32_t* wanted,
                                      int32_t* room, int32_t* start);

/* The integer kind delivers the buffer words unchanged; the double and float kinds hold numbers
   of [lower, upper) and map them linearly onto the [a, b) of each generation call. */
ZAFORQ_API int32_t __orqiNewAbstractStream(OrqStream* stream, int32_t n, uint32_t* buffer, OrqiAbstractRefill refill);
ZAFORQ_API int32_t __orqdNewAbstractStream(OrqStream* stream, int32_t n, double* buffer, double lower, double upper,
                                           OrqdAbstractRefill refill);
ZAFORQ_API int32_t __orqsNewAbstractStream(OrqStream* stream, int32_t n, float* buffer, float lower, float upper,
                                           OrqsAbstractRefill refill);

ZAFORQ_END_DECLS

#endif
