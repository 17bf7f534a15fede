// zaforq rng: its numbers are the library's, in text and binary, with skip, leapfrog and files.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "capture.h"
#include "zaforq.h"

namespace {

std::string run(const std::string& args, int* rc = nullptr) {
  return capture_command(std::string(ZAFORQ_CLI) + " rng " + args, rc);
}

std::vector<uint32_t> library_words(int32_t id, std::vector<uint32_t> seed, int32_t n, int32_t skip = 0) {
  OrqStream s = nullptr;
  __orqNewStreamEx(&s, id, static_cast<int32_t>(seed.size()), seed.data());
  if (skip) __orqSkipAheadStream(s, skip);
  std::vector<uint32_t> r(n);
  _orqiRngUniformBits(0, s, n, r.data());
  __orqDeleteStream(&s);
  return r;
}

std::string lines(const std::vector<uint32_t>& v) {
  std::string s;
  for (uint32_t x : v) s += std::to_string(x) + "\n";
  return s;
}

TEST(RngCommand, TextAndBinaryOutput) {
  EXPECT_EQ(run("--brng mt19937 --seed 42 --seed 7 -n 20 --bits"), lines(library_words(ORQ_BRNG_MT19937, {42, 7}, 20)));
  std::string bin = run("--brng mt2203:3 --seed 9 -n 700 --bits --format binary");
  std::vector<uint32_t> w = library_words(ORQ_BRNG_MT2203 + 3, {9}, 700);
  ASSERT_EQ(bin.size(), 2800u);
  EXPECT_EQ(0, memcmp(bin.data(), w.data(), 2800));
  std::string d = run("--brng mcg31 --seed 1 -n 2 --uniform 0 2147483647");
  EXPECT_EQ(d, "1\n1132489760\n");
  std::string f = run("--brng r250 -n 1000 --float --format binary");
  EXPECT_EQ(f.size(), 4000u);
}

TEST(RngCommand, SkipLeapfrogAndFiles) {
  EXPECT_EQ(run("--brng mcg59 --seed 5 -n 4 --bits --skip 100"),
            [] {
              OrqStream s = nullptr;
              const uint32_t seed = 5;
              __orqNewStreamEx(&s, ORQ_BRNG_MCG59, 1, &seed);
              __orqSkipAheadStream(s, 100);
              uint64_t r[4];
              _orqiRngUniformBits(0, s, 4, r);
              __orqDeleteStream(&s);
              std::string out;
              for (uint64_t x : r) out += std::to_string(x) + "\n";
              return out;
            }());
  std::vector<uint32_t> x = library_words(ORQ_BRNG_MCG31, {3}, 40);
  EXPECT_EQ(run("--brng mcg31 --seed 3 -n 5 --bits --leapfrog 2 7"), lines({x[2], x[9], x[16], x[23], x[30]}));
  const std::string file = "/tmp/zaforq_cli_" + std::to_string(getpid()) + ".rng";
  std::vector<uint32_t> all = library_words(ORQ_BRNG_MT19937, {11}, 1000);
  EXPECT_EQ(run("--brng mt19937 --seed 11 -n 600 --bits --save " + file),
            lines(std::vector<uint32_t>(all.begin(), all.begin() + 600)));
  EXPECT_EQ(run("--load " + file + " -n 400 --bits"), lines(std::vector<uint32_t>(all.begin() + 600, all.end())));
  remove(file.c_str());
}

TEST(RngCommand, BadArgumentsGiveStatusesNotNumbers) {
  int rc = 0;
  EXPECT_EQ(run("--brng nosuch", &rc), "");
  EXPECT_EQ(rc, 2);
  EXPECT_EQ(run("--uniform 1 1", &rc), "");
  EXPECT_EQ(rc, 2);
  EXPECT_EQ(run("--seed -1", &rc), "");
  EXPECT_EQ(rc, 2);
  EXPECT_EQ(run("--brng r250 --leapfrog 0 2", &rc), "");
  EXPECT_EQ(rc, 1);
  EXPECT_EQ(run("--brng mt2203:1024", &rc), "");
  EXPECT_EQ(rc, 1);
  EXPECT_EQ(run("--load /nonexistent-dir/x", &rc), "");
  EXPECT_EQ(rc, 1);
}

}  // namespace
