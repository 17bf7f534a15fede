/* zaforq signal-processing primitives: status codes, aligned memory, real FFT, convolution primitive. C99; included by gaxs.h. */
#ifndef ZAFORQ_GAXS_FFT_H
#define ZAFORQ_GAXS_FFT_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

/* ---- status codes of the primitives -------------------------------------------------- */
#define GAXS_STATUS_OK 0
#define GAXS_STATUS_SIZE_ERR (-6)        /* a length below 1 */
#define GAXS_STATUS_NULL_PTR_ERR (-8)    /* a null pointer argument */
#define GAXS_STATUS_MEM_ALLOC_ERR (-9)   /* memory allocation failed */
#define GAXS_STATUS_FFT_ORDER_ERR (-15)  /* FFT order outside 0 .. 30 */
#define GAXS_STATUS_FFT_FLAG_ERR (-16)   /* scaling flag not one of 1, 2, 4, 8 */
#define GAXS_STATUS_CONTEXT_MATCH_ERR (-17) /* FFT descriptor of the wrong precision */

/* ---- aligned memory, clearing and copying ------------------------------------------------
   Blocks are 32-byte aligned; release them with gaxsFree only. */
ZAFORQ_API uint8_t* gaxsMalloc_8u(int32_t n);
ZAFORQ_API float* gaxsMalloc_32f(int32_t n);
ZAFORQ_API double* gaxsMalloc_64f(int32_t n);
ZAFORQ_API void gaxsFree(void* p);

ZAFORQ_API int32_t gaxsZero_8u(uint8_t* dst, int32_t n);
ZAFORQ_API int32_t gaxsZero_32f(float* dst, int32_t n);
ZAFORQ_API int32_t gaxsZero_64f(double* dst, int32_t n);
ZAFORQ_API int32_t gaxsCopy_32f(const float* src, float* dst, int32_t n);
ZAFORQ_API int32_t gaxsCopy_64f(const double* src, double* dst, int32_t n);

/* ---- real FFT of length N = 2^order in Perm layout --------------------------------------
   Perm layout of the spectrum X of N reals: [0] X_0, [1] X_(N/2), [2k], [2k+1] real and
   imaginary part of X_k for k = 1 .. N/2-1. N = 1: the value itself. */

/* scaling flags of gaxsFFTInitAlloc_R_* */
#define GAXS_FFT_DIV_FWD_BY_N 1   /* forward result times 1/N */
#define GAXS_FFT_DIV_INV_BY_N 2   /* inverse result times 1/N */
#define GAXS_FFT_DIV_BY_SQRTN 4   /* both directions times 1/sqrt(N) */
#define GAXS_FFT_NODIV_BY_ANY 8   /* no scaling */

#define GAXS_FFT_SPEC_TAG_32F 6
#define GAXS_FFT_SPEC_TAG_64F 9
#define GAXS_FFT_LEVEL_TABLES 6

/* The transform descriptors (FftSpecR). Callers may read them; they hold pointers, so their size
   differs between the 32-bit build (80 and 84 bytes) and the 64-bit build. */
typedef struct FftSpecR_32f {
  int32_t tag;          /* GAXS_FFT_SPEC_TAG_32F */
  int32_t order;
  int32_t scaleForward; /* 1: the forward result is multiplied by scale */
  int32_t scaleInverse; /* 1: the inverse result is multiplied by scale */
  float scale;
  int32_t hint;         /* the caller's algorithm hint, kept */
  int32_t bufSize;      /* bytes of work buffer a transform needs, 0 for none */
  int32_t one;          /* always 1 */
  void* bitRevTable;
  void* twiddles;
  void* largeTables;    /* split description of the large path */
  void* largeWork;      /* reserved */
  void* realRecTable;
  void* ccsRecTable;
  void* levelTwiddles[GAXS_FFT_LEVEL_TABLES]; /* column twiddles per recursion level */
} FftSpecR_32f;

typedef struct FftSpecR_64f {
  int32_t tag;          /* GAXS_FFT_SPEC_TAG_64F */
  int32_t order;
  int32_t scaleForward;
  int32_t scaleInverse;
  double scale;
  int32_t hint;
  int32_t bufSize;
  int32_t one;
  void* bitRevTable;
  void* twiddles;
  void* largeTables;
  void* largeWork;
  void* realRecTable;
  void* ccsRecTable;
  void* levelTwiddles[GAXS_FFT_LEVEL_TABLES];
} FftSpecR_64f;

ZAFORQ_API int32_t gaxsFFTInitAlloc_R_32f(FftSpecR_32f** spec, int32_t order, int32_t flag, int32_t hint);
ZAFORQ_API int32_t gaxsFFTInitAlloc_R_64f(FftSpecR_64f** spec, int32_t order, int32_t flag, int32_t hint);
ZAFORQ_API int32_t gaxsFFTFree_R_32f(FftSpecR_32f* spec);
ZAFORQ_API int32_t gaxsFFTFree_R_64f(FftSpecR_64f* spec);
ZAFORQ_API int32_t gaxsFFTGetBufSize_R_32f(const FftSpecR_32f* spec, int32_t* size);
ZAFORQ_API int32_t gaxsFFTGetBufSize_R_64f(const FftSpecR_64f* spec, int32_t* size);
ZAFORQ_API int32_t gaxsFFTFwd_RToPerm_32f(const float* src, float* dst, const FftSpecR_32f* spec, uint8_t* buffer);
ZAFORQ_API int32_t gaxsFFTFwd_RToPerm_64f(const double* src, double* dst, const FftSpecR_64f* spec, uint8_t* buffer);
ZAFORQ_API int32_t gaxsFFTInv_PermToR_32f(const float* src, float* dst, const FftSpecR_32f* spec, uint8_t* buffer);
ZAFORQ_API int32_t gaxsFFTInv_PermToR_64f(const double* src, double* dst, const FftSpecR_64f* spec, uint8_t* buffer);

/* ---- convolution primitive and Perm products ----------------------------------------------
   dst[m] = sum_i src1[i] * src2[m - i], m = 0 .. len1 + len2 - 2.
   Memory kept between calls: the transform descriptors of each precision and size up to 2^20
   points, shared by all threads until the library is unloaded, and each calling thread's
   working block (up to 16 MiB), freed when the thread ends. Larger sizes allocate per call. */
ZAFORQ_API int32_t gaxsConv_32f(const float* src1, int32_t len1, const float* src2, int32_t len2, float* dst);
ZAFORQ_API int32_t gaxsConv_64f(const double* src1, int32_t len1, const double* src2, int32_t len2, double* dst);
ZAFORQ_API int32_t gaxsMulPerm_32f_I(const float* src, float* srcDst, int32_t len);
ZAFORQ_API int32_t gaxsMulPerm_64f_I(const double* src, double* srcDst, int32_t len);

ZAFORQ_END_DECLS

#endif
