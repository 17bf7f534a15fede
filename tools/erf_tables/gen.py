#!/usr/bin/python3
"""Writes the piecewise-polynomial tables of the Erf and Erfc kernels.

Erf: the argument's magnitude a is cut into 23 intervals: [0, 1/8); four quarters of each
binade from [1/8, 1/4) to [2, 4); [4, 5) and [5, 6); above 6 erf is 1 to double precision
(row 23 holds the constant 1). On each interval erf(a) is a polynomial in t = a s - m, with
s = 1 below 2, 1/2 on [2, 4) and 1/4 on [4, 6), and m / s the interval's midpoint, so t is
exact and at most 1/8 in magnitude. The interval about 0 uses the odd Taylor series.

Erfc: erfc(a) = e^(-a^2) G(a) with G(a) = e^(a^2) erfc(a), smooth and slowly varying, as a
polynomial in t on 65 intervals: [0, 1/8) (t = a, G(0) = 1 kept exact) and the eighths of every binade
from [1/8, 1/4) to [16, 32), with s = 1 up to 2 and halving per binade above.

Row layouts (one row per interval, doubles):
  double _HA:       m, s, c0 high, c0 low, c1 high (26 bits), c1 low, c2 ... cD
                    (G rows: m, s, g0 high (26 bits), g0 low, g1 ... gD)
  double _50:       m, s, c0, c1 ... cD
Coefficients come from interpolation at Chebyshev nodes in 200-bit arithmetic (close to the
minimax polynomial); each table's comment gives its largest relative error on a fine grid.
Also 2^(j/64), j = 0..63, as a 26-bit high part and the rest, for e^(-a^2).

The float _HA kernels and the float Erfc _21 read rows (erfc(r), 2/sqrt(pi) e^(-r^2)) on the grid
r = j/128 from 0 to 10.0625 and take a short Taylor step from the nearest grid point. The float
_21 and _11 kernels take the same step in float from float rows: (erf(r), s) up to 4, and 2^40
(erfc(r), s) up to 9.2, the scale keeping s d normal where erfc nears the bottom of the normal range.

  tools/erf_tables/gen.py            rewrites src/zaf_core/_erf/erf_tables.inc
  tools/erf_tables/gen.py --stdout   prints the file instead (the table test compares it)
"""
import os
import sys

import mpmath as M

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "_common"))
import tablegen  # noqa: E402

M.mp.prec = 200
mpf = M.mpf
d = tablegen.d
cheb_fit = tablegen.cheb_fit


def hi26(x):
    """x rounded to 26 significant bits, so that products of two such values are exact."""
    return tablegen.hi_bits(x, 26)


def lit(x):
    return "%s" % float.hex(x) if x != 0 else "0.0"


def erf_intervals():
    """(lo, hi, s, m) for the 23 Erf intervals; the last row (erf = 1) is added apart."""
    iv = [(mpf(0), mpf(1) / 8, mpf(1), mpf(0))]
    for b in range(5):
        lo = mpf(2) ** (b - 3)
        s = mpf(1) if lo < 2 else mpf(1) / 2
        for q in range(4):
            mid = lo * (mpf(9) / 8 + mpf(q) / 4)
            iv.append((lo + q * lo / 4, lo + (q + 1) * lo / 4, s, mid * s))
    iv.append((mpf(4), mpf(5), mpf(1) / 4, mpf(9) / 8))
    iv.append((mpf(5), mpf(6), mpf(1) / 4, mpf(11) / 8))
    return iv


def g_intervals():
    iv = [(mpf(0), mpf(1) / 8, mpf(1), mpf(0))]
    for b in range(8):
        lo = mpf(2) ** (b - 3)
        s = mpf(2) ** (-max(0, b - 3))
        for q in range(8):
            mid = lo * (mpf(17) / 16 + mpf(q) / 8)
            iv.append((lo + q * lo / 8, lo + (q + 1) * lo / 8, s, mid * s))
    return iv


def taylor_erf(deg):
    c = [mpf(0)] * (deg + 1)
    for k in range(0, deg + 1):
        if k % 2 == 1:
            n = (k - 1) // 2
            c[k] = 2 / M.sqrt(M.pi) * (-1) ** n / (M.factorial(n) * (2 * n + 1))
    return c


def row_values(c, hilo, split1):
    """Rounds the coefficients to the row layout; returns the doubles and their exact sum form."""
    if not hilo:
        return [d(x) for x in c]
    out = []
    h = hi26(c[0])
    out += [h, d(c[0] - mpf(h))]
    rest = c[1:]
    if split1:
        h1 = hi26(rest[0])
        out += [h1, d(rest[0] - mpf(h1))]
        rest = rest[1:]
    return out + [d(x) for x in rest]


def eval_row(vals, hilo, split1, t):
    if not hilo:
        return sum(mpf(v) * t ** k for k, v in enumerate(vals))
    c0 = mpf(vals[0]) + mpf(vals[1])
    rest = vals[2:]
    if split1:
        rest = [mpf(rest[0]) + mpf(rest[1])] + rest[2:]
    return c0 + sum(mpf(v) * t ** (k + 1) for k, v in enumerate(rest))


