#!/usr/bin/env bash
# Installs the Debian package on this machine as a user would, uses it, removes it and
# checks that nothing is left. For CI and scratch machines: it changes the system (root or
# sudo). Usage: tools/try_package.sh FOLDER_WITH_THE_PACKAGE
set -euo pipefail
deb=$(ls -t "${1:-build/package}"/mvfinder_*.deb | head -n 1)
as_root=()
if [[ $(id -u) -ne 0 ]]; then as_root=(sudo); fi
if dpkg-query -W -f='${db:Status-Status}' mvfinder 2>/dev/null | grep -q installed; then
  echo "try_package: mvfinder is installed already; remove it first" >&2
  exit 2
fi

export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get install -y -q "$(realpath "$deb")"
files=$(dpkg-query -L mvfinder)
/usr/bin/mvfind --help | sed -n 1p
MANWIDTH=80 man mvfind | grep -c "mvfind - " > /dev/null || { echo "try_package: man mvfind failed" >&2; exit 1; }
echo "man mvfind: ok"
pkg-config --modversion mvfindgrep
"${as_root[@]}" apt-get remove -y -q mvfinder

left=()
while IFS= read -r path; do
  [[ -z $path || -d $path ]] && continue
  [[ -e $path || -L $path ]] && left+=("$path")
done <<< "$files"
if dpkg-query -W -f='${db:Status-Status}' mvfinder 2>/dev/null | grep -qv not-installed; then
  left+=("(dpkg still lists mvfinder: $(dpkg-query -W -f='${db:Status-Status}' mvfinder))")
fi
if [[ ${#left[@]} -gt 0 ]]; then
  printf 'try_package: left behind: %s\n' "${left[@]}" >&2
  exit 1
fi
echo "try_package: installed, used and removed $(basename "$deb"); nothing left"
