// The inverse trigonometric cores on AVX-512 registers (eight doubles, sixteen floats).
#define ZAFORQ_ISA_NS avx512
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
template uint32_t wide_fast<DAtanCore<Cls::dHA>>(const double*, double*);
template uint32_t wide_fast<DAtanCore<Cls::d50>>(const double*, double*);
template uint32_t wide_fast<FAtanCore<Cls::fHA>>(const float*, float*);
template uint32_t wide_fast<FAtanCore<Cls::f21>>(const float*, float*);
template uint32_t wide_fast<FAtanCore<Cls::f11>>(const float*, float*);
template uint32_t wide_fast<DAtan2Core<Cls::dHA>>(const double*, const double*, double*);
template uint32_t wide_fast<DAtan2Core<Cls::d50>>(const double*, const double*, double*);
template uint32_t wide_fast<FAtan2Core<Cls::fHA>>(const float*, const float*, float*);
template uint32_t wide_fast<FAtan2Core<Cls::f21>>(const float*, const float*, float*);
template uint32_t wide_fast<FAtan2Core<Cls::f11>>(const float*, const float*, float*);
}  // namespace zaforq::vm::ZAFORQ_ISA_NS
