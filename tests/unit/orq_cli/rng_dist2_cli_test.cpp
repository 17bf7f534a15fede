// zaforq rng --dist for gamma, beta and the parameter-driven discrete distributions: the numbers
// are the library's, integer histograms show each bin's probability mass (the expected count over
// the sample size) and cover the whole distribution, and bad parameters are refused.
#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>
#include <sys/wait.h>

#include <sstream>
#include <string>
#include <vector>

#include "capture.h"
#include "zaforq.h"

namespace {

std::string run(const std::string& args, int* rc = nullptr) {
  return capture_command(std::string(ZAFORQ_CLI) + " " + args, rc);
}

TEST(RngDist2, NumbersAreTheLibrarys) {
  OrqStream s = nullptr;
  const uint32_t seed = 5;
  __orqNewStreamEx(&s, ORQ_BRNG_MT19937, 1, &seed);
  int32_t k[7];
  _orqiRngPoisson(0, s, 7, k, 30.5);
  std::string want;
  for (int32_t v : k) want += std::to_string(v) + "\n";
  EXPECT_EQ(run("rng --seed 5 -n 7 --dist poisson --lambda 30.5"), want);
  __orqDeleteStream(&s);
}

TEST(RngDist2, IntegerHistogramsShowTheMass) {
  for (const char* dist : {"binomial --ntrial 100 --p 0.3", "negbinomial --a 2.5 --p 0.3", "poisson --lambda 4",
                           "hypergeometric --lot 100 --sample 30 --marked 40"}) {
    std::istringstream in(run(std::string("rng -n 20000 --hist 10 --dist ") + dist));
    std::string line;
    long long total = 0;
    double expected = 0, mass = 0;
    std::getline(in, line);
    std::getline(in, line);
    EXPECT_NE(line.find("mass"), std::string::npos) << dist;
    while (std::getline(in, line)) {
      long long c;
      double e, m;
      const int got = sscanf(line.c_str() + 27, "%lld %lf %lf", &c, &e, &m);
      ASSERT_GE(got, 2) << line;
      total += c;
      expected += e;
      if (got == 3 && line.rfind("above", 0) != 0) {
        EXPECT_NEAR(m, e / 20000, 5e-3 * m + 0.05 / 20000) << line;  // as printed: 3 digits, 0.1
        mass += m;
      }
    }
    EXPECT_EQ(total, 20000) << dist;
    EXPECT_NEAR(expected, 20000, 20) << dist;
    EXPECT_NEAR(mass, 1.0, 2e-3) << dist;
  }
  // the real ones keep the count and expected columns
  std::string g = run("rng -n 20000 --hist 10 --dist gamma --shape 2.5");
  EXPECT_NE(g.find("gamma, 20000 values"), std::string::npos);
  EXPECT_EQ(g.find("mass"), std::string::npos);
}

TEST(RngDist2, BadParametersAreRefused) {
  for (const char* args : {"--dist gamma --shape 0", "--dist beta --alpha -1", "--dist binomial --p 2",
                           "--dist binomial --ntrial 2.5", "--dist negbinomial --p 1", "--dist negbinomial --a 0",
                           "--dist hypergeometric --lot 10 --marked 11", "--dist poisson --lambda 0",
                           "--dist poisson --p 0.5"}) {
    int rc = 0;
    EXPECT_EQ(run(std::string("rng -n 3 ") + args, &rc), "") << args;
    EXPECT_EQ(rc, 2) << args;
  }
}

}  // namespace
