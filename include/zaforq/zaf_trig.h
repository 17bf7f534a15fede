/* zaforq vector math: sine, cosine, tangent, their per-element callouts and the argument reduction. C99; included by zaf.h. */
#ifndef ZAFORQ_ZAF_TRIG_H
#define ZAFORQ_ZAF_TRIG_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

/* Reduction by multiples of pi/2 of any finite double given as its low and high 32-bit words:
   x = (q + 4m) pi/2 + r with |r| <= pi/4 (to within rounding). Writes r as r[0] + r[1]
   (high and low part) and returns the quadrant q in 0..3. */
ZAFORQ_API int32_t _zafreduce_pio2d(uint32_t x_lo, uint32_t x_hi, double r[2]);

ZAFORQ_END_DECLS

#endif
