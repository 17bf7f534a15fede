// Operand staging shared by every convolution and correlation kernel: index arithmetic of the
// dense and the caller's (strided) layouts, gathering operands into dense work buffers and
// scattering dense results back, for every element type E and arithmetic type A.
//
// Addressing convention: the element with multi-index i of an operand with shape n and stride s
// lies at base + sum_d (s_d >= 0 ? i_d s_d : (n_d - 1 - i_d) |s_d|). Written as
// base + origin + sum_d i_d s_d with origin = sum over negative strides of (n_d - 1) |s_d|,
// which lets the gathers walk every dimension with one signed step.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include "zaforq/orq_conv.h"

namespace zaforq::cc {

constexpr int kMaxRank = ORQ_CC_MAX_RANK;

// Element count of a shape (1 for rank below 1); false when it does not fit in memory sizes.
inline bool datasize(const int32_t* shape, int rank, size_t& count) {
  size_t n = 1;
  for (int d = 0; d < rank; ++d) {
    const size_t m = static_cast<size_t>(shape[d]);
    if (m != 0 && n > SIZE_MAX / m) return false;
    n *= m;
  }
  count = n;
  return true;
}

// Dense strides of a shape, dimension 0 fastest: 1, n0, n0 n1, ...
inline void densestride(int64_t* out, const int32_t* shape, int rank) {
  if (rank < 1) return;
  out[0] = 1;
  for (int d = 1; d < rank; ++d) out[d] = out[d - 1] * shape[d - 1];
}

// Offset of a multi-index in a dense buffer; the weight of dimension 0 is 1.
inline int64_t denseoffset(const int64_t* index, const int64_t* dense, int rank) {
  int64_t off = index[0];
  for (int d = 1; d < rank; ++d) off += index[d] * dense[d];
  return off;
}

// Offset of a multi-index in the caller's layout, by the addressing convention above.
inline int64_t sparseoffset(const int64_t* index, const int32_t* stride, const int32_t* shape, int rank) {
  int64_t off = 0;
  for (int d = 0; d < rank; ++d)
    off += stride[d] >= 0 ? index[d] * stride[d] : (int64_t(shape[d]) - 1 - index[d]) * -int64_t(stride[d]);
  return off;
}

// The offset of logical element 0: the sum over negative strides of (n_d - 1) |s_d|.
inline int64_t origin(const int32_t* stride, const int32_t* shape, int rank) {
  int64_t off = 0;
  for (int d = 0; d < rank; ++d)
    if (stride[d] < 0) off -= (int64_t(shape[d]) - 1) * stride[d];
  return off;
}

// True when the strides are exactly the dense strides of the shape.
inline bool is_dense(const int32_t* stride, const int32_t* shape, int rank) {
  int64_t ds[kMaxRank];
  densestride(ds, shape, rank);
  for (int d = 0; d < rank; ++d)
    if (stride[d] != ds[d]) return false;
  return true;
}

// Rank 1: dense dst[j] (dst[n-1-j] when reversing) = logical element j of src, converted to A.
template <class A, class E>
void pack(A* dst, const E* src, int32_t n, int32_t stride, bool reverse) {
  const E* p = src + origin(&stride, &n, 1);
  const ptrdiff_t s = stride;
  if (reverse) {
    for (int32_t j = 0; j < n; ++j) dst[n - 1 - j] = static_cast<A>(p[j * s]);
  } else {
    for (int32_t j = 0; j < n; ++j) dst[j] = static_cast<A>(p[j * s]);
  }
}

// Rank 1: logical element j of dst = dense src[j], converted (rounded) to E.
template <class A, class E>
void unpack(const A* src, E* dst, int32_t n, int32_t stride) {
  E* p = dst + origin(&stride, &n, 1);
  const ptrdiff_t s = stride;
  for (int32_t j = 0; j < n; ++j) p[j * s] = static_cast<E>(src[j]);
}

// Walks the rows (runs along dimension 0) of an operand in dense order; f(row, offset) gets
// the dense index of the row's first element and the caller-layout offset of that element.
template <class F>
void for_each_row(int rank, const int32_t* shape, const int32_t* stride, F f) {
  int64_t idx[kMaxRank] = {0};
  int64_t off = origin(stride, shape, rank);
  int64_t rows = 1;
  for (int d = 1; d < rank; ++d) rows *= shape[d];
  for (int64_t r = 0; r < rows; ++r) {
    f(r * shape[0], off);
    for (int d = 1; d < rank; ++d) {
      off += stride[d];
      if (++idx[d] < shape[d]) break;
      off -= int64_t(shape[d]) * stride[d];
      idx[d] = 0;
    }
  }
}

// Any rank: gathers src into dense dst; with reverse set, logical element j goes to dense
// position count - 1 - j, which reverses every dimension at once.
template <class A, class E>
void pack(A* dst, const E* src, int rank, const int32_t* shape, const int32_t* stride, bool reverse) {
  size_t count = 1;
  datasize(shape, rank, count);
  const int32_t n0 = shape[0];
  const ptrdiff_t s0 = stride[0];
  for_each_row(rank, shape, stride, [&](int64_t row, int64_t off) {
    const E* p = src + off;
    if (reverse) {
      A* q = dst + (count - 1 - static_cast<size_t>(row));
      for (int32_t j = 0; j < n0; ++j) q[-j] = static_cast<A>(p[j * s0]);
    } else {
      A* q = dst + row;
      for (int32_t j = 0; j < n0; ++j) q[j] = static_cast<A>(p[j * s0]);
    }
  });
}

// Any rank: scatters dense src into dst by the addressing convention.
template <class A, class E>
void unpack(const A* src, E* dst, int rank, const int32_t* shape, const int32_t* stride) {
  const int32_t n0 = shape[0];
  const ptrdiff_t s0 = stride[0];
  for_each_row(rank, shape, stride, [&](int64_t row, int64_t off) {
    E* p = dst + off;
    const A* q = src + row;
    for (int32_t j = 0; j < n0; ++j) p[j * s0] = static_cast<E>(q[j]);
  });
}

// A work buffer of count elements from the system allocator, freed when it goes out of scope,
// so that every return path releases exactly the buffers that were taken.
template <class T>
class WorkBuffer {
 public:
  WorkBuffer() = default;
  WorkBuffer(const WorkBuffer&) = delete;
  WorkBuffer& operator=(const WorkBuffer&) = delete;
  ~WorkBuffer() { free(p_); }
  // False when the size overflows or the allocator fails.
  bool allocate(size_t count) {
    if (count == 0) count = 1;
    if (count > SIZE_MAX / sizeof(T)) return false;
    p_ = static_cast<T*>(malloc(count * sizeof(T)));
    return p_ != nullptr;
  }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

}  // namespace zaforq::cc
