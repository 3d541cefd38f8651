#!/usr/bin/python3
"""Start-up to the window's first map on the X server, and peak memory: Vop beside a bare
window of the same toolkit (and other card games, where given), in fresh processes that
take turns, so that whatever else the machine does falls on all alike."""
import argparse
import os
import select
import shlex
import signal
import statistics
import subprocess
import sys
import time

from Xlib import X, display

SETTLE_S = 0.3  # after the map, the first paint: memory is read when the process ends


def run_once(xdisplay, root, command):
    """One fresh process: (milliseconds from launch to its window's map, peak RSS in KiB)."""
    while xdisplay.pending_events():
        xdisplay.next_event()
    started = time.monotonic_ns()
    proc = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    mapped = None
    deadline = time.monotonic() + 60
    while mapped is None:
        if proc.poll() is not None:
            sys.exit(f"bench: {' '.join(command)} ended before its window showed")
        if not xdisplay.pending_events():
            left = deadline - time.monotonic()
            if left <= 0:
                proc.kill()
                sys.exit(f"bench: {' '.join(command)} showed no window in 60 s")
            select.select([xdisplay.fileno()], [], [], min(left, 0.1))
            continue
        event = xdisplay.next_event()
        # The program's own top-level window: toolkits map small helper windows too.
        if event.type == X.MapNotify:
            geometry = event.window.get_geometry()
            if geometry.width >= 100 and geometry.height >= 50:
                mapped = (time.monotonic_ns() - started) / 1e6
    time.sleep(SETTLE_S)
    if proc.poll() is not None:
        # It ended by itself after showing its window (KPatience does, headless): its
        # start-up counts, its memory cannot be read.
        time.sleep(SETTLE_S)
        return mapped, None
    proc.send_signal(signal.SIGTERM)
    _, _, usage = os.wait4(proc.pid, 0)
    # The window system (and Wine's server) finish with the program before the next starts.
    time.sleep(SETTLE_S)
    return mapped, usage.ru_maxrss


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--name", required=True)
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--vop", required=True, help="the command, as one string")
    parser.add_argument("--bare", required=True)
    parser.add_argument("--other", nargs=2, action="append", default=[],
                        metavar=("NAME", "COMMAND"), help="another program to time beside them")
    parser.add_argument("--csv", help="append the medians to this file")
    args = parser.parse_args()

    xdisplay = display.Display()
    root = xdisplay.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    xdisplay.sync()

    programs = [("vop", args.vop), ("bare", args.bare)] + [tuple(o) for o in args.other]
    results = {name: [] for name, _ in programs}
    for _ in range(args.runs):
        for name, command in programs:
            results[name].append(run_once(xdisplay, root, shlex.split(command)))

    def figures(samples):
        warm = samples[1:]
        memory = [s[1] for s in warm if s[1] is not None]
        return {
            "cold_ms": samples[0][0],
            "warm_ms": statistics.median(s[0] for s in warm),
            "rss_kib": statistics.median(memory) if memory else None,
        }

    got = {name: figures(samples) for name, samples in results.items()}
    vop, bare = got["vop"], got["bare"]
    print(f"{args.name}: {args.runs} runs each, launch to the window's map; medians of the "
          "warm runs")
    for key, label in (("cold_ms", "start-up, cold (ms)"), ("warm_ms", "start-up, warm (ms)"),
                       ("rss_kib", "peak memory (KiB)")):
        ratio = vop[key] / bare[key] if bare[key] else float("nan")
        print(f"  {label:22} vop {vop[key]:10.1f}   bare {bare[key]:10.1f}   ratio {ratio:5.2f}")
    for name, _ in programs[2:]:
        other = got[name]
        memory = (f"{other['rss_kib'] / 1024:.1f} MiB" if other["rss_kib"] is not None
                  else "memory not read: it ended by itself after showing its window")
        print(f"  {name:22} warm {other['warm_ms']:8.1f} ms (cold {other['cold_ms']:.1f}), "
              f"{other['warm_ms'] / vop['warm_ms']:.1f} times vop's; {memory}")
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
