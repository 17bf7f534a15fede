// The sine, cosine, tangent and sine-cosine cores on AVX-512 registers (eight doubles, sixteen floats);
// the double _HA tangent, which ends on the x87 unit, stays on SSE2.
#define ZAFORQ_ISA_NS avx512
#include "zaf_core/_frame/wide.h"
#include "zaf_core/_trig/trig_policies.h"

namespace zaforq::vm::ZAFORQ_ISA_NS {
using namespace trigk;
template uint32_t wide_fast<DTableCore<Fn::sin>>(const double*, double*);
template uint32_t wide_fast<DTableCore<Fn::cos>>(const double*, double*);
template uint32_t wide_fast<DSinCosCore<true>>(const double*, double*, double*);
template uint32_t wide_fast<DSinCosCore<false>>(const double*, double*, double*);
template uint32_t wide_fast<DTanLaCore>(const double*, double*);
template uint32_t wide_fast<FUnaryCore<FEval::sin_ha>>(const float*, float*);
template uint32_t wide_fast<FUnaryCore<FEval::cos_ha>>(const float*, float*);
template uint32_t wide_fast<FUnaryCore<FEval::sin_la>>(const float*, float*);
template uint32_t wide_fast<FUnaryCore<FEval::cos_la>>(const float*, float*);
template uint32_t wide_fast<FUnaryCore<FEval::sin_a11>>(const float*, float*);
template uint32_t wide_fast<FUnaryCore<FEval::cos_a11>>(const float*, float*);
template uint32_t wide_fast<FUnaryCore<FEval::tan_ha>>(const float*, float*);
template uint32_t wide_fast<FUnaryCore<FEval::tan_single>>(const float*, float*);
template uint32_t wide_fast<FSinCosCore<Poly::ha>>(const float*, float*, float*);
template uint32_t wide_fast<FSinCosCore<Poly::la>>(const float*, float*, float*);
template uint32_t wide_fast<FSinCosCore<Poly::a11>>(const float*, float*, float*);
}  // namespace zaforq::vm::ZAFORQ_ISA_NS
