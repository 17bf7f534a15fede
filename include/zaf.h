/* zaforq: vector mathematics. C99.

   Elementwise kernels over float and double arrays, named _zaf<s|d><Function>_<class>:
   float classes _11 (relative error 2^-11), _21 (below 4 ulp) and _HA (below 1 ulp),
   double classes _50 (below 4 ulp) and _HA (below 1 ulp). Each thread has a mode word,
   a sticky error status and an error callback; exceptional elements are reported
   through them after their result has been written.
   A count of 0 or less does nothing; the arrays are trusted (a null array with a positive
   count is the caller's error, not a status), and results may overwrite the arguments. */
#ifndef ZAFORQ_ZAF_H
#define ZAFORQ_ZAF_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

/* ---- status codes (per-thread error status and error records) ------------------------ */
#define ZAF_STATUS_OK         0
#define ZAF_STATUS_BADSIZE  (-1) /* array size not positive; errno EINVAL */
#define ZAF_STATUS_BADMEM   (-2) /* null pointer passed; errno EACCES */
#define ZAF_STATUS_ERRDOM     1  /* argument out of domain; errno EDOM */
#define ZAF_STATUS_SING       2  /* argument caused a singularity; errno ERANGE */
#define ZAF_STATUS_OVERFLOW   3  /* result overflowed; errno ERANGE */
#define ZAF_STATUS_UNDERFLOW  4  /* result underflowed; errno ERANGE */

/* ---- mode word ------------------------------------------------------------------------- */
/* Bits 0-3: accuracy selector (default 2). */
#define ZAF_MODE_ACCURACY_MASK 0x0000000Fu
/* Bits 4-7: floating-point control. 0x00 leaves the control registers alone; 0x10 takes
   them over with 53-bit x87 precision (accuracy 1 or 2), 0x20 with 64-bit precision;
   0x30 restores the control words saved at the first take-over (a command only). */
#define ZAF_MODE_FPU_MASK      0x000000F0u
#define ZAF_MODE_FPU_TAKEOVER53 0x00000010u
#define ZAF_MODE_FPU_TAKEOVER64 0x00000020u
#define ZAF_MODE_FPU_RESTORE   0x00000030u
/* Bits 8-15: error actions; they combine, except that exactly IGNORE means no action. */
#define ZAF_MODE_ERRMODE_MASK  0x0000FF00u
#define ZAF_MODE_ERRMODE_IGNORE   0x00000100u
#define ZAF_MODE_ERRMODE_ERRNO    0x00000200u
#define ZAF_MODE_ERRMODE_STDERR   0x00000400u
#define ZAF_MODE_ERRMODE_EXCEPT   0x00000800u
#define ZAF_MODE_ERRMODE_CALLBACK 0x00001000u
/* A fresh thread's mode word: accuracy 2, control untouched, errno + exception + callback. */
#define ZAF_MODE_DEFAULT       0x00001A02u

/* ---- error record ------------------------------------------------------------------------
   Built for each reported element and handed to the callback; 108 bytes on every build
   (4-byte packing keeps the x86-64 layout identical to the i386 one). The callback may change
   res1/res2 and return 0 to replace the element's result, or return non-zero to keep the
   kernel's result and suppress the standard actions. For codes -1 and -2 the four values
   are not filled. Float kernels widen their values to double here. */
#pragma pack(push, 4)
typedef struct zafErrorRecord {
  int32_t code;        /* offset 0: status code */
  int32_t index;       /* offset 4: element index (for code -1 the offending size) */
  double arg1;         /* offset 8 */
  double arg2;         /* offset 16: equals arg1 for one-argument functions */
  double res1;         /* offset 24 */
  double res2;         /* offset 32: equals res1 for one-result functions */
  char funcName[64];   /* offset 40: NUL-terminated name of the reporting kernel */
  int32_t funcNameLen; /* offset 104 */
} zafErrorRecord;
#pragma pack(pop)

typedef int32_t (*zafErrorCallBack)(zafErrorRecord* record);

/* ---- mode, status and callback (each acts on the calling thread only) ------------------- */
ZAFORQ_API uint32_t _zafGetMode(void);
ZAFORQ_API uint32_t _zafSetMode(uint32_t mode);              /* returns the previous mode */
ZAFORQ_API int32_t _zafSetErrStatus(int32_t status);         /* returns the previous status */
ZAFORQ_API int32_t _zafGetErrStatus(void);
ZAFORQ_API int32_t _zafClearErrStatus(void);                  /* returns the previous status */
ZAFORQ_API zafErrorCallBack _zafSetErrorCallBack(zafErrorCallBack cb); /* returns the previous one */
ZAFORQ_API zafErrorCallBack _zafGetErrorCallBack(void);
ZAFORQ_API zafErrorCallBack _zafClearErrorCallBack(void);
/* Processor-target level of this build: 2 (SSE2). */
ZAFORQ_API int32_t dll_cpu_version(void);

/* ---- reporting (called by kernels; exported for front ends that validate arguments) ------ */
ZAFORQ_API void _zafsError(int32_t code, int32_t index, const float* a1, const float* a2,
                           float* r1, float* r2, const char* name);
ZAFORQ_API void _zafdError(int32_t code, int32_t index, const double* a1, const double* a2,
                           double* r1, double* r2, const char* name);

/* ---- string services -------------------------------------------------------------------- */
ZAFORQ_API int32_t qub_zaf_service_strlen1(const char* s);
/* Writes s1 then s2 (with its NUL) into out; returns the combined length. */
ZAFORQ_API int32_t qub_zaf_service_strcat1(const char* s1, const char* s2, char* out);

ZAFORQ_END_DECLS

/* The kernels, one header per group of families. */
#include "zaforq/zaf_kernels.h"

#endif
