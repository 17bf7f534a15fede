#!/usr/bin/python3
"""Times numpy's Generator on the distributions of dist_bench.cpp; prints one line per case,
'dist/NAME/numpy[_mt19937] N seconds': the best of several repeats in process CPU time, like
the C++ side. The default bit generator is PCG64; the _mt19937 rows use numpy's MT19937, the
library's generator in the benchmark."""
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


def cases(g):
    return {
        "gaussian_m1": lambda n: g.standard_normal(n),
        "exponential": lambda n: g.standard_exponential(n),
        "lognormal": lambda n: g.lognormal(0.0, 1.0, n),
        "laplace": lambda n: g.laplace(0.0, 1.0, n),
        "weibull": lambda n: g.weibull(1.5, n),
        "cauchy": lambda n: g.standard_cauchy(n),
        "rayleigh": lambda n: g.rayleigh(1.0, n),
        "gumbel": lambda n: g.gumbel(0.0, 1.0, n),
        "uniform_int": lambda n: g.integers(-1000, 1000, n, dtype=np.int32),
        "bernoulli": lambda n: (g.random(n, dtype=np.float32) < 0.3).astype(np.int32),
        "geometric": lambda n: g.geometric(0.3, n),
        "gaussian_mv4": lambda n: g.multivariate_normal(np.arange(4.0), np.eye(4), n // 4, method="cholesky"),
    }


for tag, g in (("numpy", np.random.default_rng(42)), ("numpy_mt19937", np.random.Generator(np.random.MT19937(42)))):
    for name, f in cases(g).items():
        if tag != "numpy" and name not in ("gaussian_m1", "exponential"):
            continue
        for n in (1000, 10000000):
            reps = 200 if n == 1000 else 5
            # per call for n = 1000: time a loop of calls and divide, as the timer is coarse
            if n == 1000:
                t = best(lambda: [f(n) for _ in range(100)], 5) / 100
            else:
                t = best(lambda: f(n), reps)
            print(f"dist/{name}/{tag} {n} {t:.9f}")
