/* zaforq vector math: strided, indexed and masked pack and unpack. C99; included by zaf.h. */
#ifndef ZAFORQ_ZAF_PACK_H
#define ZAFORQ_ZAF_PACK_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

/* Pack gathers elements into the dense array y; unpack scatters the dense array a.
   I: element i of the strided side is at i * inc (a negative inc walks backwards from the
      pointer). V: at the signed index ia[i] / iy[i]. M: positions whose mask word is non-zero,
      in order (PackM writes only as many elements as the mask selects; UnpackM leaves the
      unselected positions of y untouched). Elements are copied bit for bit; nothing is
      checked or reported, and n <= 0 copies nothing. */
ZAFORQ_API void _zafsPackI(int32_t n, const float* a, int32_t inc, float* y);
ZAFORQ_API void _zafsPackV(int32_t n, const float* a, const int32_t* ia, float* y);
ZAFORQ_API void _zafsPackM(int32_t n, const float* a, const int32_t* ma, float* y);
ZAFORQ_API void _zafsUnpackI(int32_t n, const float* a, float* y, int32_t inc);
ZAFORQ_API void _zafsUnpackV(int32_t n, const float* a, float* y, const int32_t* iy);
ZAFORQ_API void _zafsUnpackM(int32_t n, const float* a, float* y, const int32_t* my);
ZAFORQ_API void _zafdPackI(int32_t n, const double* a, int32_t inc, double* y);
ZAFORQ_API void _zafdPackV(int32_t n, const double* a, const int32_t* ia, double* y);
ZAFORQ_API void _zafdPackM(int32_t n, const double* a, const int32_t* ma, double* y);
ZAFORQ_API void _zafdUnpackI(int32_t n, const double* a, double* y, int32_t inc);
ZAFORQ_API void _zafdUnpackV(int32_t n, const double* a, double* y, const int32_t* iy);
ZAFORQ_API void _zafdUnpackM(int32_t n, const double* a, double* y, const int32_t* my);

ZAFORQ_END_DECLS

#endif
