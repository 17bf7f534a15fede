// The inverse hyperbolic cores on AVX2 registers (four doubles, eight floats).
#define ZAFORQ_ISA_NS avx2
#include "zaf_core/_frame/wide.h"
#include "zaf_core/_hyperbolic/arc.h"

namespace zaforq::vm::ZAFORQ_ISA_NS {
using arc::D50Core;
using arc::DCore;
using arc::Fn;
using arc::SCore;
template uint32_t wide_fast<DCore<Fn::asinh>>(const double*, double*);
template uint32_t wide_fast<DCore<Fn::acosh>>(const double*, double*);
template uint32_t wide_fast<DCore<Fn::atanh>>(const double*, double*);
template uint32_t wide_fast<D50Core<Fn::asinh>>(const double*, double*);
template uint32_t wide_fast<D50Core<Fn::acosh>>(const double*, double*);
template uint32_t wide_fast<D50Core<Fn::atanh>>(const double*, double*);
template uint32_t wide_fast<SCore<Fn::asinh, 5>>(const float*, float*);
template uint32_t wide_fast<SCore<Fn::asinh, 4>>(const float*, float*);
template uint32_t wide_fast<SCore<Fn::asinh, 2>>(const float*, float*);
template uint32_t wide_fast<SCore<Fn::acosh, 5>>(const float*, float*);
template uint32_t wide_fast<SCore<Fn::acosh, 4>>(const float*, float*);
template uint32_t wide_fast<SCore<Fn::acosh, 2>>(const float*, float*);
template uint32_t wide_fast<SCore<Fn::atanh, 5>>(const float*, float*);
template uint32_t wide_fast<SCore<Fn::atanh, 4>>(const float*, float*);
template uint32_t wide_fast<SCore<Fn::atanh, 2>>(const float*, float*);
}  // namespace zaforq::vm::ZAFORQ_ISA_NS
