#!/usr/bin/python3
"""Minimax polynomial of the float Sin and Cos fast paths of the 11-bit class.

The float Sin and Cos kernels reduce by multiples of pi to |r| <= pi/2 (plus the slack of a single-precision
quotient) and evaluate sin r = r P(r^2); P is fitted to sin(sqrt z)/sqrt z on z in
[0, 2.48], which bounds the relative error of sin r directly. Degree 3 in z still leaves
7.7e-7 (about 13 float ulps), so the 4-ulp class keeps the degree-4 polynomial of the
high-accuracy class; degree 2 leaves 8.8e-5 (2^-13.5), inside the 11-bit class. Uses the Remez exchange of
tools/explog_poly. Prints double bit patterns ready for the kernel source:

    /usr/bin/python3 tools/trig_poly/fit.py
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'explog_poly'))
from fit import remez, show  # noqa: E402
from mpmath import mp, mpf, sin, sqrt  # noqa: E402

mp.dps = 60


def sinc_sqrt(z):
    return sin(sqrt(z)) / sqrt(z) if z > mpf(10) ** -30 else mpf(1)


if __name__ == '__main__':
    for deg, cls in ((2, '_11'),):
        c, err = remez(sinc_sqrt, lambda z: mpf(1), mpf(0), mpf('2.48'), deg)
        show(f"float Sin/Cos {cls}: sin r = r (c0 + c1 r^2 + ...), |r| <= 1.575", c, err, False)
