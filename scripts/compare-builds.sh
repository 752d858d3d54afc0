#!/bin/sh
# Compares two builds of stallora-cli byte for byte on what they read and write:
#   scan of the demo workspace and of a generated one (older energy lines, a quoted "NRC",
#     damaged and unreadable files, horses too old for their category, two guarantee feed
#     lists, so that the scan migrates, reports and saves): the tree and messages printed,
#     the exit status, and every file of the program directory afterwards;
#   format, check and check --syntax of every record file of both workspaces and of every
#     form file of the third-party corpus (../shared/corpus/objtext-real): output, messages
#     and exit status.
# Usage: scripts/compare-builds.sh OLD_BIN_DIR NEW_BIN_DIR
set -eu

old=$(cd "$1" && pwd)/stallora-cli
new=$(cd "$2" && pwd)/stallora-cli
here=$(cd "$(dirname "$0")/.." && pwd)
data=$here/data
corpus=$here/../shared/corpus/objtext-real
work=$(mktemp -d /tmp/stallora-compare-XXXXXX)
trap 'rm -rf "$work"' EXIT
today=2030-01-15
failures=0

fail() {
  echo "DIFFERENT: $*"
  failures=$((failures + 1))
}

# The demo workspace and, beside it, stables made of the demo's horses with older files.
make_workspace() {
  dir=$1
  mkdir -p "$dir"
  cp "$data/dan.ini" "$data/eng.ini" "$dir/"
  cp -R "$data/Resources" "$data/Save" "$dir/"
  feeds="$dir/Save/Feeds/45"
  sed -e "s/ForlisteNavn = 'Nordhavre Foder'/ForlisteNavn = 'Nordhavre Gammel'/" \
      -e 's/GarantiForlisteVersjon = 3/GarantiForlisteVersjon = 2/' \
      "$feeds/Nordhavre Foder.eqf" >"$feeds/Nordhavre Gammel.eqf"
  for s in 1 2 3 4 5 6 7 8 9 10 11 12; do
    stable="$dir/Save/Gaard$s"
    mkdir -p "$stable"
    sed "s/stallNavn = 'Egebjerg'/stallNavn = 'Gaard$s'/" "$data/Save/Egebjerg/Egebjerg.eqs" >"$stable/Gaard$s.eqs"
    for h in "$data"/Save/Egebjerg/*/ "$data"/Save/Modelhest-Stald/*/; do
      name=$(basename "$h")$s
      mkdir -p "$stable/$name"
      cp "$h"/*.eqh "$stable/$name/$name.eqh"
    done
  done
  # Older files: the energy line of an earlier version, in a stable and in horses; a feed
  # name holding the letters in a quoted string is no such line.
  sed -i 's/EnergiBeregning = fransk/EnergiBeregning = NRC1989/' "$dir/Save/Gaard2/Gaard2.eqs"
  for f in "$dir"/Save/Gaard3/*/*.eqh; do sed -i 's/EnergiBeregning = fransk/EnergiBeregning = NRC/' "$f"; done
  sed -i "s/Fornavn = '\\([^']*\\)'/Fornavn = '\\1 NRC'/" "$dir/Save/Gaard4/Nova4/Nova4.eqh"
  # Damaged and unreadable ones.
  printf "object THest\r\n  Navn = 'Brudt\r\nend\r\n" >"$dir/Save/Gaard5/Birk5/Birk5.eqh"
  printf "object TStall\r\n  Ukendt = 1\r\nend\r\n" >"$dir/Save/Gaard6/Gaard6.eqs"
  mkdir -p "$dir/Save/Gaard7/Tom7/Tom7.eqh"
  mkdir -p "$dir/Save/.skjult"
  cp "$dir/Save/Gaard8/Gaard8.eqs" "$dir/Save/.skjult/.skjult.eqs"
  # Sync tools' conflict copies on every level the scan searches (the save directory, the
  # feed lists, a stable's and a horse's directory, a copied directory) and one below them,
  # which is not searched; the program's temporary files beside records, and a directory
  # and a link with such names, which stay.
  s9=$dir/Save/Gaard9
  cp "$dir/Save/HorseOwners.txt" "$dir/Save/HorseOwners (conflicted copy 2026-12-01).txt"
  cp "$feeds/Nordhavre Foder.eqf" "$feeds/Nordhavre Foder.sync-conflict-20261201-101010-ABCDEFG.eqf"
  cp "$s9/Gaard9.eqs" "$s9/Gaard9 (Case Conflict).eqs"
  cp -R "$s9/Birk9" "$s9/Birk9.sync-conflict-20261201-101010-ABCDEFG"
  cp "$s9/Nova9/Nova9.eqh" "$s9/Nova9/Nova9_conflict-20261201-101010.eqh"
  mkdir -p "$s9/Nova9/Noter"
  cp "$s9/Nova9/Nova9.eqh" "$s9/Nova9/Noter/Nova9 (conflicted copy 2026-12-01).eqh"
  printf 'halv' >"$s9/.Gaard9.eqs.0a1b2c3d.tmp"
  printf 'halv' >"$s9/Nova9/.Nova9.eqh.deadbeef.tmp"
  printf 'halv' >"$s9/Pjevs9/.Pjevs9.eqh.part"
  mkdir -p "$s9/Pjevs9/.gemt.part"
  ln -s ../Gaard9.eqs "$s9/Pjevs9/.link.0a1b2c3d.tmp"
}

