// The hyperbolic cosine and sine cores on AVX-512 registers (eight doubles, sixteen floats).
#define ZAFORQ_ISA_NS avx512
#include "zaf_core/_frame/wide.h"
#include "zaf_core/_hyperbolic/cosh_sinh.h"

namespace zaforq::vm::ZAFORQ_ISA_NS {
using namespace hyp;
template uint32_t wide_fast<DCore<Fn::cosh, true>>(const double*, double*);
template uint32_t wide_fast<DCore<Fn::cosh, false>>(const double*, double*);
template uint32_t wide_fast<DCore<Fn::sinh, true>>(const double*, double*);
template uint32_t wide_fast<DCore<Fn::sinh, false>>(const double*, double*);
template uint32_t wide_fast<SCore<Fn::cosh, 2>>(const float*, float*);
template uint32_t wide_fast<SCore<Fn::cosh, 1>>(const float*, float*);
template uint32_t wide_fast<SCore<Fn::cosh, 0>>(const float*, float*);
template uint32_t wide_fast<SCore<Fn::sinh, 2>>(const float*, float*);
template uint32_t wide_fast<SCore<Fn::sinh, 1>>(const float*, float*);
template uint32_t wide_fast<SCore<Fn::sinh, 0>>(const float*, float*);
}  // namespace zaforq::vm::ZAFORQ_ISA_NS
