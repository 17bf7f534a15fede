#!/usr/bin/python3
"""Goodness of fit of every distribution in gof_table.py, through ctypes on the shared object.

    gof.py LIBRARY [--alpha A] [--only SUBSTRING] [-v]

Each row draws its sample from a fresh stream with a fixed seed, in several calls of uneven
length (so the blocks and carried values between calls are part of what is judged), and tests
it against the row's scipy distribution: Kolmogorov-Smirnov for real output, chi-square for
integer output with bins merged until each expects at least 5. A row fails when its p-value is
below alpha (default 1e-4: with the seeds fixed, a correct generator passes every row; a wrong
transform of this sample size gives p-values far below it). The multivariate Gaussian's sample
mean and covariance are compared with the mean and T T^T given in each storage form.
Exit status 1 if any row fails."""
import argparse
import ctypes as C
import os
import sys

import numpy as np
from scipy import stats

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gof_table import MV_CASES, MT19937, ROWS  # noqa: E402

CTYPE = {"d": C.c_double, "f": C.c_float, "i": C.c_int32}
NPTYPE = {"d": np.float64, "s": np.float32, "i": np.int32}
# uneven call lengths: odd counts, a block boundary crossed, and a long tail
SPLITS = (1, 3, 1500, 1024, 5)


class Lib:
    def __init__(self, path):
        self.so = C.CDLL(path)
        # getattr: a double-underscore name written inside a class would be mangled
        self.new_stream = getattr(self.so, "__orqNewStreamEx")
        self.new_stream.argtypes = [C.POINTER(C.c_void_p), C.c_int32, C.c_int32, C.POINTER(C.c_uint32)]
        self.delete_stream = getattr(self.so, "__orqDeleteStream")
        self.delete_stream.argtypes = [C.POINTER(C.c_void_p)]

    def stream(self, brng, seed):
        s = C.c_void_p()
        seeds = (C.c_uint32 * 1)(seed)
        st = self.new_stream(C.byref(s), brng, 1, seeds)
        if st != 0:
            raise RuntimeError(f"stream creation failed: {st}")
        return s

    def draw(self, entry, out, method, stream, n, params, types):
        f = getattr(self.so, entry)
        f.restype = C.c_int32
        f.argtypes = [C.c_int32, C.c_void_p, C.c_int32, C.c_void_p] + [CTYPE[t] for t in types]
        r = np.empty(n, dtype=NPTYPE[out])
        done = 0
        for k in SPLITS + (n,):
            k = min(k, n - done)
            if k <= 0:
                break
            st = f(method, stream, k, r[done:].ctypes.data, *params)
            if st < 0:
                raise RuntimeError(f"{entry} returned {st}")
            done += k
        return r


def chi_square(sample, dist):
    values, counts = np.unique(sample, return_counts=True)
    lo, hi = int(dist.ppf(1e-7)), int(dist.ppf(1 - 1e-7))
    lo, hi = min(lo, int(values[0])), max(hi, int(values[-1]))
    support = np.arange(lo, hi + 1)
    expected = dist.pmf(support) * len(sample)
    expected[0] += dist.cdf(lo - 1) * len(sample)
    expected[-1] += dist.sf(hi) * len(sample)
    observed = np.zeros(len(support))
    observed[values - lo] = counts
    # merge neighbouring bins, left to right, until each expects at least 5
    obs, exp, o, e = [], [], 0.0, 0.0
    for oi, ei in zip(observed, expected):
        o, e = o + oi, e + ei
        if e >= 5:
            obs.append(o), exp.append(e)
            o, e = 0.0, 0.0
    if e > 0 or o > 0:
        if exp:
            obs[-1] += o
            exp[-1] += e
        else:
            obs.append(o), exp.append(e)
    if len(exp) < 2:  # a single certain value: the sample must be all of it
        return 1.0 if np.all(sample == sample[0]) and dist.pmf(sample[0]) > 1 - 1e-9 else 0.0
    exp = np.array(exp) * (sum(obs) / sum(exp))
    return stats.chisquare(obs, exp).pvalue


