// The Erf and Erfc cores on AVX-512 registers (eight doubles, sixteen floats).
#define ZAFORQ_ISA_NS avx512
#include "zaf_core/_frame/wide.h"
#include "zaf_core/_erf/erf_core.h"

namespace zaforq::vm::ZAFORQ_ISA_NS {
using namespace erfk;
template uint32_t wide_fast<DErfCore<true>>(const double*, double*);
template uint32_t wide_fast<DErfCore<false>>(const double*, double*);
template uint32_t wide_fast<SErfCore<7, kSErfHA>>(const float*, float*);
template uint32_t wide_fast<SErfCore<5, kSErf21>>(const float*, float*);
template uint32_t wide_fast<SErfCore<4, kSErf11>>(const float*, float*);
template uint32_t wide_fast<DErfcCore<true>>(const double*, double*);
template uint32_t wide_fast<DErfcCore<false>>(const double*, double*);
template uint32_t wide_fast<SErfcCore<5, true, kSErfcHA>>(const float*, float*);
template uint32_t wide_fast<SErfcCore<4, false, kSErfc21>>(const float*, float*);
template uint32_t wide_fast<SErfcCore<3, false, kSErfc11>>(const float*, float*);
}  // namespace zaforq::vm::ZAFORQ_ISA_NS
