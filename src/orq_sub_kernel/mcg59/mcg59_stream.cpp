// MCG59 initialisation, leapfrog and skip-ahead.
#include "orq_sub_kernel/mcg59/mcg59.h"

using namespace zaforq::orq;

namespace {
uint64_t power(uint64_t base, int32_t e) {
  return __orqiPowMod2P59(static_cast<uint32_t>(base), static_cast<uint32_t>(base >> 32), e);
}
}  // namespace

extern "C" ZAFORQ_API int32_t __orqBRngMCG59InitStream(int32_t method, OrqStream stream, int32_t n,
                                                       const uint32_t* params) {
  Mcg59State* st = StateOf<Mcg59State>(stream);
  switch (method) {
    case 0: {
      uint64_t x = 1;
      if (n >= 1) {
        uint64_t hi = n >= 2 ? (params[1] & 0x7FFFFFFu) : 0u;
        x = (hi << 32) | params[0];
        if (x == 0) x = 1;
      }
      st->x = x;
      st->a = kMcg59A;
      return ORQ_STATUS_OK;
    }
    case 1: {
      int32_t k = *reinterpret_cast<const int32_t*>(params);
      if (k < 0 || n < 0) return ORQ_STATUS_NO_LEAPFROG;
      st->x = mulmod59(st->x, power(st->a, k));
      st->a = power(st->a, n);
      return ORQ_STATUS_OK;
    }
    case 2:
      if (n < 0) return ORQ_STATUS_NO_SKIPAHEAD;
      st->x = mulmod59(st->x, power(st->a, n));
      return ORQ_STATUS_OK;
    default:
      return ORQ_STATUS_UNKNOWN_METHOD;
  }
}
