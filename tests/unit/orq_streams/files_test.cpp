// Stream files: layout, round trips, and every refusal, each without leaks.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "zaforq.h"

namespace {

std::string temp_path(const char* tag) {
  return std::string("/tmp/zaforq_files_") + std::to_string(getpid()) + "_" + tag;
}
std::vector<unsigned char> read_file(const std::string& path) {
  std::vector<unsigned char> data;
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return data;
  int c;
  while ((c = fgetc(f)) != EOF) data.push_back(static_cast<unsigned char>(c));
  fclose(f);
  return data;
}
void write_file(const std::string& path, const std::vector<unsigned char>& data) {
  FILE* f = fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  if (!data.empty()) ASSERT_EQ(fwrite(data.data(), data.size(), 1, f), 1u);
  fclose(f);
}
uint32_t le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint32_t le16(const unsigned char* p) { return p[0] | p[1] << 8; }

OrqStream make(int32_t id, uint32_t seed) {
  OrqStream s = nullptr;
  EXPECT_EQ(__orqNewStreamEx(&s, id, 1, &seed), 0);
  return s;
}
std::vector<uint32_t> ints(OrqStream s, int32_t n) {
  std::vector<uint32_t> r(2 * static_cast<size_t>(n));  // room for 64-bit words
  _orqiRngUniformBits(0, s, n, r.data());
  return r;
}
void* block(std::vector<unsigned char> bytes) {
  void* p = malloc(bytes.size());
  memcpy(p, bytes.data(), bytes.size());
  return p;
}

TEST(StreamFiles, Mcg31WithoutChunksIs24BytesAndContinues) {
  const std::string path = temp_path("mcg31");
  OrqStream s = make(ORQ_BRNG_MCG31, 12345);
  ints(s, 10);
  ASSERT_EQ(__orqSaveStreamF(s, path.c_str(), -1), 0);
  std::vector<unsigned char> f = read_file(path);
  ASSERT_EQ(f.size(), 24u);
  EXPECT_EQ(f[0], 'R');
  EXPECT_EQ(f[1], 'N');
  EXPECT_EQ(f[2], 'G');
  EXPECT_EQ(f[3], 0);
  EXPECT_EQ(le16(&f[4]), 16u);
  EXPECT_EQ(le16(&f[6]), 8u);
  EXPECT_EQ(le16(&f[8]), 0u);
  EXPECT_EQ(le32(&f[12]), static_cast<uint32_t>(ORQ_BRNG_MCG31));
  EXPECT_EQ(0, memcmp(&f[16], static_cast<unsigned char*>(s) + 16, 8));
  OrqStream t = reinterpret_cast<OrqStream>(0x1);
  ASSERT_EQ(__orqLoadStreamF(&t, path.c_str()), 0);
  EXPECT_EQ(__orqGetStreamStateBrng(t), ORQ_BRNG_MCG31);
  EXPECT_EQ(ints(t, 100), ints(s, 100));
  __orqDeleteStream(&s);
  __orqDeleteStream(&t);
  remove(path.c_str());
}

TEST(StreamFiles, EveryGeneratorRoundTrips) {
  for (int32_t id : {ORQ_BRNG_MCG59, ORQ_BRNG_R250, ORQ_BRNG_MRG32K3A, ORQ_BRNG_MT19937, ORQ_BRNG_MT2203 + 1000, 0,
                     1, 2, 3}) {
    const std::string path = temp_path("each");
    OrqStream s = make(id, 777);
    ints(s, 1234);
    if (id == ORQ_BRNG_MCG59) __orqLeapfrogStream(s, 2, 5);  // the stride is part of the state
    ASSERT_EQ(__orqSaveStreamF(s, path.c_str(), -1), 0);
    BrngRow p;
    __orqGetBrngProperties(id, &p);
    EXPECT_EQ(read_file(path).size(), static_cast<size_t>(p.RecordSize)) << std::hex << id;
    OrqStream t = nullptr;
    ASSERT_EQ(__orqLoadStreamF(&t, path.c_str()), 0);
    EXPECT_EQ(__orqGetStreamStateBrng(t), id);
    EXPECT_EQ(ints(t, 2000), ints(s, 2000)) << std::hex << id;
    __orqDeleteStream(&s);
    __orqDeleteStream(&t);
    remove(path.c_str());
  }
}

TEST(StreamFiles, ChunksComeBackInReversedOrder) {
  const std::string path = temp_path("chunks");
  OrqStream s = make(ORQ_BRNG_MT19937, 5);
  ASSERT_EQ(__orqAddChunk(s, 2, block({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}), 16), 0);
  ASSERT_EQ(__orqAddChunk(s, 1, block({0xAA, 0xBB, 0xCC}), 3), 0);
  ASSERT_EQ(__orqSaveStreamF(s, path.c_str(), -1), 0);
  std::vector<unsigned char> f = read_file(path);
  ASSERT_EQ(f.size(), 2516u + 8 + 3 + 8 + 16);
  EXPECT_EQ(le16(&f[8]), 2u);
  EXPECT_EQ(le32(&f[2516]), 1u) << "the newest chunk is written first";
  EXPECT_EQ(le32(&f[2520]), 3u);
  EXPECT_EQ(f[2524], 0xAA);
  EXPECT_EQ(le32(&f[2527]), 2u);
  EXPECT_EQ(le32(&f[2531]), 16u);
  OrqStream t = nullptr;
  ASSERT_EQ(__orqLoadStreamF(&t, path.c_str()), 0);
  ASSERT_EQ(__orqGetNumChunks(t), 2);
  const unsigned char* c1 = static_cast<unsigned char*>(__orqSearchChunk(t, 1));
  const unsigned char* c2 = static_cast<unsigned char*>(__orqSearchChunk(t, 2));
  ASSERT_TRUE(c1 && c2);
  EXPECT_EQ(0, memcmp(c1, "\xAA\xBB\xCC", 3));
  EXPECT_EQ(c2[15], 16);
  // reversed: the loaded list's head is the chunk saved last, so saving again swaps them
  const std::string again = temp_path("chunks2");
  ASSERT_EQ(__orqSaveStreamF(t, again.c_str(), -1), 0);
  std::vector<unsigned char> g = read_file(again);
  ASSERT_EQ(g.size(), f.size());
  EXPECT_EQ(le32(&g[2516]), 2u);
  EXPECT_EQ(le32(&g[2516 + 8 + 16]), 1u);
  EXPECT_EQ(ints(t, 700), ints(s, 700));
  __orqDeleteStream(&s);
  __orqDeleteStream(&t);
  remove(path.c_str());
  remove(again.c_str());
}

TEST(StreamFiles, NameOfGivenLength) {
  const std::string dir = temp_path("name");
  const std::string name = dir + "abcdef";
  OrqStream s = make(ORQ_BRNG_MCG31, 1);
  ASSERT_EQ(__orqSaveStreamF(s, name.c_str(), static_cast<int32_t>(dir.size() + 3)), 0);
  EXPECT_EQ(read_file(dir + "abc").size(), 24u);
  EXPECT_TRUE(read_file(name).empty());
  remove((dir + "abc").c_str());
  __orqDeleteStream(&s);
}

TEST(StreamFiles, SaveFailures) {
  OrqStream s = make(ORQ_BRNG_MCG31, 1);
  EXPECT_EQ(__orqSaveStreamF(s, "/nonexistent-dir/x", -1), ORQ_STATUS_FILE_OPEN_FAILED);
  EXPECT_EQ(__orqSaveStreamF(s, "/nonexistent-dir/xyz", 18), ORQ_STATUS_FILE_OPEN_FAILED);
  EXPECT_EQ(__orqSaveStreamF(s, nullptr, -1), ORQ_STATUS_FILE_OPEN_FAILED);
  EXPECT_EQ(__orqSaveStreamF(s, nullptr, 4), ORQ_STATUS_FILE_OPEN_FAILED);
  if (FILE* full = fopen("/dev/full", "wb")) {
    fclose(full);
    EXPECT_EQ(__orqSaveStreamF(s, "/dev/full", -1), ORQ_STATUS_FILE_CLOSE_FAILED)
        << "a buffered write fails at close";
  }
  const std::string path = temp_path("zero");
  ASSERT_EQ(__orqAddChunk(s, 3, malloc(1), 0), 0);
  EXPECT_EQ(__orqSaveStreamF(s, path.c_str(), -1), ORQ_STATUS_FILE_WRITE_FAILED) << "an empty chunk";
  remove(path.c_str());
  __orqDeleteStream(&s);
}

// A valid file to damage.
std::vector<unsigned char> saved(int32_t id, int chunks) {
  const std::string path = temp_path("base");
  OrqStream s = make(id, 3);
  for (int k = 0; k < chunks; ++k) __orqAddChunk(s, 10 + k, block({1, 2, 3, 4, 5, 6, 7, 8}), 8);
  EXPECT_EQ(__orqSaveStreamF(s, path.c_str(), -1), 0);
  __orqDeleteStream(&s);
  std::vector<unsigned char> f = read_file(path);
  remove(path.c_str());
  return f;
}

int32_t load(const std::vector<unsigned char>& data, OrqStream* out) {
  const std::string path = temp_path("bad");
  write_file(path, data);
  *out = reinterpret_cast<OrqStream>(0x1);
  int32_t status = __orqLoadStreamF(out, path.c_str());
  remove(path.c_str());
  return status;
}

TEST(StreamFiles, LoadRefusals) {
  const std::vector<unsigned char> good = saved(ORQ_BRNG_MT19937, 2);
  ASSERT_EQ(good.size(), 2516u + 2 * 16);
  OrqStream t;
  ASSERT_EQ(load(good, &t), 0);
  __orqDeleteStream(&t);

  struct Case {
    const char* what;
    std::vector<unsigned char> data;
    int32_t status;
    bool record_made;  // failure after the record existed: the handle comes back null
  };
  std::vector<Case> cases;
  auto with = [&](size_t at, unsigned char v) {
    std::vector<unsigned char> d = good;
    d[at] = v;
    return d;
  };
  auto put16 = [&](std::vector<unsigned char> d, size_t at, uint32_t v) {
    d[at] = static_cast<unsigned char>(v);
    d[at + 1] = static_cast<unsigned char>(v >> 8);
    return d;
  };
  auto put32 = [&](std::vector<unsigned char> d, size_t at, uint32_t v) {
    return put16(put16(d, at, v & 0xFFFF), at + 2, v >> 16);
  };
  cases.push_back({"wrong first magic byte", with(0, 'r'), ORQ_STATUS_BAD_FILE_FORMAT, false});
  cases.push_back({"wrong third magic byte", with(2, 0x48), ORQ_STATUS_BAD_FILE_FORMAT, false});
  cases.push_back({"version 1", with(3, 1), ORQ_STATUS_BAD_FILE_VERSION, false});
  cases.push_back({"bad magic wins over version", put16(with(1, 0), 2, 0x0147), ORQ_STATUS_BAD_FILE_FORMAT, false});
  cases.push_back({"state size 100", put16(good, 6, 100), ORQ_STATUS_BAD_FILE_FORMAT, false});
  cases.push_back({"header size 15", put16(good, 4, 15), ORQ_STATUS_BAD_FILE_FORMAT, false});
  cases.push_back({"unknown id", put32(good, 12, 0x20100000u), ORQ_STATUS_BAD_FILE_FORMAT, false});
  cases.push_back({"negative id", put32(good, 12, 0xFFFFFFFFu), ORQ_STATUS_BAD_FILE_FORMAT, false});
  cases.push_back({"set out of range", put32(put16(good, 6, 292), 12, ORQ_BRNG_MT2203 + 1024),
                   ORQ_STATUS_BAD_FILE_FORMAT, false});
  cases.push_back({"abstract stream", put32(put16(good, 6, 36), 12, ORQ_BRNG_IABSTRACT), ORQ_STATUS_BAD_FILE_FORMAT,
                   false});
  cases.push_back({"empty file", {}, ORQ_STATUS_FILE_READ_FAILED, false});
  cases.push_back({"truncated header", std::vector<unsigned char>(good.begin(), good.begin() + 15),
                   ORQ_STATUS_FILE_READ_FAILED, false});
  cases.push_back({"truncated inside the state", std::vector<unsigned char>(good.begin(), good.begin() + 1000),
                   ORQ_STATUS_FILE_READ_FAILED, true});
  cases.push_back({"truncated inside a chunk key", std::vector<unsigned char>(good.begin(), good.begin() + 2518),
                   ORQ_STATUS_FILE_READ_FAILED, true});
  cases.push_back({"truncated inside the first chunk's data",
                   std::vector<unsigned char>(good.begin(), good.begin() + 2516 + 12), ORQ_STATUS_FILE_READ_FAILED,
                   true});
  cases.push_back({"truncated inside the second chunk", std::vector<unsigned char>(good.begin(), good.end() - 3),
                   ORQ_STATUS_FILE_READ_FAILED, true});
  cases.push_back({"more chunks announced than written", put16(good, 8, 3), ORQ_STATUS_FILE_READ_FAILED, true});
  cases.push_back({"a chunk of size zero", put32(good, 2520, 0), ORQ_STATUS_FILE_READ_FAILED, true});
  cases.push_back({"a chunk larger than the file", put32(good, 2520, 0x7FFFFFF), ORQ_STATUS_FILE_READ_FAILED, true});
  for (const Case& c : cases) {
    OrqStream s;
    EXPECT_EQ(load(c.data, &s), c.status) << c.what;
    EXPECT_EQ(s, c.record_made ? nullptr : reinterpret_cast<OrqStream>(0x1)) << c.what;
  }
  OrqStream s = reinterpret_cast<OrqStream>(0x1);
  EXPECT_EQ(__orqLoadStreamF(&s, "/nonexistent-dir/none"), ORQ_STATUS_FILE_OPEN_FAILED);
  EXPECT_EQ(__orqLoadStreamF(&s, nullptr), ORQ_STATUS_FILE_OPEN_FAILED);
  EXPECT_EQ(s, reinterpret_cast<OrqStream>(0x1));
  // the reserved bytes and a larger header size are accepted (16 bytes are read regardless)
  ASSERT_EQ(load(put16(put16(good, 10, 0xBEEF), 4, 64), &s), 0);
  __orqDeleteStream(&s);
}

TEST(StreamFiles, StateSavedVerbatim) {
  // the state area is saved verbatim, whatever it holds
  const std::string path = temp_path("wait");
  OrqStream s = nullptr;
  const uint32_t seed = 1;
  EXPECT_EQ(__orqNewStreamEx(&s, ORQ_BRNG_WH, 1, &seed), ORQ_STATUS_OK);
  memset(static_cast<char*>(s) + 16, 0x5A, 32);
  ASSERT_EQ(__orqSaveStreamF(s, path.c_str(), -1), 0);
  EXPECT_EQ(read_file(path).size(), 48u);
  OrqStream t = nullptr;
  ASSERT_EQ(__orqLoadStreamF(&t, path.c_str()), 0);
  EXPECT_EQ(0, memcmp(static_cast<char*>(t) + 16, static_cast<char*>(s) + 16, 32));
  __orqDeleteStream(&t);
  __orqDeleteStream(&s);
  remove(path.c_str());
}

}  // namespace
