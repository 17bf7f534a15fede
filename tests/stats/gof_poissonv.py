#!/usr/bin/python3
"""Goodness of fit of the per-element Poisson generator, whose means vary from element to element:
a randomised probability-integral transform U = F(k - 1) + V f(k), V uniform, is uniform on [0, 1)
exactly when every k follows its own mean, so U is judged by Kolmogorov-Smirnov.

    gof_poissonv.py LIBRARY [--alpha A]"""
import argparse
import ctypes as C
import sys

import numpy as np
from scipy import stats

# (lowest mean, highest mean, seed): log-uniform spreads over the ranges the issue names, one
# below the 1/16 switch, and one at a single boundary mean on each side of it
CASES = ((0.1, 1e4, 1), (0.005, 0.0625, 2), (0.0624, 0.0624, 3), (0.0625, 0.0625, 4), (1.0, 100.0, 5),
         (8192.0, 1e6, 6))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("library")
    ap.add_argument("--alpha", type=float, default=1e-4)
    args = ap.parse_args()
    so = C.CDLL(args.library)
    new, delete = getattr(so, "__orqNewStreamEx"), getattr(so, "__orqDeleteStream")
    f = so._orqiRngPoissonV
    f.argtypes = [C.c_int32, C.c_void_p, C.c_int32, C.c_void_p, C.c_void_p]
    fails = 0
    n = 200000
    for lo, hi, seed in CASES:
        rng = np.random.default_rng(seed)
        lam = np.exp(rng.uniform(np.log(lo), np.log(hi), n))
        s = C.c_void_p()
        new(C.byref(s), 0x800000, 1, (C.c_uint32 * 1)(seed))
        k = np.empty(n, dtype=np.int32)
        done = 0
        for part in (1, 999, 2049, n):  # uneven calls: blocks of 2048 and an odd Gaussian carried
            part = min(part, n - done)
            st = f(0, s, part, k[done:].ctypes.data, lam[done:].ctypes.data)
            assert st >= 0, st
            done += part
        delete(C.byref(s))
        u = stats.poisson.cdf(k - 1, lam) + rng.uniform(size=n) * stats.poisson.pmf(k, lam)
        p = stats.kstest(u, "uniform").pvalue
        ok = p >= args.alpha
        fails += not ok
        print(f"{'ok  ' if ok else 'FAIL'} _orqiRngPoissonV means {lo:g}..{hi:g}: randomised PIT KS p = {p:.4g}")
    return 1 if fails else 0


if __name__ == "__main__":
    sys.exit(main())
