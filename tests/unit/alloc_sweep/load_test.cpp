// Stream-file loading under hostile sizes and failing allocations: the loader never asks for
// more memory than the file has already delivered, every failed allocation gives -4 with the
// handle null, and nothing stays allocated.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "zaforq/orq_streams.h"

#include "watch.h"

namespace {

std::string temp_file(const std::vector<unsigned char>& bytes) {
  std::string path = "/tmp/zaforq_load_alloc_" + std::to_string(getpid()) + ".rng";
  FILE* f = fopen(path.c_str(), "wb");
  if (!bytes.empty()) fwrite(bytes.data(), bytes.size(), 1, f);
  fclose(f);
  return path;
}

void put32(std::vector<unsigned char>& d, size_t at, uint32_t v) {
  for (int k = 0; k < 4; ++k) d[at + k] = static_cast<unsigned char>(v >> (8 * k));
}

// An MCG31m1 file (24 bytes) followed by chunks of the given sizes, filled with a pattern.
std::vector<unsigned char> mcg31_file(const std::vector<uint32_t>& sizes) {
  std::vector<unsigned char> d = {0x52, 0x4E, 0x47, 0, 16, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0x10, 0,
                                  1,    0,    0,    0, 1,  0, 0, 0};
  d[8] = static_cast<unsigned char>(sizes.size());
  for (uint32_t s : sizes) {
    const size_t at = d.size();
    d.resize(at + 8 + s);
    put32(d, at, 100 + s);
    put32(d, at + 4, s);
    for (uint32_t i = 0; i < s; ++i) d[at + 8 + i] = static_cast<unsigned char>(i * 7 + s);
  }
  return d;
}

TEST(LoadAllocation, CorruptSizeWordsCostNoMoreThanTheFileHolds) {
  struct Case {
    const char* what;
    uint32_t declared;  // the size word of the only chunk
    uint32_t present;   // data bytes actually in the file
  };
  const Case cases[] = {
      {"4 GiB declared, 32 bytes present", 0xFFFFFFFFu, 32},
      {"2 GiB declared, nothing present", 0x80000000u, 0},
      {"1 MiB declared, 10000 bytes present", 1u << 20, 10000},
      {"one byte more than present", 8193, 8192},
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> d = mcg31_file({c.present});
    put32(d, 24 + 4, c.declared);
    const std::string path = temp_file(d);
    OrqStream s = nullptr;
    watch(0);
    const int32_t status = __orqLoadStreamF(&s, path.c_str());
    unwatch();
    remove(path.c_str());
    EXPECT_EQ(status, ORQ_STATUS_FILE_READ_FAILED) << c.what;
    EXPECT_EQ(s, nullptr) << c.what;
    // The record, the piece bookkeeping and a piece of the read size at most.
    EXPECT_LE(largest, static_cast<size_t>(c.present) + 4096 + 64) << c.what;
    EXPECT_TRUE(live->empty()) << c.what << ": " << live->size() << " blocks left";
  }
}

TEST(LoadAllocation, EveryFailingAllocationGivesNoMemoryAndLeavesNothing) {
  // Chunk sizes around the piece size, so whole pieces, a partial last piece and a chunk
  // that needs no piece are all read.
  const std::vector<uint32_t> sizes = {10000, 4096, 1, 4097};
  const std::string path = temp_file(mcg31_file(sizes));
  OrqStream s = nullptr;
  watch(0);
  ASSERT_EQ(__orqLoadStreamF(&s, path.c_str()), ORQ_STATUS_OK);
  unwatch();
  const int total = allocations;
  ASSERT_GT(total, 5);
  // Loaded chunks come back in reverse order with their contents.
  ASSERT_EQ(__orqGetNumChunks(s), 4);
  for (uint32_t sz : sizes) {
    void* data = __orqSearchChunk(s, 100 + sz);
    ASSERT_NE(data, nullptr) << sz;
    const unsigned char* b = static_cast<const unsigned char*>(data);
    for (uint32_t i = 0; i < sz; i += 97) ASSERT_EQ(b[i], static_cast<unsigned char>(i * 7 + sz)) << sz;
  }
  __orqDeleteStream(&s);

  // The C library's own allocations (fopen's FILE, the stdio buffer) may fail too: fopen's
  // failure is an open failure, a missing buffer only makes stdio unbuffered. Every one of the
  // loader's own allocations must give -4: the record, the data and the list node of each
  // chunk, and one per whole 4096-byte piece read before a chunk's last piece (10000: 2,
  // 4097: 1).
  const int loader_allocations = 1 + 2 * 4 + 3;
  int no_memory = 0;
  for (int k = 1; k <= total; ++k) {
    OrqStream t = nullptr;
    watch(k);
    const int32_t status = __orqLoadStreamF(&t, path.c_str());
    if (status == ORQ_STATUS_OK) __orqDeleteStream(&t);
    unwatch();
    EXPECT_TRUE(status == ORQ_STATUS_OK || status == ORQ_STATUS_NO_MEMORY || status == ORQ_STATUS_FILE_OPEN_FAILED)
        << "allocation " << k << ": status " << status;
    no_memory += status == ORQ_STATUS_NO_MEMORY;
    EXPECT_EQ(t, nullptr) << "allocation " << k;
    EXPECT_TRUE(live->empty()) << "allocation " << k << ": " << live->size() << " blocks left";
  }
  EXPECT_EQ(no_memory, loader_allocations);
  remove(path.c_str());
}

}  // namespace
