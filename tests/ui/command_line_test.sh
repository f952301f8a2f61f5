#!/usr/bin/env bash
# The real program started as a file manager starts it, `lingchuan JOB` (and
# a name beginning with a dash after "--" or as ./-x.lcjob), on a
# virtual X server under a small window manager: the job's texts must be in
# sheet A2's fields (copied by 复制本页数据, Ctrl+Shift+C, read back from the
# clipboard) and its name in the main window's title. Skipped (77) where the X tools are missing.
#   tests/ui/command_line_test.sh build/src/app/lingchuan
set -euo pipefail
if [ "${1:-}" = --session ]; then
  openbox >/dev/null 2>&1 &
  sleep 1
  "$2" "${@:3}" 2>/dev/null &
  trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
  wid=$(timeout 20 xdotool search --sync --name '翎川' | head -1)
  sleep 1.5
  xdotool getwindowname "$wid"
  xdotool windowactivate --sync "$wid" key ctrl+shift+c sleep 0.5
  xclip -o -selection clipboard; exit
fi
for tool in xvfb-run xdotool xclip openbox; do command -v "$tool" >/dev/null || exit 77; done
program=$(realpath "$1") self=$(realpath "$0") dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# A job of sheet A2 alone, with texts no new sheet has, named as users name them.
printf '{"format": "lingchuan-workbook", "sheets": {"A2": {"Text1": "17", "Text2": "43"}}}' | tee "$dir/图号 1234.lcjob" > "$dir/-x.lcjob"
opens() {  # the title expected, then the arguments
  table=$(cd "$dir" && XDG_CONFIG_HOME=$dir QT_QPA_PLATFORM=xcb \
          xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$self" --session "$program" "${@:2}")
  [ "$(head -1 <<<"$table")" = "$1" ] || { echo "${*:2}: title: $(head -1 <<<"$table")"; exit 1; }
  grep -qP '^1\t[^\t]*\t[^\t]*\t17\t' <<<"$table" && grep -qP '^2\t[^\t]*\t[^\t]*\t43\t' <<<"$table" ||
    { echo "${*:2}: the job's texts are not in sheet A2:"; printf '%s\n' "$table" | head -3; exit 1; }
}
opens "图号 1234.lcjob - 翎川" "图号 1234.lcjob"
opens "-x.lcjob - 翎川" -- -x.lcjob
opens "-x.lcjob - 翎川" ./-x.lcjob
