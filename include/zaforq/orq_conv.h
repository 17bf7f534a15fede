/* zaforq convolution and correlation: status codes, tasks, execution and kernels. C99; included by orq.h. */
#ifndef ZAFORQ_ORQ_CONV_H
#define ZAFORQ_ORQ_CONV_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

/* ---- status codes of the convolution and correlation component ---------------------------
   0 is success; every failure is negative. A failed edit and a failed execution both store
   their code as the task's sticky status, so such a task refuses further edits, commits,
   copies and executions (answering that code) until __orqccSetStatus clears it.
   Pointers: the task services check the task handle and the edited value for null (-5), and
   execution checks the operand and result pointers (-2011, -2021, -2031); shapes and strides
   given at creation are trusted to hold rank entries. */
#define ORQ_CC_STATUS_OK 0
#define ORQ_CC_STATUS_NO_MEMORY (-4)              /* the task record could not be allocated */
#define ORQ_CC_STATUS_NULL_ARGUMENT (-5)          /* a required pointer argument is null */
#define ORQ_CC_STATUS_UNSUPPORTED (-2000)         /* no kernel for kind, method, rank and types; rank outside 1 .. 7 */
#define ORQ_CC_STATUS_BAD_X (-2011)               /* x operand pointer is null */
#define ORQ_CC_STATUS_BAD_X_SHAPE (-2012)         /* an x shape entry is below 1 (or no x shape) */
#define ORQ_CC_STATUS_BAD_Y (-2021)               /* y operand pointer is null */
#define ORQ_CC_STATUS_BAD_Y_SHAPE (-2022)         /* a y shape entry is below 1 (or no y shape) */
#define ORQ_CC_STATUS_BAD_Z (-2031)               /* result pointer is null */
#define ORQ_CC_STATUS_BAD_Z_SHAPE (-2032)         /* a z shape entry is below 1 (or no z shape) */
#define ORQ_CC_STATUS_BAD_Z_STRIDE (-2033)        /* a z stride entry is 0 */
#define ORQ_CC_STATUS_BAD_START (-2034)           /* a start entry outside its range */
#define ORQ_CC_STATUS_BAD_DECIMATION (-2035)      /* decimation below 1, or last output beyond the range */
#define ORQ_CC_STATUS_NO_WORK_MEMORY (-2101)      /* a kernel could not allocate its work buffers */
#define ORQ_CC_STATUS_FFT_FAILED (-2102)          /* the convolution primitive of an FFT kernel failed */
#define ORQ_CC_STATUS_BAD_PARAMETER_CODE (-2211)  /* edit parameter code outside 1 .. 19 */
#define ORQ_CC_STATUS_PARAMETER_NOT_EDITABLE (-2212) /* edit parameter code 1 .. 19 naming no setting */
#define ORQ_CC_STATUS_ATTACHMENT_COPY_FAILED (-2230)    /* the attachment copy hook failed */
#define ORQ_CC_STATUS_ATTACHMENT_RELEASE_FAILED (-2240) /* the release hook failed or was missing */

/* ---- task description values ---------------------------------------------------------- */
#define ORQ_CC_KIND_CONV 1
#define ORQ_CC_KIND_CORR 2
#define ORQ_CC_METHOD_DIRECT 1
#define ORQ_CC_METHOD_FFT 2       /* any value but 1: FFT for rank 1, direct above */
#define ORQ_CC_TYPE_SINGLE 1      /* any other value means double */
#define ORQ_CC_TYPE_DOUBLE 2
#define ORQ_CC_MAX_RANK 7

/* Parameter codes of __orqEditTask. Codes 1 .. 19 other than these answer
   ORQ_CC_STATUS_PARAMETER_NOT_EDITABLE, codes outside answer ORQ_CC_STATUS_BAD_PARAMETER_CODE. */
#define ORQ_CC_EDIT_METHOD 3       /* one word */
#define ORQ_CC_EDIT_OPTION 4       /* one word, stored and copied, never read */
#define ORQ_CC_EDIT_START 5        /* rank words, copied */
#define ORQ_CC_EDIT_DECIMATION 6   /* rank words, copied */
#define ORQ_CC_EDIT_PRECISION 9    /* one word: 1 single arithmetic, other double */

struct CcTask;
/* Called with (task, attachment) before the task frees its attachment; 0 on success. */
typedef int32_t (*CcAttachmentRelease)(struct CcTask* task, void* attachment);
/* Called when a task is copied with (new task, address of the new task's attachment field,
   old attachment); it should store a private copy through the second argument; 0 on success. */
typedef int32_t (*CcAttachmentCopy)(struct CcTask* newTask, void** attachmentField, void* oldAttachment);

