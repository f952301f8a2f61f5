#!/usr/bin/env bash
# The real program started as a file manager starts it, `lingchuan JOB`, on a
# virtual X server under a small window manager: the job's texts must be in
# sheet A2's fields (copied by 复制本页数据, Ctrl+Shift+C, read back from the
# clipboard) and its name in the main window's title. First --help and
# --version, which need no display, the help's columns aligned. Skipped (77)
# where the X tools are missing.
#   tests/ui/command_line_test.sh build/src/app/lingchuan
set -euo pipefail
# Tries a command every tenth of a second until it succeeds, at most $1 times.
poll() { local n=$1; shift; until "$@"; do ((--n > 0)) || return 1; sleep 0.1; done; }
if [ "${1:-}" = --session ]; then
  openbox >/dev/null 2>&1 &
  "$2" "$3" 2>/dev/null &
  trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
  wid=$(timeout 20 xdotool search --sync --name '翎川' | head -1)
  named() { [[ $(xdotool getwindowname "$wid") == *.lcjob* ]]; }
  copied() { xdotool windowactivate --sync "$wid" key ctrl+shift+c && [ -n "$(xclip -o -selection clipboard 2>/dev/null)" ]; }
  poll 100 named || true
  xdotool getwindowname "$wid"
  poll 50 copied && xclip -o -selection clipboard; exit
fi
program=$(realpath "$1") self=$(realpath "$0") dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
help=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$program" --help) || { echo "--help without a display"; exit 1; }
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$program" --version | grep -qx 'lingchuan [0-9.]*' || { echo "--version"; exit 1; }
# Every description starts in one column, Chinese characters two columns wide.
python3 -c 'import re, sys, unicodedata as u; w = lambda s: sum(1 + (u.east_asian_width(c) in "WF") for c in s)
c = {w(m[1]) for m in re.finditer(r"^(  \S.*?  +)\S", sys.argv[1], re.M)}; sys.exit(len(c) > 1 and f"help: {c}\n{sys.argv[1]}")' "$help"
for tool in xvfb-run xdotool xclip openbox; do command -v "$tool" >/dev/null || exit 77; done
# A job of sheet A2 alone, with texts no new sheet has, named as users name them.
printf '{"format": "lingchuan-workbook", "sheets": {"A2": {"Text1": "17", "Text2": "43"}}}' > "$dir/图号 1234.lcjob"
table=$(cd "$dir" && XDG_CONFIG_HOME=$dir QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$self" --session "$program" "图号 1234.lcjob")
[ "$(head -1 <<<"$table")" = "图号 1234.lcjob - 翎川" ] || { echo "title: $(head -1 <<<"$table")"; exit 1; }
grep -qP '^1\t[^\t]*\t[^\t]*\t17\t' <<<"$table" && grep -qP '^2\t[^\t]*\t[^\t]*\t43\t' <<<"$table" ||
  { echo "the job's texts are not in sheet A2:"; printf '%s\n' "$table" | head -3; exit 1; }
