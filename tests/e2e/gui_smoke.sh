#!/bin/sh
# The program as a user starts it: on a copy of the demo workspace in a virtual X display,
# opens a horse, takes a screenshot and closes its windows the ordinary way. It must stay
# up until then, end with status 0, and leave the workspace readable and complete.
set -eu
bin=$1       # the build's bin directory (program, tool and installed data)
source=$2    # the project's data directory (the demo workspace)
work=$(mktemp -d /tmp/stallora-e2e-XXXXXX)
trap 'rm -rf "$work"' EXIT

cp "$bin/stallora" "$bin/stallora-cli" "$work/"
for item in "$source"/*; do
  case "$(basename "$item")" in service|README.md) ;; *) cp -R "$item" "$work/" ;; esac
done
# Asked from a terminal without a display, the program answers and ends.
help=$(env -u DISPLAY -u QT_QPA_PLATFORM "$work/stallora" --help) || { echo "stallora --help failed"; exit 1; }
case "$help" in "Usage: stallora"*--no-splash*) ;; *) echo "stallora --help printed: $help"; exit 1 ;; esac
version=$(env -u DISPLAY -u QT_QPA_PLATFORM "$work/stallora" --version)
want=$(sed -n 's/.*kProgramVersionText = "\(.*\)";/\1/p' "$bin/../generated/core/version.h")
if [ "$version" != "stallora $want" ]; then echo "stallora --version printed '$version', not 'stallora $want'"; exit 1; fi
before=$("$work/stallora-cli" --program-dir "$work" --save-dir "$work/Save" scan)

# The widget tests run offscreen; this one wants the real (virtual) display.
unset QT_QPA_PLATFORM
status=0
STALLORA_SCREENSHOT="$work/shot.png" STALLORA_SCREENSHOT_DELAY=4000 STALLORA_SCREENSHOT_CLOSE=1 \
  STALLORA_OPEN_HORSE=Bella HOME="$work" \
  timeout 90 xvfb-run -a -s "-screen 0 1280x900x24" "$work/stallora" --no-splash \
  >"$work/out.txt" 2>"$work/err.txt" || status=$?
if [ "$status" -ne 0 ]; then
  echo "stallora ended with status $status"; cat "$work/err.txt"; exit 1
fi
if grep -q "no horse named" "$work/err.txt"; then
  echo "the demo horse was not found"; cat "$work/err.txt"; exit 1
fi
size=$(wc -c <"$work/shot.png" 2>/dev/null || echo 0)
if [ "$size" -lt 20000 ]; then
  echo "no screenshot, or an empty one ($size bytes)"; exit 1
fi
after=$("$work/stallora-cli" --program-dir "$work" --save-dir "$work/Save" scan)
if [ "$before" != "$after" ]; then
  echo "the workspace changed by opening and closing:"; echo "$before" >"$work/a"; echo "$after" >"$work/b"
  diff "$work/a" "$work/b" || true
  exit 1
fi
if [ -n "${STALLORA_E2E_SHOT:-}" ]; then cp "$work/shot.png" "$STALLORA_E2E_SHOT"; fi
echo "OK: started, opened Bella, took a $size-byte screenshot, closed with status 0"
