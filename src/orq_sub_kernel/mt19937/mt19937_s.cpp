#include "orq_sub_kernel/mt19937/twister.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqsBRngMT19937(OrqStream stream, int32_t n, float* r, float a, float b) {
  Mt19937State* st = StateOf<Mt19937State>(stream);
  const Mt19937 g = mt19937_params();
  const double da = a, db = b;
  uniform_u32(n, r, (db - da) * (1.0 / 4294967296.0), da, [&](uint32_t* w, int32_t k) { g.fill(st->mt, st->pos, w, k); });
  return ORQ_STATUS_OK;
}
