// The transform and the spectrum products compiled for the AVX512 path (fft_core.h).
#define ZAFORQ_ISA_NS avx512
#include "gax/fft_core.h"

namespace zaforq::gax::avx512 {

namespace {
// The register width of this path.
template <class T>
struct Wide;
template <>
struct Wide<double> {
  using type = vec<double, 8>;
};
template <>
struct Wide<float> {
  using type = vec<float, 16>;
};
}  // namespace

template <class V>
void run(const Plan<typename V::T>& plan, const typename V::T* src, typename V::T* dst, typename V::T* work,
         bool inv) {
  if (inv)
    real_transform<V, true>(plan, src, dst, work);
  else
    real_transform<V, false>(plan, src, dst, work);
}

// Sixteen floats per register pay while the data stays in the first-level cache; beyond it the
// four pieces each split-group load is made of cost more than the wider arithmetic saves, and
// eight lanes (with this path's 32 registers) measure faster.
constexpr int kFloat16MaxOrder = 12;

template <class T>
void path_transform(const Plan<T>& plan, const T* src, T* dst, T* work, bool inv) {
  if (sizeof(T) == 4 && plan.order > kFloat16MaxOrder)
    run<vec<T, 8>>(plan, src, dst, work, inv);
  else
    run<typename Wide<T>::type>(plan, src, dst, work, inv);
}

template <class T>
void path_products(const T* a, T* b, size_t count) {
  complex_products<typename Wide<T>::type>(a, b, count);
}

template void path_transform<float>(const Plan<float>&, const float*, float*, float*, bool);
template void path_transform<double>(const Plan<double>&, const double*, double*, double*, bool);
template void path_products<float>(const float*, float*, size_t);
template void path_products<double>(const double*, double*, size_t);

}  // namespace zaforq::gax::avx512
