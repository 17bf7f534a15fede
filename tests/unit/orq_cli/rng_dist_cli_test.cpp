// zaforq rng --dist: its numbers are the library's distributions, its histogram counts the whole
// sample, and bad parameters are refused before anything is drawn.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <sys/wait.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "capture.h"
#include "zaforq.h"

namespace {

std::string zaforq(const std::string& args, int* rc = nullptr) {
  return capture_command(std::string(ZAFORQ_CLI) + " " + args, rc);
}

OrqStream mt(uint32_t seed) {
  OrqStream s = nullptr;
  __orqNewStreamEx(&s, ORQ_BRNG_MT19937, 1, &seed);
  return s;
}

TEST(RngDist, NumbersAreTheLibrarys) {
  OrqStream s = mt(7);
  std::vector<double> g(9);
  _orqdRngGaussian(1, s, 9, g.data(), 0.5, 2.0);
  std::string want;
  for (double v : g) {
    char line[64];
    snprintf(line, sizeof line, "%.17g\n", v);
    want += line;
  }
  EXPECT_EQ(zaforq("rng --seed 7 -n 9 --dist gaussian --mean 0.5 --sigma 2 --method 1"), want);
  __orqDeleteStream(&s);

  s = mt(3);
  std::vector<float> w(500);
  _orqsRngWeibull(0, s, 500, w.data(), 2.0f, 0.0f, 1.5f);
  std::string bin = zaforq("rng --seed 3 -n 500 --float --format binary --dist weibull --shape 2 --scale 1.5");
  ASSERT_EQ(bin.size(), 2000u);
  EXPECT_EQ(0, memcmp(bin.data(), w.data(), 2000));
  __orqDeleteStream(&s);

  s = mt(1);
  int32_t k[6];
  _orqiRngUniform(0, s, 6, k, -3, 2);
  std::ostringstream ints;
  for (int32_t v : k) ints << v << "\n";
  EXPECT_EQ(zaforq("rng -n 6 --dist uniform-int --low -3 --high 2"), ints.str());
  __orqDeleteStream(&s);

  std::string mv = zaforq("rng -n 2 --dist gaussian-mv --mean 1,2 --factor 1,0.5,2 --storage packed");
  EXPECT_EQ(std::count(mv.begin(), mv.end(), '\n'), 2);
  EXPECT_EQ(std::count(mv.begin(), mv.end(), ' '), 2) << "two numbers per line";
}

TEST(RngDist, HistogramCountsTheSample) {
  for (const char* dist : {"exponential --scale 2", "geometric --p 0.2", "cauchy", "gaussian-mv --mean 0,1 --factor 1,0,0,1 --component 1"}) {
    std::string out = zaforq(std::string("rng -n 20000 --hist 12 --dist ") + dist);
    std::istringstream in(out);
    std::string line;
    long long total = 0;
    double expected = 0;
    int bins = 0;
    std::getline(in, line);  // title
    std::getline(in, line);  // column heads
    while (std::getline(in, line)) {
      // a 27-character label (a bin, a range of values, below or above), the count, the expected count
      long long c;
      double e;
      ASSERT_EQ(sscanf(line.c_str() + 27, "%lld %lf", &c, &e), 2) << line;
      total += c;
      expected += e;
      bins += line.rfind("below", 0) != 0 && line.rfind("above", 0) != 0;
    }
    EXPECT_EQ(bins, 12) << dist << "\n" << out;
    EXPECT_EQ(total, 20000) << dist;
    EXPECT_NEAR(expected, 20000, 20) << dist << ": the expected counts cover the whole distribution";
  }
}

TEST(RngDist, BadParametersAreRefused) {
  for (const char* args : {"--dist nosuch", "--dist gaussian --sigma 0", "--dist gaussian --method 2",
                           "--dist exponential --sigma 1", "--dist weibull --shape -1", "--dist uniform --low 2 --high 1",
                           "--dist bernoulli --p 1.5", "--dist geometric --p 0", "--sigma 1",
                           "--dist gaussian-mv --mean 0,0 --factor 1,2,3", "--dist uniform-int --low 0.5",
                           "--dist gaussian --hist 0", "--dist laplace --scale nan"}) {
    int rc = 0;
    EXPECT_EQ(zaforq(std::string("rng -n 3 ") + args, &rc), "") << args;
    EXPECT_EQ(rc, 2) << args;
  }
}

TEST(RngDist, HelpListsEveryDistribution) {
  std::string help = zaforq("rng --help");
  for (const char* name : {"gaussian ", "lognormal", "exponential", "laplace", "weibull", "cauchy", "rayleigh", "gumbel",
                           "uniform ", "gaussian-mv", "uniform-int", "bernoulli", "geometric", "--hist"})
    EXPECT_NE(help.find(name), std::string::npos) << name;
}

}  // namespace
