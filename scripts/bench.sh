#!/bin/sh
# Runs every benchmark of a release build and prints the figures.
set -eu
build=${1:-build-release}
for b in "$build"/bin/*_bench; do
  echo "== $(basename "$b")"
  "$b"
done
