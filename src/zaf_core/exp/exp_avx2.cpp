// The exponential cores on AVX2 registers (four doubles, eight floats).
#define ZAFORQ_ISA_NS avx2
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
