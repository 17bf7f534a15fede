#!/usr/bin/python3
"""Minimax polynomial fits for the float logarithm and power kernels (Remez exchange in mpmath).

Each fit approximates g(r) on [lo, hi] by a polynomial of the stated degree, minimising the
largest weighted error |w(r) (g(r) - p(r))|; the weight turns it into the relative error of
the function the kernel evaluates. Prints the coefficients as float/double bit patterns with
their values, ready to paste into the kernel sources:

    /usr/bin/python3 tools/explog_poly/fit.py
"""
import os
import sys

from mpmath import mp, mpf, log

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "_common"))
from tablegen import remez, show  # noqa: E402

mp.dps = 60


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
