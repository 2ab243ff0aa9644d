#!/usr/bin/env bash
# Runs clang-tidy (the checks of .clang-tidy) on the C and C++ files a change touches.
#
# Usage: tools/tidy.sh [-p BUILD] [--list] [--all | --base REF | --since-landing] [FILE...]
#   (no option)      the files changed against origin/main (or main), committed or not
#   --base REF       the files changed since the point where HEAD left REF
#   --since-landing  the files changed since the previous landing: the last merge commit
#                    before HEAD on its first-parent line (the last commit's files when
#                    there is none). For CI: a changed .clang-tidy does not widen it.
#   --all            every file of the compile database
#   FILE...          these files
#   --list           only name the files that would be checked
# A changed header is checked through the files that include it; a changed .clang-tidy
# checks every file (not with --since-landing). It reads the compile database of the GCC
# build (BUILD, default build/, made by make build, so that Qt's generated files are there)
# as clang would be called: clang for gcc, without the options only GCC knows. Findings
# are printed once each; the exit status is 1 when there are any.
set -euo pipefail
cd "$(dirname "$0")/.."

build="build"
mode=default
base=
list=0
files=()
while [[ $# -gt 0 ]]; do
  case "$1" in
    -p) build="$2"; shift 2 ;;
    --all) mode=all; shift ;;
    --base) mode=base; base="$2"; shift 2 ;;
    --since-landing) mode=landing; shift ;;
    --list) list=1; shift ;;
    -h|--help) sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "tidy.sh: unknown option $1" >&2; exit 2 ;;
    *) mode=files; files+=("$1"); shift ;;
  esac
done

if ! git rev-parse --git-dir > /dev/null 2>&1; then
  echo "tidy.sh: this is no git checkout" >&2
  exit 2
fi
db="$build/compile_commands.json"
if [[ ! -f "$db" ]]; then
  echo "tidy.sh: no $db; run 'make build' first" >&2
  exit 2
fi
jobs="${JOBS:-$(nproc)}"
source_dir=$(pwd -P)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# The GCC build's commands as clang's: the compiler cache and GCC's own options dropped.
mkdir "$out/db"
python3 - "$db" "$out/db/compile_commands.json" <<'EOF'
import json, os, shlex, sys
GCC_ONLY = {"-Wno-restrict", "-Wrestrict", "-mno-direct-extern-access"}
entries = json.load(open(sys.argv[1]))
for e in entries:
    args = e.pop("arguments", None) or shlex.split(e.pop("command"))
    while args and os.path.basename(args[0]) in ("ccache", "sccache"):
        args = args[1:]
    args[0] = "clang" if e["file"].endswith(".c") else "clang++"
    e["arguments"] = [a for a in args if a not in GCC_ONLY]
json.dump(entries, open(sys.argv[2], "w"), indent=1)
EOF

# The files the compile database compiles from the source tree, one per line.
units=$(python3 - "$db" "$source_dir" <<'EOF'
import json, os, sys
db, source = sys.argv[1], sys.argv[2]
build = os.path.realpath(os.path.dirname(db))
for e in json.load(open(db)):
    f = os.path.realpath(os.path.join(e["directory"], e["file"]))
    if f.startswith(source + "/") and not f.startswith(build + "/"):
        print(os.path.relpath(f, source))
EOF
)

changed_since() { # the tracked files changed between REF and the working tree, and new ones
  git diff --name-only --diff-filter=d "$1" --
  git ls-files --others --exclude-standard
}

case "$mode" in
  all) selected="$units" ;;
  files) selected=$(printf '%s\n' "${files[@]}") ;;
  base)
    fork=$(git merge-base "$base" HEAD) || { echo "tidy.sh: no common commit with $base" >&2; exit 2; }
    selected=$(changed_since "$fork") ;;
  landing)
    landing=$(git rev-list --first-parent --merges -n 1 HEAD~1 2>/dev/null || true)
    if [[ -n "$landing" ]]; then
      echo "tidy.sh: files changed since the landing $(git log -1 --format='%h %s' "$landing")" >&2
      selected=$(changed_since "$landing")
    else
      echo "tidy.sh: no earlier landing in this checkout; the last commit's files" >&2
      selected=$(git diff --name-only --diff-filter=d HEAD~1 HEAD -- 2>/dev/null || true)
    fi ;;
  default)
    ref=$(git rev-parse --verify -q origin/main || git rev-parse --verify -q main || true)
    if [[ -z "$ref" ]]; then
      echo "tidy.sh: neither origin/main nor main here; checking every file" >&2
      selected="$units"
    else
      selected=$(changed_since "$(git merge-base "$ref" HEAD)")
    fi ;;
