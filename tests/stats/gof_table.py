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

# Gamma on each side of its switch points: below 0.6 (y^(1/alpha) envelope), [0.6, 1) (Weibull
# envelope), exactly 1 (exponential), just above 1 and large (Marsaglia-Tsang). Beta in each
# regime: Johnk, Atkinson with both shapes below 1, with one below (and the exchanged case),
# Cheng's BA, and the shape-1 powers.
# Float shapes below about 0.1 put a visible share of the sample under the smallest subnormal,
# where it rounds to 0, so the smallest shape is checked in double only.
ROWS += cont("RngGamma", (0.02, 0.0, 1.0), stats.gamma(0.02), seed=39)[:1]
for alpha, seed in ((0.1, 40), (0.3, 41), (0.5999, 42), (0.6, 43), (0.85, 44), (1.0, 45), (1.0001, 46), (2.5, 47),
                    (1e4, 48)):
    ROWS += cont("RngGamma", (alpha, 0.0, 1.0), stats.gamma(alpha), seed=seed)
ROWS += cont("RngGamma", (3.0, -2.0, 0.5), stats.gamma(3.0, loc=-2.0, scale=0.5), brng=MCG59, seed=49)
for p, q, seed in ((0.5, 0.5, 50), (0.2, 0.3, 51), (0.9, 0.9, 52), (0.3, 0.95, 53), (0.5, 3.0, 54), (0.1, 40.0, 55),
                   (3.0, 0.5, 56), (25.0, 0.7, 57), (2.0, 3.0, 58), (1.01, 1.01, 59), (300.0, 50.0, 60),
                   (1.0, 1.0, 61), (1.0, 2.5, 62), (0.4, 1.0, 63)):
    ROWS += cont("RngBeta", (p, q, 0.0, 1.0), stats.beta(p, q), seed=seed)
ROWS += cont("RngBeta", (2.0, 0.5, 1.0, 3.0), stats.beta(2.0, 0.5, loc=1.0, scale=3.0), brng=MT2203 + 9, seed=64)

# Binomial on both sides of the inversion/BTPE switch at ntrial min(p, 1 - p) = 30, reflected for
# p >= 0.5, ntrial 1 and 0, p 0 and 1, and ntrial in the hundreds of thousands, where BTPE's
# squeeze and Stirling bound decide most candidates.
for ntrial, p, seed in ((100, 0.3, 70), (100, 0.29, 71), (100, 0.7, 72), (60, 0.5, 73), (1, 0.3, 74), (1, 0.7, 75),
                        (0, 0.5, 76), (10, 0.0, 77), (10, 1.0, 78), (20, 0.999, 79), (1000, 0.05, 80),
                        (500000, 0.3, 81), (400000, 0.999, 82), (200000, 1e-4, 83)):
    ROWS.append(Row("_orqiRngBinomial", "i", (ntrial, p), "id", stats.binom(ntrial, p), seed=seed))

# Negative binomial (failures before the a-th success) on both sides of the switch at mode 100,
# a = 1 (geometric) and a below 1; hypergeometric through each symmetry, on both sides of the
# switch at a mode 40 above the lower end, a sample of nearly the whole lot, and the degenerate
# lots. scipy's hypergeom takes (lot, marked, sample).
for a, p, seed in ((1.0, 0.3, 90), (0.5, 0.2, 91), (0.3, 0.002, 92), (3.5, 0.5, 93), (100.99, 0.5, 94),
                   (101.0, 0.5, 95), (2.5, 0.01, 96), (1000.0, 0.3, 97), (1e5, 0.9, 98), (40.0, 0.02, 99)):
    ROWS.append(Row("_orqiRngNegbinomial", "i", (a, p), "dd", stats.nbinom(a, p), seed=seed))
for l, smp, m, seed in ((100, 10, 20, 100), (100, 90, 20, 101), (100, 10, 80, 102), (100, 90, 80, 103),
                        (1000, 195, 200, 104), (1000, 200, 200, 105), (1000, 500, 500, 106), (1000, 999, 300, 107),
                        (1000, 995, 300, 108), (10000, 2000, 3000, 109), (2000000, 700000, 1200000, 110),
                        (50, 0, 10, 111), (50, 10, 0, 112), (50, 10, 50, 113), (7, 7, 3, 114)):
    ROWS.append(Row("_orqiRngHypergeometric", "i", (l, smp, m), "iii", stats.hypergeom(l, m, smp), seed=seed))

# Poisson, exact method: inversion below 27 (a tiny mean included), PTPE with the explicit test
# from 27 to 100 and the logarithmic test above, a mean exact in float and one that is not.
for lam, seed in ((1e-10, 120), (0.001, 121), (0.5, 122), (5.0, 123), (26.9, 124), (27.0, 125), (30.1, 126),
                  (30.5, 127), (100.0, 128), (100.5, 129), (1000.0, 130), (123456.7, 131)):
    ROWS.append(Row("_orqiRngPoisson", "i", (lam,), "d", stats.poisson(lam), seed=seed))
# Poisson, normal-approximation method: scaled uniforms below 1, each octave's fitted map from 1
# to 100 (its ends included), the asymptotic map from 100.
for lam, seed in ((0.001, 140), (0.5, 141), (0.999, 142), (1.0, 143), (1.5, 144), (3.0, 145), (7.9, 146),
                  (10.0, 147), (30.0, 148), (64.0, 149), (99.9, 150), (100.0, 151), (1000.0, 152), (1e5, 153)):
    ROWS.append(Row("_orqiRngPoisson", "i", (lam,), "d", stats.poisson(lam), method=1, seed=seed))

# Multivariate Gaussian: (factor rows in full storage, mean), checked by sample mean and covariance
MV_CASES = [
    ([[1.0]], [2.0]),
    ([[2.0, 0, 0], [0.5, 1.0, 0], [-1.0, 0.3, 0.2]], [1.0, -2.0, 0.5]),
    ([[1e-3, 0], [2e-3, 5e-4]], [0.0, 1.0]),
    # dimension 45: the blocked full-storage path; a fixed pseudo-random factor
    ([[(1.0 + 0.05 * i if i == j else math.sin(3.0 * i + 7.0 * j) / 4) if j <= i else 0.0 for j in range(45)]
      for i in range(45)], [math.cos(i) for i in range(45)]),
]
