#!/usr/bin/env bash
# The whole regular-expression benchmark: corpus, library line by line against the
# reference backtracker, PCRE2-JIT and RE2 (three repetitions each), grep and rg for
# scale, and the table. Run from the repository root after `make bench`.
# Usage: bench/engine/run_all.sh [OUTPUT_FOLDER]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-build-bench/regex-results}
mkdir -p "$out"
corpus=$("$here/make_corpus.sh")
export MVFG_BENCH_CORPUS=$corpus
build-bench/bench/regex_bench --benchmark_repetitions=3 --benchmark_min_time=0.5 \
    --benchmark_out="$out/regex_bench.json" --benchmark_out_format=json
"$here/grep_rg.sh" "$corpus" "$out/tools"
"$here/report.py" "$out/regex_bench.json" "$out/tools" "$(stat -c %s "$corpus")" | tee "$out/table.md"
