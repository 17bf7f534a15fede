// Execution front end: completes a task's description with the defaults, chooses the kernel by
// rank, method, kind and types, runs it and keeps its result as the task's status.
#include <stdint.h>

#include "orq_kernel/_service/task.h"

namespace {

using zaforq::cc::convgate_stride;

// Rank-1 FFT method kernels; they take the decimation from the task's vector, or 1.
int32_t fft_1d(bool conv, bool single_data, bool single_arith, const void* x, int32_t xs, const void* y, int32_t ys,
               void* z, int32_t zs, int32_t nx, int32_t ny, int32_t start, int32_t nz, int32_t dec) {
  if (single_data) {
    const float* xf = static_cast<const float*>(x);
    const float* yf = static_cast<const float*>(y);
    float* zf = static_cast<float*>(z);
    if (single_arith)
      return (conv ? _orqConvSSFft1D_dec : _orqCorrSSFft1D_dec)(xf, xs, yf, ys, zf, zs, nx, ny, start, nz, dec);
    return (conv ? _orqConvSDFft1D_dec : _orqCorrSDFft1D_dec)(xf, xs, yf, ys, zf, zs, nx, ny, start, nz, dec);
  }
  return (conv ? _orqConvDDFft1D_dec : _orqCorrDDFft1D_dec)(static_cast<const double*>(x), xs,
                                                             static_cast<const double*>(y), ys,
                                                             static_cast<double*>(z), zs, nx, ny, start, nz, dec);
}

int32_t run(CcTask* task, const void* x, const int32_t* xStride, const void* y, const int32_t* yStride, void* z,
            const int32_t* zStride) {
  const int32_t rank = task->rank;
  if (rank < 1 || rank > ORQ_CC_MAX_RANK) return ORQ_CC_STATUS_UNSUPPORTED;

  // A task created without a shape gets an all-zero one, which the kernel reports as a bad
  // shape in its usual order of checks.
  static const int32_t no_shape[ORQ_CC_MAX_RANK] = {0, 0, 0, 0, 0, 0, 0};
  const int32_t* xs = task->xShape ? task->xShape : no_shape;
  const int32_t* ys = task->yShape ? task->yShape : no_shape;
  const int32_t* zs = task->zShape ? task->zShape : no_shape;

  int32_t xd[ORQ_CC_MAX_RANK], yd[ORQ_CC_MAX_RANK], zd[ORQ_CC_MAX_RANK];
  int32_t dec[ORQ_CC_MAX_RANK], start[ORQ_CC_MAX_RANK];
  if (!xStride) {
    if (!convgate_stride(xd, xs, rank)) return ORQ_CC_STATUS_UNSUPPORTED;
    xStride = xd;
  }
  if (!yStride) {
    if (!convgate_stride(yd, ys, rank)) return ORQ_CC_STATUS_UNSUPPORTED;
    yStride = yd;
  }
  if (!zStride) {
    if (!convgate_stride(zd, zs, rank)) return ORQ_CC_STATUS_UNSUPPORTED;
    zStride = zd;
  }
  for (int d = 0; d < rank; ++d) {
    dec[d] = task->decimation ? task->decimation[d] : 1;
    // Only kind 2 has the full-correlation default; other non-convolution kinds start at 0.
    start[d] = task->start ? task->start[d] : (task->kind == ORQ_CC_KIND_CORR ? 1 - xs[d] : 0);
  }

  const bool conv = task->kind == ORQ_CC_KIND_CONV;
  const bool single_data = task->dataType == ORQ_CC_TYPE_SINGLE;
  const bool single_arith = task->precision == ORQ_CC_TYPE_SINGLE;

  if (rank == 1) {
    if (!single_data && single_arith) return ORQ_CC_STATUS_UNSUPPORTED;
    if (task->method != ORQ_CC_METHOD_DIRECT)
      return fft_1d(conv, single_data, single_arith, x, xStride[0], y, yStride[0], z, zStride[0], xs[0], ys[0],
                    start[0], zs[0], dec[0]);
    const float* xf = static_cast<const float*>(x);
    const float* yf = static_cast<const float*>(y);
    float* zf = static_cast<float*>(z);
    if (single_data && single_arith) {
      if (task->decimation)
        return (conv ? _orqConvSSDirect1D_dec : _orqCorrSSDirect1D_dec)(xf, xStride[0], yf, yStride[0], zf,
                                                                         zStride[0], xs[0], ys[0], start[0],
                                                                         zs[0], dec[0]);
      return (conv ? _orqConvSSDirect1D_nodec : _orqCorrSSDirect1D_nodec)(xf, xStride[0], yf, yStride[0], zf,
                                                                           zStride[0], xs[0], ys[0], start[0],
                                                                           zs[0]);
    }
    if (single_data)
      return (conv ? _orqConvSDDirect1D_dec : _orqCorrSDDirect1D_dec)(xf, xStride[0], yf, yStride[0], zf,
                                                                       zStride[0], xs[0], ys[0], start[0], zs[0],
                                                                       dec[0]);
    return (conv ? _orqConvDDDirect1D_dec : _orqCorrDDDirect1D_dec)(
        static_cast<const double*>(x), xStride[0], static_cast<const double*>(y), yStride[0],
        static_cast<double*>(z), zStride[0], xs[0], ys[0], start[0], zs[0], dec[0]);
  }

  // Ranks 2 .. 7: no multi-dimensional FFT; double data is computed in double whatever the
  // arithmetic setting says.
  if (task->method == ORQ_CC_METHOD_FFT) return ORQ_CC_STATUS_UNSUPPORTED;
  if (single_data) {
    const float* xf = static_cast<const float*>(x);
    const float* yf = static_cast<const float*>(y);
    float* zf = static_cast<float*>(z);
    if (single_arith)
      return (conv ? _orqConvSSDirectAll_dec : _orqCorrSSDirectAll_dec)(rank, xf, xs, xStride, yf, ys, yStride, zf,
                                                                         zs, zStride, start, dec);
    return (conv ? _orqConvSDDirectAll_dec : _orqCorrSDDirectAll_dec)(rank, xf, xs, xStride, yf, ys, yStride, zf,
                                                                       zs, zStride, start, dec);
  }
  return (conv ? _orqConvDDDirectAll_dec : _orqCorrDDDirectAll_dec)(
      rank, static_cast<const double*>(x), xs, xStride, static_cast<const double*>(y), ys, yStride,
      static_cast<double*>(z), zs, zStride, start, dec);
}

}  // namespace

extern "C" int32_t __orqExec(CcTask* task, const void* x, const int32_t* xStride, const void* y,
                             const int32_t* yStride, void* z, const int32_t* zStride) {
  if (!task) return ORQ_CC_STATUS_NULL_ARGUMENT;
  if (task->status != ORQ_CC_STATUS_OK) return task->status;
  if (!task->committed) {
    const int32_t r = __orqCommitTask(task);
    if (r != ORQ_CC_STATUS_OK) {
      task->status = r;
      return r;
    }
  }
  const int32_t r = run(task, x, xStride, y, yStride, z, zStride);
  task->status = r;
  return r;
}

extern "C" int32_t __orqExecX(CcTask* task, const void* y, const int32_t* yStride, void* z,
                              const int32_t* zStride) {
  if (!task) return ORQ_CC_STATUS_NULL_ARGUMENT;
  return __orqExec(task, task->x, task->xStride, y, yStride, z, zStride);
}
