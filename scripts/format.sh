#!/bin/sh
# Rewrites the tracked C++ files of src/, tests/, bench/ and fuzz/ in the style of .clang-format.
set -eu
cd "$(dirname "$0")/.."
CLANG_FORMAT=${CLANG_FORMAT:-clang-format}
git ls-files -z 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h' |
  xargs -0 -r "$CLANG_FORMAT" -i --style=file
