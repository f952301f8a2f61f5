#!/usr/bin/env bash
# Installs what building and running 翎川 needs (scripts/packages/run.txt),
# builds it and starts it. Without a display it shows what the program
# calculates instead: sheet A2's worked example through lingchuan-calc.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh run

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLC_TESTS=OFF >/dev/null

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cmake --build build --target lingchuan-calc
  cat <<'TEXT'

run: 没有图形显示（DISPLAY 与 WAYLAND_DISPLAY 均未设置），不打开窗口。
run: 以下是 lingchuan-calc 算出的计算单A2算例（Z1 10，Z2 41，m 2，β 35，x 0.4，刀盘半径 44.45）：

TEXT
  build/src/cli/lingchuan-calc table A2 < docs/examples/a2-worked-example-batch.json
  cat <<'TEXT'

run: 要使用程序窗口，请在桌面会话中运行 scripts/run.sh；远程登录时用 ssh -X 连接，
run: 或用 scripts/package.sh 制作软件包，安装后从应用程序菜单启动“翎川”。
TEXT
  exit 0
fi
cmake --build build --target lingchuan
exec build/src/app/lingchuan "$@"
