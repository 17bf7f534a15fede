// The logarithm cores (Ln and Log10, every class) on AVX-512 registers (8 doubles, 16 floats).
#define ZAFORQ_ISA_NS avx512
#include "zaf_core/_frame/wide.h"
#include "zaf_core/_log/log_impl.h"

namespace zaforq::vm::ZAFORQ_ISA_NS {
using logk::Base;
using logk::DLogCore;
using logk::SLogCore;
template uint32_t wide_fast<DLogCore<Base::e, true>>(const double*, double*);
template uint32_t wide_fast<DLogCore<Base::e, false>>(const double*, double*);
template uint32_t wide_fast<DLogCore<Base::ten, true>>(const double*, double*);
template uint32_t wide_fast<DLogCore<Base::ten, false>>(const double*, double*);
template uint32_t wide_fast<SLogCore<Base::e, 0>>(const float*, float*);
template uint32_t wide_fast<SLogCore<Base::e, 64>>(const float*, float*);
template uint32_t wide_fast<SLogCore<Base::e, 16>>(const float*, float*);
template uint32_t wide_fast<SLogCore<Base::ten, 0>>(const float*, float*);
template uint32_t wide_fast<SLogCore<Base::ten, 64>>(const float*, float*);
template uint32_t wide_fast<SLogCore<Base::ten, 16>>(const float*, float*);
}  // namespace zaforq::vm::ZAFORQ_ISA_NS
