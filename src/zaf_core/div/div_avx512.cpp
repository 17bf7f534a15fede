// The float reciprocal and division cores on AVX-512 registers (sixteen floats). The double _HA
// kernels divide on the x87 unit and have no wider path.
#define ZAFORQ_ISA_NS avx512
#include "zaf_core/_frame/wide.h"
#include "zaf_core/div/div_core.h"

namespace zaforq::vm::ZAFORQ_ISA_NS {
using namespace div;
template uint32_t wide_fast<FInvCore<FClass::a11>>(const float*, float*);
template uint32_t wide_fast<FInvCore<FClass::a21>>(const float*, float*);
template uint32_t wide_fast<FInvCore<FClass::ha>>(const float*, float*);
template uint32_t wide_fast<FDivCore<FClass::a11>>(const float*, const float*, float*);
template uint32_t wide_fast<FDivCore<FClass::a21>>(const float*, const float*, float*);
template uint32_t wide_fast<FDivCore<FClass::ha>>(const float*, const float*, float*);
}  // namespace zaforq::vm::ZAFORQ_ISA_NS
