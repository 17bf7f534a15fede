// Stream services and chunks: creation, copy, state copy, deletion, leapfrog, skip-ahead.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "zaforq.h"

namespace {

OrqStream make(int32_t id, std::vector<uint32_t> seed) {
  OrqStream s = nullptr;
  EXPECT_EQ(__orqNewStreamEx(&s, id, static_cast<int32_t>(seed.size()), seed.data()), 0) << std::hex << id;
  return s;
}
// n integer outputs as 32-bit pieces (two per element for 64-bit generators)
std::vector<uint32_t> ints(OrqStream s, int32_t n) {
  BrngRow p;
  EXPECT_EQ(__orqGetBrngProperties(__orqGetStreamStateBrng(s), &p), 0);
  std::vector<uint32_t> r(static_cast<size_t>(n) * p.WordBytes / 4);
  _orqiRngUniformBits(0, s, n, r.data());
  return r;
}
void* block(const char* text) {
  size_t n = strlen(text) + 1;
  void* p = malloc(n);
  memcpy(p, text, n);
  return p;
}

TEST(Streams, CreationRefusals) {
  OrqStream s = reinterpret_cast<OrqStream>(0x10);
  const uint32_t seed = 1;
  for (int32_t id : {ORQ_BRNG_IABSTRACT, ORQ_BRNG_DABSTRACT, ORQ_BRNG_SABSTRACT, 279, -1, 0x20100000,
                     ORQ_BRNG_MCG31 + 1, ORQ_BRNG_WH + 273}) {
    EXPECT_EQ(__orqNewStreamEx(&s, id, 1, &seed), ORQ_STATUS_INVALID_GENERATOR) << std::hex << id;
    EXPECT_EQ(s, reinterpret_cast<OrqStream>(0x10)) << "handle untouched";
  }
  OrqStream t = nullptr;
  BrngRow mt;
  __orqGetBrngProperties(ORQ_BRNG_MT19937, &mt);
  EXPECT_EQ(__orqAllocateStream(&t, __RegBrngsNew, ORQ_BRNG_MT19937, 7, 0), 0);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(__orqGetStreamStateBrng(t), ORQ_BRNG_MT19937);
  EXPECT_EQ(static_cast<unsigned char*>(t)[4], 1) << "flag byte";
  EXPECT_EQ(__orqGetNumChunks(t), 0);
  __orqDeleteStream(&t);
  EXPECT_EQ(__orqAllocateStream(&t, __RegBrngsNew, ORQ_BRNG_MT2203 + 1024, 8, 1024), ORQ_STATUS_INVALID_GENERATOR);
  EXPECT_EQ(t, nullptr);
}

TEST(Streams, LegacyAndParameterSetIds) {
  OrqStream a = make(0, {77u}), b = make(ORQ_BRNG_MCG31, {77u});
  EXPECT_EQ(__orqGetStreamStateBrng(a), 0);
  EXPECT_EQ(ints(a, 20), ints(b, 20)) << "legacy id 0 is MCG31m1";
  OrqStream c = make(ORQ_BRNG_MT2203 + 5, {1u});
  EXPECT_EQ(__orqGetStreamStateBrng(c), ORQ_BRNG_MT2203 + 5);
  __orqDeleteStream(&a);
  __orqDeleteStream(&b);
  __orqDeleteStream(&c);
  EXPECT_EQ(a, nullptr);
}

TEST(Streams, CopyContinuesIdenticallyWithItsOwnChunks) {
  for (int32_t id : {ORQ_BRNG_MCG31, ORQ_BRNG_MCG59, ORQ_BRNG_R250, ORQ_BRNG_MRG32K3A, ORQ_BRNG_MT19937,
                     ORQ_BRNG_MT2203 + 3}) {
    OrqStream src = make(id, {9u, 10u});
    ints(src, 333);
    __orqLeapfrogStream(src, 1, 3);  // the congruential stride travels with the copy
    ASSERT_EQ(__orqAddChunk(src, 1, block("older"), 6), 0);
    ASSERT_EQ(__orqAddChunk(src, 2, block("newer"), 6), 0);
    OrqStream copy = nullptr;
    ASSERT_EQ(__orqCopyStream(&copy, src), 0);
    EXPECT_EQ(__orqGetStreamStateBrng(copy), id);
    EXPECT_EQ(__orqGetNumChunks(copy), 2);
    char* s1 = static_cast<char*>(__orqSearchChunk(copy, 1));
    char* s2 = static_cast<char*>(__orqSearchChunk(copy, 2));
    ASSERT_TRUE(s1 && s2);
    EXPECT_STREQ(s1, "older");
    EXPECT_STREQ(s2, "newer");
    EXPECT_NE(s1, __orqSearchChunk(src, 1)) << "no shared chunk storage";
    EXPECT_EQ(ints(copy, 1000), ints(src, 1000));
    __orqDeleteStream(&src);  // the copy's chunks survive the source
    EXPECT_STREQ(static_cast<char*>(__orqSearchChunk(copy, 2)), "newer");
    __orqDeleteStream(&copy);
  }
}

TEST(Streams, CopyStateByRegistryRow) {
  OrqStream a = make(ORQ_BRNG_MCG31, {5u}), r = make(ORQ_BRNG_R250, {5u});
  std::vector<uint32_t> before(1024);
  memcpy(before.data(), r, 1024);
  EXPECT_EQ(__orqCopyStreamState(a, a), 0);
  EXPECT_EQ(__orqCopyStreamState(r, a), ORQ_STATUS_GENERATOR_MISMATCH);
  EXPECT_EQ(0, memcmp(before.data(), r, 1024)) << "destination unchanged";

  // MCG31m1: only x moves, the destination keeps its own multiplier
  OrqStream ref = make(ORQ_BRNG_MCG31, {5u});
  std::vector<uint32_t> x = ints(ref, 100);
  OrqStream b = make(0, {999u});  // legacy id of the same row
  __orqLeapfrogStream(a, 0, 2);
  ints(a, 3);  // a now stands at x[6], with stride 2
  ASSERT_EQ(__orqCopyStreamState(b, a), 0);
  EXPECT_EQ(ints(b, 4), std::vector<uint32_t>({x[6], x[7], x[8], x[9]}));
  EXPECT_EQ(ints(a, 2), std::vector<uint32_t>({x[6], x[8]})) << "the source keeps its stride";
  __orqDeleteStream(&ref);
  __orqDeleteStream(&a);
  __orqDeleteStream(&b);
  __orqDeleteStream(&r);

  // twisters and R250: the whole state and position
  for (int32_t id : {ORQ_BRNG_MT19937, ORQ_BRNG_R250, ORQ_BRNG_MCG59, ORQ_BRNG_MRG32K3A}) {
    OrqStream s = make(id, {1u}), d = make(id, {2u});
    ints(s, 777);
    ASSERT_EQ(__orqCopyStreamState(d, s), 0);
    EXPECT_EQ(ints(d, 1500), ints(s, 1500)) << std::hex << id;
    __orqDeleteStream(&s);
    __orqDeleteStream(&d);
  }
}

TEST(Streams, CopyStateBetweenMt2203SetsKeepsTheDestinationsSet) {
  OrqStream s0 = make(ORQ_BRNG_MT2203 + 0, {3u}), s1 = make(ORQ_BRNG_MT2203 + 1, {4u});
  OrqStream twin = make(ORQ_BRNG_MT2203 + 1, {3u});  // set 1 with the state s0 has
  ASSERT_EQ(__orqCopyStreamState(s1, s0), 0);
  EXPECT_EQ(ints(s1, 500), ints(twin, 500));
  EXPECT_NE(ints(s1, 10), ints(s0, 10));
  __orqDeleteStream(&s0);
  __orqDeleteStream(&s1);
  __orqDeleteStream(&twin);
}

TEST(Chunks, NewestFirstAndFreedWithTheStream) {
  OrqStream s = make(ORQ_BRNG_MT19937, {1u});
  EXPECT_EQ(__orqSearchChunk(s, 7), nullptr);
  EXPECT_EQ(__orqGetNumChunks(s), 0);
  ASSERT_EQ(__orqAddChunk(s, 7, block("first"), 6), 0);
  ASSERT_EQ(__orqAddChunk(s, 8, block("other"), 6), 0);
  ASSERT_EQ(__orqAddChunk(s, 7, block("second"), 7), 0);
  ASSERT_EQ(__orqAddChunk(s, 9, nullptr, 0), 0);
  EXPECT_EQ(__orqGetNumChunks(s), 4);
  EXPECT_STREQ(static_cast<char*>(__orqSearchChunk(s, 7)), "second");
  EXPECT_STREQ(static_cast<char*>(__orqSearchChunk(s, 8)), "other");
  EXPECT_EQ(__orqSearchChunk(s, 10), nullptr);
  EXPECT_EQ(__orqDeleteStream(&s), 0);  // the sanitizer build checks that every block is freed
  EXPECT_EQ(s, nullptr);
  EXPECT_EQ(__orqDeleteStream(&s), 0) << "deleting again finds nothing to free";
  EXPECT_EQ(__orqDeleteStream(nullptr), 0);
}

}  // namespace
