#!/usr/bin/env bash
# Installs what is missing, builds 翎川 and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target lingchuan

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display found; starting on a virtual X server (xvfb-run)" >&2
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" build/src/app/lingchuan "$@"
fi
exec build/src/app/lingchuan "$@"
