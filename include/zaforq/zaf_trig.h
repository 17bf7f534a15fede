/* zaforq vector math: sine, cosine, tangent, their per-element callouts and the argument reduction. C99; included by zaf.h. */
#ifndef ZAFORQ_ZAF_TRIG_H
#define ZAFORQ_ZAF_TRIG_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

/* Reduction by multiples of pi/2 of any finite double given as its low and high 32-bit words:
   x = (q + 4m) pi/2 + r with |r| <= pi/4 (to within rounding). Writes r as r[0] + r[1]
   (high and low part) and returns the quadrant q in 0..3. */
ZAFORQ_API int32_t _zafreduce_pio2d(uint32_t x_lo, uint32_t x_hi, double r[2]);

/* ---- kernels: r = f(a) elementwise; SinCos writes r1 = sin a, r2 = cos a -------------- */
ZAFORQ_API void _zafsSin_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsSin_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsSin_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdSin_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdSin_HA(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafsCos_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsCos_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsCos_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdCos_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdCos_HA(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafsTan_11(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsTan_21(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafsTan_HA(int32_t n, const float* a, float* r);
ZAFORQ_API void _zafdTan_50(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafdTan_HA(int32_t n, const double* a, double* r);
ZAFORQ_API void _zafsSinCos_11(int32_t n, const float* a, float* r1, float* r2);
ZAFORQ_API void _zafsSinCos_21(int32_t n, const float* a, float* r1, float* r2);
ZAFORQ_API void _zafsSinCos_HA(int32_t n, const float* a, float* r1, float* r2);
ZAFORQ_API void _zafdSinCos_50(int32_t n, const double* a, double* r1, double* r2);
ZAFORQ_API void _zafdSinCos_HA(int32_t n, const double* a, double* r1, double* r2);

/* ---- per-element callouts: compute element `index` in double precision with the full-range
   reduction; ±inf gives NaN and reports ZAF_STATUS_ERRDOM under `name` (the named wrappers
   bind the class name, e.g. "sSin_HA"). The `unused` word is not read. ------------------- */
ZAFORQ_API void _zafsSin_SC(int32_t index, const float* a, float* r, int32_t unused, const char* name);
ZAFORQ_API void _zafsCos_SC(int32_t index, const float* a, float* r, int32_t unused, const char* name);
ZAFORQ_API void _zafsTan_SC(int32_t index, const float* a, float* r, int32_t unused, const char* name);
ZAFORQ_API void _zafsSinCos_SC(int32_t index, const float* a, float* r1, float* r2, int32_t unused,
                                 const char* name);
ZAFORQ_API void _zafsSin_SC_HA(int32_t index, const float* a, float* r, int32_t unused);
ZAFORQ_API void _zafsSin_SC_LA(int32_t index, const float* a, float* r, int32_t unused);
ZAFORQ_API void _zafsSin_SC_A11(int32_t index, const float* a, float* r, int32_t unused);
ZAFORQ_API void _zafsCos_SC_HA(int32_t index, const float* a, float* r, int32_t unused);
ZAFORQ_API void _zafsCos_SC_LA(int32_t index, const float* a, float* r, int32_t unused);
ZAFORQ_API void _zafsCos_SC_A11(int32_t index, const float* a, float* r, int32_t unused);
ZAFORQ_API void _zafsTan_SC_HA(int32_t index, const float* a, float* r, int32_t unused);
ZAFORQ_API void _zafsTan_SC_LA(int32_t index, const float* a, float* r, int32_t unused);
ZAFORQ_API void _zafsTan_SC_A11(int32_t index, const float* a, float* r, int32_t unused);
ZAFORQ_API void _zafsSinCos_SC_HA(int32_t index, const float* a, float* r1, float* r2, int32_t unused);
ZAFORQ_API void _zafsSinCos_SC_LA(int32_t index, const float* a, float* r1, float* r2, int32_t unused);
ZAFORQ_API void _zafsSinCos_SC_A11(int32_t index, const float* a, float* r1, float* r2, int32_t unused);
ZAFORQ_API void _zafdSin_SC(int32_t index, const double* a, double* r, int32_t unused, const char* name);
ZAFORQ_API void _zafdCos_SC(int32_t index, const double* a, double* r, int32_t unused, const char* name);
ZAFORQ_API void _zafdTan_SC(int32_t index, const double* a, double* r, int32_t unused, const char* name);
ZAFORQ_API void _zafdSinCos_SC(int32_t index, const double* a, double* r1, double* r2, int32_t unused,
                                 const char* name);
ZAFORQ_API void _zafdSin_SC_HA(int32_t index, const double* a, double* r, int32_t unused);
ZAFORQ_API void _zafdSin_SC_LA(int32_t index, const double* a, double* r, int32_t unused);
ZAFORQ_API void _zafdSin_SC_A11(int32_t index, const double* a, double* r, int32_t unused);
ZAFORQ_API void _zafdCos_SC_HA(int32_t index, const double* a, double* r, int32_t unused);
ZAFORQ_API void _zafdCos_SC_LA(int32_t index, const double* a, double* r, int32_t unused);
ZAFORQ_API void _zafdCos_SC_A11(int32_t index, const double* a, double* r, int32_t unused);
ZAFORQ_API void _zafdTan_SC_HA(int32_t index, const double* a, double* r, int32_t unused);
ZAFORQ_API void _zafdTan_SC_LA(int32_t index, const double* a, double* r, int32_t unused);
ZAFORQ_API void _zafdTan_SC_A11(int32_t index, const double* a, double* r, int32_t unused);
ZAFORQ_API void _zafdSinCos_SC_HA(int32_t index, const double* a, double* r1, double* r2, int32_t unused);
ZAFORQ_API void _zafdSinCos_SC_LA(int32_t index, const double* a, double* r1, double* r2, int32_t unused);
ZAFORQ_API void _zafdSinCos_SC_A11(int32_t index, const double* a, double* r1, double* r2, int32_t unused);

ZAFORQ_END_DECLS

#endif
