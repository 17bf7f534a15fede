#!/usr/bin/python3
"""Times numpy's Generator (PCG64) on the cases of dist2_bench.cpp; one line per case,
'dist/CASE/numpy N seconds', the best of several repeats in process CPU time."""
import time

import numpy as np


def best(f, repeats):
    f()
    t = float("inf")
    for _ in range(repeats):
        t0 = time.process_time()
        f()
        t = min(t, time.process_time() - t0)
    return t


g = np.random.default_rng(42)
SPREAD = np.exp(np.random.default_rng(7).uniform(np.log(0.1), np.log(1e4), 4096))
MEANS = {n: np.resize(SPREAD, n) for n in (1000, 10000000)}  # made before timing
CASES = {
    "gamma_2.5": lambda n: g.standard_gamma(2.5, n),
    "gamma_0.8": lambda n: g.standard_gamma(0.8, n),
    "gamma_0.3": lambda n: g.standard_gamma(0.3, n),
    "beta_2_3": lambda n: g.beta(2.0, 3.0, n),
    "beta_0.5_0.5": lambda n: g.beta(0.5, 0.5, n),
    "beta_0.5_3": lambda n: g.beta(0.5, 3.0, n),
    "binomial_100_0.3": lambda n: g.binomial(100, 0.3, n),
    "binomial_20_0.3": lambda n: g.binomial(20, 0.3, n),
    "poisson_30": lambda n: g.poisson(30.0, n),
    "poisson_5": lambda n: g.poisson(5.0, n),
    "poisson_1000": lambda n: g.poisson(1000.0, n),
    "poissonv_spread": lambda n: g.poisson(MEANS[n]),
    "negbinomial_5_0.3": lambda n: g.negative_binomial(5, 0.3, n),
    "negbinomial_200_0.5": lambda n: g.negative_binomial(200, 0.5, n),
    "hypergeometric_1000_100_300": lambda n: g.hypergeometric(300, 700, 100, n),
    "hypergeometric_10000_2000_3000": lambda n: g.hypergeometric(3000, 7000, 2000, n),
}
for name, f in CASES.items():
    for n in (1000, 100000 if name == "hypergeometric_10000_2000_3000" else 10000000):
        if n == 1000:
            t = best(lambda: [f(n) for _ in range(100)], 5) / 100
        else:
            t = best(lambda: f(n), 3)
        print(f"dist/{name}/numpy {n} {t:.9f}")
