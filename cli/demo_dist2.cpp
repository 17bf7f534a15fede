// zaforq demo: the Poisson generator and the set-up it keeps in the stream.
#include <cmath>
#include <cstdio>
#include <vector>

#include "commands.h"
#include "zaforq.h"

namespace {

void demo_poisson() {
  std::printf("== Poisson and its kept set-up ==\n");
  OrqStream s = nullptr;
  const uint32_t seed = 2026;
  __orqNewStreamEx(&s, ORQ_BRNG_MT19937, 1, &seed);
  const int32_t n = 1000000;
  std::vector<int32_t> k(n);
  for (double lambda : {3.5, 30.5, 1000.0}) {
    _orqiRngPoisson(ORQ_POISSON_PTPE, s, n, k.data(), lambda);
    double mean = 0, sq = 0;
    long long at_mode = 0;
    const int32_t mode = static_cast<int32_t>(lambda);
    for (int32_t x : k) {
      mean += x;
      sq += static_cast<double>(x) * x;
      at_mode += x == mode;
    }
    mean /= n;
    const double var = sq / n - mean * mean;
    const double pmf = std::exp(mode * std::log(lambda) - lambda - std::lgamma(mode + 1.0));
    std::printf("lambda %-7g (%s): mean %.4f, variance %.4f; P(X = %d) %.5f, sample %.5f\n", lambda,
                lambda < 27 ? "table inversion" : "PTPE rejection", mean, var, mode, pmf,
                static_cast<double>(at_mode) / n);
  }
  const float* setup = static_cast<const float*>(__orqSearchChunk(s, 3));
  std::printf("the stream keeps both set-ups in one chunk (%d chunk): PTPE for %g, the table for %g\n",
              __orqGetNumChunks(s), setup[0], *reinterpret_cast<const double*>(setup + 84));
  // the approximation: one Gaussian per variate through a fitted polynomial, no rejection
  _orqiRngPoisson(ORQ_POISSON_POISNORM, s, n, k.data(), 30.0);
  double mean = 0, sq = 0;
  for (int32_t x : k) mean += x, sq += static_cast<double>(x) * x;
  mean /= n;
  std::printf("method 1 (normal approximation), lambda 30: mean %.4f, variance %.4f\n", mean, sq / n - mean * mean);
  __orqDeleteStream(&s);
}

const RegisterDemo poisson_section({46, "poisson", "Poisson variates and the set-up kept in the stream", demo_poisson});

}  // namespace
