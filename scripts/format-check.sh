#!/bin/sh
# Lists the tracked C++ files of src/, tests/, bench/ and fuzz/ that differ from the style of
# .clang-format, with the number of lines clang-format would change; exits 1 when there is one.
set -eu
cd "$(dirname "$0")/.."
CLANG_FORMAT=${CLANG_FORMAT:-clang-format}
list=$(mktemp)
trap 'rm -f "$list"' EXIT
git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h' >"$list"
differ=0
while IFS= read -r file; do
  if ! "$CLANG_FORMAT" --style=file "$file" | cmp -s -- "$file" -; then
    lines=$("$CLANG_FORMAT" --style=file "$file" | diff -- "$file" - | grep -c '^<' || true)
    echo "$file: $lines lines"
    differ=$((differ + 1))
  fi
done <"$list"
if [ "$differ" -gt 0 ]; then
  echo "$differ of $(wc -l <"$list") files differ from .clang-format (make format rewrites them)" >&2
  exit 1
fi
