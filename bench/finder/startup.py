#!/usr/bin/env python3
"""Times the finder's start-up on a desktop with a system tray, and its memory at rest.

Each run starts the real MVFinder with the splash and the notice off (as a user who
switched them off has it) on the acceptance harness's own X display (Xvfb, openbox,
trayer), and measures from the moment the process is started:

  docked  until its tray icon is docked in the tray (the finder can be used);
  idle    until the process has gone quiet: the last moment any of its threads ran,
          followed by 500 ms in which none did (context switches and CPU time unchanged);
  peak    its peak resident memory (VmHWM) once idle.

    python3 bench/finder/startup.py [--build-dir build-bench] [--runs 10]
"""

import argparse
import os
import pathlib
import signal
import statistics
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "acceptance"))

from harness.road import Road  # noqa: E402
from harness.session import Session  # noqa: E402

QUIET = 0.5  # seconds without a thread running that count as idle
POLL = 0.002


def activity(pid):
    """A number that changes whenever any thread of the process ran: the sum of every
    thread's context switches and CPU ticks."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/status") as status:
                for line in status:
                    if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                        total += int(line.split()[1])
            with open(f"/proc/{pid}/task/{task}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
                total += int(fields[11]) + int(fields[12])  # utime, stime
        except (FileNotFoundError, ProcessLookupError):
            pass  # a thread that just ended
    return total


def peak_memory_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def one_run(road, number):
    config = road.config_home / "Korvath"
    config.mkdir(parents=True, exist_ok=True)
    (config / "Morvel Vantor Finder.conf").write_text("[General]\nFindMsg=1\nSplash=0\n")
    started = time.monotonic()
    finder = road.start("MVFinder")
    docked = None
    last_change, last = started, None
    while True:
        now = time.monotonic()
        if docked is None and road.tray_icons(finder):
            docked = now - started
        current = activity(finder.pid)
        if current != last:
            last, last_change = current, now
        elif docked is not None and now - last_change >= QUIET:
            break
        if now - started > 30:
            raise RuntimeError(f"run {number}: no docked icon or no rest within 30 s")
        time.sleep(POLL)
    peak = peak_memory_kb(finder.pid)
    os.kill(finder.pid, signal.SIGKILL)
    finder.popen.wait()
    return docked, last_change - started, peak


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build-dir", default=str(ROOT / "build-bench"))
    parser.add_argument("--runs", type=int, default=10)
    args = parser.parse_args()
    build = pathlib.Path(args.build_dir).resolve()
    if not (build / "bin" / "MVFinder").exists():
        sys.exit(f"startup.py: no {build}/bin/MVFinder; build first (make bench)")
    output = build / "bench-finder"
    results = []
    with Session("finder-startup", build, output, programs=["MVFinder"]) as session:
        road = Road("finder-startup", session, output, log=lambda line: None)
        one_run(road, 0)  # warms the disk cache and the font cache
        for number in range(1, args.runs + 1):
            results.append(one_run(road, number))
    docked = [r[0] * 1000 for r in results]
    idle = [r[1] * 1000 for r in results]
    peak = [r[2] / 1024 for r in results]
    print(f"MVFinder start-up, splash and notice off, {args.runs} runs ({build}):")
    print(f"  until the tray icon is docked: median {statistics.median(docked):6.0f} ms "
          f"(min {min(docked):.0f}, max {max(docked):.0f})   aim: under 300 ms")
    print(f"  until idle:                    median {statistics.median(idle):6.0f} ms "
          f"(min {min(idle):.0f}, max {max(idle):.0f})   aim: under 300 ms")
    print(f"  peak memory at rest (VmHWM):   median {statistics.median(peak):6.1f} MB "
          f"(max {max(peak):.1f})   aim: under 60 MB")


if __name__ == "__main__":
    main()
