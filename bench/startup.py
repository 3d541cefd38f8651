#!/usr/bin/env python3
"""Start-up to first painted frame and peak memory: Vop against a bare window, side by side."""
import argparse
import os
import statistics
import subprocess
import sys
import time


def run_once(command, env):
    """Launches one fresh process; returns (milliseconds to first paint, peak RSS in KiB)."""
    env = dict(env, VOP_BENCH_T0=str(time.clock_gettime_ns(time.CLOCK_REALTIME)))
    proc = subprocess.Popen(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    out = proc.stdout.read().decode(errors="replace")
    _, status, usage = os.wait4(proc.pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"bench: {' '.join(command)} failed with status {status}")
    for line in out.splitlines():
        if line.startswith("first-paint-ns "):
            return int(line.split()[1]) / 1e6, usage.ru_maxrss
    sys.exit(f"bench: {' '.join(command)} printed no first-paint line")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--name", required=True)
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--vop", required=True, nargs="+")
    parser.add_argument("--bare", required=True, nargs="+")
    parser.add_argument("--csv", help="append the medians to this file")
    args = parser.parse_args()

    env = dict(os.environ)
    results = {"vop": [], "bare": []}
    # Alternate the two so that anything else the machine does falls on both alike.
    for _ in range(args.runs):
        results["vop"].append(run_once(args.vop, env))
        results["bare"].append(run_once(args.bare, env))

    def figures(samples):
        warm = samples[1:]
        return {
            "cold_ms": samples[0][0],
            "warm_ms": statistics.median(s[0] for s in warm),
            "rss_kib": statistics.median(s[1] for s in warm),
        }

    vop, bare = figures(results["vop"]), figures(results["bare"])
    print(f"{args.name}: {args.runs} runs each, medians of the warm runs")
    for key, label in (("cold_ms", "start-up, cold (ms)"), ("warm_ms", "start-up, warm (ms)"),
                       ("rss_kib", "peak memory (KiB)")):
        ratio = vop[key] / bare[key] if bare[key] else float("nan")
        print(f"  {label:22} vop {vop[key]:10.1f}   bare {bare[key]:10.1f}   ratio {ratio:5.2f}")
    if args.csv:
        new = not os.path.exists(args.csv)
        with open(args.csv, "a") as f:
            if new:
                f.write("date,backend,vop_warm_ms,bare_warm_ms,vop_cold_ms,bare_cold_ms,"
                        "vop_rss_kib,bare_rss_kib\n")
            f.write(f"{time.strftime('%Y-%m-%dT%H:%M:%S')},{args.name},{vop['warm_ms']:.2f},"
                    f"{bare['warm_ms']:.2f},{vop['cold_ms']:.2f},{bare['cold_ms']:.2f},"
                    f"{vop['rss_kib']:.0f},{bare['rss_kib']:.0f}\n")


if __name__ == "__main__":
    main()
