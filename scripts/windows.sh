#!/usr/bin/env bash
# The Windows build of 翎川, cross-built with Debian's MinGW-w64 and proven
# under Wine against the Linux build. WINDOWS_PROGRAMS=all, the default, makes
# the whole program; batch the batch tool alone (no Qt):
#   1. GMP, MPFR (and for all a static Qt and dxflib) from Debian's own source
#      packages, built once into the cache outside the clone
#      (scripts/windows-deps.sh);
#   2. lingchuan-calc.exe (for all also lingchuan.exe, lingchuan-report.exe and
#      lingchuan-replay.exe) in build-windows/build, statically linked, and the
#      installer lingchuan-VERSION-win64.exe and the portable .zip in
#      build-windows/package;
#   3. under Wine (a scratch prefix, on a virtual X server of its own):
#      the installer installs silently (for all registering the .lcjob job
#      files); the installed lingchuan-calc.exe gives byte for byte the Linux
#      output on the worked examples and COUNT generated workbooks (default
#      400, fixed SEED, default 16); for all: lingchuan-replay.exe, offscreen,
#      replays REPLAY_COUNT generated documents (default 100) through the
#      windows as the Linux lingchuan-calc runs them; the installed
#      lingchuan-report.exe writes the worked example's PDF with the Linux
#      PDF's text apart from the printing date, and the installed example
#      job's DXF byte for byte as on Linux; the installed lingchuan.exe
#      shows its window, a message and sheet A2's worked example typed with
#      real key events (SCREENSHOTS=DIR keeps pictures of both); the
#      uninstaller removes what was installed.
# Run scripts/setup.sh first.
set -euo pipefail
cd "$(dirname "$0")/.."

root=$PWD/build-windows
jobs=${JOBS:-2}
count=${COUNT:-400}
seed=${SEED:-16}
replay_count=${REPLAY_COUNT:-100}
programs=${WINDOWS_PROGRAMS:-all}
case $programs in all | batch) ;; *) echo "windows: WINDOWS_PROGRAMS is all or batch" >&2; exit 2 ;; esac
if [ "$programs" = all ]; then
  for tool in xdotool xclip; do
    command -v "$tool" >/dev/null || { echo "windows: WINDOWS_PROGRAMS=all needs $tool (apt install $tool)" >&2; exit 2; }
  done
fi
linux_build=${LINUX_BUILD:-build}

step() { printf '\n--- %s (%d s in) ---\n' "$*" "$SECONDS"; }
fail() { echo "windows: $*" >&2; exit 1; }
SECONDS=0
mkdir -p "$root"

# 1. What the programs link against
step "GMP, MPFR, Qt and dxflib for Windows (cached in ${LC_CACHE:-$HOME/.cache/lingchuan})"
if [ "$programs" = all ]; then . scripts/windows-deps.sh all; else . scripts/windows-deps.sh gmp; fi

# 2. The programs and the installer
step "the Windows programs and the installer"
if [ "$programs" = all ]; then
  prefixes="$LC_DEPS_PREFIX;$LC_QT_PREFIX;$LC_DXF_PREFIX"
  targets=(lingchuan lingchuan-calc lingchuan-report lingchuan-replay)
  options=(-DCMAKE_PREFIX_PATH="$LC_QT_PREFIX" -DQT_HOST_PATH=/usr
           -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DLC_GUI=ON)
else
  prefixes=$LC_DEPS_PREFIX targets=(lingchuan-calc) options=(-DLC_GUI=OFF)
