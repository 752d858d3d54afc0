#!/bin/sh
# Whole-process figures of the command-line tool and the program, each beside `cat` of the
# same bytes, measured in one run on inputs generated into a temporary directory:
#   check --syntax of a 20 MB and a 200 MB stable file;
#   check and format of a 200 MB feed list;
#   scan of 200 x 25 and 800 x 25 horses (cat of every file the scan and the start read);
#   the program at 20,000 horses: first paint, first input answered, the slowest answer to
#   input while the workspace is read, and the whole tree in (the program's own timing,
#   STALLORA_STARTUP_TIMING, in a virtual display);
#   stallora-cli --help.
# Times are medians of hyperfine runs: wall clock, and user+sys CPU beside it, which is the
# figure to compare when the machine is shared (a loaded machine's wall clock is mostly the
# wait for a core). Peak memory is the maximum resident set size from /usr/bin/time.
#
# Usage: bench/whole_process.sh [BIN_DIR]   (default build-release/bin)
#   RUNS=n     runs per measurement (default 10; 5 for the 200 MB inputs)
#   KEEP=dir   generate into dir and keep it (else a temporary directory, removed at the end)
#   PARTS="syntax check scan help gui"   what to measure (default all)
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$here/build-release/bin}" && pwd)
data=$here/data
runs=${RUNS:-10}
bigruns=${BIGRUNS:-5}
cli=$bin/stallora-cli
want() { case " ${PARTS:-syntax check scan help gui} " in *" $1 "*) return 0 ;; esac; return 1; }
gui=$bin/stallora

for tool in hyperfine /usr/bin/time awk; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh bench)" >&2; exit 1; }
done
[ -x "$cli" ] || { echo "no $cli: build the release tree first" >&2; exit 1; }

if [ -n "${KEEP:-}" ]; then
  work=$KEEP
  mkdir -p "$work"
else
  work=$(mktemp -d /tmp/stallora-whole-XXXXXX)
fi
xvfb_pid=""
cleanup() {
  # Waited for: a run straight after this one would otherwise find the display still taken.
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  if [ -z "${KEEP:-}" ]; then rm -rf "$work"; fi
}
trap cleanup EXIT INT TERM

# ---------------------------------------------------------------- inputs

# A feed list of at least $1 bytes: the demo list's feeds repeated (each block as written).
feed_list() {
  awk -v target="$1" -v indent="$2" '
    BEGIN { n = 0; infeed = 0 }
    /^  object TFor\r?$/ { infeed = 1; block = "" }
    infeed { block = block indent $0 "\n"; if ($0 ~ /^  end\r?$/) { blocks[n++] = block; infeed = 0 }; next }
    !started { header = header $0 "\n"; if ($0 ~ /ErGarantiForliste/) started = 1 }
    END {
      printf "%s", header
      size = length(header); i = 0
      while (size < target) { printf "%s", blocks[i % n]; size += length(blocks[i % n]); i++ }
    }' "$data/Save/Feeds/45/Standard foderliste.eqf"
}

# A stable file of about $1 bytes: the demo stable whose feed list holds that many feeds.
stable_file() {
  awk '{ print } /^    ErGarantiForliste/ { exit }' "$data/Save/Egebjerg/Egebjerg.eqs"
  feed_list "$1" "  " | awk 'f { print } /ErGarantiForliste/ { f = 1 }'
  printf '  end\r\nend\r\n'
}

# A program directory: the settings, the installed resources and the demo feed lists.
program_dir() {
  mkdir -p "$1/Save/Feeds"
  cp "$data/dan.ini" "$data/eng.ini" "$1/"
  cp -R "$data/Resources" "$1/"
  cp -R "$data/Save/Feeds/45" "$1/Save/Feeds/"
  cp "$data/Save/HorseOwners.txt" "$1/Save/"
}

