#!/usr/bin/env bash
# Builds the benchmark text: this machine's own documentation and headers, concatenated
# in a fixed order (compressed files unpacked, binary files left out), until at least
# MIN_MB megabytes. Prints the path of the corpus; an existing one is reused.
# Usage: bench/engine/make_corpus.sh [cache folder]
set -euo pipefail
cache=${1:-${XDG_CACHE_HOME:-$HOME/.cache}/mvfindgrep-bench}
min_mb=${MIN_MB:-100}
corpus=$cache/corpus.txt
mkdir -p "$cache"
if [[ -s $corpus ]] && (( $(stat -c %s "$corpus") >= min_mb * 1000000 )); then
    echo "$corpus"
    exit 0
fi
tmp=$corpus.partial
: > "$tmp"
want=$((min_mb * 1000000))
add() { # appends one file when it is text (no zero byte in it)
    local f=$1
    case $f in
        *.gz) zcat -- "$f" 2>/dev/null | tr -d '\000' >> "$tmp" || true ;;
        *) grep -Iq . -- "$f" 2>/dev/null && cat -- "$f" >> "$tmp" || true ;;
    esac
}
while IFS= read -r -d '' f; do
    add "$f"
    (( $(stat -c %s "$tmp") >= want )) && break
done < <(find /usr/share/doc /usr/include -type f \( -name '*.gz' -o ! -name '*.*z*' \) -print0 | sort -z)
size=$(stat -c %s "$tmp")
if (( size < want )); then
    echo "make_corpus.sh: only $size bytes of text found in /usr/share/doc and /usr/include" >&2
    exit 1
fi
mv "$tmp" "$corpus"
echo "$corpus"
