// MT19937 initialisation; no leapfrog, no skip-ahead.
#include "orq_sub_kernel/mt19937/twister.h"

using namespace zaforq::orq;

namespace {
void _InitStateVector(Mt19937State* st, int32_t n, const uint32_t* key) {
  Mt19937::init_state(st->mt, n, key);
  st->pos = Mt19937::N;
}
}  // namespace

extern "C" ZAFORQ_API int32_t __orqBRngMT19937InitStream(int32_t method, OrqStream stream, int32_t n,
                                                         const uint32_t* params) {
  if (method == 1) return ORQ_STATUS_NO_LEAPFROG;
  if (method == 2) return ORQ_STATUS_NO_SKIPAHEAD;
  if (method != 0) return ORQ_STATUS_UNKNOWN_METHOD;
  _InitStateVector(StateOf<Mt19937State>(stream), n, params);
  return ORQ_STATUS_OK;
}
