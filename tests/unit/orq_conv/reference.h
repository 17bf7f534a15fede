// Independent reference for the convolution tests: operands laid out by the addressing
// convention with arbitrary strides, and the plain long-double sum of every requested output.
#pragma once
#include <stdint.h>

#include <cmath>
#include <random>
#include <vector>

namespace cctest {

using LD = long double;

// An operand in the caller's layout: shape, strides (elements, any sign, 0 allowed for inputs)
// and storage that spans exactly the addressed elements plus a lead of `pad` elements, so that
// base pointers of every alignment occur and reads outside the span are caught by the
// sanitizers.
template <class T>
struct Operand {
  int rank = 1;
  int32_t shape[7] = {1, 1, 1, 1, 1, 1, 1};
  int32_t stride[7] = {1, 1, 1, 1, 1, 1, 1};
  int pad = 0;
  std::vector<T> store;
  T* base() { return store.data() + pad; }
  const T* base() const { return store.data() + pad; }
  int64_t count() const {
    int64_t n = 1;
    for (int d = 0; d < rank; ++d) n *= shape[d];
    return n;
  }
  // Offset of multi-index i: i*s for s >= 0, (n-1-i)*|s| for s < 0.
  int64_t offset(const int64_t* i) const {
    int64_t o = 0;
    for (int d = 0; d < rank; ++d)
      o += stride[d] >= 0 ? i[d] * stride[d] : (shape[d] - 1 - i[d]) * int64_t(-stride[d]);
    return o;
  }
  int64_t span() const {
    int64_t s = 1;
    for (int d = 0; d < rank; ++d) s += int64_t(shape[d] - 1) * std::abs(int64_t(stride[d]));
    return s;
  }
  void allocate(T fill) { store.assign(static_cast<size_t>(pad + span()), fill); }
  T& at(const int64_t* i) { return base()[offset(i)]; }
  T at(const int64_t* i) const { return base()[offset(i)]; }
};

// Next multi-index in dense order (dimension 0 fastest); false after the last.
inline bool next(int64_t* k, const int32_t* n, int rank) {
  for (int d = 0; d < rank; ++d) {
    if (++k[d] < n[d]) return true;
    k[d] = 0;
  }
  return false;
}

struct RefValue {
  LD sum = 0;     // the exact-ish sum
  LD abssum = 0;  // sum of |products|, the scale of the rounding error
  int64_t terms = 0;
};

// Reference output k: convolution sum_i x[i] y[t - i] or correlation sum_i x[i] y[i + t] with
// t = start + k*dec per dimension, over every x index i for which the y index exists.
template <class T>
RefValue reference(bool conv, const Operand<T>& x, const Operand<T>& y, const int64_t* k, const int32_t* start,
                   const int32_t* dec) {
  const int rank = x.rank;
  RefValue r;
  int64_t i[7] = {0}, j[7] = {0};
  do {
    bool inside = true;
    for (int d = 0; d < rank; ++d) {
      const int64_t t = start[d] + k[d] * dec[d];
      j[d] = conv ? t - i[d] : i[d] + t;
      if (j[d] < 0 || j[d] >= y.shape[d]) inside = false;
    }
    if (!inside) continue;
    const LD p = LD(x.at(i)) * LD(y.at(j));
    r.sum += p;
    r.abssum += std::fabs(p);
    ++r.terms;
  } while (next(i, x.shape, rank));
  return r;
}

}  // namespace cctest
