#!/bin/sh
# stallora-cli starts without Qt: it links only the library, and hands the commands that
# need Qt (a report printed to PDF, the graphics report's charts) to stallora-cli-qt beside
# it. Without the helper those commands say what is missing; every other command works.
set -eu
bin=$1       # the build's bin directory
data=$2      # the project's data directory
work=$(mktemp -d /tmp/stallora-cli-split-XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

if readelf -d "$bin/stallora-cli" | grep NEEDED | grep -qi 'qt'; then
  fail "stallora-cli links Qt: $(readelf -d "$bin/stallora-cli" | grep NEEDED | grep -i qt)"
fi
readelf -d "$bin/stallora-cli-qt" | grep NEEDED | grep -q 'libQt6PrintSupport' || fail "the helper has no printing"
"$bin/stallora-cli" --help | grep -q '^Usage: stallora-cli' || fail "--help"

mkdir -p "$work/p"
cp "$data/dan.ini" "$work/p/"
cp -R "$data/Resources" "$data/Save" "$work/p/"
horse="$work/p/Save/Egebjerg/Nova/Nova.eqh"

# Through the helper: the PDF is printed, the chart pictures drawn.
"$bin/stallora-cli" --program-dir "$work/p" report feedplan "$horse" -o "$work/plan.htm" --pdf "$work/plan.pdf" \
  >"$work/out.txt" 2>&1 || fail "report --pdf: $(cat "$work/out.txt")"
[ "$(head -c 5 "$work/plan.pdf")" = "%PDF-" ] || fail "no PDF"
grep -q "plan.pdf" "$work/out.txt" || fail "the PDF is not named: $(cat "$work/out.txt")"
"$bin/stallora-cli" --program-dir "$work/p" report graphics "$horse" -o "$work/graphics.htm" >/dev/null 2>&1 ||
  fail "report graphics"
ls "$work/p/Save/Egebjerg/Nova/"*.jpg >/dev/null 2>&1 || fail "no chart pictures beside the horse"

# Without the helper.
mkdir -p "$work/alone"
cp "$bin/stallora-cli" "$work/alone/"
status=0
"$work/alone/stallora-cli" --program-dir "$work/p" report feedplan "$horse" -o "$work/plan2.htm" --pdf "$work/plan2.pdf" \
  >"$work/out2.txt" 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "status $status without the helper"
grep -q "This build has no printing" "$work/out2.txt" || fail "no message without the helper: $(cat "$work/out2.txt")"
[ -f "$work/plan2.htm" ] || fail "the page itself was not written"
"$work/alone/stallora-cli" --program-dir "$work/p" check "$horse" | grep -q '^OK$' || fail "check without the helper"
echo "OK: stallora-cli links no Qt and hands printing and charts to stallora-cli-qt"
