#!/usr/bin/env bash
# Installs what is missing, builds 翎川 and runs every test:
#   1. the whole suite in an optimised build,
#   2. the whole suite again with AddressSanitizer and UndefinedBehaviorSanitizer,
#   3. the window tests again on a real X server (Xvfb, xcb platform),
#   4. the Debian package: made by scripts/package.sh, unpacked and checked,
#   5. the whole program cross-built for Windows (a static Qt built once into
#      a cache outside the clone), its installer installed silently under
#      Wine: the installed lingchuan-calc.exe on the worked examples and
#      generated workbooks, byte for byte as on Linux; the windows replayed
#      offscreen as the Linux batch tool runs the documents; the report's PDF
#      reading as the Linux one; the program's window typed into with real key
#      events; then uninstalled (scripts/windows.sh),
#   6. a bounded run of every libFuzzer target (FUZZ_SECONDS each, default 60).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh run test package

jobs=${JOBS:-2}
fuzz_seconds=${FUZZ_SECONDS:-60}

step() { printf '\n=== %s ===\n' "$*"; }

step "build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLC_TESTS=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

step "sanitizers: build and test"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLC_SANITIZE=ON -DLC_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

if [ -x build/tests/lc_ui_tests ]; then
  step "window tests on Xvfb (xcb)"
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" build/tests/lc_ui_tests
fi

step "Debian package: make, unpack and check"
JOBS="$jobs" scripts/package.sh
tests/package/check_deb.sh build-package/lingchuan_*.deb

step "Windows build under Wine: installed, the same output, PDF and window as on Linux, uninstalled"
JOBS=$jobs LINUX_BUILD=build WINDOWS_PROGRAMS=all scripts/windows.sh

step "fuzzing: ${fuzz_seconds}s per target"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLC_FUZZ=ON -DLC_GUI=OFF -DLC_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$jobs"
for target in build-fuzz/tests/fuzz/*_fuzz; do
  name=$(basename "$target" _fuzz)
  work=$(mktemp -d)
  cp -r "tests/fuzz/corpus/$name/." "$work/"
  dict=()
  [ -f "tests/fuzz/$name.dict" ] && dict=(-dict="tests/fuzz/$name.dict")
  status=0
  "$target" -max_total_time="$fuzz_seconds" -max_len=512 -print_final_stats=1 "${dict[@]}" "$work" \
    >"$work.log" 2>&1 || status=$?
  stat() { grep -E "^stat::$1:" "$work.log" | awk '{print $2}'; }
  echo "$name: $(stat number_of_executed_units) runs, $(stat average_exec_per_sec) runs per second," \
    "peak memory $(stat peak_rss_mb) MB"
  if [ "$status" -ne 0 ]; then
    tail -40 "$work.log" >&2
    echo "fuzz target $name failed" >&2
    exit 1
  fi
  rm -rf "$work" "$work.log"
done

step "all tests passed"
