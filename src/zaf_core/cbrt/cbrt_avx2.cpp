// The cube-root and reciprocal-cube-root cores on AVX2 registers (four doubles, eight floats).
#define ZAFORQ_ISA_NS avx2
#include "zaf_core/_frame/wide.h"
#include "zaf_core/cbrt/cbrt_core.h"

namespace zaforq::vm::ZAFORQ_ISA_NS {
using namespace cbrt_core;
template uint32_t wide_fast<DCore<false, 7, false>>(const double*, double*);
template uint32_t wide_fast<DCore<false, 8, true>>(const double*, double*);
template uint32_t wide_fast<DCore<true, 8, true>>(const double*, double*);
template uint32_t wide_fast<FCore<false, 2>>(const float*, float*);
template uint32_t wide_fast<FCore<false, 3>>(const float*, float*);
template uint32_t wide_fast<FCore<false, 4>>(const float*, float*);
template uint32_t wide_fast<FCore<true, 2>>(const float*, float*);
template uint32_t wide_fast<FCore<true, 3>>(const float*, float*);
template uint32_t wide_fast<FCore<true, 4>>(const float*, float*);
}  // namespace zaforq::vm::ZAFORQ_ISA_NS
