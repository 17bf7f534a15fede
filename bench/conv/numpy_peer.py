#!/usr/bin/python3
"""Times numpy.correlate / numpy.convolve (and scipy's direct 2-D correlation) on the sizes of
conv_bench.cpp; prints one 'name milliseconds' line per case: the best of several repeats, in
CPU time of the process, like the C++ side."""
import time

import numpy as np


def best_ms(f, repeats=7):
    f()
    best = float("inf")
    for _ in range(repeats):
        t0 = time.process_time()
        f()
        best = min(best, time.process_time() - t0)
    return best * 1e3


rng = np.random.default_rng(1)
for dtype, name in ((np.float32, "float"), (np.float64, "double")):
    x = rng.uniform(-1, 1, 64).astype(dtype)
    y = rng.uniform(-1, 1, 100000).astype(dtype)
    print(f"numpy_correlate<{name}> {best_ms(lambda: np.correlate(y, x, 'full')):.4f}")
    print(f"numpy_convolve<{name}> {best_ms(lambda: np.convolve(x, y, 'full')):.4f}")
    xl = rng.uniform(-1, 1, 2000).astype(dtype)
    print(f"numpy_convolve_long<{name}> {best_ms(lambda: np.convolve(xl, y, 'full'), 3):.4f}")
try:
    from scipy import signal

    for dtype, name in ((np.float32, "float"), (np.float64, "double")):
        xl = rng.uniform(-1, 1, 2000).astype(dtype)
        y = rng.uniform(-1, 1, 100000).astype(dtype)
        print(f"scipy_fftconvolve_long<{name}> {best_ms(lambda: signal.fftconvolve(xl, y, 'full')):.4f}")

    for dtype, name in ((np.float32, "float"), (np.float64, "double")):
        k = rng.uniform(-1, 1, (5, 5)).astype(dtype)
        img = rng.uniform(-1, 1, (1000, 1000)).astype(dtype)
        print(f"scipy_correlate2d<{name}> {best_ms(lambda: signal.correlate2d(img, k, 'full'), 3):.4f}")
except ImportError:
    pass
