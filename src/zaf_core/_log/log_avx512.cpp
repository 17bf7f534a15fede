// The double logarithm cores (Ln and Log10, both classes) on AVX-512 registers (eight doubles).
#define ZAFORQ_ISA_NS avx512
#include "zaf_core/_frame/wide.h"
#include "zaf_core/_log/log_impl.h"

namespace zaforq::vm::ZAFORQ_ISA_NS {
using logk::Base;
using logk::DLogCore;
template uint32_t wide_fast<DLogCore<Base::e, true>>(const double*, double*);
template uint32_t wide_fast<DLogCore<Base::e, false>>(const double*, double*);
template uint32_t wide_fast<DLogCore<Base::ten, true>>(const double*, double*);
template uint32_t wide_fast<DLogCore<Base::ten, false>>(const double*, double*);
}  // namespace zaforq::vm::ZAFORQ_ISA_NS