esac

# New checks may find something anywhere (every file takes tens of minutes on two cores, too
# long for CI, which runs the new checks on what changes from then on).
if [[ $mode != landing ]] && grep -qx '.clang-tidy' <<< "$selected"; then
  echo "tidy.sh: .clang-tidy changed; checking every file" >&2
  selected="$units"
fi

# Headers are checked through the files that include them, directly or through other
# headers (matched by name, which may take in a few more files than needed). For CI
# (--since-landing), through one such file only, a changed one when there is: that finds
# what is wrong in the header, and keeps a change to a header most files include short.
targets=$(UNITS="$units" SELECTED="$selected" MODE="$mode" python3 - <<'EOF'
import os, re, subprocess
units = set(os.environ["UNITS"].split())
selected = [f for f in os.environ["SELECTED"].split() if re.search(r"\.(c|cc|cpp|cxx|h|hh|hpp)$", f)]
include = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)

def includes(path):
    try:
        with open(path, errors="replace") as f:
            return {os.path.basename(n) for n in include.findall(f.read())}
    except OSError:
        return set()

wanted = {f for f in selected if f in units}
headers = {os.path.basename(f) for f in selected if re.search(r"\.(h|hh|hpp)$", f)}
tracked = subprocess.run(["git", "ls-files", "*.h", "*.hh", "*.hpp"], capture_output=True,
                         text=True).stdout.split() if headers else []

def includers(names):
    """The compiled files that include one of NAMES, directly or through other headers."""
    names = set(names)
    while True:
        more = {os.path.basename(h) for h in tracked if includes(h) & names} - names
        if not more:
            break
        names |= more
    return {u for u in units if includes(u) & names}

if os.environ["MODE"] == "landing":
    for header in sorted(headers):
        reached = includers([header])
        if reached and not reached & wanted:
            wanted.add(min(reached))
elif headers:
    wanted |= includers(headers)
print("\n".join(sorted(wanted)))
EOF
)

if [[ -z "$targets" ]]; then
  echo "tidy.sh: no C or C++ file to check"
  exit 0
fi
if [[ $list -eq 1 ]]; then
  echo "$targets"
  exit 0
fi
count=$(wc -l <<< "$targets")
echo "tidy.sh: clang-tidy on $count file(s), $jobs at a time"

# Diagnostics only for the project's own headers: those under its tracked top folders.
# shellcheck disable=SC2016 # a sed expression, not a shell one
regex_escape() { sed 's/[][\.*^$()+?{}|]/\\&/g'; }
tops=$(git ls-files | awk -F/ 'NF > 1 { print $1 }' | sort -u | regex_escape | paste -sd'|')
header_filter="^$(regex_escape <<< "$source_dir")/(${tops})/"

status=0
# shellcheck disable=SC2016
xargs -P "$jobs" -I{} sh -c '
  log="$1/$(printf %s "$2" | tr / _).log"
  clang-tidy -p "$3" --quiet --header-filter="$4" --extra-arg=-Wno-unknown-warning-option \
    "$2" > "$log" 2>&1 || echo "$2" >> "$1/failed"
' _ "$out" {} "$out/db" "$header_filter" <<< "$targets" || status=1

# A header's finding comes once for every file that includes it: print each once.
findings=$(cat "$out"/*.log 2> /dev/null | awk '
  /^[^ ].*:[0-9]+:[0-9]+: (warning|error): / { keep = !seen[$0]++; if (keep) n++ }
  /^[0-9]+ (warnings?|errors?) generated/ { next }
  /^Suppressed|^Use -header-filter|^Error while processing/ { next }
  keep { print }
  END { if (n) printf "tidy.sh: %d finding(s)\n", n }')
if [[ -n "$findings" ]]; then
  echo "$findings"
  exit 1
fi
if [[ -s "$out/failed" || $status -ne 0 ]]; then
  echo "tidy.sh: clang-tidy failed without a finding on: $(sort "$out/failed" 2>/dev/null | paste -sd' ')"
  cat "$out"/*.log
  exit 1
fi
echo "tidy.sh: no findings"