def table(name, what, f, intervals, deg, hilo, split1, taylor0, last_row=None):
    rows, worst = [], mpf(0)
    for i, (lo, hi, s, m) in enumerate(intervals):
        g = (lambda t, s=s, m=m: f((t + m) / s))
        a, b = lo * s - m, hi * s - m
        if i == 0 and taylor0:
            c = taylor_erf(deg)
        elif i == 0:  # G(0) = 1 exactly, so that erfc(0) = 1 in every class
            c = [mpf(1)] + cheb_fit(lambda t: (g(t) - 1) / t, a, b, deg - 1)
        else:
            c = cheb_fit(g, a, b, deg)
        vals = row_values(c, hilo, split1)
        for k in range(41):
            t = a + (b - a) * k / 40
            if t == 0 and i == 0:
                continue
            ref = g(t)
            worst = max(worst, abs(eval_row(vals, hilo, split1, t) - ref) / abs(ref))
        rows.append([d(m), d(s)] + vals)
    if last_row is not None:
        rows.append(last_row(len(rows[0])))
    width = len(rows[0])
    out = ["", "// %s; largest relative error of the polynomials 2^%.1f." % (what, float(M.log(worst, 2))),
           "alignas(16) inline constexpr double %s[%d][%d] = {" % (name, len(rows), width)]
    for r in rows:
        out.append("    {" + ", ".join(lit(v) for v in r) + "},")
    out.append("};")
    return out


def erf_one_row(width):
    r = [0.0] * width
    r[2] = 1.0  # m = s = 0, so t = 0 and the value is c0
    return r


def render():
    out = ["// Generated by tools/erf_tables/gen.py; do not edit."]
    erf = M.erf

    def gfun(x):
        return M.erfc(x) * M.exp(x * x)

    ei, gi = erf_intervals(), g_intervals()
    out += table("kErfHA", "erf, double _HA: degree 14", erf, ei, 14, True, True, True, erf_one_row)
    out += table("kErf50", "erf, double _50: degree 13", erf, ei, 13, False, False, True, erf_one_row)
    out += table("kErfcHA", "e^(a^2) erfc(a), double _HA: degree 11", gfun, gi, 11, True, False, False)
    out += table("kErfc50", "e^(a^2) erfc(a), double _50: degree 10", gfun, gi, 10, False, False, False)
    out += ["", "// 2^(j/64) as a 26-bit high part and the rest.",
            "alignas(16) inline constexpr double kErfcExp64[64][2] = {"]
    for j in range(64):
        v = mpf(2) ** (mpf(j) / 64)
        h = hi26(v)
        out.append("    {%s, %s}," % (lit(h), lit(d(v - mpf(h)))))
    out.append("};")
    out += grid_table()
    out += grid21_tables()
    return "\n".join(out) + "\n"


GRID_STEPS = 128  # grid points per unit
GRID_TOP = mpf("10.0625")  # past the float Erfc's zero bound 10.0542


def grid_table():
    """erfc(r) and erfc'(-r) = 2/sqrt(pi) e^(-r^2) at r = j/128, the float _HA rows."""
    n = int(GRID_TOP * GRID_STEPS) + 1
    out = ["", "// erfc(r) and 2/sqrt(pi) e^(-r^2) at r = j/%d, j = 0 .. %d." % (GRID_STEPS, n - 1),
           "inline constexpr int kGridSteps = %d;" % GRID_STEPS,
           "alignas(64) inline constexpr double kErfcGrid[%d][2] = {" % n]
    for j in range(n):
        r = mpf(j) / GRID_STEPS
        out.append("    {%s, %s}," % (lit(d(M.erfc(r))), lit(d(2 / M.sqrt(M.pi) * M.exp(-r * r)))))
    out.append("};")
    return out


GRID21_SCALE = 40  # the float Erfc _21 rows are scaled by 2^40: s d stays normal near 9.2
GRID21_ERF_TOP = 4  # float erf is 1 from 4 on
GRID21_ERFC_TOP = mpf("9.2")  # past the float Erfc's underflow bound 9.19455


def grid21_tables():
    """Float rows for the 4-ulp classes: (erf(r), s) and 2^40 (erfc(r), s) on the same grid."""
    def rows(name, what, top, f, scale):
        n = int(M.nint(top * GRID_STEPS)) + 1
        out = ["", "// %s at r = j/%d, j = 0 .. %d, as floats." % (what, GRID_STEPS, n - 1),
               "alignas(64) inline constexpr float %s[%d][2] = {" % (name, n)]
        for j in range(n):
            r = mpf(j) / GRID_STEPS
            s = 2 / M.sqrt(M.pi) * M.exp(-r * r)
            out.append("    {%sf, %sf}," % (lit(tablegen.f32(f(r) * scale)), lit(tablegen.f32(s * scale))))
        out.append("};")
        return out
    return (rows("kSErfGrid21", "erf(r) and 2/sqrt(pi) e^(-r^2)", GRID21_ERF_TOP, M.erf, 1) +
            ["inline constexpr int kSErfcGrid21Scale = %d;" % GRID21_SCALE] +
            rows("kSErfcGrid21", "2^%d erfc(r) and 2^%d 2/sqrt(pi) e^(-r^2)" % (GRID21_SCALE, GRID21_SCALE),
                 GRID21_ERFC_TOP, M.erfc, mpf(2) ** GRID21_SCALE))


if __name__ == "__main__":
    tablegen.main(render, "src/zaf_core/_erf/erf_tables.inc")
