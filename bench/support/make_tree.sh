#!/usr/bin/env bash
# The benchmark tree, made once: COPIES copies of /usr/include and /usr/share/doc in TREE,
# without symbolic links, so that every program searches exactly the same regular files.
#   bench/support/make_tree.sh TREE COPIES
set -euo pipefail
tree=$1
copies=$2
[[ -f $tree.complete ]] && exit 0
echo "Building the tree in $tree ($copies copies of /usr/include and /usr/share/doc) ..."
rm -rf "$tree"
mkdir -p "$tree"
for ((i = 1; i <= copies; i++)); do
  cp -a /usr/include "$tree/include-$i"
  cp -a /usr/share/doc "$tree/doc-$i"
done
find "$tree" -type l -delete
touch "$tree.complete"
