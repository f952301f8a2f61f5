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
#   3. under Wine (a scratch prefix set to Simplified Chinese, on a virtual X
#      server of its own; every Wine call time-limited): the installer
#      installs silently (for all registering the .lcjob job files), its
#      uninstall entry and Start-menu entries as they must be; the installed
#      lingchuan-calc.exe gives byte for byte the Linux output on the worked
#      examples and COUNT generated workbooks (default 400, fixed SEED,
#      default 16); both tools write Chinese readably into a console of code
#      page 936 and UTF-8 into files; for all: lingchuan-replay.exe,
#      offscreen, replays REPLAY_COUNT generated documents (default 100)
#      through the windows as the Linux lingchuan-calc runs them; the
#      installed lingchuan-report.exe writes the worked example's PDF with the
#      Linux PDF's text apart from the printing date, and the installed
#      example job's DXF byte for byte as on Linux; the installed
#      lingchuan.exe shows its window, a message and sheet A2's worked example
#      typed with real key events, says so when there is no printer, and
#      prints on a printer added to the prefix without touching the job's
#      PDF; the Start menu's 翎川 用户指南 opens the guide window; installing
#      again over it, silently or cancelled, leaves 翎川 installed; the
#      portable .zip keeps its settings beside it (SCREENSHOTS=DIR keeps
#      pictures); the uninstaller removes what was installed.
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

# A Wine of its own, set to Simplified Chinese (its own dialogs in Chinese,
# code page 936, as a Chinese Windows), no prompts for the .NET and HTML
# engines, on a virtual X server of its own; both ended by their own ids at
# the end. Every Wine call has a time limit and says which step ran out of it.
export WINEPREFIX=$root/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"
xvfb_pid=
finish() {  # the steps still running in the background, Wine and its X server
  local running
  running=$(jobs -pr)
  [ -z "$running" ] || kill $running 2>/dev/null || true
  timeout 30 wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap finish EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -fbdir "$root" 3>"$root/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$root/display" ] && break; sleep 0.1; done
