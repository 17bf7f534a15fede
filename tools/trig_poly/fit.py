#!/usr/bin/python3
"""Minimax polynomials of the trigonometric fast paths.

Float Sin and Cos, 11-bit class:

The float Sin and Cos kernels reduce by multiples of pi to |r| <= pi/2 (plus the slack of a single-precision
quotient) and evaluate sin r = r P(r^2); P is fitted to sin(sqrt z)/sqrt z on z in
[0, 2.48], which bounds the relative error of sin r directly. Degree 3 in z still leaves
7.7e-7 (about 13 float ulps), so the 4-ulp class keeps the degree-4 polynomial of the
high-accuracy class; degree 2 leaves 8.8e-5 (2^-13.5), inside the 11-bit class.

Float Tan, lower classes: tan r = r + r^3 Q(r^2) on |r| <= pi/4, Q of degree 6 fitted to
the relative error of tan r: 1.3e-9 (2^-29.5), float coefficients.

Double Tan: tan u = u + u^3 Q(u^2) for the half angle |u| <= pi/8, Q fitted to
(tan(sqrt z)/sqrt z - 1)/z on [0, (pi/8)^2] weighted to the relative error of tan u: degree 9
leaves 3.3e-20 (2^-64.7) for the extended-precision completion of the high-accuracy kernel,
degree 8 leaves 2.1e-18 (2^-58.7) for the 4-ulp class. Uses the Remez exchange of
tools/_common/tablegen.py. Prints double bit patterns ready for the kernel source:

    /usr/bin/python3 tools/trig_poly/fit.py
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "_common"))
from tablegen import remez, show  # noqa: E402
from mpmath import mp, mpf, pi, sin, sqrt, tan  # noqa: E402

mp.dps = 60


def sinc_sqrt(z):
    return sin(sqrt(z)) / sqrt(z) if z > mpf(10) ** -30 else mpf(1)


def tan_q(z):
    if z < mpf(10) ** -30:
        return mpf(1) / 3
    u = sqrt(z)
    return (tan(u) / u - 1) / z


def tan_weight(z):
    return z / (1 + z / 3) if z > 0 else mpf(10) ** -40


if __name__ == '__main__':
    for deg, cls in ((2, '_11'),):
        c, err = remez(sinc_sqrt, lambda z: mpf(1), mpf(0), mpf('2.48'), deg)
        show(f"float Sin/Cos {cls}: sin r = r (c0 + c1 r^2 + ...), |r| <= 1.575", c, err, False)
    for deg, cls in ((9, '_HA'), (8, '_50')):
        c, err = remez(tan_q, tan_weight, mpf(0), (pi / 8) ** 2 * mpf('1.0001'), deg, grid=2000)
        show(f"double Tan {cls}: tan u = u + u^3 (c0 + c1 u^2 + ...), |u| <= pi/8", c, err, False)
    c, err = remez(tan_q, lambda z: z / (tan(sqrt(z)) / sqrt(z)) if z > 0 else mpf(10) ** -40, mpf(0),
                   (pi / 4) ** 2 * mpf('1.002'), 6, grid=1500)
    show("float Tan _21, _11: tan r = r + r^3 (c0 + c1 r^2 + ...), |r| <= pi/4", c, err, True)
