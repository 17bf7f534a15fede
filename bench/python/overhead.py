"""Cost of the Python layer at n = 10**6: zaforq.vm.exp against the bare C entry (called
through ctypes on preallocated arrays, which adds about a microsecond), and stream draws
against the bare uniform entry, beside numpy's np.exp and Generator. Every variant runs once
per round, interleaved, warm. The table gives the fastest and the median round of each and the ratio of the fastest
to the C call's fastest: on a shared machine the fastest round is the one without
interference, the median shows how much there was.

    ZAFORQ_LIBRARY=build/release/libzaforq.so PYTHONPATH=python /usr/bin/python3 bench/python/overhead.py
"""

import ctypes
import statistics
import sys
import time

import numpy as np

import zaforq
from zaforq import random as zr
from zaforq import vm

N = 10**6
ROUNDS = int(sys.argv[1]) if len(sys.argv) > 1 else 40

raw = ctypes.CDLL(zaforq.library_path)
c_exp = raw._zafdExp_HA
c_exp.argtypes = [ctypes.c_int32, ctypes.c_void_p, ctypes.c_void_p]
c_exp.restype = None
c_uni = raw._orqdRngUniform
c_uni.argtypes = [ctypes.c_int32, ctypes.c_void_p, ctypes.c_int32, ctypes.c_void_p, ctypes.c_double,
                  ctypes.c_double]

x = np.random.default_rng(1).uniform(-50, 50, N)
r = np.empty(N)
xp, rp = x.ctypes.data, r.ctypes.data
stream = zr.Stream("mt19937", seed=1)
c_stream = zr.Stream("mt19937", seed=1)
h = c_stream._h
gen_mt = np.random.Generator(np.random.MT19937(1))
gen_pcg = np.random.default_rng(1)

GROUPS = {
    "exp, float64, HA": [
        ("C entry _zafdExp_HA (preallocated r)", lambda: c_exp(N, xp, rp)),
        ("zaforq.vm.exp(x, out=r)", lambda: vm.exp(x, out=r)),
        ("zaforq.vm.exp(x)", lambda: vm.exp(x)),
        ("np.exp(x, out=r)", lambda: np.exp(x, out=r)),
        ("np.exp(x)", lambda: np.exp(x)),
    ],
    "uniform doubles on [0, 1), MT19937": [
        ("C entry _orqdRngUniform (preallocated r)", lambda: c_uni(0, h, N, rp, 0.0, 1.0)),
        ("Stream.uniform(n, out=r)", lambda: stream.uniform(N, out=r)),
        ("Stream.uniform(n)", lambda: stream.uniform(N)),
        ("numpy Generator(MT19937).random(n, out=r)", lambda: gen_mt.random(N, out=r)),
        ("numpy Generator(MT19937).random(n)", lambda: gen_mt.random(N)),
        ("numpy default_rng (PCG64).random(n)", lambda: gen_pcg.random(N)),
    ],
}

for group, variants in GROUPS.items():
    times = {name: [] for name, _ in variants}
    for _, f in variants:
        f()  # warm: tables, page mappings, first-call set-up
    for _ in range(ROUNDS):
        for name, f in variants:
            t = time.perf_counter()
            f()
            times[name].append(time.perf_counter() - t)
    base = min(times[variants[0][0]])
    print("%s, n = %d, %d interleaved rounds: fastest, median, fastest / C fastest"
          % (group, N, ROUNDS))
    for name, _ in variants:
        best, med = min(times[name]), statistics.median(times[name])
        print("  %-46s %8.3f ms %8.3f ms  %5.2fx" % (name, best * 1e3, med * 1e3, best / base))

# The layer's fixed cost per call, measured where it is all there is (n = 1), beside the bare
# entry through ctypes: argument checks, dtype dispatch, status bookkeeping.
import timeit  # noqa: E402

one, r1 = np.ones(1), np.empty(1)
FIXED = [("C entry _zafdExp_HA, n = 1", lambda: c_exp(1, one.ctypes.data, r1.ctypes.data)),
         ("zaforq.vm.exp, n = 1", lambda: vm.exp(one, out=r1)),
         ("C entry _orqdRngUniform, n = 1", lambda: c_uni(0, h, 1, r1.ctypes.data, 0.0, 1.0)),
         ("Stream.uniform, n = 1", lambda: stream.uniform(1, out=r1))]
print("fixed cost per call (fastest of 7 x 2000 calls)")
for name, f in FIXED:
    t = min(timeit.repeat(f, number=2000, repeat=7)) / 2000
    print("  %-46s %8.2f us" % (name, t * 1e6))