[ -s "$root/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(cat "$root/display")
# Simplified Chinese: glibc's locale for it built into the scratch folder, as
# the machine may lack it, so that Wine's file names stay UTF-8.
mkdir -p "$root/locale" && localedef -i zh_CN -f UTF-8 "$root/locale/zh_CN.UTF-8" || fail "no Chinese locale for Wine (apt install locales)"
zh=(env LOCPATH="$root/locale" LC_ALL=zh_CN.UTF-8)
win() {  # LIMIT STEP PROGRAM ARGS...: wine PROGRAM within LIMIT seconds
  local limit=$1 what=$2 rc=0
  shift 2
  "${zh[@]}" timeout "$limit" wine "$@" || rc=$?
  if [ "$rc" -eq 124 ]; then fail "$what: Wine did not finish within $limit s"; fi
  return "$rc"
}
idle() {  # STEP: until Wine has nothing left running, for at most two minutes
  timeout 120 wineserver --wait || fail "$1: Wine did not go idle within 120 s"
}
win 180 "starting Wine" wineboot --init >/dev/null 2>&1
# The user's folders (Documents…) are links to this machine's home: folders
# of the prefix instead, so that nothing here writes there.
find "$WINEPREFIX/drive_c/users" -maxdepth 2 -type l -lname '/*' -exec sh -c 'rm "$1" && mkdir "$1"' _ {} \;
documents=$(ls -d "$WINEPREFIX"/drive_c/users/*/Documents | grep -v /Public/)

step "silent install"
win 120 "silent install" "$installer" /S || fail "the installer failed"
prefix="$WINEPREFIX/drive_c/Program Files/Lingchuan"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/翎川"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lingchuan'
version=$(basename "$installer" | sed 's/^lingchuan-\(.*\)-win64\.exe$/\1/')
installed=(bin/lingchuan-calc.exe doc/guide.md Uninstall.exe)
entries=("翎川 用户指南.lnk" 卸载翎川.lnk)
if [ "$programs" = all ]; then
  installed+=(bin/lingchuan.exe bin/lingchuan-report.exe doc/examples/gear-pair-A.lcjob doc/copyright) entries+=(翎川.lnk 示例.lnk)
fi
check_installed() {  # WHEN: the programs, the Start-menu entries, the registered uninstaller of this version
  for f in "${installed[@]}"; do [ -f "$prefix/$f" ] || fail "$1: $f is not installed"; done
  for f in "${entries[@]}"; do [ -f "$menu/$f" ] || fail "$1: no Start-menu entry $f"; done
  win 30 "$1" reg query "$uninstall" /v DisplayVersion 2>/dev/null | LC_ALL=C grep -q "REG_SZ *$version" ||
    fail "$1: 翎川 $version is not registered with Windows"
}
check_installed "the silent install"
classes='HKLM\Software\Classes'
exported() {  # KEY: the key as Windows exports it (UTF-16 there), its keys and values
  win 30 "exporting $1" reg export "$1" 'C:\exported.reg' /y >/dev/null 2>&1 || fail "no key $1"
  iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/exported.reg" | tr -d '\r' | grep '^[[@"]'
}
# The uninstall entry as Windows lists it: its values and their types; the
# size in KB, a number, as the installed files take.
icon=lingchuan-calc.exe
if [ "$programs" = all ]; then icon=lingchuan.exe; fi
diff <(exported "$uninstall" | sed 's/^"EstimatedSize"=dword:\(.*\)/"EstimatedSize"=dword:SIZE/') - >&2 <<EOF ||
[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lingchuan]
"DisplayIcon"="C:\\\\Program Files\\\\Lingchuan\\\\bin\\\\$icon"
"DisplayName"="翎川"
"DisplayVersion"="$version"
"EstimatedSize"=dword:SIZE
"InstallLocation"="C:\\\\Program Files\\\\Lingchuan"
"NoModify"=dword:00000001
"NoRepair"=dword:00000001
"Publisher"="翎川"
"StartMenu"="翎川"
"UninstallString"="\\"C:\\\\Program Files\\\\Lingchuan\\\\Uninstall.exe\\""
EOF
  fail "the uninstall entry is not as above (<: registered, >: expected)"
size=$((16#$(exported "$uninstall" | sed -n 's/^"EstimatedSize"=dword://p')))
taken=$(du -sk "$prefix" | cut -f1)
[ $((size * 10)) -ge $((taken * 9)) ] && [ $((size * 10)) -le $((taken * 11)) ] ||
  fail "the uninstall entry's EstimatedSize is $size KB, the installed files take $taken KB"
if [ "$programs" = all ]; then
  # The job files' type: .lcjob opened by the installed program, with its icon.
  value() { win 30 "reading $1" reg query "$classes\\$1" /ve 2>/dev/null | tr -d '\r' | LC_ALL=C sed -n 's/.*REG_SZ *//p'; }
  [ "$(value .lcjob)" = Lingchuan.Workbook ] || fail ".lcjob is not registered as Lingchuan.Workbook"
  diff <(exported "$classes\\Lingchuan.Workbook") - >&2 <<'EOF' ||
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
  # 翎川 用户指南 starts the program's own guide window.
  guide_link=$menu/"翎川 用户指南.lnk"
  strings -a "$guide_link" | grep -qxF 'C:\Program Files\Lingchuan\bin\lingchuan.exe' &&
    strings -el "$guide_link" | grep -qxF -- --guide || fail "the Start-menu entry 翎川 用户指南 does not run lingchuan.exe --guide"
fi
# Explorer's details of each program: the product 翎川 and its copyright.
for f in "$prefix"/bin/*.exe; do
  python3 -c 'import sys; d = open(sys.argv[1], "rb").read().decode("utf-16-le", "replace")
sys.exit(not ("ProductName\0\0翎川" in d and "LegalCopyright\0© " in d))' "$f" ||
    fail "$(basename "$f") names no product 翎川 or no copyright in its version information"
done
echo "windows: installed into C:\\Program Files\\Lingchuan with its Start-menu entries and uninstall entry"
# Every text the installer shows is Chinese: each message it can give.
nsi=$root/package/_CPack_Packages/win64/NSIS/project.nsi
grep -hE '^\s*(MessageBox|DetailPrint|!define MUI_[A-Z_]*TEXT)' "$nsi" platform/windows/installer.nsh |
  LC_ALL=C grep -v "$(printf '[\200-\377]')" | grep -v 'Download failed\|environment for' >&2 &&
  fail "the installer says the above in English"

step "the installed lingchuan-calc.exe and the Linux one"
exe=$prefix/bin/lingchuan-calc.exe
work=$root/compare
rm -rf "$work" && mkdir -p "$work/in" "$work/linux" "$work/windows"
"$linux_build/tests/lc_random_workbooks" "$seed" "$count" "$work/in"
run_part() {  # PART: every JOBS-th workbook from the PART-th on, on both systems
  local i=0 doc name
  for doc in "$work"/in/*.json; do
    if [ $((i++ % jobs)) -ne "$1" ]; then continue; fi
    name=$(basename "$doc")
    "$linux_build/src/cli/lingchuan-calc" run <"$doc" >"$work/linux/$name" ||
      fail "part $1: the Linux lingchuan-calc failed on $name"
    windows_run "$1" "$name"
  done
}
# A failure the program reports itself (its own "lingchuan-calc:" line) is
# final; one where Wine ends it without a word from it (its loader, its
# server) is said and tried once more, and the output compared as any other.
windows_run() {  # PART NAME
  local err=$work/windows/$2.err rc attempt
  for attempt in first second; do
    rc=0
    win 60 "part $1, $2" "$exe" run <"$work/in/$2" >"$work/windows/$2" 2>"$err" || rc=$?
    if [ "$rc" -eq 0 ]; then rm -f "$err"; return 0; fi
    if [ "$attempt" = second ] || grep -q '^lingchuan-calc:' "$err"; then break; fi
    echo "windows: part $1: Wine ended lingchuan-calc.exe on $2 with status $rc without a word from it" \
      "($(head -c 300 "$err" | tr '\n' ' ')); once more" >&2
  done
  fail "part $1: lingchuan-calc.exe failed on $2 ($attempt attempt), status $rc: $(head -c 600 "$err")"
}
pids=()
for ((part = 0; part < jobs; part++)); do run_part "$part" & pids+=($!); done
for part in "${!pids[@]}"; do wait "${pids[$part]}" || fail "part $part of the workbooks failed (see above)"; done

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

# Chinese in a console of code page 936 (as a Chinese Windows has it), read
# back as the console draws it: conhost on a pseudo-terminal (script) writes
# its screen to it. Redirected to a file, the same programs write the Linux
# UTF-8 bytes.
consoles() {  # TOOL ARGS...: TOOL's output in a console and redirected
  local tool=$1 exe=$prefix/bin/$1.exe linux=$linux_build/src/cli/$1
  shift
  [ "$tool" = lingchuan-calc ] || linux=$linux_build/src/report/$tool
  "$linux" "$@" >"$work/$tool.linux"
  win 60 "$tool.exe $* to a file" "$exe" "$@" >"$work/$tool.windows" || fail "$tool.exe $* failed"
  cmp -s "$work/$tool.linux" "$work/$tool.windows" || fail "$tool.exe $* writes other bytes to a file than the Linux $tool"
  printf '@chcp 936 >nul\r\n@"C:\\Program Files\\Lingchuan\\bin\\%s.exe" %s\r\n' "$tool" "$*" >"$WINEPREFIX/drive_c/console.bat"
  timeout 90 script -qefc "${zh[*]} wine cmd /c 'C:\\console.bat'" /dev/null >"$work/$tool.console" ||
    fail "$tool.exe $* in a console: Wine failed or did not finish within 90 s"
  # The screen without its cursor movements, blanks and line breaks, which
  # depend on the console's width.
  perl -CSD -pe 's/\e\[[0-9;?]*[A-Za-z]//g; s/\s+//g' "$work/$tool.console" >"$work/$tool.screen"
  grep -qF -- "$(tr -d ' \t\n' <"$work/$tool.linux")" "$work/$tool.screen" ||
    fail "$tool.exe $* in a console of code page 936 reads: $(head -c 300 "$work/$tool.screen")"
}
consoles lingchuan-calc gears 0.5
if [ "$programs" = all ]; then consoles lingchuan-report --help; fi
echo "windows: in a console of code page 936 the tools' Chinese reads right; to a file they write UTF-8"

if [ "$programs" = all ]; then
step "lingchuan-replay.exe, offscreen, and the Linux lingchuan-calc"
replay=$root/replay-under-wine
cat >"$replay" <<EOF
#!/bin/sh
QT_QPA_PLATFORM=offscreen ${zh[*]} timeout 900 wine "$root/build/src/tools/lingchuan-replay.exe" "\$@"
rc=\$?
[ \$rc -ne 124 ] || echo "windows: the replay: Wine did not finish within 900 s" >&2
exit \$rc
EOF
chmod +x "$replay"
python3 tests/replay/replay_test.py "$replay" "$linux_build/src/cli/lingchuan-calc" "$replay_count" ||
  fail "the windows under Wine replay differently from the Linux batch tool"

step "the installed lingchuan-report.exe and the Linux one"
pdfs=$root/report
rm -rf "$pdfs" && mkdir -p "$pdfs"
"$linux_build/src/cli/lingchuan-calc" run <docs/examples/a2-worked-example-batch.json >"$pdfs/a2-worked-example.json"
"$linux_build/src/report/lingchuan-report" "$pdfs/a2-worked-example.json" -o "$pdfs/linux.pdf"
(cd "$pdfs" && win 120 "lingchuan-report.exe" "$prefix/bin/lingchuan-report.exe" a2-worked-example.json -o windows.pdf) ||
  fail "lingchuan-report.exe failed"
for os in linux windows; do pdftotext -layout "$pdfs/$os.pdf" - | grep -v '打印时间' >"$pdfs/$os.txt"; done
grep -q '2.785696' "$pdfs/linux.txt" || fail "the Linux PDF lacks the worked example's results"
diff "$pdfs/linux.txt" "$pdfs/windows.txt" >&2 || fail "the PDFs' texts differ beyond the date"
echo "windows: the worked example's PDF reads the same from both ($(wc -l <"$pdfs/linux.txt") lines)"
# The installed example job's blank drawing: the same bytes from both.
cp "$prefix/doc/examples/gear-pair-A.lcjob" "$pdfs/"
"$linux_build/src/report/lingchuan-report" --dxf "$pdfs/linux.dxf" "$pdfs/gear-pair-A.lcjob"
(cd "$pdfs" && win 120 "lingchuan-report.exe --dxf" "$prefix/bin/lingchuan-report.exe" --dxf windows.dxf gear-pair-A.lcjob) ||
  fail "lingchuan-report.exe --dxf failed"
cmp "$pdfs/linux.dxf" "$pdfs/windows.dxf" >&2 || fail "the DXF files of Linux and Windows differ"
echo "windows: the example job's DXF is byte for byte the same from both ($(wc -c <"$pdfs/linux.dxf") bytes)"

step "the installed lingchuan.exe: a message, sheet A2's worked example typed, printing"
# Real key events (XTest) on the virtual display, each sent to a window found
# by its title (told apart from others of that title by its size) once it has
# the focus; nothing is typed before its target is there. The texts
# are read back through the clipboard, which Wine shares with X: a message box
# copies its text on Ctrl+C, the main window a sheet's fields on Ctrl+Shift+C.
# Nothing waits a fixed time for the program: a copy is made again each second
# until the clipboard holds what is awaited, for at most a minute.
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
window() {  # TITLE [MIN_WIDTH [MAX_WIDTH]]: the visible window of that title and width, within a minute
  local id
  for _ in $(seq 120); do
    for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
      eval "$(xdotool getwindowgeometry --shell "$id")"
      if [ "$WIDTH" -ge "${2:-0}" ] && [ "$WIDTH" -le "${3:-100000}" ]; then echo "$id"; return 0; fi
    done
    sleep 0.5
  done
  return 1
}
focus() {  # WINDOW: the keyboard's focus, as a click would give it
  timeout 10 xdotool windowfocus --sync "$1" || fail "window $1 did not take the focus"
}
launch() {  # LIMIT wine PROGRAM ARGS...: in the background within LIMIT seconds, its id in $!
  "${zh[@]}" timeout "$@" &
}
gone() {  # PID STEP: waits, at most a minute, for the program PID to end
  timeout 60 tail --pid="$1" -f /dev/null || fail "$2: the program did not end within a minute"
}
shot() {  # the display as it is (XGetImage on the root shows new windows black)
  [ -n "${SCREENSHOTS:-}" ] || return 0
  command -v pnmtopng >/dev/null || fail "SCREENSHOTS needs xwdtopnm and pnmtopng (apt install netpbm)"
  sleep 1  # for the picture only: a window just shown may not be painted whole
  mkdir -p "$SCREENSHOTS" && xwdtopnm "$root/Xvfb_screen0" 2>/dev/null | pnmtopng >"$SCREENSHOTS/$1"
}
tab=$'\t'
row() { printf '^%s\t[^\t]*\t[^\t]*\t%s\t' "$1" "$2"; }  # ITEM TEXT: the item's row as copied
launch 600 wine "$prefix/bin/lingchuan.exe"; app_pid=$!
main=$(window '^翎川$') || fail "no window titled 翎川"
focus "$main"
# 计算单A2 by its key, Ctrl+1, until the sheet is there to copy.
for _ in $(seq 10); do
  xdotool key ctrl+1
  if TRIES=3 copied ctrl+shift+c "$(row 1 '')"; then break; fi
done
printf '%s\n' "$clip" | grep -q "$(row 1 '')" || fail "lingchuan.exe showed no sheet A2 (read: ${clip:0:400})"
# Enter along the input chain, item 1 left empty, to 开始计算: each text must
# be where it belongs before 开始计算 is pressed.
xdotool key Return
for text in 41 2 "" 0.4 44.45; do
  [ -z "$text" ] || xdotool type --delay 100 "$text"
  xdotool key Return
done
TRIES=10 copied ctrl+shift+c "$(row 1 '')" "$(row 2 41)" "$(row 3 2)" "$(row 5 35)" "$(row 12 0.4)" "$(row 17 44.45)" ||
  fail "sheet A2 does not hold the typed texts (read: ${clip:0:400})"
xdotool key space
copied ctrl+c 请输入必要的参数！ || fail "the message box does not read 请输入必要的参数！ (read: ${clip:0:400})"
shot windows-message.png
# The message gives the focus to item 1: 10 there, and Enter along the chain
# again to 开始计算.
xdotool key Return
xdotool type --delay 100 10
TRIES=10 copied ctrl+shift+c "$(row 1 10)" || fail "item 1 did not get the focus after the message (read: ${clip:0:400})"
xdotool key --delay 150 Return Return Return Return Return Return space
# The worked example's 平面齿轮齿数Zc (row 6) and the gear's 节圆上弦齿厚 (row 42).
copied ctrl+shift+c "$(row 6 '42\.2018956920184')" "^42$tab.*${tab}2\.785696$tab" ||
  fail "sheet A2 after the worked example lacks row 6's 42.2018956920184 or row 42's 2.785696 (read: ${clip:0:400})"
shot windows-sheet-a2.png
echo "windows: the window titled 翎川 showed the message and computed the worked example"

# 打印… with no printer installed says so and offers 导出PDF… (否 here).
xdotool key ctrl+p
copied ctrl+c 没有安装打印机 || fail "Ctrl+P without a printer does not say so (read: ${clip:0:400})"
xdotool key Escape
# A PostScript printer in the prefix (Wine's own driver, a small A4 PPD),
# the system's default, printing into a file of this machine.
printed=$root/printed.ps
rm -f "$printed"
cp tests/windows/printer.ppd "$WINEPREFIX/drive_c/windows/system32/spool/drivers/"
sed "s|@PRINTED@|$printed|" tests/windows/printer.reg >"$WINEPREFIX/drive_c/printer.reg"
win 60 "adding a printer" regedit /S 'C:\printer.reg' || fail "the printer could not be added"
# The job's PDF, exported before: 打印… must leave it as it is.
pdf=$documents/计算单.pdf
cp "$pdfs/windows.pdf" "$pdf"
focus "$main"
xdotool key ctrl+p
dialog=$(window '^打印$') || fail "Ctrl+P showed no print dialog"
shot windows-print-dialog.png
focus "$dialog"
xdotool key Return
for _ in $(seq 60); do [ -s "$printed" ] && break; sleep 1; done
head -c 4 "$printed" 2>/dev/null | grep -q '%!PS' || fail "打印… and 确定 printed nothing on the printer"
cmp -s "$pdfs/windows.pdf" "$pdf" || fail "打印… and 确定 wrote into the job's PDF $pdf"
echo "windows: 打印… printed on the default printer ($(wc -c <"$printed") bytes of PostScript), the job's PDF untouched; without a printer it said so"
kill "$app_pid" 2>/dev/null || true
wait "$app_pid" 2>/dev/null || true

step "the Start menu's 翎川 用户指南"
win 60 "opening 翎川 用户指南 from the Start menu" start /unix "$guide_link" || fail "the Start-menu entry 翎川 用户指南 did not start"
guide=$(window '^翎川 用户指南$') || fail "翎川 用户指南 from the Start menu showed no guide window"
shot windows-guide.png
focus "$guide"
xdotool key alt+F4
idle "closing the guide window"
echo "windows: 翎川 用户指南 in the Start menu opened the guide window"
fi

step "installing again over the installed version"
# Silently: the upgrade takes the place of the installed version.
win 120 "installing again, silently" "$installer" /S || fail "the installer failed over the installed version"
idle "installing again, silently"
check_installed "installing again silently"
if [ "$programs" = all ]; then
  # Interactively, with 取消 to the question before the first page, and with
  # 确定 to it and 取消 on the welcome page: each time 翎川 stays installed.
  # The installer's questions and its pages have one title; the pages are
  # wider than 500 pixels, a question is narrower.
  title="^翎川 $version 安装\$"
  launch 120 wine "$installer"; setup_pid=$!
  question=$(window "$title" 0 500) || fail "the installer asked nothing over the installed version"
  focus "$question"
  xdotool key Escape
  gone "$setup_pid" "the installer's question answered 取消"
  check_installed "the installer's question answered 取消"
  launch 120 wine "$installer"; setup_pid=$!
  question=$(window "$title" 0 500) || fail "the installer asked nothing over the installed version"
  focus "$question"
  xdotool key Return
  pages=$(window "$title" 501) || fail "the installer showed no page after 确定"
  shot windows-installer.png
  focus "$pages"
  xdotool key Escape
  sure=$(window "$title" 0 500) || fail "cancelling the installer asked nothing"
  focus "$sure"
  xdotool key Return
  gone "$setup_pid" "the installer cancelled on its first page"
  check_installed "the installer cancelled on its first page"
  echo "windows: installed again silently; cancelled at its question or on its first page, 翎川 $version stayed installed"

  step "the portable .zip"
  # Unpacked into a folder of its own, lingchuan.exe keeps its settings in
  # the INI file beside it and writes nothing to the registry.
  settings='HKCU\Software\lingchuan'
  win 30 "clearing the settings" reg delete "$settings" /f >/dev/null 2>&1 || true
  portable=$WINEPREFIX/drive_c/portable
  rm -rf "$portable" && mkdir -p "$portable"
  python3 -m zipfile -e "$root"/package/lingchuan-*-win64.zip "$portable"
  portable_exe=$(ls "$portable"/*/bin/lingchuan.exe)
  [ -f "$(dirname "$portable_exe")/portable.ini" ] || fail "the .zip has no portable.ini beside lingchuan.exe"
  launch 120 wine "$portable_exe"; app_pid=$!
  main=$(window '^翎川$') || fail "the portable lingchuan.exe showed no window"
  focus "$main"
  xdotool key ctrl+q  # 退出系统: nothing to save, so nothing asked
  gone "$app_pid" "the portable lingchuan.exe after 退出系统"
  grep -q '^geometry=' "$(dirname "$portable_exe")/lingchuan/lingchuan.ini" 2>/dev/null ||
    fail "the portable lingchuan.exe kept no settings in lingchuan\\lingchuan.ini beside it"
  if win 30 "reading the settings" reg query "$settings" >/dev/null 2>&1; then
    fail "the portable lingchuan.exe wrote its settings to the registry ($settings)"
  fi
  echo "windows: the portable lingchuan.exe kept its settings beside it, none in the registry"
fi

step "silent uninstall"
win 120 "silent uninstall" "$prefix/Uninstall.exe" /S || fail "the uninstaller failed"
# The uninstaller runs on from a copy of itself: wait for Wine to go idle.
idle "silent uninstall"
[ ! -e "$prefix/bin/lingchuan-calc.exe" ] || fail "the uninstaller left the programs"
if win 30 "silent uninstall" reg query "$uninstall" >/dev/null 2>&1; then
  fail "the uninstaller left its registry key"
fi
[ ! -e "$menu" ] || fail "the Start-menu entries stayed"
for key in .lcjob Lingchuan.Workbook; do
  if win 30 "silent uninstall" reg query "$classes\\$key" >/dev/null 2>&1; then fail "the uninstaller left $classes\\$key"; fi
done
echo "windows: uninstalled"
echo "windows: done in $SECONDS s"
