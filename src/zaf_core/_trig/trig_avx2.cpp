// The double sine, cosine and sine-cosine cores on AVX2 registers (four doubles).
#define ZAFORQ_ISA_NS avx2
#include "zaf_core/_frame/wide.h"
#include "zaf_core/_trig/trig_policies.h"

namespace zaforq::vm::ZAFORQ_ISA_NS {
using namespace trigk;
template uint32_t wide_fast<DTableCore<Fn::sin>>(const double*, double*);
template uint32_t wide_fast<DTableCore<Fn::cos>>(const double*, double*);
template uint32_t wide_fast<DSinCosCore<true>>(const double*, double*, double*);
template uint32_t wide_fast<DSinCosCore<false>>(const double*, double*, double*);
}  // namespace zaforq::vm::ZAFORQ_ISA_NS
