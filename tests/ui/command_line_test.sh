#!/usr/bin/env bash
# The real program started as a file manager starts it, `lingchuan JOB`, on a
# virtual X server under a small window manager: the job's texts must be in
# sheet A2's fields (copied by 复制本页数据, Ctrl+Shift+C, and read back from
# the clipboard). Skipped (77) where the X tools are missing.
#   tests/ui/command_line_test.sh build/src/app/lingchuan
set -euo pipefail

if [ "${1:-}" = --session ]; then
  program=$2 job=$3
  openbox >/dev/null 2>&1 & wm=$!
  sleep 1
  "$program" "$job" 2>/dev/null & app=$!
  trap 'kill $app $wm 2>/dev/null || true' EXIT
  wid=$(timeout 20 xdotool search --sync --name '翎川' | head -1)
  sleep 1.5
  xdotool windowactivate --sync "$wid" key ctrl+shift+c
  sleep 0.5
  xclip -o -selection clipboard
  exit 0
fi

program=$(realpath "${1:?usage: command_line_test.sh PROGRAM}")
self=$(realpath "$0")
for tool in xvfb-run xdotool xclip openbox; do
  command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# A job of sheet A2 alone, with texts no new sheet has.
cat > "$dir/图号 1234.lcjob" <<'JOB'
{"format": "lingchuan-workbook", "version": 1,
 "sheets": {"A2": {"Text1": "17", "Text2": "43", "Text3": "3.5"}}}
JOB
table=$(cd "$dir" && XDG_CONFIG_HOME=$dir QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$self" --session "$program" "图号 1234.lcjob")
failures=0
for row in $'^1\t[^\t]*\t17\t' $'^2\t[^\t]*\t43\t' $'^3\t[^\t]*\t3.5\t'; do
  grep -qP "$row" <<<"$table" || { echo "the opened job's sheet A2 lacks the row $row:"; failures=1; }
done
[ "$failures" = 0 ] || { printf '%s\n' "$table" | head -8; exit 1; }
