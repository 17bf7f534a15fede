// The inverse trigonometric cores on AVX2 registers (four doubles, eight floats).
#define ZAFORQ_ISA_NS avx2
#include "zaf_core/_frame/wide.h"
#include "zaf_core/_invtrig/invtrig.h"

namespace zaforq::vm::ZAFORQ_ISA_NS {
using namespace invtrig;
template uint32_t wide_fast<DAsinCore<Cls::dHA, false>>(const double*, double*);
template uint32_t wide_fast<DAsinCore<Cls::d50, false>>(const double*, double*);
template uint32_t wide_fast<DAsinCore<Cls::dHA, true>>(const double*, double*);
template uint32_t wide_fast<DAsinCore<Cls::d50, true>>(const double*, double*);
template uint32_t wide_fast<FAsinCore<Cls::fHA, false>>(const float*, float*);
template uint32_t wide_fast<FAsinCore<Cls::f21, false>>(const float*, float*);
template uint32_t wide_fast<FAsinCore<Cls::f11, false>>(const float*, float*);
template uint32_t wide_fast<FAsinCore<Cls::fHA, true>>(const float*, float*);
template uint32_t wide_fast<FAsinCore<Cls::f21, true>>(const float*, float*);
template uint32_t wide_fast<FAsinCore<Cls::f11, true>>(const float*, float*);
}  // namespace zaforq::vm::ZAFORQ_ISA_NS