def check_mv(lib, alpha, verbose):
    fails = 0
    for entry, dtype in (("_orqdRngGaussianMV", np.float64), ("_orqsRngGaussianMV", np.float32)):
        fails += check_mv_entry(lib, entry, dtype, verbose)
    return fails


def check_mv_entry(lib, entry, dtype, verbose):
    f = getattr(lib.so, entry)
    f.restype = C.c_int32
    f.argtypes = [C.c_int32, C.c_void_p, C.c_int32, C.c_void_p, C.c_int32, C.c_int32, C.c_void_p, C.c_void_p]
    fails = 0
    n = 200000
    for case, (rows, mean) in enumerate(MV_CASES):
        t = np.array(rows, dtype=np.float64)
        d = len(mean)
        a = np.array(mean, dtype=dtype)
        t = t.astype(dtype).astype(np.float64)  # the factor as the entry sees it
        cov = t @ t.T
        packed = np.concatenate([t[j:, j] for j in range(d)])
        forms = {"full": (0, t.astype(dtype)), "packed": (1, packed.astype(dtype))}
        if np.count_nonzero(t - np.diag(np.diag(t))) == 0:
            forms["diagonal"] = (2, np.diag(t).astype(dtype))
        for name, (storage, data) in forms.items():
            for method in (0, 1):
                s = lib.stream(MT19937, 100 + case)
                r = np.empty(n * d, dtype=dtype)
                st = f(method, s, n, r.ctypes.data, d, storage, a.ctypes.data, data.ctypes.data)
                lib.delete_stream(C.byref(s))
                x = r.reshape(n, d).astype(np.float64)
                sd = np.sqrt(np.diag(cov))
                # sample mean within 5 standard errors; covariance entries within 5 standard
                # errors of the normal sample covariance, sqrt((s_ii s_jj + s_ij^2) / n)
                mean_ok = np.all(np.abs(x.mean(axis=0) - a) <= 5 * sd / np.sqrt(n))
                c = np.cov(x, rowvar=False).reshape(d, d)
                se = np.sqrt((np.outer(sd**2, sd**2) + cov**2) / n)
                cov_ok = np.all(np.abs(c - cov) <= 5 * se)
                ok = st == 0 and mean_ok and cov_ok
                fails += not ok
                if verbose or not ok:
                    worst = np.max(np.abs(c - cov) / se)
                    print(f"{'ok  ' if ok else 'FAIL'} {entry} d={d} {name} method {method}: "
                          f"covariance within {worst:.2f} standard errors, mean {'ok' if mean_ok else 'off'}")
    return fails


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("library")
    ap.add_argument("--alpha", type=float, default=1e-4)
    ap.add_argument("--only", default="")
    ap.add_argument("-v", action="store_true")
    args = ap.parse_args()
    lib = Lib(args.library)
    fails = 0
    for row in ROWS:
        label = f"{row.entry} m{row.method} {row.params} brng {row.brng:#x}"
        if args.only not in label:
            continue
        s = lib.stream(row.brng, row.seed)
        x = lib.draw(row.entry, row.out, row.method, s, row.n, row.params, row.types)
        lib.delete_stream(C.byref(s))
        if row.out == "i":
            p = chi_square(x, row.dist)
            test = "chi2"
        else:
            p = stats.kstest(x.astype(np.float64), row.dist.cdf).pvalue
            test = "KS"
        ok = p >= args.alpha and np.all(np.isfinite(x)) if row.out != "i" else p >= args.alpha
        fails += not ok
        if args.v or not ok:
            print(f"{'ok  ' if ok else 'FAIL'} {label}: {test} p = {p:.4g} (n = {row.n})")
    if args.only in "RngGaussianMV":
        fails += check_mv(lib, args.alpha, args.v)
    print(f"{fails} failing row(s)")
    return 1 if fails else 0


if __name__ == "__main__":
    sys.exit(main())
