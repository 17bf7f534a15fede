"""The goodness-of-fit table: one row per (entry, parameters, scipy distribution).

A row names the exported entry, the kind of its output ('d' double, 's' float, 'i' int32), its
parameters after (method, stream, n, r) with their C types ('d' double, 'f' float, 'i' int32),
and the frozen scipy distribution the sample must follow. Continuous rows are judged by the
Kolmogorov-Smirnov test, integer rows by chi-square. Later distributions add rows here.

A tiny scale comes with a shift of its own size: beside a shift of 1 it would be lost to
rounding, and the sample would be a constant."""
import math
from dataclasses import dataclass, field

from scipy import stats

MT19937, MT2203, MCG59, MCG31, R250 = 0x800000, 0x900000, 0x400000, 0x100000, 0x200000


@dataclass
class Row:
    entry: str
    out: str  # 'd', 's' or 'i'
    params: tuple
    types: str  # one C type letter per parameter
    dist: object  # frozen scipy distribution
    method: int = 0
    brng: int = MT19937
    seed: int = 1
    n: int = 200000
    note: str = field(default="")


def cont(entry, params, dist, method=0, **kw):
    """A continuous distribution in both precisions: the double row and its float twin."""
    d = Row("_orqd" + entry, "d", params, "d" * len(params), dist, method, **kw)
    s = Row("_orqs" + entry, "s", params, "f" * len(params), dist, method, **kw)
    return [d, s]


ROWS = []
for m in (0, 1):
    ROWS += cont("RngGaussian", (0.0, 1.0), stats.norm(0.0, 1.0), m)
    ROWS += cont("RngGaussian", (-3e-20, 1e-20), stats.norm(-3e-20, 1e-20), m, seed=2)
    ROWS += cont("RngGaussian", (1e6, 1e25), stats.norm(1e6, 1e25), m, brng=MCG59, seed=3)
ROWS += cont("RngGaussian", (2.0, 0.5), stats.norm(2.0, 0.5), 1, brng=MT2203 + 17, seed=4)
ROWS += cont("RngLognormal", (0.0, 1.0, 0.0, 1.0), stats.lognorm(1.0, loc=0.0, scale=1.0))
ROWS += cont("RngLognormal", (1.5, 0.1, -2.0, 3.0), stats.lognorm(0.1, loc=-2.0, scale=3.0 * math.exp(1.5)), seed=5)
ROWS += cont("RngLognormal", (-1.0, 2.5, 5e-10, 1e-10), stats.lognorm(2.5, loc=5e-10, scale=1e-10 * math.exp(-1.0)), seed=6)
ROWS += cont("RngExponential", (0.0, 1.0), stats.expon(0.0, 1.0))
ROWS += cont("RngExponential", (-5e-30, 1e-30), stats.expon(-5e-30, 1e-30), seed=7)
ROWS += cont("RngExponential", (3.0, 1e30), stats.expon(3.0, 1e30), brng=R250, seed=8)
ROWS += cont("RngLaplace", (0.0, 1.0), stats.laplace(0.0, 1.0))
ROWS += cont("RngLaplace", (1e-7, 1e-8), stats.laplace(1e-7, 1e-8), seed=9, n=200001)
ROWS += cont("RngLaplace", (-1.0, 1e20), stats.laplace(-1.0, 1e20), brng=MCG31, seed=10, n=1023)
# Below shape 1 the density is infinite at the shift, where a float sample beside a shift of 1
# would be rounded to the float grid of 1; those shapes get shift 0.
for alpha, shift, seed in ((0.3, 0.0, 11), (1.0, 1.0, 12), (5.0, 1.0, 13), (40.0, -1.0, 14)):
    ROWS += cont("RngWeibull", (alpha, shift, 2.0), stats.weibull_min(alpha, loc=shift, scale=2.0), seed=seed)
ROWS += cont("RngWeibull", (0.7, 0.0, 1e-25), stats.weibull_min(0.7, loc=0.0, scale=1e-25), seed=15)
ROWS += cont("RngCauchy", (0.0, 1.0), stats.cauchy(0.0, 1.0))
ROWS += cont("RngCauchy", (5e-12, 1e-12), stats.cauchy(5e-12, 1e-12), seed=16)
ROWS += cont("RngCauchy", (-2.0, 1e25), stats.cauchy(-2.0, 1e25), brng=MT2203 + 3, seed=17)
# sqrt(-ln u) beta: scipy's Rayleigh scale is beta / sqrt(2)
ROWS += cont("RngRayleigh", (0.0, 1.0), stats.rayleigh(0.0, 1.0 / math.sqrt(2.0)))
ROWS += cont("RngRayleigh", (-1e-15, 1e-15), stats.rayleigh(-1e-15, 1e-15 / math.sqrt(2.0)), seed=18)
ROWS += cont("RngRayleigh", (4.0, 1e20), stats.rayleigh(4.0, 1e20 / math.sqrt(2.0)), seed=19)
# ln(-ln u) beta + a is the minimum-type (left-skewed) Gumbel
ROWS += cont("RngGumbel", (0.0, 1.0), stats.gumbel_l(0.0, 1.0))
ROWS += cont("RngGumbel", (3e-6, 1e-6), stats.gumbel_l(3e-6, 1e-6), seed=20)
ROWS += cont("RngGumbel", (-7.0, 1e15), stats.gumbel_l(-7.0, 1e15), brng=MCG59, seed=21)
ROWS += cont("RngUniform", (-2.0, 3.0), stats.uniform(-2.0, 5.0))

ROWS += [
    Row("_orqiRngUniform", "i", (-3, 2), "ii", stats.randint(-3, 2)),
    Row("_orqiRngUniform", "i", (-1000000, 1000000), "ii", stats.randint(-1000000, 1000000), seed=22, n=400000),
    Row("_orqiRngUniform", "i", (7, 8), "ii", stats.randint(7, 8), seed=23, n=1000),
    Row("_orqiRngBernoulli", "i", (0.5,), "d", stats.bernoulli(0.5)),
    Row("_orqiRngBernoulli", "i", (0.001,), "d", stats.bernoulli(0.001), seed=24),
    Row("_orqiRngBernoulli", "i", (0.999,), "d", stats.bernoulli(0.999), seed=25),
    # failures before the first success: scipy's geom counts trials, hence loc = -1
    Row("_orqiRngGeometric", "i", (0.5,), "d", stats.geom(0.5, loc=-1)),
    Row("_orqiRngGeometric", "i", (0.001,), "d", stats.geom(0.001, loc=-1), seed=26),
    Row("_orqiRngGeometric", "i", (0.05,), "d", stats.geom(0.05, loc=-1), brng=MCG59, seed=27),
    Row("_orqiRngGeometric", "i", (0.999,), "d", stats.geom(0.999, loc=-1), seed=28),
]

# Multivariate Gaussian: (factor rows in full storage, mean), checked by sample mean and covariance
MV_CASES = [
    ([[1.0]], [2.0]),
    ([[2.0, 0, 0], [0.5, 1.0, 0], [-1.0, 0.3, 0.2]], [1.0, -2.0, 0.5]),
    ([[1e-3, 0], [2e-3, 5e-4]], [0.0, 1.0]),
    # dimension 45: the blocked full-storage path; a fixed pseudo-random factor
    ([[(1.0 + 0.05 * i if i == j else math.sin(3.0 * i + 7.0 * j) / 4) if j <= i else 0.0 for j in range(45)]
      for i in range(45)], [math.cos(i) for i in range(45)]),
]
