// The exponential cores on AVX-512 registers (eight doubles, sixteen floats).
#define ZAFORQ_ISA_NS avx512
#include "zaf_core/_frame/wide.h"
#include "zaf_core/exp/exp_impl.h"

namespace zaforq::vm::ZAFORQ_ISA_NS {
using namespace expk;
template uint32_t wide_fast<DExpCore<true>>(const double*, double*);
template uint32_t wide_fast<DExpCore<false>>(const double*, double*);
template uint32_t wide_fast<SExpCore<2>>(const float*, float*);
template uint32_t wide_fast<SExpCore<1>>(const float*, float*);
template uint32_t wide_fast<SExpCore<0>>(const float*, float*);
}  // namespace zaforq::vm::ZAFORQ_ISA_NS
