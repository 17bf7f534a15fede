// Marsaglia-Tsang over several whole passes, on the uniforms of a recording generator: the values
// delivered are, in order, the candidates a libm evaluation of the method accepts, including
// those only the second, logarithmic test accepts; nothing is written past n.
#include <gtest/gtest.h>
#include <math.h>

#include <vector>

#include "../orq_distributions/recorder.h"

namespace {

struct Candidate {
  double z, u;
};

// The candidates of the uniform sequence, in order: group (b0, b1, b2, b3) gives
// (R sin theta, b1) then (R cos theta, b3), R = sqrt(-2 ln b0), theta = 2 pi b2.
std::vector<Candidate> candidates(const std::vector<double>& b) {
  std::vector<Candidate> c;
  for (size_t g = 0; g + 3 < b.size(); g += 4) {
    const double rad = sqrt(-2.0 * log(b[g])), th = 6.283185307179586 * b[g + 2];
    c.push_back({rad * sin(th), b[g + 1]});
    c.push_back({rad * cos(th), b[g + 3]});
  }
  return c;
}

TEST(GammaPasses, AcceptedCandidatesInOrderOverSeveralPasses) {
  const int32_t n = 1301;  // three passes, the last one short and odd
  for (double alpha : {1.0001, 2.5, 40.0}) {
    SCOPED_TRACE(testing::Message() << "alpha " << alpha);
    const double d = alpha - 1.0 / 3.0, c = 1.0 / sqrt(9.0 * alpha - 3.0);
    std::vector<double> expect;
    int32_t second_stage = 0;
    size_t next = 0;  // the first candidate not yet tested
    const std::vector<Candidate> cand = candidates(rec::uniforms(8 * n, 777));
    for (; next < cand.size() && static_cast<int32_t>(expect.size()) < n; ++next) {
      const double z = cand[next].z, u = cand[next].u, w = 1.0 + c * z;
      if (w <= 0) continue;
      const double v = w * w * w;
      if (u < 1.0 - 0.0331 * z * z * z * z) {
        expect.push_back(d * v * 2.0 + 0.5);
      } else if (log(u) < 0.5 * z * z + d * (1.0 - v + log(v))) {
        expect.push_back(d * v * 2.0 + 0.5);
        ++second_stage;
      }
    }
    ASSERT_EQ(static_cast<int32_t>(expect.size()), n);
    EXPECT_GT(second_stage, 0) << "the logarithmic test was exercised";

    OrqStream s = rec::make(777);
    std::vector<double> r(n + 8, -7.0);
    ASSERT_EQ(_orqdRngGamma(0, s, n, r.data(), alpha, 0.5, 2.0), 0);
    for (int32_t i = 0; i < n; ++i) ASSERT_NEAR(r[i], expect[i], 1e-12 * expect[i]) << i;
    for (int32_t i = n; i < n + 8; ++i) EXPECT_EQ(r[i], -7.0) << "written past n at " << i;
    // the candidate after the n-th accepted one is carried exactly when it belongs to the same
    // group, that is when the n-th accepted one was a group's first
    const double* carry = static_cast<const double*>(__orqSearchChunk(s, 7));
    ASSERT_NE(carry, nullptr);
    if (next % 2 == 1) {
      EXPECT_EQ(carry[0], cand[next].u);
      EXPECT_NEAR(carry[1], cand[next].z, 1e-13);
    } else {
      EXPECT_EQ(carry[0], -1.0);
    }
    __orqDeleteStream(&s);
  }
}

}  // namespace
