// zaforq rng with the quasi-random generators: one point per line, -n counting points, a
// first line that finishes the point a skipped stream stands inside.
#include <gtest/gtest.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "capture.h"
#include "zaforq.h"

namespace {

std::string run_rng(const std::string& args) { return capture_command(std::string(ZAFORQ_CLI) + " rng " + args); }

// The library's words laid out D to a line, the first line `first` words long.
std::string point_lines(int32_t id, uint32_t dim, int32_t skip, int32_t n, int32_t first) {
  OrqStream s = nullptr;
  __orqNewStreamEx(&s, id, 1, &dim);
  if (skip) __orqSkipAheadStream(s, skip);
  std::vector<uint32_t> w(n);
  _orqiRngUniformBits(0, s, n, w.data());
  __orqDeleteStream(&s);
  std::string text;
  for (int32_t i = 0, in_line = 0, width = first; i < n; ++i) {
    text += std::to_string(w[i]);
    if (++in_line == width) {
      text += "\n";
      in_line = 0;
      width = static_cast<int32_t>(dim);
    } else {
      text += " ";
    }
  }
  return text;
}

TEST(RngQuasiCommand, OnePointPerLine) {
  EXPECT_EQ(run_rng("--brng sobol --dim 3 -n 5 --bits"), point_lines(ORQ_BRNG_SOBOL, 3, 0, 15, 3));
  EXPECT_EQ(run_rng("--brng niederr --dim 7 -n 4 --bits"), point_lines(ORQ_BRNG_NIEDERR, 7, 0, 28, 7));
  // skip 4 of a 3-dimensional stream: the first line holds the last 2 coordinates of point 2
  EXPECT_EQ(run_rng("--brng sobol --dim 3 -n 3 --skip 4 --bits"), point_lines(ORQ_BRNG_SOBOL, 3, 4, 8, 2));
  EXPECT_EQ(run_rng("--brng sobol --dim 2 -n 2"), "0.5 0.5\n0.75 0.25\n");
}

}  // namespace