/* The task record. Every field is one 32-bit word on the 32-bit build, where the record is
   248 bytes: status 0, kind 4, callerWordA 8, method 12, optionWord 16, start 20,
   decimation 24, callerWordB 28, dataType 32, precision 36, rank 40, xShape 44, yShape 48,
   zShape 52, xStride 56, x 60, the six inline arrays 64 .. 231, committed 232,
   attachment 236, attachmentRelease 240, attachmentCopy 244.
   On the 64-bit build pointers take 8 bytes and are 8-byte aligned, so the record is
   296 bytes: status 0, kind 4, callerWordA 8, method 12, optionWord 16, start 24,
   decimation 32, callerWordB 40, dataType 44, precision 48, rank 52, xShape 56, yShape 64,
   zShape 72, xStride 80, x 88, the inline arrays 96 .. 263, committed 264, attachment 272,
   attachmentRelease 280, attachmentCopy 288.
   The vector pointers are null or point into the record's own inline arrays, dimension 0
   first; strides count elements and may be negative. */
typedef struct CcTask {
  int32_t status;        /* sticky: 0 or the last failure */
  int32_t kind;          /* 1 convolution, other correlation */
  int32_t callerWordA;   /* stored and copied only */
  int32_t method;        /* 1 direct; 2 FFT (rank 1 only: rank 2 .. 7 answer ORQ_CC_STATUS_UNSUPPORTED);
                            any other value FFT for rank 1 and direct for rank 2 .. 7 */
  int32_t optionWord;    /* stored and copied only */
  int32_t* start;        /* null: default start */
  int32_t* decimation;   /* null: decimation 1 */
  int32_t callerWordB;   /* stored and copied only */
  int32_t dataType;      /* 1 single, other double */
  int32_t precision;     /* arithmetic: 1 single, other double */
  int32_t rank;          /* 1 .. 7 */
  int32_t* xShape;
  int32_t* yShape;
  int32_t* zShape;
  int32_t* xStride;      /* fixed x strides of an extended task, or null */
  const void* x;         /* fixed x operand of an extended task (the caller's memory), or null */
  int32_t startStore[7];
  int32_t decimationStore[7];
  int32_t xShapeStore[7];
  int32_t yShapeStore[7];
  int32_t zShapeStore[7];
  int32_t xStrideStore[7];
  int32_t committed;     /* 1 after commitment, cleared by every edit */
  void* attachment;      /* per-task data owned by the task, freed with free() */
  CcAttachmentRelease attachmentRelease;
  CcAttachmentCopy attachmentCopy;
} CcTask;

/* ---- task lifecycle -------------------------------------------------------------------- */
/* Creates a task in *task. A rank outside 1 .. 7 is refused with ORQ_CC_STATUS_UNSUPPORTED and
   *task is left untouched (the record holds at most seven words per vector). Null shapes are
   accepted; executing such a task answers the bad-shape code of the missing shape. */
ZAFORQ_API int32_t __orqNewTask(CcTask** task, int32_t kind, int32_t callerWordA, int32_t method,
                                int32_t callerWordB, int32_t dataType, int32_t rank, const int32_t* xShape,
                                const int32_t* yShape, const int32_t* zShape);
ZAFORQ_API int32_t __orqNewTaskX(CcTask** task, int32_t kind, int32_t callerWordA, int32_t method,
                                 int32_t callerWordB, int32_t dataType, int32_t rank, const int32_t* xShape,
                                 const int32_t* yShape, const int32_t* zShape, const void* x,
                                 const int32_t* xStride);
ZAFORQ_API int32_t __orqEditTask(CcTask* task, int32_t parameterCode, const int32_t* value);
ZAFORQ_API int32_t __orqCommitTask(CcTask* task);
ZAFORQ_API int32_t __orqCopyTask(CcTask** newTask, CcTask* task);
ZAFORQ_API int32_t __orqDeleteTask(CcTask** task);
ZAFORQ_API int32_t __orqccSetStatus(CcTask* task, int32_t code);
ZAFORQ_API int32_t __orqccGetStatus(const CcTask* task);

/* ---- execution ------------------------------------------------------------------------
   x, y: operand base pointers (float or double as the task's dataType says), z: result base
   pointer; each stride argument points to rank strides in elements, or is null for dense.
   A negative stride walks its dimension from the highest address down: the base pointer
   always addresses the lowest-addressed element. */
ZAFORQ_API int32_t __orqExec(CcTask* task, const void* x, const int32_t* xStride, const void* y,
                             const int32_t* yStride, void* z, const int32_t* zStride);
ZAFORQ_API int32_t __orqExecX(CcTask* task, const void* y, const int32_t* yStride, void* z,
                              const int32_t* zStride);

/* ---- kernels ------------------------------------------------------------------------------
   Rank 1: z[k] for k = 0 .. nz-1 of the convolution sum_i x[i] y[start + k dec - i] or the
   correlation sum_i x[i] y[i + start + k dec]. SS: single data and arithmetic; SD: single
   data, double arithmetic; DD: double. */
#define ZAFORQ_CC_1D_DEC(name, T)                                                                   \
  ZAFORQ_API int32_t name(const T* x, int32_t xStride, const T* y, int32_t yStride, T* z, int32_t zStride, \
                          int32_t nx, int32_t ny, int32_t start, int32_t nz, int32_t decimation);
#define ZAFORQ_CC_1D_NODEC(name, T)                                                                 \
  ZAFORQ_API int32_t name(const T* x, int32_t xStride, const T* y, int32_t yStride, T* z, int32_t zStride, \
                          int32_t nx, int32_t ny, int32_t start, int32_t nz);
