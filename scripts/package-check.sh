#!/bin/sh
# Builds the Debian package and checks it as a user gets it: lintian, the files it must hold,
# its desktop and AppStream files, the manual page against --help, and the packaged tool and
# program run from a throw-away root (dpkg -x): every installed record file checked, the demo
# template scanned, and a user's first start that writes nothing below the installed data.
#   scripts/package-check.sh [package build directory]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-package}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
appstream_id=example.stallora.Stallora

# lintian warnings that are accepted, each with its reason (one tag a line: "tag  # why").
accepted_warnings="
"

"$root/scripts/install-deps.sh" packaging
make -C "$root" package PACKAGE_BUILD="$build"

version=$(sed -n 's/^project(Stallora VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
deb="$build/stallora_${version}_amd64.deb"
[ -f "$deb" ] || { echo "FAIL: $deb was not built"; exit 1; }

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

work=$(mktemp -d /tmp/stallora-package-XXXXXX)
trap 'rm -rf "$work"' EXIT

echo "== $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends Installed-Size

# ---- lintian: no errors; warnings only those accepted above
echo "== lintian"
lintian --info --display-info --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1 || true
cat "$work/lintian.txt"
if grep -q '^E: ' "$work/lintian.txt"; then fail "lintian reports errors"; else ok "no lintian errors"; fi
for tag in $(sed -n 's/^W: [^:]*: \([^ ]*\).*/\1/p' "$work/lintian.txt" | sort -u); do
  if printf '%s\n' "$accepted_warnings" | grep -q "^$tag "; then ok "accepted warning $tag"; else fail "lintian warning $tag"; fi
done

# ---- the files a user needs, where the desktop looks for them
echo "== contents"
dpkg-deb --contents "$deb" >"$work/contents.txt"
dpkg -x "$deb" "$work/root"
R="$work/root"
for f in usr/bin/stallora usr/bin/stallora-cli usr/lib/stallora/stallora-cli-qt \
         usr/share/stallora/dan.ini usr/share/stallora/eng.ini \
         usr/share/stallora/Resources/EPListe.eqe usr/share/stallora/Resources/behovsliste.txt \
         usr/share/stallora/Resources/fpinf45.txt usr/share/stallora/Resources/treatmentregister45.txt \
         "usr/share/stallora/Save/Feeds/45/Standard foderliste.eqf" \
         usr/share/stallora/Save/Modelhest-Stald/Modelhest-Stald.eqs \
         usr/share/stallora/service/45/currentversion.txt \
         usr/share/applications/stallora.desktop usr/share/icons/hicolor/scalable/apps/stallora.svg \
         "usr/share/metainfo/$appstream_id.metainfo.xml" \
         usr/share/man/man1/stallora.1.gz usr/share/man/man1/stallora-cli.1.gz \
         usr/share/doc/stallora/copyright usr/share/doc/stallora/changelog.gz \
         usr/share/doc/stallora/screenshots/main-window.png; do
  [ -f "$R/$f" ] || fail "missing /$f"
done
[ ! -e "$R/usr/share/stallora/README.md" ] || fail "the data folder's README is installed"
ok "$(grep -c . "$work/contents.txt") entries"
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks the Qt libraries (shlibdeps)"
# The tool itself starts without Qt; only its helper for printing and charts loads it.
if readelf -d "$R/usr/bin/stallora-cli" | grep NEEDED | grep -q 'libQt6'; then fail "stallora-cli links Qt"; else ok "stallora-cli links no Qt"; fi

desktop-file-validate "$R/usr/share/applications/stallora.desktop" && ok "desktop entry valid" \
  || fail "desktop-file-validate"
appstreamcli validate --no-net "$R/usr/share/metainfo/$appstream_id.metainfo.xml" && ok "metainfo valid" \
  || fail "appstreamcli validate"
# The screenshot the metainfo announces is the one shipped, at the size it states.
shot="$R/usr/share/doc/stallora/screenshots/main-window.png"
stated=$(sed -n 's/.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)".*/\1 x \2/p' \
  "$R/usr/share/metainfo/$appstream_id.metainfo.xml")
actual=$(file -b "$shot" | sed -n 's/^PNG image data, \([0-9]* x [0-9]*\),.*/\1/p')
[ -n "$stated" ] && [ "$stated" = "$actual" ] && ok "screenshot is $actual as the metainfo states" \
  || fail "screenshot is '$actual', the metainfo states '$stated'"
appstreamcli validate-tree --no-net "$R" >"$work/tree.txt" 2>&1 && ok "AppStream tree valid" \
  || { cat "$work/tree.txt"; fail "appstreamcli validate-tree"; }

# ---- the manual page has an entry for every command of --help and names every option
# anywhere in --help (the commands' own options too), each as a whole word
cli="$R/usr/bin/stallora-cli"
MANWIDTH=200 man -l "$R/usr/share/man/man1/stallora-cli.1.gz" 2>/dev/null | col -b >"$work/man.txt"
"$cli" --help >"$work/help.txt"
sed -n '/^Commands:/,$s/^  \([a-z][-a-z]*\).*/\1/p' "$work/help.txt" | sort -u >"$work/commands.txt"
grep -o -E -- '(^|[^-a-zA-Z])--?[a-z][-a-z]*' "$work/help.txt" | sed 's/^[^-]*//' | sort -u >"$work/options.txt"
sed -n '/^COMMANDS/,/^[A-Z]/p' "$work/man.txt" >"$work/man-commands.txt"
missing=""
while read -r word; do
  grep -q -E "^       $word( |\$)" "$work/man-commands.txt" || missing="$missing $word"
done <"$work/commands.txt"
while read -r word; do
  grep -q -E -- "(^|[^-a-zA-Z])$word([^-a-z]|\$)" "$work/man.txt" || missing="$missing $word"
done <"$work/options.txt"
[ "$(wc -l <"$work/commands.txt")" -ge 15 ] || fail "only $(wc -l <"$work/commands.txt") commands read from --help"
[ -z "$missing" ] && ok "manual page covers the $(wc -l <"$work/commands.txt") commands and $(wc -l <"$work/options.txt") options of --help" \
  || fail "manual page lacks:$missing"
[ "$("$cli" --version)" = "stallora-cli $version" ] && ok "--version is $version" || fail "--version"

# ---- the packaged tool on the installed data
echo "== stallora-cli --program-dir /usr/share/stallora"
data="$R/usr/share/stallora"
checked=0
find "$data" -type f | sort >"$work/files.txt"
while IFS= read -r f; do
  head -c 7 "$f" | grep -q '^object' || continue
  if out=$("$cli" --program-dir "$data" check "$f" 2>&1) && [ "$out" = "OK" ]; then
    checked=$((checked + 1))
  else
    fail "check ${f#"$R"}: $out"
  fi
done <"$work/files.txt"
[ "$checked" -ge 20 ] && ok "check: $checked record files OK" || fail "only $checked record files checked"

snapshot() { (cd "$R" && find . -print | sort && find . -type f -print0 | sort -z | xargs -0 md5sum); }
before=$(snapshot)
# A user's first start: the user's program directory is made, the installed data stays as it is.
home="$work/home"
mkdir -p "$home"
HOME="$home" XDG_DATA_HOME= "$cli" scan >"$work/scan-user.txt" 2>&1 || fail "scan as a new user: $(cat "$work/scan-user.txt")"
[ -f "$home/.local/share/stallora/Save/Egebjerg/Egebjerg.eqs" ] && ok "first use made ~/.local/share/stallora with the demo" \
  || fail "no demo workspace in the user's directory"
# A later start keeps what the user changed or deleted, and brings back an installed file the
# user lost.
U="$home/.local/share/stallora"
if [ -d "$U/Save/Egebjerg/Birk" ] && [ -f "$U/Resources/fpinf45.txt" ]; then
  printf '\r\n' >>"$U/dan.ini"
  rm -r "$U/Save/Egebjerg/Birk"
  rm "$U/Resources/fpinf45.txt"
  mine=$(md5sum "$U/dan.ini")
  HOME="$home" XDG_DATA_HOME= "$cli" scan >"$work/scan-again.txt" 2>&1 || fail "second scan: $(cat "$work/scan-again.txt")"
  [ "$(md5sum "$U/dan.ini")" = "$mine" ] && [ ! -e "$U/Save/Egebjerg/Birk" ] \
    && cmp -s "$U/Resources/fpinf45.txt" "$data/Resources/fpinf45.txt" \
    && ok "a second start kept the user's settings and deletion and restored a lost resource" \
    || fail "a second start overwrote or lost the user's files"
else
  fail "the first use made no Birk or fpinf45.txt to change"
fi
# A user whose data directory cannot be written gets a message naming the directory, not a
# crash (checked as an ordinary user: root writes anywhere).
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null && id nobody >/dev/null 2>&1; then
  locked="$work/locked"
  mkdir -p "$locked/.local/share"
  chmod 755 "$work"
  chmod -R a+rX "$R"
  chmod 555 "$locked/.local/share"
  status=0
  setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups env HOME="$locked" XDG_DATA_HOME= \
    "$cli" scan >"$work/locked.txt" 2>&1 || status=$?
  [ "$status" -eq 1 ] && grep -q "^Programmappen kan ikke bruges: $locked/.local/share/stallora" "$work/locked.txt" \
    && ok "an unwritable data directory is reported by name: $(cat "$work/locked.txt")" \
    || fail "unwritable data directory (status $status): $(cat "$work/locked.txt")"
fi
# The program as a new user starts it, in a virtual display, closed the ordinary way.
if command -v xvfb-run >/dev/null; then
  home2="$work/home2"
  mkdir -p "$home2"
  status=0
  env -u QT_QPA_PLATFORM HOME="$home2" XDG_DATA_HOME= STALLORA_SCREENSHOT="$work/shot.png" \
    STALLORA_SCREENSHOT_DELAY=4000 STALLORA_SCREENSHOT_CLOSE=1 \
    timeout 90 xvfb-run -a -s "-screen 0 1280x900x24" "$R/usr/bin/stallora" --no-splash \
    >"$work/gui.txt" 2>&1 || status=$?
  if [ "$status" -eq 0 ] && [ -f "$home2/.local/share/stallora/stallora.pref" ] && [ -s "$work/shot.png" ]; then
    ok "the packaged program started for a new user and closed ($(wc -c <"$work/shot.png") byte screenshot)"
    [ -n "${STALLORA_PACKAGE_SHOT:-}" ] && cp "$work/shot.png" "$STALLORA_PACKAGE_SHOT"
  else
    cat "$work/gui.txt"; fail "the packaged program (status $status)"
  fi
fi
[ "$(snapshot)" = "$before" ] && ok "nothing written below the installed tree by the user's starts" \
  || fail "a user's start wrote below the installed tree"

# The demo template scanned as the program directory itself: both stables, every horse, no
# start-up message.
"$cli" --program-dir "$data" scan >"$work/scan.txt" 2>&1 || fail "scan of the demo template: $(cat "$work/scan.txt")"
cat "$work/scan.txt"
for line in Egebjerg "  Birk" "  Nova" "  Pjevs" "  Sleipnir" Modelhest-Stald "  Bella" "  Comet" "  Freja" \
            "  Kasimir" "  Lotte" "  Solsikke" "  Storm" "  Tornado"; do
  grep -qx -- "$line" "$work/scan.txt" || fail "scan lacks '$line'"
done
# What a scan run on the template itself creates there (the start creates its temp folder).
after=$(snapshot)
written=$(printf '%s\n' "$before" "$after" | sort | uniq -u | sed -n 's|^\./|/|p')
[ -z "$written" ] || echo "note: the scan with --program-dir on the template created: $written"

echo
if [ "$failures" -eq 0 ]; then echo "package-check: all checks passed ($deb)"; else echo "package-check: $failures failed"; fi
[ "$failures" -eq 0 ]
