#!/usr/bin/env python3
"""Prints the benchmark table (pattern x engine, MB/s) from regex_bench's JSON output and
the grep/rg timings of grep_rg.sh. MB is 10^6 bytes.

Usage: report.py BENCH_JSON GREP_RG_FOLDER CORPUS_BYTES
"""
import json
import os
import statistics
import sys

ENGINES = ["mvfindgrep", "reference", "pcre2_jit", "re2"]


def library_rates(path):
    """Median bytes per second per (engine, pattern) over the repetitions."""
    runs = {}
    with open(path) as f:
        for b in json.load(f)["benchmarks"]:
            if b.get("run_type") != "iteration" or "bytes_per_second" not in b:
                continue
            engine, pattern = b["run_name"].split("/", 1)
            runs.setdefault((engine, pattern), []).append(b["bytes_per_second"])
    return {k: statistics.median(v) for k, v in runs.items()}


def tool_rate(folder, tool, pattern, corpus_bytes):
    path = os.path.join(folder, f"{tool}-{pattern}.json")
    if not os.path.exists(path):
        return None
    with open(path) as f:
        result = json.load(f)["results"][0]
    return corpus_bytes / result["median"]


def main():
    bench_json, folder, corpus_bytes = sys.argv[1], sys.argv[2], int(sys.argv[3])
    rates = library_rates(bench_json)
    patterns = []
    for engine, pattern in rates:
        if pattern not in patterns and engine in ENGINES:
            patterns.append(pattern)
    header = ["pattern"] + ENGINES + ["grep -c", "rg -c -j1", "mvfindgrep / pcre2_jit"]
    print("| " + " | ".join(header) + " |")
    print("|" + "---|" * len(header))
    for p in patterns:
        row = [p]
        for e in ENGINES:
            r = rates.get((e, p))
            row.append(f"{r / 1e6:.0f}" if r else "n/a")
        for tool in ("grep", "rg"):
            r = tool_rate(folder, tool, p, corpus_bytes)
            row.append(f"{r / 1e6:.0f}" if r else "n/a")
        ours, pcre = rates.get(("mvfindgrep", p)), rates.get(("pcre2_jit", p))
        row.append(f"{ours / pcre:.2f}" if ours and pcre else "n/a")
        print("| " + " | ".join(row) + " |")
    for (engine, pattern), r in sorted(rates.items()):
        if engine not in ENGINES:
            print(f"{engine}/{pattern}: {r / 1e6:.0f} MB/s")


if __name__ == "__main__":
    main()
