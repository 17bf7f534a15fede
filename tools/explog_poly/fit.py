#!/usr/bin/python3
"""Minimax polynomial fits for the float logarithm and power kernels (Remez exchange in mpmath).

Each fit approximates g(r) on [lo, hi] by a polynomial of the stated degree, minimising the
largest weighted error |w(r) (g(r) - p(r))|; the weight turns it into the relative error of
the function the kernel evaluates. Prints the coefficients as float/double bit patterns with
their values, ready to paste into the kernel sources:

    /usr/bin/python3 tools/explog_poly/fit.py
"""
import struct
from mpmath import mp, mpf, log, log10, exp, e, matrix, lu_solve, cos, pi

mp.dps = 60


def remez(g, w, lo, hi, deg, iters=30, grid=4000):
    n = deg + 1
    # Chebyshev extrema as the first reference
    xs = [(lo + hi) / 2 + (hi - lo) / 2 * cos(pi * (k + mpf(0.37)) / (n + 1)) for k in range(n + 1)][::-1]
    coef = None
    for _ in range(iters):
        A = matrix(n + 1, n + 1)
        bvec = matrix(n + 1, 1)
        for i, x in enumerate(xs):
            for k in range(n):
                A[i, k] = x ** k
            A[i, n] = (-1) ** i / w(x)
            bvec[i] = g(x)
        sol = lu_solve(A, bvec)
        coef = [sol[k] for k in range(n)]
        err = lambda x: w(x) * (g(x) - sum(c * x ** k for k, c in enumerate(coef)))
        # new reference: the extrema of the error between sign changes on a fine grid
        pts = [lo + (hi - lo) * k / grid for k in range(grid + 1)]
        vals = [err(x) for x in pts]
        groups, cur = [], [0]
        for k in range(1, len(pts)):
            if (vals[k] >= 0) == (vals[cur[-1]] >= 0):
                cur.append(k)
            else:
                groups.append(cur)
                cur = [k]
        groups.append(cur)
        ext = [max(gr, key=lambda k: abs(vals[k])) for gr in groups]
        while len(ext) > n + 1:  # drop the smallest end extremum
            if abs(vals[ext[0]]) < abs(vals[ext[-1]]):
                ext = ext[1:]
            else:
                ext = ext[:-1]
        if len(ext) < n + 1:
            break
        xs = [pts[k] for k in ext]
    maxerr = max(abs(v) for v in vals)
    return coef, maxerr


def fbits(x):
    return struct.unpack('<I', struct.pack('<f', float(x)))[0]


def dbits(x):
    return struct.unpack('<Q', struct.pack('<d', float(x)))[0]


def show(title, coef, err, as_float):
    print(f"{title}: max weighted error {float(err):.3e}")
    for k, c in enumerate(coef):
        if as_float:
            print(f"  c{k}: 0x{fbits(c):08X}  // {float(struct.unpack('<f', struct.pack('<f', float(c)))[0])!r}")
        else:
            print(f"  c{k}: 0x{dbits(c):016X}  // {float(c)!r}")


def safe(fn, x0):
    return lambda x: fn(x) if abs(x) > mpf(10) ** -40 else x0


# ln(1 + r) = r + r^2 q(r): fit q, relative error of ln(1 + r) (weight r^2 / ln(1 + r)).
q_ln = safe(lambda r: (log(1 + r) - r) / r ** 2, mpf(-0.5))
w_ln = safe(lambda r: r ** 2 / log(1 + r), mpf(10) ** -40)

if __name__ == '__main__':
    c, err = remez(q_ln, w_ln, mpf(-1) / 128, mpf(1) / 128, 1)
    show("float Ln/Log10 _21: ln(1+r) = r + r^2 (c0 + c1 r), |r| <= 1/128", c, err, True)
    c, err = remez(q_ln, w_ln, mpf(-1) / 32, mpf(1) / 32, 1)
    show("float Ln/Log10 _11: ln(1+r) = r + r^2 (c0 + c1 r), |r| <= 1/32", c, err, True)
    # log2(1 + r) = r (c0 + c1 r + c2 r^2): relative error
    l2 = safe(lambda r: log(1 + r) / log(2) / r, 1 / log(2))
    c, err = remez(l2, lambda r: 1 / l2(r), mpf(-1) / 512, mpf(1) / 512, 2)
    show("float Pow: log2(1+r) = r (c0 + c1 r + c2 r^2), |r| <= 1/512", c, err, False)
    # 2^f = 1 + f (c0 + c1 f + c2 f^2): relative error of 2^f
    e2 = safe(lambda f: (2 ** f - 1) / f, log(2))
    c, err = remez(e2, lambda f: f / 2 ** f if f != 0 else mpf(10) ** -40, mpf(-1) / 256, mpf(1) / 256, 2)
    show("float Pow: 2^f = 1 + f (c0 + c1 f + c2 f^2), |f| <= 1/256", c, err, False)
