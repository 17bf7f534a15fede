// MRG32k3a initialisation and skip-ahead. Leapfrog is refused: parallel streams of this
// generator are made by skipping ahead, which its long period (about 2^191) allows.
#include "orq_sub_kernel/mrg32k3a/mrg32k3a.h"

using namespace zaforq::orq;
using namespace zaforq::orq::mrg;

namespace {

// Words at or above their modulus are reduced once (a uint32 is below 2 m); a component
// left all zero would stay zero for ever, so its oldest word becomes 1.
void _ValidateSeed(State* st) {
  for (uint32_t& w : st->x1)
    if (w >= kM1) w -= kM1;
  for (uint32_t& w : st->x2)
    if (w >= kM2) w -= kM2;
  if (st->x1[0] == 0 && st->x1[1] == 0 && st->x1[2] == 0) st->x1[0] = 1;
  if (st->x2[0] == 0 && st->x2[1] == 0 && st->x2[2] == 0) st->x2[0] = 1;
}

}  // namespace

extern "C" ZAFORQ_API int32_t __orqBRngMRG32K3AInitStream(int32_t method, OrqStream stream, int32_t n,
                                                          const uint32_t* params) {
  State* st = StateOf<State>(stream);
  switch (method) {
    case 0: {
      uint32_t w[6] = {1, 1, 1, 1, 1, 1};
      const int32_t k = n > 6 ? 6 : n;
      for (int32_t i = 0; i < k; ++i) w[i] = params[i];
      for (int32_t i = 0; i < 3; ++i) st->x1[i] = w[i], st->x2[i] = w[3 + i];
      _ValidateSeed(st);
      return ORQ_STATUS_OK;
    }
    case 1:
      return ORQ_STATUS_NO_LEAPFROG;
    case 2:
      if (n < 0) return ORQ_STATUS_NO_SKIPAHEAD;
      __orqiVect3PowMod(st->x1, kCoef1, kM1, n);
      __orqiVect3PowMod(st->x2, kCoef2, kM2, n);
      return ORQ_STATUS_OK;
    default:
      return ORQ_STATUS_UNKNOWN_METHOD;
  }
}
