#!/usr/bin/env bash
# Times mvfind against find, grep, ripgrep and the open-and-read floor on a tree copied
# from this machine's own files, and prints the ratios. See README.md.
#   bench/search/run.sh [BUILD_DIR]      (default: build-bench, made by `make bench`)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build-bench}" && pwd)
mvfind=$build/bin/mvfind
floor=$build/bin/open_read_floor
runs=${MVF_BENCH_RUNS:-10}
copies=${MVF_BENCH_COPIES:-3}
cache=${MVF_BENCH_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/mvf-bench}
tree=$cache/tree-$copies
results=$cache/results
for tool in hyperfine rg python3; do
  command -v "$tool" >/dev/null || { echo "run.sh: $tool is missing (make bench installs it)" >&2; exit 2; }
done
[[ -x $mvfind && -x $floor ]] || { echo "run.sh: build first: make bench" >&2; exit 2; }

# The benchmark tree, shared with the other searches' benchmarks.
"$root/bench/support/make_tree.sh" "$tree" "$copies"
mkdir -p "$results"
echo "Tree: $(find "$tree" -type f | wc -l) files, $(du -sh --apparent-size "$tree" | cut -f1)B"
# MVF_ENGINE_DIR: a folder holding another build of libmvfindgrep.so to measure with.
if [[ -n ${MVF_ENGINE_DIR:-} ]]; then export LD_LIBRARY_PATH=$MVF_ENGINE_DIR; fi
echo "Engine: $(readlink -f "$(ldd "$mvfind" | awk '/libmvfindgrep/ {print $3}')")"
echo "Machine: $(nproc) cores, $(uname -r); timings are wall-clock means of $runs warm runs"
echo

literal=PTHREAD_MUTEX_ROBUST
pattern='[a-z][a-z0-9_]*_mutex_t'

# bench NAME COMMAND... : one hyperfine comparison; the first command is the reference.
bench() {
  local name=$1
  shift
  hyperfine -N -i --output=pipe --warmup 2 --runs "$runs" --style none \
    --export-json "$results/$name.json" "$@" >/dev/null
  python3 - "$results/$name.json" "$name" <<'PY'
import json, sys
data = json.load(open(sys.argv[1]))["results"]
ours = data[0]
print(f"== {sys.argv[2]}  (ratio: mvfind's time over each one's; wall clock, and CPU user+system)")
for r in data:
    cpu = r["user"] + r["system"]
    ours_cpu = ours["user"] + ours["system"]
    print(f"  {r['mean']*1000:8.1f} ms ±{r['stddev']*1000:6.1f}  cpu {cpu*1000:7.1f} ms"
          f"   ratio {ours['mean']/r['mean']:5.2f}  cpu {ours_cpu/max(cpu, 1e-9):5.2f}   {r['command']}")
PY
}

# hits NAME COMMAND... : how many files a command lists (all tools must agree).
hits() {
  printf '  %-8s %6s files\n' "$1" "$("${@:2}" 2>/dev/null | wc -l)"
}

bench name-only "$mvfind -s --binaries $tree" "$floor $tree" "find $tree -type f"
echo
bench rare-literal "$mvfind -s -c --binaries -f $literal $tree" \
  "env LC_ALL=C grep -rl $literal $tree" "rg -l -j1 -uuu $literal $tree" "$floor --all $tree"
hits mvfind "$mvfind" -s -c --binaries -f "$literal" "$tree"
hits grep env LC_ALL=C grep -rl "$literal" "$tree"
hits rg rg -l -j1 -uuu "$literal" "$tree"
echo
bench ignore-case "$mvfind -s --binaries -f $literal $tree" \
  "env LC_ALL=C grep -rli $literal $tree" "rg -li -j1 -uuu $literal $tree"
hits mvfind "$mvfind" -s --binaries -f "$literal" "$tree"
hits grep env LC_ALL=C grep -rli "$literal" "$tree"
hits rg rg -li -j1 -uuu "$literal" "$tree"
echo
bench class-closure "$mvfind -s -c --binaries -f $pattern $tree" \
  "env LC_ALL=C grep -rl $pattern $tree" "rg -l -j1 -uuu $pattern $tree"
hits mvfind "$mvfind" -s -c --binaries -f "$pattern" "$tree"
hits grep env LC_ALL=C grep -rl "$pattern" "$tree"
hits rg rg -l -j1 -uuu "$pattern" "$tree"
