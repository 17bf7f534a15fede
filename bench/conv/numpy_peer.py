#!/usr/bin/python3
"""Times numpy.correlate / numpy.convolve (and scipy's direct 2-D correlation) on the sizes of
conv_bench.cpp; prints one 'name milliseconds' line per case (best of several repeats)."""
import time

import numpy as np


def best_ms(f, repeats=7):
    f()
    best = float("inf")
    for _ in range(repeats):
        t0 = time.perf_counter()
        f()
        best = min(best, time.perf_counter() - t0)
    return best * 1e3


rng = np.random.default_rng(1)
for dtype, name in ((np.float32, "float"), (np.float64, "double")):
    x = rng.uniform(-1, 1, 64).astype(dtype)
    y = rng.uniform(-1, 1, 100000).astype(dtype)
    print(f"numpy_correlate<{name}> {best_ms(lambda: np.correlate(y, x, 'full')):.4f}")
    print(f"numpy_convolve<{name}> {best_ms(lambda: np.convolve(x, y, 'full')):.4f}")
try:
    from scipy import signal

    for dtype, name in ((np.float32, "float"), (np.float64, "double")):
        k = rng.uniform(-1, 1, (5, 5)).astype(dtype)
        img = rng.uniform(-1, 1, (1000, 1000)).astype(dtype)
        print(f"scipy_correlate2d<{name}> {best_ms(lambda: signal.correlate2d(img, k, 'full'), 3):.4f}")
except ImportError:
    pass
