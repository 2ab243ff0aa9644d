#!/usr/bin/env bash
# Installs the Debian packages a build step needs, and only those that are missing.
# Usage: tools/deps.sh GROUP...   (groups: base, gui, clang, lint, bench, fuzz)
set -euo pipefail

declare -A GROUP=(
  [base]="cmake ninja-build make g++ pkg-config libgtest-dev libgmock-dev locales python3"
  [gui]="qt6-base-dev libasound2-dev"
  [clang]="clang"
  [lint]="clang-tidy clang-format git"
  [bench]="libbenchmark-dev libpcre2-dev libre2-dev ripgrep hyperfine python3"
  [fuzz]="clang libclang-rt-14-dev"
)

wanted=()
for g in "$@"; do
  [[ -n "${GROUP[$g]+x}" ]] || { echo "deps.sh: unknown group '$g'" >&2; exit 2; }
  for p in ${GROUP[$g]}; do wanted+=("$p"); done
done

missing=()
for p in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "installed" ]] || missing+=("$p")
done
as_root=()
if [[ $(id -u) -ne 0 ]]; then as_root=(sudo); fi

if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -q
  "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The collation tests need a locale that orders names by dictionary rules.
if [[ " $* " == *" base "* ]] && ! locale -a 2>/dev/null | grep -qix 'en_US\.utf-\?8'; then
  echo "Generating the en_US.UTF-8 locale"
  "${as_root[@]}" localedef -i en_US -f UTF-8 en_US.UTF-8
fi
