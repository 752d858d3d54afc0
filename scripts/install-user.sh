#!/bin/sh
# Installs a built Stallora for the current user, outside the build tree:
#   the program directory (executables and installed data) in $STALLORA_HOME
#     (default ~/.local/share/stallora),
#   links to `stallora` and `stallora-cli` in ~/.local/bin,
#   the menu entry and its icon.
# The demo workspace is copied only when the program directory has no workspace yet, so
# running this again (after a new build) never touches the user's stables and horses.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
dest=${STALLORA_HOME:-$HOME/.local/share/stallora}
bindir=$HOME/.local/bin
apps=$HOME/.local/share/applications
icons=$HOME/.local/share/icons/hicolor/scalable/apps

for exe in stallora stallora-cli; do
  if [ ! -x "$build/bin/$exe" ]; then
    echo "$build/bin/$exe is missing: build first (make run or make test)." >&2
    exit 1
  fi
done

mkdir -p "$dest" "$bindir" "$apps" "$icons"
cp "$build/bin/stallora" "$build/bin/stallora-cli" "$dest/"
# The tool's helper for the commands that need Qt (printing to PDF, charts, the online service).
[ -x "$build/bin/stallora-cli-qt" ] && cp "$build/bin/stallora-cli-qt" "$dest/"
# Settings, resources and the standard feed lists; the service folder is the test server's.
for item in "$root"/data/*; do
  name=$(basename "$item")
  case "$name" in
    Save|service|README.md) ;;
    *) cp -R "$item" "$dest/" ;;
  esac
done
if [ ! -e "$dest/Save" ]; then
  cp -R "$root/data/Save" "$dest/Save"
fi

ln -sf "$dest/stallora" "$bindir/stallora"
ln -sf "$dest/stallora-cli" "$bindir/stallora-cli"
cp "$root/data/stallora.svg" "$icons/stallora.svg"
sed "s|^Exec=.*|Exec=$dest/stallora|" "$root/data/stallora.desktop" > "$apps/stallora.desktop"

echo "Stallora is installed in $dest"
echo "Start it from the desktop menu or with: $bindir/stallora"