fi
rm -rf "$root/build/CMakeCache.txt" "$root/package"
LC_WINDOWS_PREFIX=$prefixes cmake -S . -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" "${options[@]}" -DLC_TESTS=OFF -DLC_BENCH=OFF >/dev/null
cmake --build "$root/build" -j"$jobs" --target "${targets[@]}"
(cd "$root/build" && cpack -B "$root/package" >/dev/null) || fail "CPack failed"
installer=$(ls "$root"/package/lingchuan-*-win64.exe)
ls -l "$installer" "$root"/package/lingchuan-*-win64.zip | awk '{print "windows: " $5 " bytes " $NF}'
if [ "$programs" = all ]; then
# Windows' own DLLs only: nothing of Qt, the C++ runtime or MinGW beside the program.
dlls=$(x86_64-w64-mingw32-objdump -p "$root/build/src/app/lingchuan.exe" | sed -n 's/^\tDLL Name: //p' | sort -u)
echo "windows: lingchuan.exe imports" $dlls
# api-ms-win-* are Windows' API sets (Windows 8 and later).
own='^(api-ms-win-[a-z0-9-]+|advapi32|comdlg32|dwmapi|dwrite|d3d9|gdi32|imm32|kernel32|msvcrt|ole32|oleaut32|setupapi|shell32|shcore|shlwapi|user32|userenv|uxtheme|version|winmm|winspool\.drv|ws2_32|authz|netapi32|mpr|wtsapi32|d3d11|dxgi|d2d1|crypt32|bcrypt|ntdll|comctl32|rpcrt4)(\.dll)?$'
for dll in $dlls; do
  echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$own" || fail "lingchuan.exe needs $dll, which Windows does not have"
done
fi

# 3. Under Wine
step "Linux programs for the comparison"
if [ ! -f "$linux_build/CMakeCache.txt" ]; then
  cmake -S . -B "$linux_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
linux_targets=(lingchuan-calc lc_random_workbooks)
if [ "$programs" = all ]; then linux_targets+=(lingchuan-report); fi
cmake --build "$linux_build" -j"$jobs" --target "${linux_targets[@]}" >/dev/null

# A Wine of its own, no prompts for the .NET and HTML engines, on a virtual X
# server of its own; both ended by their own ids at the end.
export WINEPREFIX=$root/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"
xvfb_pid=
finish() {
  wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap finish EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -fbdir "$root" 3>"$root/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$root/display" ] && break; sleep 0.1; done
