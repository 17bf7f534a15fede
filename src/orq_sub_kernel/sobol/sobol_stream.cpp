// Sobol initialisation (direction numbers by the Sobol recurrence), leapfrog and skip-ahead.
#include "orq_sub_kernel/sobol/quasi.h"

using namespace zaforq::orq;

namespace {

// Direction numbers of every dimension the record holds, not only the first D: a state copy
// from a stream of higher dimension then continues correctly in all of its coordinates.
void __orqSobolInit(SobolState* st) {
  for (int j = 0; j < 32; ++j) st->V[0][j] = 1;  // van der Corput in dimension 0
  for (int d = 1; d < 40; ++d) {
    const int r = d - 1, s = iSobolIrredPolyDeg[r];
    const uint32_t p = uSobolIrredPoly[r];
    uint32_t* m = st->V[d];
    for (int j = 0; j < s; ++j) m[j] = uSobolMInit[r][j];
    for (int j = s; j < 32; ++j) {
      uint32_t v = m[j - s];
      for (int t = 0; t < s; ++t)
        if ((p >> t) & 1) v ^= m[j - s + t] << (s - t);
      m[j] = v;
    }
  }
  for (int d = 0; d < 40; ++d)
    for (int j = 0; j < 32; ++j) st->V[d][j] <<= 31 - j;
}

void __orqSobolLeapfrog(SobolState* st, int32_t k) { quasi_leapfrog(st, k); }
void __orqSobolSkip(SobolState* st, int32_t nskip) { quasi_skip(st, nskip); }

}  // namespace

extern "C" ZAFORQ_API int32_t __orqBRngSobolInitStream(int32_t method, OrqStream stream, int32_t n,
                                                       const uint32_t* params) {
  SobolState* st = StateOf<SobolState>(stream);
  switch (method) {
    case 0:
      __orqSobolInit(st);
      quasi_start(st, quasi_dimension(n, params, 40));
      return ORQ_STATUS_OK;
    case 1: {
      const int32_t k = *reinterpret_cast<const int32_t*>(params);
      quasi_sanitize(st);
      if (n != 0x7FFFFFFF || k < 0 || k >= st->D) return ORQ_STATUS_NO_LEAPFROG;
      __orqSobolLeapfrog(st, k);
      return ORQ_STATUS_OK;
    }
    case 2:
      if (n < 1) return ORQ_STATUS_NO_SKIPAHEAD;
      __orqSobolSkip(st, n);
      return ORQ_STATUS_OK;
    default:
      return ORQ_STATUS_UNKNOWN_METHOD;
  }
}
