#!/usr/bin/env bash
# Makes docs/window-icon.png, the README's picture of the program's icon in
# the title bars: the main window with sheet A2 open, under a small window
# manager (openbox) on a virtual X server, taken with xwd. The window manager
# and the picture tools are installed only for this, and only when missing.
# Run on demand; CI does not run it.
set -euo pipefail
cd "$(dirname "$0")/.."

# Inside the virtual X server: the window manager, the program placed at
# (20, 40), the worked example's job file opened through 打开… (Ctrl+O, its
# path typed into the file dialog) so that the title names it, a click on
# 计算单A2 in its menu bar, then the screen.
if [ "${1:-}" = --session ]; then
  openbox 2>/dev/null & wm=$!
  sleep 1.5
  build/src/app/lingchuan 2>/dev/null & app=$!
  wid=$(xdotool search --sync --name '^翎川$' | head -1)
  xdotool windowmove "$wid" 20 40 windowsize "$wid" 960 720
  sleep 1
  xdotool windowactivate --sync "$wid" key ctrl+o
  sleep 1.5
  xdotool type --delay 20 "$2"
  xdotool key Return
  sleep 1.5
  xdotool mousemove 50 48 click 1 mousemove 1200 1000
  sleep 1.5
  xwd -root -silent | xwdtopnm 2>/dev/null | pnmcut -left 18 -top 18 -width 964 -height 750 | pnmtopng > docs/window-icon.png
  kill "$app" "$wm"
  exit 0
fi

scripts/setup.sh run test
tools=(openbox xdotool x11-apps netpbm)
missing=()
for p in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "window-icon-screenshot: installing ${missing[*]} for the picture"
  sudo_cmd=(); [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target lingchuan lingchuan-calc

# The worked example's sheet A2, calculated by the batch tool, as a job file.
jobs=$(mktemp -d)
echo '{"actions": ["A1", "A2.Text1=10", "A2.Text2=41", "A2.Text3=2", "A2.Text5=35", "A2.Text12=0.4",
  "A2.Text17=44.45", "A2.Command1"]}' | build/src/cli/lingchuan-calc run >"$jobs/gear-pair-A.lcjob"
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$0" --session "$jobs/gear-pair-A.lcjob"
rm -r "$jobs"
echo "window-icon-screenshot: docs/window-icon.png"
