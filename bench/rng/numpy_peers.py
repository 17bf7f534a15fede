#!/usr/bin/python3
"""numpy's side of bench_rng: one pass over the cases, printing one line per case and size,
'<group>/<case>/<contender>/<n> <CPU ns per call>', named like the C++ benchmarks so that
bench/rng/run sets them beside the library. Process CPU time, after a warm-up call; n = 1000 is
timed over 100 calls. Contenders: numpy's default Generator (PCG64), 'numpy_mt' its MT19937
(two 32-bit words per double), 'numpy_raw32' MT19937's raw 32-bit words times 2^-32 (one word
per double, as the library's MT19937), 'numpy_raw' the raw words."""
import time

import numpy as np


def cpu_ns(f, n):
    f(n)
    calls = 100 if n == 1000 else 1
    t0 = time.process_time()
    for _ in range(calls):
        f(n)
    return (time.process_time() - t0) / calls * 1e9


g = np.random.default_rng(42)
gm = np.random.Generator(np.random.MT19937(42))
raw = np.random.MT19937(42)
SPREAD = np.exp(np.random.default_rng(7).uniform(np.log(0.1), np.log(1e4), 4096))
MEANS = {n: np.resize(SPREAD, n) for n in (1000, 1000000)}  # made before timing

CASES = {
    "gen/int_mt19937/numpy_raw": lambda n: raw.random_raw(n),
    "gen/double_mt19937/numpy_raw32": lambda n: np.multiply(raw.random_raw(n), 2.0**-32),
    "gen/double_mt19937/numpy_mt": lambda n: gm.random(n),
    "gen/double_mt19937/numpy": lambda n: g.random(n),
    "dist/gaussian/numpy": lambda n: g.standard_normal(n),
    "dist/gaussian/numpy_mt": lambda n: gm.standard_normal(n),
    "dist/exponential/numpy": lambda n: g.standard_exponential(n),
    "dist/exponential/numpy_mt": lambda n: gm.standard_exponential(n),
    "dist/lognormal/numpy": lambda n: g.lognormal(0.0, 1.0, n),
    "dist/laplace/numpy": lambda n: g.laplace(0.0, 1.0, n),
    "dist/weibull/numpy": lambda n: g.weibull(1.5, n),
    "dist/cauchy/numpy": lambda n: g.standard_cauchy(n),
    "dist/rayleigh/numpy": lambda n: g.rayleigh(1.0, n),
    "dist/gumbel/numpy": lambda n: g.gumbel(0.0, 1.0, n),
    "dist/uniform_int/numpy": lambda n: g.integers(-1000, 1000, n, dtype=np.int32),
    "dist/bernoulli/numpy": lambda n: (g.random(n, dtype=np.float32) < 0.3).astype(np.int32),
    "dist/geometric/numpy": lambda n: g.geometric(0.3, n),
    "dist/gaussian_mv4/numpy": lambda n: g.multivariate_normal(np.arange(4.0), np.eye(4), n // 4, method="cholesky"),
    "dist/gamma_2.5/numpy": lambda n: g.standard_gamma(2.5, n),
    "dist/gamma_0.8/numpy": lambda n: g.standard_gamma(0.8, n),
    "dist/gamma_0.3/numpy": lambda n: g.standard_gamma(0.3, n),
    "dist/beta_2_3/numpy": lambda n: g.beta(2.0, 3.0, n),
    "dist/beta_0.5_0.5/numpy": lambda n: g.beta(0.5, 0.5, n),
    "dist/beta_0.5_3/numpy": lambda n: g.beta(0.5, 3.0, n),
    "dist/binomial_100_0.3/numpy": lambda n: g.binomial(100, 0.3, n),
    "dist/binomial_20_0.3/numpy": lambda n: g.binomial(20, 0.3, n),
    "dist/poisson_30/numpy": lambda n: g.poisson(30.0, n),
    "dist/poisson_5/numpy": lambda n: g.poisson(5.0, n),
    "dist/poisson_1000/numpy": lambda n: g.poisson(1000.0, n),
    "dist/poissonv_spread/numpy": lambda n: g.poisson(MEANS[n]),
    "dist/negbinomial_5_0.3/numpy": lambda n: g.negative_binomial(5, 0.3, n),
    "dist/negbinomial_200_0.5/numpy": lambda n: g.negative_binomial(200, 0.5, n),
    "dist/hypergeometric_1000_100_300/numpy": lambda n: g.hypergeometric(300, 700, 100, n),
    "dist/hypergeometric_10000_2000_3000/numpy": lambda n: g.hypergeometric(3000, 7000, 2000, n),
}

for name, f in CASES.items():
    for n in (1000, 100000 if "10000_2000_3000" in name else 1000000):
        print(f"{name}/{n} {cpu_ns(f, n):.1f}")
