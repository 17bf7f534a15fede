// The generator registry: the current table (built-in rows 0..11, then user rows), the legacy
// table, id resolution, validation, registration and properties. All data is initialised
// statically; nothing runs at load time.
#include "orq_sub_kernel/_service/stream.h"
#include "orq_sub_kernel/iabstract/abstract.h"

#define ROW_OF(name, record, words, zero, wbytes, bits)                                          \
  {record, words, zero, wbytes, bits, __orqBRng##name##InitStream, __orqsBRng##name, __orqdBRng##name, \
   __orqiBRng##name}

#define MCG31_ROW ROW_OF(MCG31M1, 24, 1, 0, 4, 31)
#define R250_ROW ROW_OF(R250, 1024, 252, 1, 4, 32)
#define MRG32K3A_ROW ROW_OF(MRG32K3A, 40, 6, 1, 4, 32)
#define MCG59_ROW ROW_OF(MCG59, 32, 1, 0, 8, 59)
#define WH_ROW ROW_OF(WH, 48, 4, 1, 16, 24)
#define SOBOL_ROW ROW_OF(Sobol, 5472, 1324, 0, 4, 32)
#define NIEDERR_ROW ROW_OF(Niederr, 43280, 10498, 0, 4, 32)
#define MT19937_ROW ROW_OF(MT19937, 2516, 625, 1, 4, 32)
#define MT2203_ROW ROW_OF(MT2203, 308, 70, 1, 4, 32)
// abstract records hold two pointers: 36, 52 and 44 bytes in the i386 build, more in x86-64
#define IABSTRACT_ROW ROW_OF(iAbstract, zaforq::orq::kIAbstractRecord, 0, 1, 4, 32)
#define DABSTRACT_ROW ROW_OF(dAbstract, zaforq::orq::kDAbstractRecord, 0, 1, 4, 32)
#define SABSTRACT_ROW ROW_OF(sAbstract, zaforq::orq::kSAbstractRecord, 0, 1, 4, 32)

#define WH_2 WH_ROW, WH_ROW
#define WH_4 WH_2, WH_2
#define WH_8 WH_4, WH_4
#define WH_16 WH_8, WH_8
#define WH_32 WH_16, WH_16
#define WH_64 WH_32, WH_32
#define WH_128 WH_64, WH_64
#define WH_256 WH_128, WH_128

extern "C" {

ZAFORQ_API BrngRow __RegBrngsNew[512] = {MCG31_ROW,    R250_ROW,      MRG32K3A_ROW,  MCG59_ROW,
                                         WH_ROW,       SOBOL_ROW,     NIEDERR_ROW,   MT19937_ROW,
                                         MT2203_ROW,   IABSTRACT_ROW, DABSTRACT_ROW, SABSTRACT_ROW};

// Legacy ids 0..278: rows 4..276 all repeat Wichmann-Hill (only row 4 is ever reached).
ZAFORQ_API BrngRow __RegBrngs[512] = {MCG31_ROW, R250_ROW, MRG32K3A_ROW, MCG59_ROW,
                                      WH_256,    WH_16,    WH_ROW,       SOBOL_ROW, NIEDERR_ROW};

}  // extern "C"

namespace {

constexpr int32_t kRows = 512;
constexpr int32_t kBuiltIn = 12;
constexpr int32_t kLegacyRows = 279;

int32_t NRegBrngsNew = kBuiltIn;
const int32_t NRegBrngs = kLegacyRows;
int32_t NumOffsets[kRows] = {1, 1, 1, 1, 273, 1, 1, 1, 1024, 1, 1, 1};

}  // namespace

static_assert(sizeof(__RegBrngs) / sizeof(__RegBrngs[0]) == 512, "legacy table size");

extern "C" ZAFORQ_API BrngRow* __orqGetBrngBaseOffset(int32_t id, int32_t* row, int32_t* offset) {
  if (id >= 0x100000) {
    *row = (id >> 20) - 1;
    *offset = id & 0xFFFFF;
    return __RegBrngsNew;
  }
  if (id >= 4 && id < 277) {
    *row = 4;
    *offset = id - 4;
    return __RegBrngs;
  }
  *row = id;
  *offset = 0;
  return __RegBrngs;
}

extern "C" ZAFORQ_API int32_t __orqIsBrngValid(const BrngRow* table, int32_t row, int32_t offset) {
  if (table == __RegBrngs) return (row >= 0 && row < NRegBrngs) ? ORQ_STATUS_OK : ORQ_STATUS_INVALID_GENERATOR;
  if (table == __RegBrngsNew && row >= 0 && row < NRegBrngsNew && offset >= 0 && offset < NumOffsets[row])
    return ORQ_STATUS_OK;
  return ORQ_STATUS_INVALID_GENERATOR;
}

extern "C" ZAFORQ_API int32_t __orqRegisterBrng(const BrngRow* p) {
  if (NRegBrngsNew >= kRows) return ORQ_STATUS_REGISTRY_FULL;
  // A record smaller than its own header would make every stream allocation write past it.
  if (p->RecordSize < zaforq::orq::kHeaderBytes) return ORQ_STATUS_BAD_STATE_SIZE;
  if (p->WordBytes != 4 && p->WordBytes != 8 && p->WordBytes != 16) return ORQ_STATUS_BAD_WORD_SIZE;
  if (p->StateWords < 1) return ORQ_STATUS_BAD_STATE_WORDS;
  if (p->OutputBits < 1) return ORQ_STATUS_BAD_BIT_COUNT;
  if (!p->DoubleFn || !p->FloatFn || !p->IntFn || !p->InitFn) return ORQ_STATUS_NULL_POINTER;
  __RegBrngsNew[NRegBrngsNew] = *p;
  NumOffsets[NRegBrngsNew] = 1;
  ++NRegBrngsNew;
  return NRegBrngsNew * 0x100000;
}

extern "C" ZAFORQ_API int32_t __orqGetBrngProperties(int32_t id, BrngRow* properties) {
  int32_t row, offset;
  const BrngRow* table = __orqGetBrngBaseOffset(id, &row, &offset);
  if (__orqIsBrngValid(table, row, offset) != ORQ_STATUS_OK) return ORQ_STATUS_INVALID_GENERATOR;
  *properties = table[row];
  return ORQ_STATUS_OK;
}

extern "C" ZAFORQ_API int32_t __orqGetNumRegBrngs(void) { return NRegBrngsNew; }

namespace zaforq::orq {

const BrngRow* row_of_id(int32_t id) {
  int32_t row, offset;
  const BrngRow* table = __orqGetBrngBaseOffset(id, &row, &offset);
  if (__orqIsBrngValid(table, row, offset) != ORQ_STATUS_OK) return nullptr;
  return &table[row];
}

}  // namespace zaforq::orq
