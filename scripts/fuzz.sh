#!/bin/sh
# Runs every fuzz target for the given number of seconds, seeded from the test data (and
# from the third-party form files beside the project, when they are there).
set -eu
build=${1:-build-fuzz}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)

run() {
  name=$1; shift
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  for seed in "$@"; do
    [ -d "$seed" ] && find "$seed" -type f -size -64k -exec cp -n {} "$corpus/" \; 2>/dev/null || true
  done
  echo "== $name for ${seconds}s"
  "$build/bin/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/" "$corpus"
}

run fuzz_objtext "$root/tests/data/objtext" "$root/data" "$root/../shared/corpus/objtext-real"
