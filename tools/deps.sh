#!/usr/bin/env bash
# Installs the Debian packages a build step needs, and only those that are missing.
# Usage: tools/deps.sh GROUP...   (groups: base, gui, accept, clang, lint, install, package,
# bench, fuzz)
# gui: Qt, the sound device library, and the font the splash picture is drawn with.
set -euo pipefail

declare -A GROUP=(
  [base]="cmake ninja-build make g++ pkg-config libgtest-dev libgmock-dev locales python3"
  [gui]="qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libasound2-dev shared-mime-info fonts-dejavu-core"
  [clang]="clang"
  [lint]="clang-tidy clang-format git"
  [bench]="libbenchmark-dev libpcre2-dev libre2-dev ripgrep hyperfine python3"
  [fuzz]="clang libclang-rt-14-dev"
  # Acceptance roads: their own X display, window manager and system tray; input,
  # window queries (libX11 through Python's ctypes) and screenshots; the desktop's "open"
  # (xdg-open) for found files opened with their default application; chattr, to make a
  # folder that even root cannot write to. The viewer's print tests read their PDF files
  # back with pdftotext.
  [accept]="xvfb xauth openbox trayer xdotool x11-utils libx11-6 imagemagick python3 xdg-utils file e2fsprogs poppler-utils"
  # Installing: the manual pages made from the programs' --help, and what the installation
  # test uses on the installed files (pkg-config and a C compiler for a program against the
  # library, the desktop's validators, man, bash's completion functions).
  [install]="help2man gzip gcc pkg-config desktop-file-utils appstream man-db bash-completion python3"
  # The Debian package: CPack's dpkg tools and dependency scan, and lintian's verdict.
  [package]="dpkg-dev file lintian"
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

# The collation tests' locale is made by the build, in its own folder, from the sources
# the locales package brings (cmake/MvfTestLocale.cmake).
