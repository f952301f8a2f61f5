#!/usr/bin/env bash
# Two runs of the real program on one job, on a virtual X server under a small
# window manager: the second types (unsaved), the first types and saves; the
# second, brought to the front, says the file changed and keeps its work; its
# Ctrl+S asks instead of writing, and the first one's save stays on disk while
# the question is up and after 取消. Every wait polls with a bound. Skipped
# (77) where the X tools are missing.
#   tests/ui/two_programs_test.sh build/src/app/lingchuan
set -euo pipefail
if [ "${1:-}" = --session ]; then
  program=$2 job=$3
  fail() { echo "$*"; exit 1; }
  # Up to 15 seconds for a condition; quick, up to 2.
  poll() { for _ in $(seq 150); do "$@" && return 0; sleep 0.1; done; return 1; }
  quick() { for _ in $(seq 20); do "$@" && return 0; sleep 0.1; done; return 1; }
  openbox >/dev/null 2>&1 &
  trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
  poll xdotool get_num_desktops >/dev/null 2>&1 || fail "the window manager did not start"
  "$program" "$job" 2>/dev/null & first=$!
  "$program" "$job" 2>/dev/null & second=$!
  window() { xdotool search --all --pid "$1" --name "$2" 2>/dev/null | head -1; }
  titled() { [ "$(xdotool getwindowname "$1" 2>/dev/null)" = "$2" ]; }
  # A message box of the program at the front, which the keys then reach.
  box() { local b; b=$(window "$1" '^翎川$'); [ -n "$b" ] && [ "$(xdotool getactivewindow 2>/dev/null)" = "$b" ]; }
  nobox() { [ -z "$(window "$1" '^翎川$')" ]; }
  onDisk() { grep -q "\"Text1\": \"$1\"" "$job"; }
  poll window "$first" 'job.lcjob - 翎川' >/dev/null && poll window "$second" 'job.lcjob - 翎川' >/dev/null ||
    fail "the two windows did not open"
  w1=$(window "$first" 'job.lcjob - 翎川') w2=$(window "$second" 'job.lcjob - 翎川')
  poll titled "$w1" 'job.lcjob - 翎川' && poll titled "$w2" 'job.lcjob - 翎川' || fail "the job is not in both titles"
  # Item 1 has the focus in both, its cursor at the start: the second types 2
  # before its text, the first 1 and saves.
  xdotool windowactivate --sync "$w2" key 2
  poll titled "$w2" 'job.lcjob* - 翎川' || fail "the second's typing is not marked"
  xdotool windowactivate --sync "$w1" key 1 key ctrl+s
  poll onDisk 117 || fail "the first's save is not on disk"
  poll titled "$w1" 'job.lcjob - 翎川' || fail "the first's mark stayed after saving"
  # The second at the front: told once, its work kept. The toolkit tells a
  # program that it went to the back a tenth of a second after it did, and
  # only a program that was at the back comes to the front: the first stays
  # in front a little longer, and it is tried again a few times.
  front() { xdotool windowactivate --sync "$w1" sleep 0.3 windowactivate "$w2"; quick box "$second"; }
  front || front || front || fail "the second was not told of the change on disk"
  xdotool key Return
  poll nobox "$second" || fail "the message did not close"
  titled "$w2" 'job.lcjob* - 翎川' || fail "the second's work is no longer marked"
  # Its save asks; the first one's save stays on disk until the user chooses.
  xdotool key ctrl+s
  poll box "$second" || fail "the second's save did not ask"
  onDisk 117 || fail "the second's save wrote before asking"
  xdotool key Escape
  poll nobox "$second" || fail "the question did not close"
  onDisk 117 || fail "取消 wrote the file"
  titled "$w2" 'job.lcjob* - 翎川' || fail "the second's work is no longer marked after 取消"
  echo ok; exit
fi
for tool in xvfb-run xdotool openbox; do command -v "$tool" >/dev/null || exit 77; done
program=$(realpath "$1") self=$(realpath "$0") dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf '{"format": "lingchuan-workbook", "sheets": {"A2": {"Text1": "17"}}}' > "$dir/job.lcjob"
said=$(cd "$dir" && XDG_CONFIG_HOME=$dir QT_QPA_PLATFORM=xcb \
       xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$self" --session "$program" "$dir/job.lcjob" 2>/dev/null) || true
[ "$said" = ok ] || { echo "$said"; exit 1; }
