#!/bin/sh
# Installs every Debian package that building, testing and running Stallora needs.
# With the argument "packaging" also what `make package` and `make package-check` need to
# build and check the Debian package (make test needs none of it); with "bench" what the
# whole-process measurement (bench/whole_process.sh) needs: hyperfine and GNU time.
# Idempotent: when everything is present it prints nothing and changes nothing.
set -eu

PACKAGES="
  build-essential cmake ninja-build pkg-config
  libfmt-dev libgtest-dev libgmock-dev libbenchmark-dev libglpk-dev
  clang-14 libclang-rt-14-dev clang-format
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev qt6-svg-dev
  qt6-tools-dev qt6-l10n-tools qt6-image-formats-plugins qt6-translations-l10n
  fonts-dejavu-core fonts-liberation2
  xvfb xauth xdg-utils
"
# dpkg-shlibdeps (dpkg-dev) and file find the package's library dependencies; gzip compresses
# the manual pages, man-db and bsdextrautils (col) render them for the check; the rest checks
# the package and its desktop and AppStream files.
PACKAGING="
  dpkg-dev file gzip man-db bsdextrautils
  lintian appstream desktop-file-utils
"
BENCH="
  hyperfine time
"
case "${1:-}" in
  "") ;;
  packaging) PACKAGES="$PACKAGES $PACKAGING" ;;
  bench) PACKAGES="$PACKAGES $BENCH" ;;
  *) echo "usage: $0 [packaging|bench]" >&2; exit 2 ;;
esac

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
