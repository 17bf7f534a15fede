// Fuzz target for convolution and correlation tasks: fuzzed kinds, methods, types, ranks,
// shapes, strides, starts and decimations, over operand buffers exactly as large as the
// description addresses. Every execution either succeeds, writing only inside the result's
// buffer, or answers a status that the task then keeps.
#include <stdlib.h>

#include <vector>

#include "fuzz_input.h"
#include "zaforq/orq_conv.h"

namespace {

// Elements a description addresses from its lowest address: 1 + sum (n - 1) |stride|.
size_t extent(int rank, const int32_t* shape, const int32_t* stride) {
  size_t e = 1;
  for (int d = 0; d < rank; ++d)
    if (shape[d] > 1) e += static_cast<size_t>(shape[d] - 1) * static_cast<size_t>(abs(stride[d]));
  return e;
}

void dense(int rank, const int32_t* shape, int32_t* stride) {
  int32_t s = 1;
  for (int d = 0; d < rank; ++d) {
    stride[d] = s;
    s *= shape[d] > 0 ? shape[d] : 1;
  }
}

bool known(int32_t status) {
  switch (status) {
    case ORQ_CC_STATUS_OK: case ORQ_CC_STATUS_UNSUPPORTED: case ORQ_CC_STATUS_BAD_X:
    case ORQ_CC_STATUS_BAD_X_SHAPE: case ORQ_CC_STATUS_BAD_Y: case ORQ_CC_STATUS_BAD_Y_SHAPE:
    case ORQ_CC_STATUS_BAD_Z: case ORQ_CC_STATUS_BAD_Z_SHAPE: case ORQ_CC_STATUS_BAD_Z_STRIDE:
    case ORQ_CC_STATUS_BAD_START: case ORQ_CC_STATUS_BAD_DECIMATION: case ORQ_CC_STATUS_NO_WORK_MEMORY:
    case ORQ_CC_STATUS_FFT_FAILED: case ORQ_CC_STATUS_BAD_PARAMETER_CODE:
    case ORQ_CC_STATUS_PARAMETER_NOT_EDITABLE:
      return true;
    default:
      return false;
  }
}

template <class T>
void run(FuzzInput& in, CcTask* task, int rank, const int32_t* xs, const int32_t* ys, const int32_t* zs) {
  int32_t xst[7], yst[7], zst[7];
  const bool dense_x = in.byte() & 1, dense_y = in.byte() & 1, dense_z = in.byte() & 1;
  for (int d = 0; d < rank; ++d) {
    xst[d] = in.in(-3, 3);
    yst[d] = in.in(-3, 3);
    zst[d] = in.in(-3, 3);
  }
  int32_t dx[7], dy[7], dz[7];
  dense(rank, xs, dx);
  dense(rank, ys, dy);
  dense(rank, zs, dz);
  std::vector<T> x(extent(rank, xs, dense_x ? dx : xst)), y(extent(rank, ys, dense_y ? dy : yst));
  std::vector<T> z(extent(rank, zs, dense_z ? dz : zst));
  for (size_t i = 0; i < x.size(); ++i) x[i] = T(in.in(-8, 8));
  for (size_t i = 0; i < y.size(); ++i) y[i] = T(in.in(-8, 8));
  const int32_t status = __orqExec(task, x.data(), dense_x ? nullptr : xst, y.data(), dense_y ? nullptr : yst,
                                   z.data(), dense_z ? nullptr : zst);
  if (!known(status) || __orqccGetStatus(task) != status) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in{data, size};
  const int32_t kind = in.in(0, 3), method = in.in(0, 3), type = in.in(1, 2), precision = in.in(1, 2);
  const int rank = in.in(0, 8);
  int32_t xs[8], ys[8], zs[8], start[8], dec[8];
  // Rank 1 reaches the FFT paths (from 64 taps and 512 outputs); higher ranks stay small so
  // one run stays fast.
  const int most = rank == 1 ? 700 : (rank <= 3 ? 6 : 3);
  for (int d = 0; d < 8; ++d) {
    xs[d] = in.in(-1, most);
    ys[d] = in.in(-1, most);
    zs[d] = in.in(-1, 2 * most);
    start[d] = in.in(-2 * most, 2 * most);
    dec[d] = in.in(-1, 4);
  }
  CcTask* task = nullptr;
  const int32_t made = __orqNewTask(&task, kind, 0, method, 0, type, rank, xs, ys, zs);
  if (rank < 1 || rank > 7) {
    if (made != ORQ_CC_STATUS_UNSUPPORTED || task) abort();
    return 0;
  }
  if (made != 0 || !task) abort();
  if (in.byte() & 1) __orqEditTask(task, ORQ_CC_EDIT_START, start);
  if (in.byte() & 1) __orqEditTask(task, ORQ_CC_EDIT_DECIMATION, dec);
  if (in.byte() & 1) {
    const int32_t p = precision;
    __orqEditTask(task, ORQ_CC_EDIT_PRECISION, &p);
  }
  if (in.byte() & 3) __orqEditTask(task, in.in(-2, 22), start);  // any code; vector codes read rank words
  if (__orqccGetStatus(task) == 0) {
    CcTask* copy = nullptr;
    if (__orqCopyTask(&copy, task) != 0) abort();
    if (type == 1)
      run<float>(in, copy, rank, xs, ys, zs);
    else
      run<double>(in, copy, rank, xs, ys, zs);
    __orqDeleteTask(&copy);
  }
  __orqDeleteTask(&task);
  return 0;
}
