// R250 initialisation; no leapfrog, no skip-ahead.
#include "orq_sub_kernel/r250/r250.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqBRngR250InitStream(int32_t method, OrqStream stream, int32_t n,
                                                      const uint32_t* params) {
  if (method == 1) return ORQ_STATUS_NO_LEAPFROG;
  if (method == 2) return ORQ_STATUS_NO_SKIPAHEAD;
  if (method != 0) return ORQ_STATUS_UNKNOWN_METHOD;
  R250State* st = StateOf<R250State>(stream);
  if (n >= kR250) {
    memcpy(st->T, params, sizeof(st->T));
  } else {
    uint32_t s = n >= 1 ? params[0] : 1u;
    if (s == 0) s = 1;
    uint32_t x = s;
    for (int32_t k = 0; k < kR250; ++k) {
      x *= 69069u;
      st->T[k] = x;
    }
    // one word per bit column with that bit as its leading one: the 32 columns of the table
    // become linearly independent
    for (int32_t k = 0; k < 32; ++k) {
      uint32_t top = 1u << (31 - k);
      st->T[3 + 7 * k] = (st->T[3 + 7 * k] & (top - 1)) | top;
    }
  }
  st->i = 0;
  st->j = kR250Lag;
  return ORQ_STATUS_OK;
}
