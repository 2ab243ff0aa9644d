#!/usr/bin/env python3
"""mvfind and hgrep on every core against their peers, in one run, as a ratio table.

    bench/search/cores.py [BUILD_DIR]          (default: build-bench, made by `make bench`)

Each job's commands run in turn, round after round (interleaved, so that a machine shared
with other work disturbs them alike), each once more beforehand to warm the cache; the
table gives the median wall time and the median CPU time (user + system) of the rounds,
and mvfind's (or hgrep's) median divided by each peer's: below 1 is faster. Output goes
through a pipe, so that no tool can see /dev/null and stop early. See README.md.
"""
import os
import resource
import shutil
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build-bench"))
RUNS = int(os.environ.get("MVF_BENCH_RUNS", "7"))
COPIES = int(os.environ.get("MVF_BENCH_COPIES", "3"))
CACHE = os.environ.get("MVF_BENCH_CACHE") or os.path.join(
    os.environ.get("XDG_CACHE_HOME", os.path.expanduser("~/.cache")), "mvf-bench")
# Another build (its bin/ holding mvfind and hgrep) to compare CPU time with: "before".
BASE = os.environ.get("MVF_BASE_BUILD")
TREE = os.path.join(CACHE, f"tree-{COPIES}")
BIG = os.path.join(CACHE, "big-300M.txt")
MVFIND = os.path.join(BUILD, "bin", "mvfind")
HGREP = os.path.join(BUILD, "bin", "hgrep")
FLOOR = os.path.join(BUILD, "bin", "open_read_floor")

LITERAL = "PTHREAD_MUTEX_ROBUST"
PATTERNS = [("rare literal", LITERAL), ("return", "return"),
            ("class and closure", "[a-z][a-z0-9_]*_mutex_t"), ("int.*char", "int.*char")]


def make_tree():
    if os.path.exists(TREE + ".complete"):
        return
    print(f"Building the tree in {TREE} ({COPIES} copies of /usr/include and /usr/share/doc)")
    shutil.rmtree(TREE, ignore_errors=True)
    os.makedirs(TREE)
    for i in range(1, COPIES + 1):
        subprocess.run(["cp", "-a", "/usr/include", f"{TREE}/include-{i}"], check=True)
        subprocess.run(["cp", "-a", "/usr/share/doc", f"{TREE}/doc-{i}"], check=True)
    subprocess.run(["find", TREE, "-type", "l", "-delete"], check=True)
    open(TREE + ".complete", "w").close()


def make_big_file():
    """300 MB of the tree's headers, one after another, for hgrep and grep."""
    if os.path.exists(BIG):
        return
    print(f"Writing {BIG} (300 MB of headers)")
    size, limit = 0, 300 * 1000 * 1000
    with open(BIG + ".part", "wb") as out:
        while size < limit:
            for folder, _, names in os.walk(os.path.join(TREE, "include-1")):
                for name in sorted(names):
                    if name.endswith(".h") and size < limit:
                        with open(os.path.join(folder, name), "rb") as f:
                            data = f.read()
                        out.write(data)
                        size += len(data)
    os.rename(BIG + ".part", BIG)


def run_once(command):
    """Wall and CPU seconds of one run, and the lines it printed."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.monotonic()
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    lines = sum(chunk.count(b"\n") for chunk in iter(lambda: process.stdout.read(1 << 16), b""))
    process.wait()
    wall = time.monotonic() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return wall, cpu, lines


def job(title, commands):
    """commands: (label, argv) pairs, the first being ours. Prints the job's table."""
    for _, argv in commands:
        run_once(argv)  # warm-up
    walls = [[] for _ in commands]
    cpus = [[] for _ in commands]
    lines = [0] * len(commands)
    for round_ in range(RUNS):
        # Each round starts with another command, so that none always follows the same.
        for k in range(len(commands)):
            i = (k + round_) % len(commands)
            wall, cpu, lines[i] = run_once(commands[i][1])
            walls[i].append(wall)
            cpus[i].append(cpu)
    wall = [statistics.median(w) for w in walls]
    cpu = [statistics.median(c) for c in cpus]
    print(f"== {title}")
    for i, (label, _) in enumerate(commands):
        print(f"  {label:34s} {wall[i]:7.3f} s  cpu {cpu[i]:7.3f} s   ratio {wall[0] / wall[i]:5.2f}"
              f"  cpu {cpu[0] / max(cpu[i], 1e-9):5.2f}   {lines[i]:7d} lines")
    sys.stdout.flush()
    return wall, cpu


def main():
    for tool in ("rg", "grep", "find"):
        if not shutil.which(tool):
            sys.exit(f"cores.py: {tool} is missing (make bench installs it)")
    for program in (MVFIND, HGREP, FLOOR):
        if not os.access(program, os.X_OK):
            sys.exit("cores.py: build first: make bench")
    make_tree()
    make_big_file()
    cores = len(os.sched_getaffinity(0))
    print(f"Machine: {cores} cores, load average {os.getloadavg()[0]:.1f}; medians of {RUNS} "
          f"interleaved warm runs; tree {TREE}")
    print()
    base = os.path.join(BASE, "bin") if BASE else None
    c_locale = ["env", "LC_ALL=C"]
    for title, pattern in PATTERNS + [("ignore case, rare literal", LITERAL)]:
        case = [] if title.startswith("ignore") else ["-c"]
        rg_case = ["-i"] if title.startswith("ignore") else []
        ours = [MVFIND, "-s", *case, "--binaries", "-f", pattern, TREE]
        commands = [("mvfind", ours),
                    ("rg -l -uuu (default threads)", ["rg", "-l", "-uuu", *rg_case, pattern, TREE]),
                    ("rg -l -uuu -j1", ["rg", "-l", "-uuu", "-j1", *rg_case, pattern, TREE]),
                    ("mvfind --threads 1", [MVFIND, "--threads", "1", *ours[1:]])]
        if base:
            commands.append(("mvfind before", [os.path.join(base, "mvfind"), *ours[1:]]))
        job(f"content: {title}", commands)
    commands = [("mvfind (name only)", [MVFIND, "-s", "--binaries", TREE]),
                ("open-and-read floor, one thread", [FLOOR, TREE]),
                (f"floor + statx, {cores} threads, no order",
                 [FLOOR, "--stat", "--threads", str(cores), TREE]),
                ("find -type f", ["find", TREE, "-type", "f"]),
                ("mvfind --threads 1", [MVFIND, "--threads", "1", "-s", "--binaries", TREE])]
    if base:
        commands.append(("mvfind before", [os.path.join(base, "mvfind"), "-s", "--binaries", TREE]))
    job("name only, every file", commands)
    for title, pattern in PATTERNS + [("ignore case, rare literal", LITERAL)]:
        case = ["-i"] if title.startswith("ignore") else []
        commands = [("hgrep -c", [HGREP, "-c", *case, pattern, BIG]),
                    ("grep -c (LC_ALL=C)", [*c_locale, "grep", "-c", *case, pattern, BIG])]
        if base:
            commands.append(("hgrep before", [os.path.join(base, "hgrep"), "-c", *case, pattern, BIG]))
        job(f"hgrep -c, 300 MB: {title}", commands)


if __name__ == "__main__":
    main()
