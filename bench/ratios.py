"""Shared by the bench/*/run scripts: runs a Google Benchmark binary so that contenders are
measured fairly, and prints ratio tables.

Fairness: every benchmark runs `reps` times with random interleaving, so contenders alternate in
rounds and a burst of load hits all of them alike; each entry's time is the median of its
repetitions, in CPU time. Ratios are peer time / zaforq time: above 1 means zaforq is faster."""
import json
import os
import statistics
import subprocess
from collections import OrderedDict

HERE = os.path.dirname(os.path.abspath(__file__))
BUILD = os.path.join(HERE, "..", "build", "release")


def run_samples(binary, extra=(), reps=5, min_time=0.05):
    """Runs the binary with interleaved repetitions; returns the repetitions' entries (aggregates
    and failed runs left out) in order, each Google Benchmark's JSON record of one run."""
    args = [binary, "--benchmark_format=json", f"--benchmark_min_time={min_time}",
            f"--benchmark_repetitions={reps}", "--benchmark_enable_random_interleaving=true",
            "--benchmark_report_aggregates_only=false"] + list(extra)
    out = subprocess.run(args, check=True, stdout=subprocess.PIPE, text=True).stdout
    if not out.strip():
        return []  # a filter may match nothing
    return [b for b in json.loads(out)["benchmarks"]
            if b.get("run_type", "iteration") == "iteration" and not b.get("error_occurred")]


def medians(samples):
    """{benchmark name: median CPU time per iteration} over the repetitions in samples."""
    grouped = OrderedDict()
    for b in samples:
        grouped.setdefault(b.get("run_name", b["name"]), []).append(b["cpu_time"])
    return OrderedDict((k, statistics.median(v)) for k, v in grouped.items())


def run(binary, extra=(), reps=5, min_time=0.05, processes=1):
    """Returns {benchmark name: median CPU time per iteration, in the benchmark's unit}. With
    several processes, each runs every benchmark reps times and the entry is the median of the
    processes' medians: what varies from one process to the next (where the pages of the arrays
    fall in the caches, which plan FFTW_MEASURE picks) then counts as often as it happens
    instead of once."""
    per_process = [medians(run_samples(binary, extra, reps, min_time)) for _ in range(processes)]
    names = OrderedDict((k, None) for m in per_process for k in m)
    return OrderedDict((k, statistics.median([m[k] for m in per_process if k in m])) for k in names)


def print_table(title, rows, peers, unit="ns"):
    """rows: [(label, zaforq time, {peer: time})]; prints one line per row with each peer's
    ratio, then the median ratio per peer over all rows, which it returns as {peer: ratio}."""
    print(f"== {title}: peer time / zaforq time (above 1: zaforq faster) ==")
    width = max([len(r[0]) for r in rows] + [10])
    print(f"{'case':{width}s} {'zaforq ' + unit:>12s} " + " ".join(f"{p:>12s}" for p in peers))
    per_peer = {p: [] for p in peers}
    for label, z, times in rows:
        cells = []
        for p in peers:
            t = times.get(p)
            if t is None or not z:
                cells.append(f"{'-':>12s}")
            else:
                per_peer[p].append(t / z)
                cells.append(f"{t / z:12.2f}")
        print(f"{label:{width}s} {z:12.3f} " + " ".join(cells))
    medians_ = {p: statistics.median(v) for p, v in per_peer.items() if v}
    print(f"{'median':{width}s} {'':12s} " + " ".join(
        f"{medians_[p]:12.2f}" if p in medians_ else f"{'-':>12s}" for p in peers))
    print()
    return medians_
