// The 273 Wichmann-Hill parameter sets, written by tools/wh_search/wh_search.py. The
// reciprocals are the compiler's correctly rounded 1.0 / M.
#include "zaforq/orq_streams.h"

#define WH_SET(s, m1, m2, m3, m4, a1, a2, a3, a4) m1##u, m2##u, m3##u, m4##u,
extern "C" ZAFORQ_API const uint32_t _orq_WH_M[4 * 273] = {
#include "orq_sub_kernel/wh/wh_table.inc"
};
#undef WH_SET

#define WH_SET(s, m1, m2, m3, m4, a1, a2, a3, a4) a1, a2, a3, a4,
extern "C" ZAFORQ_API const uint8_t _orq_WH_A[4 * 273] = {
#include "orq_sub_kernel/wh/wh_table.inc"
};
#undef WH_SET

#define WH_SET(s, m1, m2, m3, m4, a1, a2, a3, a4) 1.0 / m1, 1.0 / m2, 1.0 / m3, 1.0 / m4,
extern "C" ZAFORQ_API const double _orqdWH_IM_Tab[4 * 273] = {
#include "orq_sub_kernel/wh/wh_table.inc"
};
#undef WH_SET
