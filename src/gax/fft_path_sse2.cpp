// The transform and the spectrum products compiled for the SSE2 path (fft_core.h).
#define ZAFORQ_ISA_NS sse2
#include "gax/fft_core.h"

namespace zaforq::gax::sse2 {

namespace {
// The register width of this path.
template <class T>
struct Wide;
template <>
struct Wide<double> {
  using type = vec<double, 2>;
};
template <>
struct Wide<float> {
  using type = vec<float, 4>;
};
}  // namespace

template <class T>
void path_transform(const Plan<T>& plan, const T* src, T* dst, T* work, bool inv) {
  using V = typename Wide<T>::type;
  if (inv)
    real_transform<V, true>(plan, src, dst, work);
  else
    real_transform<V, false>(plan, src, dst, work);
}

template <class T>
void path_products(const T* a, T* b, size_t count) {
  complex_products<typename Wide<T>::type>(a, b, count);
}

template void path_transform<float>(const Plan<float>&, const float*, float*, float*, bool);
template void path_transform<double>(const Plan<double>&, const double*, double*, double*, bool);
template void path_products<float>(const float*, float*, size_t);
template void path_products<double>(const double*, double*, size_t);

}  // namespace zaforq::gax::sse2