[ -s "$root/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(cat "$root/display")
wineboot --init >/dev/null 2>&1

step "silent install"
wine "$installer" /S || fail "the installer failed"
prefix="$WINEPREFIX/drive_c/Program Files/Lingchuan"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/翎川"
installed=(bin/lingchuan-calc.exe doc/guide.md Uninstall.exe)
entries=("翎川 用户指南.lnk" 卸载翎川.lnk)
if [ "$programs" = all ]; then
  installed+=(bin/lingchuan.exe bin/lingchuan-report.exe doc/examples/gear-pair-A.lcjob doc/copyright) entries+=(翎川.lnk 示例.lnk)
fi
for f in "${installed[@]}"; do [ -f "$prefix/$f" ] || fail "the installer did not install $f"; done
for f in "${entries[@]}"; do [ -f "$menu/$f" ] || fail "no Start-menu entry $f"; done
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lingchuan' /v UninstallString >/dev/null 2>&1 ||
  fail "the uninstaller is not registered with Windows"
classes='HKLM\Software\Classes'
if [ "$programs" = all ]; then
  # The job files' type: .lcjob opened by the installed program, with its
  # icon. Exported as Windows writes it (UTF-16), the description being Chinese.
  value() { wine reg query "$classes\\$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'; }
  [ "$(value .lcjob)" = Lingchuan.Workbook ] || fail ".lcjob is not registered as Lingchuan.Workbook"
  wine reg export "$classes\\Lingchuan.Workbook" 'C:\lcjob.reg' /y >/dev/null 2>&1 || fail "no type Lingchuan.Workbook"
  diff <(iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/lcjob.reg" | tr -d '\r' | grep '^[[@]') - >&2 <<'EOF' ||
[HKEY_LOCAL_MACHINE\Software\Classes\Lingchuan.Workbook]
@="翎川计算文件"
[HKEY_LOCAL_MACHINE\Software\Classes\Lingchuan.Workbook\DefaultIcon]
@="C:\\Program Files\\Lingchuan\\bin\\lingchuan.exe,0"
[HKEY_LOCAL_MACHINE\Software\Classes\Lingchuan.Workbook\shell]
[HKEY_LOCAL_MACHINE\Software\Classes\Lingchuan.Workbook\shell\open]
[HKEY_LOCAL_MACHINE\Software\Classes\Lingchuan.Workbook\shell\open\command]
@="\"C:\\Program Files\\Lingchuan\\bin\\lingchuan.exe\" \"%1\""
EOF
    fail "the job files' type is not registered as above (<: registered, >: expected)"
  echo "windows: .lcjob registered as 翎川计算文件, opened by lingchuan.exe"
fi
echo "windows: installed into C:\\Program Files\\Lingchuan with its Start-menu entry and uninstaller"

step "the installed lingchuan-calc.exe and the Linux one"
exe=$prefix/bin/lingchuan-calc.exe
work=$root/compare
rm -rf "$work" && mkdir -p "$work/in" "$work/linux" "$work/windows"
"$linux_build/tests/lc_random_workbooks" "$seed" "$count" "$work/in"
# Runs every JOBS-th workbook from the PART-th on, on both systems.
run_part() {
  local i=0 doc name
  for doc in "$work"/in/*.json; do
    if [ $((i++ % jobs)) -ne "$1" ]; then continue; fi
    name=$(basename "$doc")
    "$linux_build/src/cli/lingchuan-calc" run <"$doc" >"$work/linux/$name"
    wine "$exe" run <"$doc" >"$work/windows/$name"
  done
}
pids=()
for ((part = 0; part < jobs; part++)); do run_part "$part" & pids+=($!); done
for pid in "${pids[@]}"; do wait "$pid"; done

files=$(ls "$work/in" | wc -l)
if ! diff -r "$work/linux" "$work/windows" >"$work/differences.txt"; then
  head -n 40 "$work/differences.txt" >&2
  fail "Linux and Windows outputs differ in $(grep -c '^diff ' "$work/differences.txt") of $files workbooks"
fi
printf 'windows: %d workbooks, byte for byte the same on Linux and Windows; of them\n' "$files"
# They must have reached every sheet and stopped at messages and at faults.
for what in '"B1": {' '"C": {' '"gears": {' '"pinionRightHand": true' '"outcome": "message"' \
            '"fault": "conversion"' '"fault": "invalid"' '"fault": "overflow"' '"fault": "division_by_zero"'; do
  n=$(grep -l -F "$what" "$work"/linux/*.json | wc -l)
  printf '  %4d with %s\n' "$n" "$what"
  [ "$n" -ne 0 ] || fail "no workbook with $what"
done

if [ "$programs" = all ]; then
step "lingchuan-replay.exe, offscreen, and the Linux lingchuan-calc"
replay=$root/replay-under-wine
printf '#!/bin/sh\nQT_QPA_PLATFORM=offscreen exec wine "%s" "$@"\n' "$root/build/src/tools/lingchuan-replay.exe" >"$replay"
chmod +x "$replay"
python3 tests/replay/replay_test.py "$replay" "$linux_build/src/cli/lingchuan-calc" "$replay_count" ||
  fail "the windows under Wine replay differently from the Linux batch tool"

step "the installed lingchuan-report.exe and the Linux one"
pdfs=$root/report
rm -rf "$pdfs" && mkdir -p "$pdfs"
"$linux_build/src/cli/lingchuan-calc" run <docs/examples/a2-worked-example-batch.json >"$pdfs/a2-worked-example.json"
"$linux_build/src/report/lingchuan-report" "$pdfs/a2-worked-example.json" -o "$pdfs/linux.pdf"
(cd "$pdfs" && wine "$prefix/bin/lingchuan-report.exe" a2-worked-example.json -o windows.pdf) ||
  fail "lingchuan-report.exe failed"
for os in linux windows; do pdftotext -layout "$pdfs/$os.pdf" - | grep -v '打印时间' >"$pdfs/$os.txt"; done
grep -q '2.785696' "$pdfs/linux.txt" || fail "the Linux PDF lacks the worked example's results"
diff "$pdfs/linux.txt" "$pdfs/windows.txt" >&2 || fail "the PDFs' texts differ beyond the date"
echo "windows: the worked example's PDF reads the same from both ($(wc -l <"$pdfs/linux.txt") lines)"
# The installed example job's blank drawing: the same bytes from both.
cp "$prefix/doc/examples/gear-pair-A.lcjob" "$pdfs/"
"$linux_build/src/report/lingchuan-report" --dxf "$pdfs/linux.dxf" "$pdfs/gear-pair-A.lcjob"
(cd "$pdfs" && wine "$prefix/bin/lingchuan-report.exe" --dxf windows.dxf gear-pair-A.lcjob) ||
  fail "lingchuan-report.exe --dxf failed"
cmp "$pdfs/linux.dxf" "$pdfs/windows.dxf" >&2 || fail "the DXF files of Linux and Windows differ"
echo "windows: the example job's DXF is byte for byte the same from both ($(wc -c <"$pdfs/linux.dxf") bytes)"

step "the installed lingchuan.exe: a message and sheet A2's worked example, typed"
# Real key events (XTest) on the virtual display; the texts are read back
# through the clipboard, which Wine shares with X: a message box copies its
# text on Ctrl+C, the main window a sheet's fields on Ctrl+Shift+C. Nothing
# waits a fixed time for the program: the copying key is pressed again each
# second until the clipboard holds what is awaited, for at most a minute.
clip=
copied() {  # KEY PATTERN...: true once a copy by KEY holds every PATTERN (TRIES times)
  local key=$1 pattern; shift
  for _ in $(seq "${TRIES:-60}"); do
    xdotool key "$key"
    sleep 1
    clip=$(timeout 10 xclip -o -selection clipboard 2>/dev/null || true)
    for pattern in "$@"; do printf '%s\n' "$clip" | grep -q -- "$pattern" || continue 2; done
    return 0
  done
  return 1
}
shot() {  # the display as it is (XGetImage on the root shows new windows black)
  [ -n "${SCREENSHOTS:-}" ] || return 0
  command -v pnmtopng >/dev/null || fail "SCREENSHOTS needs xwdtopnm and pnmtopng (apt install netpbm)"
  mkdir -p "$SCREENSHOTS" && xwdtopnm "$root/Xvfb_screen0" 2>/dev/null | pnmtopng >"$SCREENSHOTS/$1"
}
tab=$'\t'
wine "$prefix/bin/lingchuan.exe" & app_pid=$!
main=$(timeout 60 xdotool search --sync --onlyvisible --name '^翎川$' | head -1) || fail "no window titled 翎川"
# The menu bar's first command, 计算单A2, until the sheet is there to copy.
sheet=
for _ in $(seq 20); do
  xdotool mousemove --window "$main" 30 10 click 1
  if TRIES=3 copied ctrl+shift+c "^1$tab"; then sheet=yes; break; fi
done
[ -n "$sheet" ] || fail "lingchuan.exe showed no sheet A2"
# Enter along the empty input chain to 开始计算, and press it.
xdotool key --delay 150 Return Return Return Return Return Return space
copied ctrl+c 请输入必要的参数！ || fail "the message box does not read 请输入必要的参数！ (read: ${clip:0:400})"
shot windows-message.png
xdotool key Return
for text in 10 41 2 "" 0.4 44.45; do
  [ -z "$text" ] || xdotool type --delay 100 "$text"
  xdotool key --delay 150 Return
done
xdotool key space  # 开始计算 has the focus after the last field
# The worked example's 平面齿轮齿数Zc (row 6) and the gear's 节圆上弦齿厚 (row 42).
copied ctrl+shift+c "^6$tab.*${tab}42\.2018956920184" "^42$tab.*${tab}2\.785696" ||
  fail "sheet A2 after the worked example lacks row 6's 42.2018956920184 or row 42's 2.785696 (read: ${clip:0:400})"
shot windows-sheet-a2.png
kill "$app_pid" 2>/dev/null || true
wait "$app_pid" 2>/dev/null || true
echo "windows: the window titled 翎川 showed the message and computed the worked example"
fi

step "silent uninstall"
wine "$prefix/Uninstall.exe" /S || fail "the uninstaller failed"
# The uninstaller runs on from a copy of itself: wait for Wine to go idle.
wineserver --wait
[ ! -e "$prefix/bin/lingchuan-calc.exe" ] || fail "the uninstaller left the programs"
if wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lingchuan' >/dev/null 2>&1; then
  fail "the uninstaller left its registry key"
fi
[ ! -e "$menu" ] || fail "the Start-menu entries stayed"
for key in .lcjob Lingchuan.Workbook; do
  if wine reg query "$classes\\$key" >/dev/null 2>&1; then fail "the uninstaller left $classes\\$key"; fi
done
echo "windows: uninstalled"
echo "windows: done in $SECONDS s"
