// The hyperbolic tangent cores on AVX-512 registers (eight doubles, sixteen floats).
#define ZAFORQ_ISA_NS avx512
#include "zaf_core/_frame/wide.h"
#include "zaf_core/tanh/tanh_impl.h"

namespace zaforq::vm::ZAFORQ_ISA_NS {
using namespace tanhk;
template uint32_t wide_fast<DTanhCore<15, 18, true>>(const double*, double*);
template uint32_t wide_fast<DTanhCore<11, 14, false>>(const double*, double*);
template uint32_t wide_fast<STanhCore<2>>(const float*, float*);
template uint32_t wide_fast<STanhCore<1>>(const float*, float*);
template uint32_t wide_fast<STanhCore<0>>(const float*, float*);
}  // namespace zaforq::vm::ZAFORQ_ISA_NS
