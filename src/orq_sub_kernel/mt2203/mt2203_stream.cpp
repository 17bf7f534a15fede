// MT2203 initialisation: the key-array method over 69 words, then the parameter set of the
// stream's id; no leapfrog, no skip-ahead.
#include "orq_sub_kernel/mt19937/twister.h"

using namespace zaforq::orq;

namespace {
void _InitStateVector(Mt2203State* st, int32_t n, const uint32_t* key) {
  Mt2203::init_state(st->mt, n, key);
  st->pos = Mt2203::N;
}
}  // namespace

extern "C" ZAFORQ_API int32_t __orqBRngMT2203InitStream(int32_t method, OrqStream stream, int32_t n,
                                                        const uint32_t* params) {
  if (method == 1) return ORQ_STATUS_NO_LEAPFROG;
  if (method == 2) return ORQ_STATUS_NO_SKIPAHEAD;
  if (method != 0) return ORQ_STATUS_UNKNOWN_METHOD;
  Mt2203State* st = StateOf<Mt2203State>(stream);
  _InitStateVector(st, n, params);
  const uint32_t set = static_cast<uint32_t>(header(stream)->id) & 0x3FFu;  // validated at creation: < 1024
  st->a = _orq_mt2203_table[3 * set];
  st->b = _orq_mt2203_table[3 * set + 1];
  st->c = _orq_mt2203_table[3 * set + 2];
  return ORQ_STATUS_OK;
}
