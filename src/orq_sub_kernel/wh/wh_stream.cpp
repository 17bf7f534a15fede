// Wichmann-Hill initialisation, leapfrog and skip-ahead. The parameter set comes from the id
// (validated when the record was allocated).
#include "orq_sub_kernel/wh/wh.h"

using namespace zaforq::orq;
using namespace zaforq::orq::wh;

extern "C" ZAFORQ_API int32_t __orqBRngWHInitStream(int32_t method, OrqStream stream, int32_t n,
                                                    const uint32_t* params) {
  State* st = StateOf<State>(stream);
  const uint32_t* M = _orq_WH_M + 4 * set_of(stream);
  switch (method) {
    case 0:
      for (int32_t i = 0; i < 4; ++i) {
        uint32_t x = i < n ? params[i] % M[i] : 1u;
        st->x[i] = x ? x : 1u;  // zero would stay zero
        st->a[i] = _orq_WH_A[4 * set_of(stream) + i];
      }
      return ORQ_STATUS_OK;
    case 1: {
      const int32_t k = *reinterpret_cast<const int32_t*>(params);
      if (k < 0 || n < 0) return ORQ_STATUS_NO_LEAPFROG;
      for (int32_t i = 0; i < 4; ++i) {
        st->x[i] = mul_mod(st->x[i], __orqiPowMod(st->a[i], k, M[i]), M[i]);
        st->a[i] = __orqiPowMod(st->a[i], n, M[i]);
      }
      return ORQ_STATUS_OK;
    }
    case 2:
      if (n < 0) return ORQ_STATUS_NO_SKIPAHEAD;
      for (int32_t i = 0; i < 4; ++i) st->x[i] = mul_mod(st->x[i], __orqiPowMod(st->a[i], n, M[i]), M[i]);
      return ORQ_STATUS_OK;
    default:
      return ORQ_STATUS_UNKNOWN_METHOD;
  }
}