make_workspace "$work/ws"

# ---- scan
# Both builds scan a copy at the same path (a mix list keeps its own file name), which is then
# kept under the build's side.
for side in old new; do
  eval "cli=\$$side"
  cp -R "$work/ws" "$work/run"
  status=0
  "$cli" --program-dir "$work/run" --today $today scan >"$work/$side.out" 2>"$work/$side.err" || status=$?
  echo "$status" >"$work/$side.status"
  mv "$work/run" "$work/$side"
done
cmp -s "$work/old.out" "$work/new.out" || fail "scan's tree: $(diff "$work/old.out" "$work/new.out" | head -5)"
cmp -s "$work/old.err" "$work/new.err" || fail "scan's messages: $(diff "$work/old.err" "$work/new.err" | head -5)"
cmp -s "$work/old.status" "$work/new.status" || fail "scan's exit status"
diff -r "$work/old" "$work/new" >"$work/files.diff" || fail "files after the scan: $(head -5 "$work/files.diff")"
# The tree, then "--", then the messages, a line each.
nodes=$(sed '/^--$/q' "$work/new.out" | sed '$d' | wc -l)
messages=$(sed '1,/^--$/d' "$work/new.out" | wc -l)
conflicts=$(sed '1,/^--$/d' "$work/new.out" | grep -c -i 'konflikt' || true)
[ -z "${SHOW:-}" ] || sed '1,/^--$/d' "$work/new.out"
migrated=$(grep -rl "EnergiBeregning = nrc2007" "$work/new/Save" | wc -l)
echo "scan: $nodes lines of tree, $messages messages ($conflicts of conflict copies), exit status $(cat "$work/new.status"), $migrated files with a migrated line; files after it: $(find "$work/new" -type f | wc -l)"

# ---- format, check and check --syntax
files=0
run_all() {
  for f in "$@"; do
    [ -f "$f" ] || continue
    files=$((files + 1))
    for cmd in "format" "check" "check --syntax"; do
      # shellcheck disable=SC2086
      a=$(set +e; "$old" --program-dir "$work/ws" $cmd "$f" 2>&1; echo "status $?")
      # shellcheck disable=SC2086
      b=$(set +e; "$new" --program-dir "$work/ws" $cmd "$f" 2>&1; echo "status $?")
      [ "$a" = "$b" ] || fail "$cmd $f"
    done
  done
}
list=$(mktemp)
find "$work/ws/Save" -type f \( -name '*.eq?' -o -name '*.mix' \) | sort >"$list"
[ -d "$corpus" ] && find "$corpus" -type f \( -name '*.lfm' -o -name '*.dfm' \) | sort >>"$list"
# shellcheck disable=SC2046
IFS='
'
set -- $(cat "$list")
unset IFS
run_all "$@"
rm -f "$list"
echo "format, check, check --syntax: $files files"
if [ "$failures" -ne 0 ]; then
  echo "FAIL: $failures differences"
  exit 1
fi
echo "OK: the builds read, print and write the same bytes"
