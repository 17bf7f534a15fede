#!/usr/bin/python3
"""numpy and scipy on the cases of conv_bench.cpp (same names, sizes and rotation of input
sets): numpy.correlate / numpy.convolve and scipy.signal.correlate / convolve with
method='direct'. Contenders are interleaved in rounds; each prints one line
'case|peer microseconds', the median over rounds of the CPU time of the process per call.
The first line names the BLAS numpy loaded (its OpenBLAS kernel, if that is the one)."""
import ctypes
import random
import statistics
import sys
import time

import numpy as np
from scipy import signal

CASES = [  # name, kind, x shape, y shape, input sets
    ("corr1d 64x100000", "corr1d", (64,), (100000,), 1),
    ("conv1d 64x100000", "conv1d", (64,), (100000,), 1),
    ("corr1d 16x1000", "corr1d", (16,), (1000,), 16),
    ("corr2d 5x5 1000x1000", "corr2d", (5, 5), (1000, 1000), 1),
    ("corr2d 3x3 64x64", "corr2d", (3, 3), (64, 64), 16),
    ("gaxsConv 100000x63", "conv1d", (63,), (100000,), 1),
    ("gaxsConv 1000x40", "conv1d", (40,), (1000,), 16),
]


def blas_in_use():
    """The OpenBLAS kernel numpy runs on, or the BLAS library it loaded."""
    paths = sorted({line.split()[-1] for line in open("/proc/self/maps")
                    if line.split()[-1].rsplit("/", 1)[-1].startswith(("libblas", "libopenblas"))})
    for path in paths:
        if "openblas" in path:
            lib = ctypes.CDLL(path)
            for name in ("openblas_get_corename", "openblas_get_corename64_"):
                if hasattr(lib, name):
                    f = getattr(lib, name)
                    f.restype = ctypes.c_char_p
                    return "OpenBLAS " + f().decode()
    return ", ".join(paths) or "no BLAS loaded"


def contenders(kind):
    if kind == "corr1d":
        return {"numpy": lambda x, y: np.correlate(y, x, "full"),
                "scipy_direct": lambda x, y: signal.correlate(y, x, "full", method="direct")}
    if kind == "conv1d":
        return {"numpy": lambda x, y: np.convolve(x, y, "full"),
                "scipy_direct": lambda x, y: signal.convolve(x, y, "full", method="direct")}
    return {"scipy_direct": lambda x, y: signal.correlate(y, x, "full", method="direct")}


def main(rounds):
    rng = np.random.default_rng(7)
    jobs = []
    for name, kind, xs, ys, sets in CASES:
        for dtype, tag in ((np.float32, "f32"), (np.float64, "f64")):
            xv = [rng.uniform(-1, 1, xs).astype(dtype) for _ in range(sets)]
            yv = [rng.uniform(-1, 1, ys).astype(dtype) for _ in range(sets)]
            for peer, f in contenders(kind).items():
                f(xv[0], yv[0])  # warm: first calls, page faults of the result
                t0 = time.process_time()
                f(xv[0], yv[0])
                one = max(time.process_time() - t0, 1e-6)
                calls = max(1, int(0.02 / one))  # about 20 ms per measurement
                jobs.append((f"{name} {tag}|{peer}", f, xv, yv, calls))
    samples = {j[0]: [] for j in jobs}
    for _ in range(rounds):
        random.shuffle(jobs)
        for key, f, xv, yv, calls in jobs:
            sets = len(xv)
            t0 = time.process_time()
            for i in range(calls):
                f(xv[i % sets], yv[i % sets])
            samples[key].append((time.process_time() - t0) / calls * 1e6)
    for key, v in samples.items():
        print(f"{key} {statistics.median(v):.4f}")


if __name__ == "__main__":
    print(f"# numpy {np.__version__} on {blas_in_use()}")
    main(int(sys.argv[1]) if len(sys.argv) > 1 else 5)
