#!/usr/bin/env bash
# Regenerates the window pictures from the real program: builds the picture
# maker and runs `lingchuan-screenshots DIR` on a virtual X server at 96 dots
# per inch.
# The program types the worked example into its own windows, presses their
# buttons and saves each window.
#
#   scripts/screenshots.sh              # into docs/
#   scripts/screenshots.sh DIR          # into DIR
#   SCALE=2 scripts/screenshots.sh DIR  # at a device pixel ratio of 2
#
# Run on demand; CI does not run it.
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-docs}
scale=${SCALE:-1}

scripts/setup.sh run test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target lingchuan-screenshots

# A screen large enough for the enlarged main window at scale 2.
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" \
  xvfb-run -a -s "-screen 0 2560x2048x24 -dpi 96" build/src/tools/lingchuan-screenshots "$out"
