#!/usr/bin/env bash
# The finder's search through its session against mvfind, and the GUI thread's longest
# stall meanwhile. See README.md.
#   bench/finder/run.sh [BUILD_DIR]      (default: build-bench, made by `make bench`)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build-bench}" && pwd)
bench=$build/bin/session_bench
runs=${MVF_BENCH_RUNS:-5}
copies=${MVF_BENCH_COPIES:-3}
cache=${MVF_BENCH_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/mvf-bench}
tree=$cache/tree-$copies
small=$cache/small-100k
[[ -x $bench && -x $build/bin/mvfind ]] || { echo "run.sh: build first: make bench" >&2; exit 2; }
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

# The benchmark tree, shared with the other searches' benchmarks.
"$root/bench/support/make_tree.sh" "$tree" "$copies"
# 100,000 small text files in 100 folders; five masks list each five times: 500,000 hits.
if [[ ! -f $small.complete ]]; then
  echo "Building $small (100,000 small files) ..."
  rm -rf "$small"
  python3 - "$small" <<'PY'
import os, sys
top = sys.argv[1]
for d in range(100):
    folder = os.path.join(top, "d%03d" % d)
    os.makedirs(folder)
    for f in range(1000):
        with open(os.path.join(folder, "f%04d.txt" % f), "w") as out:
            out.write("small file %d\n" % f)
PY
  touch "$small.complete"
fi
echo "Machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg); $runs runs each, in turns"
echo

echo "== content search over the benchmark tree (aim: session at most 1.1 x mvfind)"
"$bench" --runs "$runs" -s -c -f PTHREAD_MUTEX_ROBUST "$tree"
echo
echo "== 500,000 hits (aim: session at most 1.2 x mvfind, GUI stall under 50 ms)"
"$bench" --runs "$runs" -s -m '*.txt,*.txt,*.txt,*.txt,*.txt' "$small"
