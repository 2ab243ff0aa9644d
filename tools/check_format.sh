#!/usr/bin/env bash
# Fails, naming each place, when a tracked C or C++ file is not formatted by the
# repository's .clang-format (make format rewrites them).
set -euo pipefail
cd "$(dirname "$0")/.."
if ! git rev-parse --git-dir > /dev/null 2>&1; then
  echo "check_format.sh: this is no git checkout" >&2
  exit 2
fi
mapfile -t files < <(git ls-files '*.c' '*.cc' '*.cpp' '*.h' '*.hpp')
if [[ ${#files[@]} -eq 0 ]]; then
  echo "check_format.sh: no tracked C or C++ file" >&2
  exit 2
fi
if clang-format --dry-run -Werror "${files[@]}"; then
  echo "check_format.sh: ${#files[@]} files formatted as .clang-format says"
else
  echo "check_format.sh: run 'make format' and commit the result" >&2
  exit 1
fi