# $2 stables of 25 horses each (the demo's horses over and over) in program directory $1.
workspace() {
  program_dir "$1"
  proto=$1/proto
  mkdir -p "$proto"
  cp "$data/Save/Egebjerg/Egebjerg.eqs" "$proto/proto.eqs"
  i=0
  for h in $(seq -w 1 25); do
    src=$(ls -d "$data"/Save/Egebjerg/*/ | sed -n "$((i % 4 + 1))p")
    mkdir -p "$proto/Hest$h"
    cp "$src"/*.eqh "$proto/Hest$h/Hest$h.eqh"
    i=$((i + 1))
  done
  for s in $(seq -w 1 "$2"); do
    mkdir "$1/Save/Stald$s"
    cp -R "$proto"/Hest* "$1/Save/Stald$s/"
    cp "$proto/proto.eqs" "$1/Save/Stald$s/Stald$s.eqs"
  done
  rm -rf "$proto"
  # What `cat` reads for comparison: every file of the start and of the scan.
  (cd "$1" && { echo dan.ini; echo Resources/EPListe.eqe; echo Resources/behovsliste.txt;
                echo Resources/treatmentregister45.txt; echo Save/HorseOwners.txt;
                find Save -type f \( -name '*.eqs' -o -name '*.eqh' -o -name '*.eqf' -o -name '*.mix' \) | sort; } \
     >"$1/files.txt")
}

today=2026-12-09
if [ ! -f "$work/generated" ]; then
  echo "Generating inputs in $work ..."
  stable_file 20000000 >"$work/stable20.eqs"
  stable_file 200000000 >"$work/stable200.eqs"
  feed_list 200000000 "" >"$work/feeds200.eqf"
  printf 'end\r\n' >>"$work/feeds200.eqf"
  workspace "$work/ws200" 200
  workspace "$work/ws800" 800
  # The first start writes the preferences; every measured one reads them.
  "$cli" --program-dir "$work/ws200" --today $today scan >/dev/null
  "$cli" --program-dir "$work/ws800" --today $today scan >/dev/null
  touch "$work/generated"
fi

# ---------------------------------------------------------------- measuring

mib() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1048576 }'; }

# Median wall time, median user+sys, in milliseconds, of a command run with hyperfine.
timed() {
  count=$1
  shift
  hyperfine -N --style none --warmup 1 --runs "$count" --export-json "$work/h.json" "$@" >/dev/null 2>&1 ||
    hyperfine -N --style none --warmup 1 --runs "$count" -i --export-json "$work/h.json" "$@" >/dev/null
  awk '
    /"median"/ { gsub(/[",]/, ""); median = $2 }
    /"user"/ { gsub(/[",]/, ""); user = $2 }
    /"system"/ { gsub(/[",]/, ""); sys = $2 }
    END { printf "%.1f %.1f", median * 1000, (user + sys) * 1000 }' "$work/h.json"
}

# Peak resident memory in KiB.
peak() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }

printf '\n%-26s %9s %9s %9s %9s %7s %7s %8s %8s %9s %9s\n' target "ms" "cpu ms" "cat ms" "cat cpu" "x cat" "x cpu" "MB/s" "cpu MB/s" "peak MiB" "file MiB"

# A measurement of a command against `cat` of its input, where $bytes is the input's size.
# Times: median wall clock and median user+sys CPU; MB/s from each.
measure() {
  name=$1 count=$2 bytes=$3 cmd=$4 catcmd=$5
  ours=$(timed "$count" "$cmd")
  cats=$(timed "$count" "$catcmd")
  # shellcheck disable=SC2086
  kib=$(peak $cmd)
  awk -v n="$name" -v w="${ours% *}" -v c="${ours#* }" -v kw="${cats% *}" -v kc="${cats#* }" -v b="$bytes" -v p="$kib" 'BEGIN {
    printf "%-26s %9.1f %9.1f %9.1f %9.1f %7.2f %7.2f %8.0f %8.0f %9.1f %9.1f\n", n, w, c, kw, kc, w / kw, c / (kc > 0 ? kc : 1),
           b / 1e6 / (w / 1000), b / 1e6 / ((c > 0 ? c : 1) / 1000), p / 1024, b / 1048576 }'
}

size() { wc -c <"$1" | tr -d ' '; }

cd "$work"
s20=$(size stable20.eqs)
s200=$(size stable200.eqs)
f200=$(size feeds200.eqf)
if want syntax; then
  measure "check --syntax 20 MB" "$runs" "$s20" "$cli check --syntax stable20.eqs" "cat stable20.eqs"
  measure "check --syntax 200 MB" "$bigruns" "$s200" "$cli check --syntax stable200.eqs" "cat stable200.eqs"
fi
if want check; then
  measure "check 200 MB feed list" "$bigruns" "$f200" "$cli --program-dir ws200 check feeds200.eqf" "cat feeds200.eqf"
  measure "format 200 MB feed list" "$bigruns" "$f200" "$cli --program-dir ws200 format feeds200.eqf" "cat feeds200.eqf"
fi
want scan && for n in 200 800; do
  cd "$work/ws$n"
  bytes=$(xargs -d '\n' cat <files.txt | wc -c)
  # (xargs starts one cat for all the files: the list is too long for one argument)
  measure "scan ${n} x 25" "$runs" "$bytes" "$cli --program-dir . --today $today scan" "xargs -d '\\n' -a files.txt cat"
  cd "$work"
done
want help && measure "--help" "$((runs * 5))" 0 "$cli --help" "cat /dev/null"

# ---------------------------------------------------------------- the program

if want gui && [ -x "$gui" ] && command -v Xvfb >/dev/null; then
  # The program's own directory is the one it lies in: a copy beside the 800 x 25 workspace.
  cp "$gui" "$work/ws800/stallora"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { echo "the virtual display did not start" >&2; exit 1; }
  display=:$(cat "$work/display")
  echo
  echo "The program at 20,000 horses (ms after the launch; medians of $runs starts):"
  : >"$work/gui.txt"
  for _ in $(seq "$runs"); do
    DISPLAY=$display QT_QPA_PLATFORM=xcb STALLORA_STARTUP_TIMING=$(date +%s%N) \
      timeout 60 "$work/ws800/stallora" --no-splash 2>>"$work/gui.txt" >/dev/null || true
  done
  awk '
    $1 == "startup-timing" { for (i = 2; i <= NF; i += 2) { v[$i, ++n[$i]] = $(i + 1); keys[$i] = 1 } }
    function median(k,   m, i, j, t, a) {
      m = n[k]; for (i = 1; i <= m; i++) a[i] = v[k, i]
      for (i = 1; i <= m; i++) for (j = i + 1; j <= m; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
      return m % 2 ? a[(m + 1) / 2] : (a[m / 2] + a[m / 2 + 1]) / 2
    }
    END {
      split("paint input max-input-latency tree horses", order, " ")
      for (i = 1; i <= 5; i++) if (order[i] in keys) printf "  %-20s %8.1f\n", order[i], median(order[i])
    }' "$work/gui.txt"
  kib=$(DISPLAY=$display QT_QPA_PLATFORM=xcb STALLORA_STARTUP_TIMING=$(date +%s%N) \
        /usr/bin/time -f %M "$work/ws800/stallora" --no-splash 2>&1 >/dev/null | tail -1)
  echo "  peak memory          $(mib $((kib * 1024))) MiB"
fi
