#!/bin/sh
# The built executables laid out as the package installs them (prefix/bin, prefix/share/stallora)
# and started by a user with a fresh home: the tool and the program must make the user's program
# directory with the demo workspace, work there, never write below the installed data, and
# leave the user's files alone on the next start.
set -eu
bin=$1       # the build's bin directory
source=$2    # the project's data directory
work=$(mktemp -d /tmp/stallora-installed-XXXXXX)
trap 'rm -rf "$work"' EXIT

prefix="$work/usr"
share="$prefix/share/stallora"
mkdir -p "$prefix/bin" "$share" "$work/home"
cp "$bin/stallora-cli" "$prefix/bin/"
if [ -x "$bin/stallora-cli-qt" ]; then mkdir -p "$prefix/lib/stallora" && cp "$bin/stallora-cli-qt" "$prefix/lib/stallora/"; fi
[ -x "$bin/stallora" ] && cp "$bin/stallora" "$prefix/bin/"
for item in dan.ini eng.ini Resources Save service; do cp -R "$source/$item" "$share/"; done
sums() { (cd "$share" && find . -print0 | sort -z | xargs -0 ls -ld --time-style=full-iso; \
          find . -type f -print0 | sort -z | xargs -0 md5sum); }
before=$(sums)

fail() { echo "FAIL: $*"; exit 1; }
user="$work/home/.local/share/stallora"

# First use through the tool.
out=$(HOME="$work/home" XDG_DATA_HOME= "$prefix/bin/stallora-cli" scan) || fail "scan: $out"
echo "$out" | grep -q '^Egebjerg$' || fail "the demo stable is not in the scan: $out"
echo "$out" | grep -q '^Modelhest-Stald$' || fail "the model-horse stable is not in the scan: $out"
[ -f "$user/dan.ini" ] || fail "no settings in $user"
[ -f "$user/Save/Egebjerg/Nova/Nova.eqh" ] || fail "no demo workspace in $user"
[ ! -e "$user/service" ] || fail "the service folder was copied"

# The user's change survives the next start; the tool's --program-dir still picks any directory.
printf 'Extra\r\n' >>"$user/Save/Egebjerg/Egebjerg.eqs"
rm -r "$user/Save/Egebjerg/Pjevs"
HOME="$work/home" "$prefix/bin/stallora-cli" scan >/dev/null || fail "second scan"
tail -c 7 "$user/Save/Egebjerg/Egebjerg.eqs" | grep -q Extra || fail "the user's stable file was replaced"
[ ! -e "$user/Save/Egebjerg/Pjevs" ] || fail "a deleted demo horse came back"
"$prefix/bin/stallora-cli" --program-dir "$share" check "$share/Save/Egebjerg/Egebjerg.eqs" >/dev/null \
  || fail "--program-dir on the installed data"

# XDG_DATA_HOME decides where the directory is made.
HOME="$work/home" XDG_DATA_HOME="$work/xdg" "$prefix/bin/stallora-cli" scan >/dev/null || fail "scan with XDG_DATA_HOME"
[ -f "$work/xdg/stallora/Save/Modelhest-Stald/Modelhest-Stald.eqs" ] || fail "nothing in \$XDG_DATA_HOME/stallora"

# The program itself, first start of a second user, in a virtual display.
if [ -x "$prefix/bin/stallora" ] && command -v xvfb-run >/dev/null; then
  unset QT_QPA_PLATFORM
  mkdir -p "$work/home2"
  status=0
  HOME="$work/home2" XDG_DATA_HOME= STALLORA_SCREENSHOT="$work/shot.png" STALLORA_SCREENSHOT_DELAY=3000 \
    STALLORA_SCREENSHOT_CLOSE=1 timeout 90 xvfb-run -a -s "-screen 0 1280x900x24" "$prefix/bin/stallora" \
    --no-splash >"$work/out.txt" 2>"$work/err.txt" || status=$?
  [ "$status" -eq 0 ] || { cat "$work/err.txt"; fail "stallora ended with status $status"; }
  [ -f "$work/home2/.local/share/stallora/stallora.pref" ] || fail "the program did not close in its own directory"
  [ -f "$work/home2/.local/share/stallora/Save/Egebjerg/Egebjerg.eqs" ] || fail "the program made no demo workspace"
fi

[ "$(sums)" = "$before" ] || fail "something was written below the installed data"
echo "OK: installed layout made the user's program directory and kept the user's files"
