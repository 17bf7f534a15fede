// zaforq rng --dist: the distributions of the library drawn from the rng command's stream, as
// numbers or as a histogram beside the expected counts. rng.cpp hands over the options it does
// not know and, when a distribution was chosen, the drawing and printing.
#pragma once
#include <cstdio>

#include "zaforq.h"

#define ZAFORQ_RNG_DIST_USAGE                                                                          \
  "\ndistributions (instead of uniforms): --dist NAME [parameters] [--hist [BINS]]\n"                 \
  "  gaussian     --mean A (0) --sigma S (1) --method 0|1 (0)  normal; method 0 Box-Muller,\n"        \
  "               method 1 Box-Muller keeping the pair's second variate for the next call\n"          \
  "  lognormal    --mean A (0) --sigma S (1) --shift B (0) --scale C (1)  exp(z) C + B, z normal\n"   \
  "               with mean A and deviation S\n"                                                      \
  "  exponential  --shift A (0) --scale B (1)  -B ln u + A; mean A + B\n"                             \
  "  laplace      --mean A (0) --scale B (1)  double exponential about A\n"                           \
  "  weibull      --shape K (1) --shift A (0) --scale B (1)  (-ln u)^(1/K) B + A\n"                   \
  "  cauchy       --shift A (0) --scale B (1)  median A, half-width at half-height B\n"               \
  "  rayleigh     --shift A (0) --scale B (1)  sqrt(-ln u) B + A\n"                                   \
  "  gumbel       --shift A (0) --scale B (1)  ln(-ln u) B + A (minimum extreme value)\n"             \
  "  uniform      --low A (0) --high B (1)  uniform on [A, B)\n"                                      \
  "  gaussian-mv  --mean A1,A2,... --factor T... [--storage full|packed|diag] --method 0|1\n"        \
  "               vectors A + T z, T the lower-triangular (Cholesky) factor of the covariance:\n"     \
  "               full d*d row-major, packed by columns, or diag; one vector per line;\n"            \
  "               -n counts vectors; --hist shows --component K (0)\n"                               \
  "  uniform-int  --low A (0) --high B (2)  integers A .. B-1\n"                                      \
  "  bernoulli    --p P (0.5)  1 with probability P, else 0\n"                                        \
  "  geometric    --p P (0.5)  failures before the first success, success probability P >= 1e-8\n"  \
  "  gamma        --shape K (1) --shift A (0) --scale B (1)  gamma with shape K, then x B + A\n"          \
  "  beta         --alpha P (1) --beta Q (1) --shift A (0) --scale B (1)  beta with shapes P and Q\n"  \
  "  binomial     --ntrial N (10) --p P (0.5)  successes in N trials of probability P\n"                \
  "  negbinomial  --a A (1) --p P (0.5)  failures before the A-th success (A real)\n"                  \
  "  hypergeometric --lot L (20) --sample S (5) --marked M (10)  marked items in a sample of S\n"     \
  "               drawn without replacement from L items of which M are marked\n"                      \
  "  poisson      --lambda L (1) --method 0|1 (0)  Poisson with mean L; method 0 exact,\n"              \
  "               method 1 the normal approximation\n"                                                \
  "               integer histograms show each bin's probability mass beside its bar\n"               \
  "  --float      single-precision entries for the real distributions\n"                             \
  "  --hist [BINS]  a text histogram (default 20 bins) with the expected count of each bin\n"

// Parses the distribution option at argv[i]: the number of arguments it used, 0 when argv[i]
// is not a distribution option, -1 after printing what is wrong.
int rng_dist_option(int argc, char** argv, int i);
// True when --dist was given (and its parameters were valid).
bool rng_dist_active();
// Checks the parameters of the chosen distribution; 0, or 2 after printing what is wrong.
int rng_dist_check();
// Draws n values (vectors for gaussian-mv) from s and writes them to out as text or binary, or
// prints the histogram; 0, or 1 after printing what failed.
int rng_dist_run(OrqStream s, long long n, bool single, bool binary, FILE* out);
