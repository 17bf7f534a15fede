"""What the Python table generators in tools/ share (mpmath; each generator sets its own
working precision before it calls these):

  - rounding a high-precision value to the doubles a kernel stores: once (d), as a high part
    and the rest (hi_lo), or to a number of significant bits (hi_bits), so that products of
    such parts are exact;
  - hexadecimal literals with the decimal value beside them;
  - polynomial fits: interpolation at Chebyshev nodes (cheb_fit) and the Remez exchange for
    weighted minimax fits (remez), and their coefficients printed as bit patterns (show);
  - the command line every generator has: write the file below the repository root, or print
    it with --stdout for the regeneration tests (main).

A generator imports it with
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "_common"))
    import tablegen
"""
import os
import struct
import sys

import mpmath
from mpmath import mpf

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def d(x):
    """The double nearest to x."""
    return float(mpf(x))


def hi_lo(x):
    """x as the double nearest to it and the double nearest to the rest."""
    hi = d(x)
    return hi, d(mpf(x) - mpf(hi))


def hi_bits(x, bits):
    """x rounded to `bits` significant bits (to nearest, ties to even)."""
    x = mpf(x)
    if x == 0:
        return 0.0
    e = int(mpmath.floor(mpmath.log(abs(x), 2)))
    q = mpf(2) ** (e - bits + 1)
    return d(mpmath.nint(x / q) * q)


def f32(x):
    """The float nearest to x, as a Python float."""
    return struct.unpack('<f', struct.pack('<f', float(x)))[0]


def dlit(x):
    """Exact hexadecimal literal of the double nearest to x, its decimal value in a comment."""
    return "%s /* %.17g */" % (float.hex(float(x)), float(x))


def flit(x):
    """The same for the float nearest to x."""
    v = f32(x)
    return "%sf /* %.9g */" % (float.hex(v), v)


def cheb_fit(f, a, b, deg):
    """Coefficients c_0..c_deg (constant first) of the polynomial that interpolates f at the
    deg + 1 Chebyshev nodes of [a, b]: close to the minimax polynomial of that degree."""
    n = deg + 1
    nodes = [(a + b) / 2 + (b - a) / 2 * mpmath.cos(mpmath.pi * (k + mpf(1) / 2) / n) for k in range(n)]
    A = mpmath.matrix([[x ** j for j in range(n)] for x in nodes])
    c = mpmath.lu_solve(A, mpmath.matrix([f(x) for x in nodes]))
    return [c[j] for j in range(n)]


def remez(g, w, lo, hi, deg, iters=30, grid=4000):
    """Minimax polynomial of degree deg for g on [lo, hi] under the weight w: minimises the
    largest |w(x) (g(x) - p(x))|. Returns the coefficients (constant first) and that error."""
    n = deg + 1
    # Chebyshev extrema as the first reference
    xs = [(lo + hi) / 2 + (hi - lo) / 2 * mpmath.cos(mpmath.pi * (k + mpf(0.37)) / (n + 1))
          for k in range(n + 1)][::-1]
    coef = None
    for _ in range(iters):
        A = mpmath.matrix(n + 1, n + 1)
        bvec = mpmath.matrix(n + 1, 1)
        for i, x in enumerate(xs):
            for k in range(n):
                A[i, k] = x ** k
            A[i, n] = (-1) ** i / w(x)
            bvec[i] = g(x)
        sol = mpmath.lu_solve(A, bvec)
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


def show(title, coef, err, as_float):
    """Prints fitted coefficients as float or double bit patterns with their values, ready to
    paste into a kernel source."""
    print(f"{title}: max weighted error {float(err):.3e}")
    for k, c in enumerate(coef):
        if as_float:
            bits = struct.unpack('<I', struct.pack('<f', float(c)))[0]
            print(f"  c{k}: 0x{bits:08X}  // {f32(c)!r}")
        else:
            bits = struct.unpack('<Q', struct.pack('<d', float(c)))[0]
            print(f"  c{k}: 0x{bits:016X}  // {float(c)!r}")


def main(render, path):
    """Writes render() to `path` below the repository root, or prints it with --stdout."""
    text = render()
    if "--stdout" in sys.argv[1:]:
        sys.stdout.write(text)
        return
    with open(os.path.join(ROOT, path), "w") as fh:
        fh.write(text)
