#!/bin/sh
# Starts Stallora from a build tree on the shipped demo workspace. Until the main window
# exists, it shows what the command-line tool makes of the shipped data instead.
set -eu
build=${1:-build}
bin="$build/bin"

if [ -x "$bin/stallora" ]; then
  exec "$bin/stallora"
fi

echo "The main window is not built yet; this is stallora-cli on the installed data."
echo
"$bin/stallora-cli" --help
echo
found=0
for f in $(find "$bin" -type f \( -name '*.eqe' -o -name '*.pref' -o -name '*.eqf' -o -name '*.mix' \
                                   -o -name '*.eqs' -o -name '*.eqh' \) | sort); do
  found=1
  printf '%s: ' "${f#$bin/}"
  "$bin/stallora-cli" --program-dir "$bin" check "$f" || true
done
[ "$found" -eq 1 ] || echo "(no installed record files yet)"
