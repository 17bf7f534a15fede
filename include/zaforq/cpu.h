/* zaforq: which instruction-set path the wide kernels take. C99. An extension of this library.

   On x86-64 the FFT, the convolution primitive, the direct convolution products and the
   Mersenne twisters' block generation have paths for SSE2, AVX2 with FMA, and AVX-512 (F, DQ,
   VL). The twisters give the same numbers on every path (their work is integer arithmetic and
   one exact conversion); the floating-point paths may not, as below. The widest the processor and the operating
   system support is chosen the first time a path is needed, from CPUID and XGETBV. Nothing is
   read from the environment: a caller chooses by calling zaforqSetCpuPath.

   Pinning ZAFORQ_PATH_SSE2 gives the same bits on every x86-64 processor (and the same bits as
   the i386 build, which has only that path). The wider paths round differently (fused
   multiply-adds, another order of operations) but meet the same error bounds.

   The choice is one per process. Set it before starting threads that transform, or accept that
   a call already running finishes on the path it started with. */
#ifndef ZAFORQ_CPU_H
#define ZAFORQ_CPU_H

#include "common.h"

ZAFORQ_BEGIN_DECLS

#define ZAFORQ_PATH_AUTO (-1)  /* the widest path this machine has */
#define ZAFORQ_PATH_SSE2 0
#define ZAFORQ_PATH_AVX2 1     /* AVX2 and FMA */
#define ZAFORQ_PATH_AVX512 2   /* AVX-512 F, DQ and VL */

/* Pins a path. Returns 0, or -1 and changes nothing when the value is unknown or the processor
   (or the i386 build) lacks that path. */
ZAFORQ_API int32_t zaforqSetCpuPath(int32_t path);

/* The path in use: ZAFORQ_PATH_SSE2, _AVX2 or _AVX512. */
ZAFORQ_API int32_t zaforqGetCpuPath(void);

ZAFORQ_END_DECLS

#endif
