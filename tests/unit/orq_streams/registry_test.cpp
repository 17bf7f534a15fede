// The generator registry: resolution, validation, properties and registration with its checks.
#include <gtest/gtest.h>

#include <vector>

#include "zaforq.h"

namespace {

struct Resolved {
  const BrngRow* table;
  int32_t row, offset;
};
Resolved resolve(int32_t id) {
  Resolved r;
  r.table = __orqGetBrngBaseOffset(id, &r.row, &r.offset);
  return r;
}
bool valid(int32_t id) {
  Resolved r = resolve(id);
  return __orqIsBrngValid(r.table, r.row, r.offset) == ORQ_STATUS_OK;
}

TEST(Registry, Resolution) {
  Resolved r = resolve(0x100000);
  EXPECT_EQ(r.table, __RegBrngsNew);
  EXPECT_EQ(r.row, 0);
  EXPECT_EQ(r.offset, 0);
  r = resolve(0);
  EXPECT_EQ(r.table, __RegBrngs);
  EXPECT_EQ(r.row, 0);
  r = resolve(4);
  EXPECT_EQ(r.table, __RegBrngs);
  EXPECT_EQ(r.row, 4);
  EXPECT_EQ(r.offset, 0);
  r = resolve(276);
  EXPECT_EQ(r.row, 4);
  EXPECT_EQ(r.offset, 272);
  r = resolve(277);
  EXPECT_EQ(r.row, 277);
  EXPECT_EQ(r.table[r.row].RecordSize, 5472);  // Sobol
  r = resolve(278);
  EXPECT_EQ(r.table[r.row].RecordSize, 43280);  // Niederreiter
  r = resolve(0x900000 + 17);
  EXPECT_EQ(r.table, __RegBrngsNew);
  EXPECT_EQ(r.row, 8);
  EXPECT_EQ(r.offset, 17);
}

TEST(Registry, Validation) {
  for (int32_t id : {0, 1, 2, 3, 4, 100, 276, 277, 278, 0x100000, 0x500000 + 272, 0x900000 + 1023, 0xC00000})
    EXPECT_TRUE(valid(id)) << std::hex << id;
  for (int32_t id : {279, 0xFFFFF, -1, -0x100000, 0x100001, 0x500000 + 273, 0x900000 + 1024, 0x800001,
                     0x200000 + 0xFFFFF, 0x7FFFFFFF, static_cast<int32_t>(0x80000000u)})
    EXPECT_FALSE(valid(id)) << std::hex << id;
  EXPECT_EQ(__orqIsBrngValid(__RegBrngsNew, 12, 0), ORQ_STATUS_INVALID_GENERATOR);
  EXPECT_EQ(__orqIsBrngValid(__RegBrngs, -1, 0), ORQ_STATUS_INVALID_GENERATOR);
}

TEST(Registry, BuiltInProperties) {
  struct Expect {
    int32_t id, record, words, zero, wbytes, bits;
  };
  // the abstract records hold two pointers, 8 bytes each (aligned) in the x86-64 build
  constexpr bool kP4 = sizeof(void*) == 4;
  const Expect rows[] = {{0x100000, 24, 1, 0, 4, 31},      {0x200000, 1024, 252, 1, 4, 32},
                         {0x300000, 40, 6, 1, 4, 32},      {0x400000, 32, 1, 0, 8, 59},
                         {0x500000, 48, 4, 1, 16, 24},     {0x600000, 5472, 1324, 0, 4, 32},
                         {0x700000, 43280, 10498, 0, 4, 32}, {0x800000, 2516, 625, 1, 4, 32},
                         {0x900005, 308, 70, 1, 4, 32},    {0xA00000, kP4 ? 36 : 48, 0, 1, 4, 32},
                         {0xB00000, kP4 ? 52 : 64, 0, 1, 4, 32}, {0xC00000, kP4 ? 44 : 56, 0, 1, 4, 32},
                         {0, 24, 1, 0, 4, 31},             {3, 32, 1, 0, 8, 59},
                         {150, 48, 4, 1, 16, 24}};
  for (const Expect& e : rows) {
    BrngRow p;
    ASSERT_EQ(__orqGetBrngProperties(e.id, &p), ORQ_STATUS_OK) << std::hex << e.id;
    EXPECT_EQ(p.RecordSize, e.record) << std::hex << e.id;
    EXPECT_EQ(p.StateWords, e.words) << std::hex << e.id;
    EXPECT_EQ(p.ZeroPossible, e.zero) << std::hex << e.id;
    EXPECT_EQ(p.WordBytes, e.wbytes) << std::hex << e.id;
    EXPECT_EQ(p.OutputBits, e.bits) << std::hex << e.id;
    EXPECT_TRUE(p.InitFn && p.FloatFn && p.DoubleFn && p.IntFn);
  }
  BrngRow p;
  EXPECT_EQ(__orqGetBrngProperties(279, &p), ORQ_STATUS_INVALID_GENERATOR);
  EXPECT_EQ(__orqGetBrngProperties(-1, &p), ORQ_STATUS_INVALID_GENERATOR);
  EXPECT_EQ(__orqGetBrngProperties(0xD00000, &p), ORQ_STATUS_INVALID_GENERATOR);
}

// A user generator: a counter, so its outputs are easy to predict.
struct Counter {
  uint32_t next;
};
Counter* state(OrqStream s) { return reinterpret_cast<Counter*>(static_cast<char*>(s) + 16); }
int32_t counter_init(int32_t method, OrqStream s, int32_t n, const uint32_t* p) {
  if (method != 0) return ORQ_STATUS_UNKNOWN_METHOD;
  state(s)->next = n > 0 ? p[0] : 0;
  return 0;
}
int32_t counter_int(OrqStream s, int32_t n, void* r) {
  for (int32_t i = 0; i < n; ++i) static_cast<uint32_t*>(r)[i] = state(s)->next++;
  return 0;
}
int32_t counter_double(OrqStream s, int32_t n, double* r, double a, double b) {
  for (int32_t i = 0; i < n; ++i) r[i] = a + (b - a) * (state(s)->next++ % 16) / 16.0;
  return 0;
}
int32_t counter_float(OrqStream s, int32_t n, float* r, float a, float b) {
  for (int32_t i = 0; i < n; ++i) r[i] = a + (b - a) * static_cast<float>(state(s)->next++ % 16) / 16.0f;
  return 0;
}

TEST(Registry, RegistrationChecksInOrderThenFillsTheTable) {
  const BrngRow good = {20, 1, 1, 4, 32, counter_init, counter_float, counter_double, counter_int};
  BrngRow r = good;
  ASSERT_EQ(__orqGetNumRegBrngs(), 12);
  r.RecordSize = -1;
  r.WordBytes = 12;
  r.StateWords = 0;
  EXPECT_EQ(__orqRegisterBrng(&r), ORQ_STATUS_BAD_STATE_SIZE) << "record size is checked first";
  r.RecordSize = 15;  // smaller than the record header
  EXPECT_EQ(__orqRegisterBrng(&r), ORQ_STATUS_BAD_STATE_SIZE);
  r.RecordSize = 20;
  EXPECT_EQ(__orqRegisterBrng(&r), ORQ_STATUS_BAD_WORD_SIZE) << "word size before state words";
  r.WordBytes = 8;
  r.OutputBits = 0;
  r.InitFn = nullptr;
  EXPECT_EQ(__orqRegisterBrng(&r), ORQ_STATUS_BAD_STATE_WORDS);
  r.StateWords = 1;
  EXPECT_EQ(__orqRegisterBrng(&r), ORQ_STATUS_BAD_BIT_COUNT);
  r.OutputBits = 64;
  EXPECT_EQ(__orqRegisterBrng(&r), ORQ_STATUS_NULL_POINTER);
  for (int which = 0; which < 4; ++which) {
    BrngRow q = good;
    if (which == 0) q.DoubleFn = nullptr;
    if (which == 1) q.FloatFn = nullptr;
    if (which == 2) q.IntFn = nullptr;
    if (which == 3) q.InitFn = nullptr;
    EXPECT_EQ(__orqRegisterBrng(&q), ORQ_STATUS_NULL_POINTER) << which;
  }
  for (int32_t wb : {4, 8, 16}) {
    BrngRow q = good;
    q.WordBytes = wb;
    q.StateWords = 0;
    EXPECT_EQ(__orqRegisterBrng(&q), ORQ_STATUS_BAD_STATE_WORDS) << "word size " << wb << " accepted";
  }
  EXPECT_EQ(__orqGetNumRegBrngs(), 12) << "failed registrations add nothing";
  EXPECT_FALSE(valid(0xD00000));

  ASSERT_EQ(__orqRegisterBrng(&good), 0xD00000);
  EXPECT_EQ(__orqGetNumRegBrngs(), 13);
  EXPECT_TRUE(valid(0xD00000));
  EXPECT_FALSE(valid(0xD00001));
  BrngRow p;
  ASSERT_EQ(__orqGetBrngProperties(0xD00000, &p), 0);
  EXPECT_EQ(p.RecordSize, 20);
  EXPECT_EQ(p.IntFn, &counter_int);

  // the new generator is reached through the registry like a built-in one
  OrqStream s = nullptr;
  const uint32_t seed = 40;
  ASSERT_EQ(__orqNewStreamEx(&s, 0xD00000, 1, &seed), 0);
  uint32_t w[3];
  ASSERT_EQ(_orqiRngUniformBits(0, s, 3, w), 0);
  EXPECT_EQ(w[0], 40u);
  EXPECT_EQ(w[2], 42u);
  double d;
  ASSERT_EQ(_orqdRngUniform(0, s, 1, &d, 0.0, 16.0), 0);
  EXPECT_EQ(d, 11.0);  // 43 % 16
  EXPECT_EQ(__orqSkipAheadStream(s, 1), ORQ_STATUS_UNKNOWN_METHOD) << "the generator's own answer";
  __orqDeleteStream(&s);

  for (int32_t n = 14; n <= 512; ++n) ASSERT_EQ(__orqRegisterBrng(&good), n * 0x100000);
  EXPECT_EQ(__orqGetNumRegBrngs(), 512);
  BrngRow bad = good;
  bad.RecordSize = -1;
  EXPECT_EQ(__orqRegisterBrng(&bad), ORQ_STATUS_REGISTRY_FULL) << "a full table is checked first";
  EXPECT_EQ(__orqRegisterBrng(&good), ORQ_STATUS_REGISTRY_FULL);
  EXPECT_EQ(__orqGetNumRegBrngs(), 512);
  EXPECT_TRUE(valid(512 * 0x100000));
  EXPECT_FALSE(valid(513 * 0x100000));
}

}  // namespace
