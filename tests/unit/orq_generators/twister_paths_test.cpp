// The twisters on every instruction-set path this machine has: each pinned path must give the
// published first outputs and, over a million words drawn in calls of awkward sizes through the
// integer, double and float entries, exactly the serial reference's words and their exact
// conversions.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "bits.h"
#include "cpu_paths.h"
#include "reference.h"
#include "stream.h"
#include "zaforq.h"

namespace {

TEST(TwisterPaths, PublishedFirstOutputs) {
  for_each_cpu_path([](int) {
    Stream g(ORQ_BRNG_MT19937, {0x123u, 0x234u, 0x345u, 0x456u});
    std::vector<uint32_t> got(10);
    ASSERT_EQ(_orqiRngUniformBits(0, g.s, 10, got.data()), 0);
    const uint32_t expect[] = {1067595299u, 955945823u, 477289528u, 4107218783u, 4228976476u,
                               3344332714u, 3355579695u, 227628506u,  810200273u,  2591290167u};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(got[i], expect[i]) << i;
  });
}

// Call sizes around the block length N and the register widths, in a cycle, so that calls start
// and end at every offset within a block and some span several blocks.
std::vector<int32_t> call_sizes(int32_t n_words, int32_t total) {
  const int32_t base[] = {1, 3, n_words - 1, n_words, n_words + 1, 15, 17, 2 * n_words + 5, 4096 + 7, 33, 1000, 9};
  std::vector<int32_t> v;
  for (int32_t sum = 0, i = 0; sum < total; ++i) {
    const int32_t k = std::min(base[i % 12], total - sum);
    v.push_back(k);
    sum += k;
  }
  return v;
}

// Draws `total` outputs from a fresh stream, rotating over the integer, double and float entries,
// and checks each against the reference word: the word itself, or y (b - a) 2^-32 + a in double
// (rounded once to float).
void check_against_reference(int32_t id, int32_t n_words, ref::Twister r, int32_t total) {
  Stream g(id, {20261206u, 7u});
  r.init_by_array({20261206u, 7u});
  const double a = -1.5, b = 2.25, scale = (b - a) * (1.0 / 4294967296.0);
  const double sa = -0.75, sb = 3.0;  // exactly floats, so both entries see the same bounds
  const double fscale = (sb - sa) * (1.0 / 4294967296.0);
  std::vector<uint32_t> w;
  std::vector<double> d;
  std::vector<float> f;
  int32_t call = 0, at = 0;
  for (int32_t k : call_sizes(n_words, total)) {
    switch (call++ % 3) {
      case 0:
        w.resize(k);
        ASSERT_EQ(_orqiRngUniformBits(0, g.s, k, w.data()), 0);
        for (int32_t i = 0; i < k; ++i) ASSERT_EQ(w[i], r.next()) << "word " << at + i;
        break;
      case 1:
        d.resize(k);
        ASSERT_EQ(_orqdRngUniform(0, g.s, k, d.data(), a, b), 0);
        for (int32_t i = 0; i < k; ++i)
          ASSERT_EQ(bits_of(d[i]), bits_of(static_cast<double>(r.next()) * scale + a)) << "double " << at + i;
        break;
      default:
        f.resize(k);
        ASSERT_EQ(_orqsRngUniform(0, g.s, k, f.data(), static_cast<float>(sa), static_cast<float>(sb)), 0);
        for (int32_t i = 0; i < k; ++i)
          ASSERT_EQ(bits_of(f[i]), bits_of(static_cast<float>(static_cast<double>(r.next()) * fscale + sa)))
              << "float " << at + i;
    }
    at += k;
  }
}

TEST(TwisterPaths, Mt19937MillionWordsInMixedCalls) {
  for_each_cpu_path([](int) { check_against_reference(ORQ_BRNG_MT19937, 624, ref::mt19937(), 1000000); });
}

TEST(TwisterPaths, Mt2203SetsInMixedCalls) {
  for (int32_t set : {0, 1, 517, 1023}) {
    const uint32_t* p = _orq_mt2203_table + 3 * set;
    for_each_cpu_path([&](int) {
      SCOPED_TRACE(testing::Message() << "set " << set);
      check_against_reference(ORQ_BRNG_MT2203 + set, 69, ref::mt2203(p[0], p[1], p[2]), 200000);
    });
  }
}

// Every wider path gives the same doubles as the SSE2 path on one long request, whose blocks
// start at an odd offset (the stream has already given 5 words).
TEST(TwisterPaths, WidePathsMatchSse2OnOneLongRequest) {
  const int32_t n = 1000003;
  std::vector<std::vector<double>> out;
  for_each_cpu_path([&](int) {
    Stream g(ORQ_BRNG_MT19937, {5489u});
    uint32_t skip[5];
    ASSERT_EQ(_orqiRngUniformBits(0, g.s, 5, skip), 0);
    out.emplace_back(n);
    ASSERT_EQ(_orqdRngUniform(0, g.s, n, out.back().data(), 0.0, 1.0), 0);
  });
  for (size_t p = 1; p < out.size(); ++p)
    EXPECT_EQ(memcmp(out[p].data(), out[0].data(), sizeof(double) * n), 0) << "path " << p;
}

}  // namespace
