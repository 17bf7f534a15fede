// MCG31m1 initialisation, leapfrog and skip-ahead.
#include "orq_sub_kernel/mcg31m1/mcg31m1.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqBRngMCG31M1InitStream(int32_t method, OrqStream stream, int32_t n,
                                                         const uint32_t* params) {
  Mcg31State* st = StateOf<Mcg31State>(stream);
  switch (method) {
    case 0: {
      uint32_t x = n >= 1 ? params[0] % kM31 : 1u;
      st->x = x ? x : 1u;
      st->a = kMcg31A;
      return ORQ_STATUS_OK;
    }
    case 1: {
      int32_t k = *reinterpret_cast<const int32_t*>(params);
      if (k < 0 || n < 0) return ORQ_STATUS_NO_LEAPFROG;  // the powers need exponents >= 0
      st->x = mulmod31(st->x, __orqiPowMod2P31M1(st->a, k));
      st->a = __orqiPowMod2P31M1(st->a, n);
      return ORQ_STATUS_OK;
    }
    case 2:
      if (n < 0) return ORQ_STATUS_NO_SKIPAHEAD;
      st->x = mulmod31(st->x, __orqiPowMod2P31M1(st->a, n));
      return ORQ_STATUS_OK;
    default:
      return ORQ_STATUS_UNKNOWN_METHOD;
  }
}
