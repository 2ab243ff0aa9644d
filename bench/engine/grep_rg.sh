#!/usr/bin/env bash
# Times `grep -c` and `rg -c -j1` on the benchmark corpus for the benchmark's patterns,
# for scale (whole-file searches, not one call per line). Writes hyperfine's JSON results
# into the output folder, one file per tool and pattern. The output goes to a pipe: with
# standard output on /dev/null, grep stops at the first match.
# Usage: bench/engine/grep_rg.sh CORPUS OUTPUT_FOLDER [RUNS]
set -euo pipefail
corpus=$1
out=$2
runs=${3:-3}
mkdir -p "$out"
export LC_ALL=C # byte semantics, as the library has

# name | grep (basic syntax) | rg (its own syntax; "-P " first for PCRE2)
patterns=(
  'rare_literal|posix_memalign|posix_memalign'
  'common_literal|int|int'
  'caseless_literal|-i license|-i license'
  'class_closure|[a-z]\+_t|[a-z]+_t'
  'leading_closure|.*foo|.*foo'
  'two_closures|a.*b.*c|a.*b.*c'
  'line_start|^#include|^#include'
  'line_end|;$|;$'
  'word_anchors|\<int\>|\bint\b'
  'back_reference|\([a-z][a-z]*\) \1\>|-P ([a-z][a-z]*) \1\b'
)
for entry in "${patterns[@]}"; do
    IFS='|' read -r name grep_pattern rg_pattern <<< "$entry"
    grep_args=() rg_args=()
    [[ $grep_pattern == "-i "* ]] && { grep_args+=(-i); grep_pattern=${grep_pattern#-i }; }
    [[ $rg_pattern == "-i "* ]] && { rg_args+=(-i); rg_pattern=${rg_pattern#-i }; }
    [[ $rg_pattern == "-P "* ]] && { rg_args+=(-P); rg_pattern=${rg_pattern#-P }; }
    hyperfine --style none --output=pipe --warmup 1 --runs "$runs" --ignore-failure \
        --export-json "$out/grep-$name.json" \
        "grep -c ${grep_args[*]} -e $(printf '%q' "$grep_pattern") $(printf '%q' "$corpus")" >/dev/null
    hyperfine --style none --output=pipe --warmup 1 --runs "$runs" --ignore-failure \
        --export-json "$out/rg-$name.json" \
        "rg -c -j1 ${rg_args[*]} -e $(printf '%q' "$rg_pattern") $(printf '%q' "$corpus")" >/dev/null
    echo "$name: grep $(grep -c "${grep_args[@]}" -e "$grep_pattern" "$corpus" || true) lines," \
         "rg $(rg -c -j1 "${rg_args[@]}" -e "$rg_pattern" "$corpus" || true) lines"
done