#define ZAFORQ_CC_ALL_DEC(name, T)                                                                  \
  ZAFORQ_API int32_t name(int32_t rank, const T* x, const int32_t* xShape, const int32_t* xStride,       \
                          const T* y, const int32_t* yShape, const int32_t* yStride, T* z,              \
                          const int32_t* zShape, const int32_t* zStride, const int32_t* start,          \
                          const int32_t* decimation);
#define ZAFORQ_CC_ALL_NODEC(name, T)                                                                \
  ZAFORQ_API int32_t name(int32_t rank, const T* x, const int32_t* xShape, const int32_t* xStride,       \
                          const T* y, const int32_t* yShape, const int32_t* yStride, T* z,              \
                          const int32_t* zShape, const int32_t* zStride, const int32_t* start);

/* Direct summation, rank 1. The _nodec entries of SD and DD answer ORQ_CC_STATUS_UNSUPPORTED. */
ZAFORQ_CC_1D_DEC(_orqConvSSDirect1D_dec, float)
ZAFORQ_CC_1D_DEC(_orqCorrSSDirect1D_dec, float)
ZAFORQ_CC_1D_NODEC(_orqConvSSDirect1D_nodec, float)
ZAFORQ_CC_1D_NODEC(_orqCorrSSDirect1D_nodec, float)
ZAFORQ_CC_1D_DEC(_orqConvSDDirect1D_dec, float)
ZAFORQ_CC_1D_DEC(_orqCorrSDDirect1D_dec, float)
ZAFORQ_CC_1D_NODEC(_orqConvSDDirect1D_nodec, float)
ZAFORQ_CC_1D_NODEC(_orqCorrSDDirect1D_nodec, float)
ZAFORQ_CC_1D_DEC(_orqConvDDDirect1D_dec, double)
ZAFORQ_CC_1D_DEC(_orqCorrDDDirect1D_dec, double)
ZAFORQ_CC_1D_NODEC(_orqConvDDDirect1D_nodec, double)
ZAFORQ_CC_1D_NODEC(_orqCorrDDDirect1D_nodec, double)

/* Direct summation, ranks 1 .. 7 (the front end uses them for 2 .. 7). Every _nodec entry
   answers ORQ_CC_STATUS_UNSUPPORTED. */
ZAFORQ_CC_ALL_DEC(_orqConvSSDirectAll_dec, float)
ZAFORQ_CC_ALL_DEC(_orqCorrSSDirectAll_dec, float)
ZAFORQ_CC_ALL_NODEC(_orqConvSSDirectAll_nodec, float)
ZAFORQ_CC_ALL_NODEC(_orqCorrSSDirectAll_nodec, float)
ZAFORQ_CC_ALL_DEC(_orqConvSDDirectAll_dec, float)
ZAFORQ_CC_ALL_DEC(_orqCorrSDDirectAll_dec, float)
ZAFORQ_CC_ALL_NODEC(_orqConvSDDirectAll_nodec, float)
ZAFORQ_CC_ALL_NODEC(_orqCorrSDDirectAll_nodec, float)
ZAFORQ_CC_ALL_DEC(_orqConvDDDirectAll_dec, double)
ZAFORQ_CC_ALL_DEC(_orqCorrDDDirectAll_dec, double)
ZAFORQ_CC_ALL_NODEC(_orqConvDDDirectAll_nodec, double)
ZAFORQ_CC_ALL_NODEC(_orqCorrDDDirectAll_nodec, double)

/* FFT method, rank 1: the full convolution by the primitive gaxsConv_32f / gaxsConv_64f (SD
   widens to double), then the requested outputs. Every _nodec entry answers
   ORQ_CC_STATUS_UNSUPPORTED. */
ZAFORQ_CC_1D_DEC(_orqConvSSFft1D_dec, float)
ZAFORQ_CC_1D_DEC(_orqCorrSSFft1D_dec, float)
ZAFORQ_CC_1D_NODEC(_orqConvSSFft1D_nodec, float)
ZAFORQ_CC_1D_NODEC(_orqCorrSSFft1D_nodec, float)
ZAFORQ_CC_1D_DEC(_orqConvSDFft1D_dec, float)
ZAFORQ_CC_1D_DEC(_orqCorrSDFft1D_dec, float)
ZAFORQ_CC_1D_NODEC(_orqConvSDFft1D_nodec, float)
ZAFORQ_CC_1D_NODEC(_orqCorrSDFft1D_nodec, float)
ZAFORQ_CC_1D_DEC(_orqConvDDFft1D_dec, double)
ZAFORQ_CC_1D_DEC(_orqCorrDDFft1D_dec, double)
ZAFORQ_CC_1D_NODEC(_orqConvDDFft1D_nodec, double)
ZAFORQ_CC_1D_NODEC(_orqCorrDDFft1D_nodec, double)

#undef ZAFORQ_CC_1D_DEC
#undef ZAFORQ_CC_1D_NODEC
#undef ZAFORQ_CC_ALL_DEC
#undef ZAFORQ_CC_ALL_NODEC

ZAFORQ_END_DECLS

#endif
