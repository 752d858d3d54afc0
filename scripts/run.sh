#!/bin/sh
# Starts Stallora from a build tree on the demo workspace every build copies beside the
# program (build/bin/Save): changes to the demo files last until the next build.
set -eu
build=${1:-build}
bin="$build/bin"

if [ ! -x "$bin/stallora" ]; then
  echo "The program was not built ($bin/stallora is missing); run 'make run' again after a full build." >&2
  exit 1
fi
exec "$bin/stallora" "$@"
