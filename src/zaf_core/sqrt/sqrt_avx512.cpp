// The square-root and reciprocal-square-root cores on AVX-512 registers (eight doubles, sixteen floats).
#define ZAFORQ_ISA_NS avx512
#include "zaf_core/_frame/wide.h"
#include "zaf_core/sqrt/sqrt_core.h"

namespace zaforq::vm::ZAFORQ_ISA_NS {
using namespace sqrt_core;
template uint32_t wide_fast<FSqrtCore<FClass::a11>>(const float*, float*);
template uint32_t wide_fast<FSqrtCore<FClass::a21>>(const float*, float*);
template uint32_t wide_fast<FSqrtCore<FClass::ha>>(const float*, float*);
template uint32_t wide_fast<FInvSqrtCore<FClass::a11>>(const float*, float*);
template uint32_t wide_fast<FInvSqrtCore<FClass::a21>>(const float*, float*);
template uint32_t wide_fast<FInvSqrtCore<FClass::ha>>(const float*, float*);
template uint32_t wide_fast<DSqrtCore<4, false>>(const double*, double*);
template uint32_t wide_fast<DSqrtCore<5, false>>(const double*, double*);
template uint32_t wide_fast<DSqrtCore<4, true>>(const double*, double*);
template uint32_t wide_fast<DSqrtCore<5, true>>(const double*, double*);
}  // namespace zaforq::vm::ZAFORQ_ISA_NS
