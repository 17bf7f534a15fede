// Included by a family's *_avx2.cpp and *_avx512.cpp sources, after defining ZAFORQ_ISA_NS:
// the definition of the frame's wide fast routine for the path, which runs a core's fast
// computation on the widest registers the path has. The source then instantiates it once per
// core and signature, e.g.
//   template uint32_t zaforq::vm::ZAFORQ_ISA_NS::wide_fast<Core>(const double*, double*);
// Everything instantiated here carries the path's namespace or its register types in its name,
// so no copy compiled for a wider instruction set can stand in for an SSE2 one.
#pragma once
#include "common/simd_avx.h"
#include "zaf_core/_frame/frame.h"

namespace zaforq::vm::ZAFORQ_ISA_NS {

template <class T>
struct widest;
#if defined(__AVX512F__)
template <> struct widest<double> { using type = simd::ZAFORQ_ISA_NS::f64x8; };
template <> struct widest<float> { using type = simd::ZAFORQ_ISA_NS::f32x16; };
#elif defined(__AVX2__)
template <> struct widest<double> { using type = simd::ZAFORQ_ISA_NS::f64x4; };
template <> struct widest<float> { using type = simd::ZAFORQ_ISA_NS::f32x8; };
#else
#error "wide.h is for the AVX2 and AVX-512 sources"
#endif

template <class Core, class... A>
uint32_t wide_fast(A... args) {
  using V = typename widest<typename Core::T>::type;
  static_assert(Core::group % V::lanes == 0, "a group is whole registers on every path");
  return Core::template fast<V>(args...);
}

}  // namespace zaforq::vm::ZAFORQ_ISA_NS
