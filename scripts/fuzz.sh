#!/bin/sh
# Runs every fuzz target for the given number of seconds, seeded from the test data (and
# from the third-party form files beside the project, when they are there). A target may
# name extra seed folders in fuzz/<name>.seeds, one path per line relative to the project.
set -eu
build=${1:-build-fuzz}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)

status=0
for exe in "$build"/bin/fuzz_*; do
  name=$(basename "$exe")
  short=${name#fuzz_}
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  seeds="$root/tests/data/$short"
  if [ -f "$root/fuzz/$short.seeds" ]; then
    seeds="$seeds $(sed "s|^|$root/|" "$root/fuzz/$short.seeds" | tr '\n' ' ')"
  fi
  for seed in $seeds; do
    [ -d "$seed" ] && find "$seed" -type f -size -64k -exec cp -n {} "$corpus/" \; 2>/dev/null || true
  done
  echo "== $name for ${seconds}s"
  "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/$name-" "$corpus" || status=1
done
exit $status
