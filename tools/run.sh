#!/usr/bin/env bash
# Starts the finder when it has been built; until then says what was built.
set -euo pipefail
bin="${1:-build}/bin"
if [[ -x "$bin/MVFinder" ]]; then
  exec "$bin/MVFinder"
fi
echo "The finder's window is not built yet. Built in $bin:"
for f in "$bin"/*; do
  [[ -e "$f" ]] || continue
  case "$(basename "$f")" in
    libmvfindgrep.so) echo "  libmvfindgrep.so  the pattern engine (C interface: engine/include/mvfindgrep.h)";;
    hgrep)            echo "  hgrep             grep over the engine: $bin/hgrep --help";;
    mvfind)           echo "  mvfind            the finder's search from a shell: $bin/mvfind --help";;
    vantorviewer)     echo "  vantorviewer      the viewer: $bin/vantorviewer [file ...]";;
    *)                echo "  $(basename "$f")";;
  esac
done
