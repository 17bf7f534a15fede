// The 1024 MT2203 parameter sets, written by tools/mt2203_search.
#include "zaforq/orq_streams.h"

extern "C" ZAFORQ_API const uint32_t _orq_mt2203_table[3 * 1024] = {
#include "orq_sub_kernel/mt2203/mt2203_table.inc"
};
