#!/usr/bin/env bash
# Installs what is missing, builds 翎川 and runs every test:
#   1. the whole suite in an optimised build,
#   2. the whole suite again with AddressSanitizer and UndefinedBehaviorSanitizer,
#   3. the window tests again on a real X server (Xvfb, xcb platform),
#   4. the Debian package: packed from the build of stage 1, unpacked and checked,
#   5. a bounded run of every libFuzzer target (FUZZ_SECONDS each, default 60),
#   6. the whole program cross-built for Windows (a static Qt built once into
#      a cache outside the clone), its installer installed silently under
#      Wine: the installed lingchuan-calc.exe on the worked examples and
#      generated workbooks, byte for byte as on Linux; the windows replayed
#      offscreen as the Linux batch tool runs the documents; the report's PDF
#      reading as the Linux one; the program's window typed into with real key
#      events; then uninstalled (scripts/windows.sh).
# On a machine whose cache lacks the Windows libraries, they are built from the
# start in the background at low priority (scripts/windows-deps.sh, log in
# build-logs/), filling the cores the tests leave idle; stage 6 waits for them.
# Each stage says how long it took.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh run test package

jobs=${JOBS:-2}
fuzz_seconds=${FUZZ_SECONDS:-60}
mkdir -p build-logs

SECONDS=0
stage_start=
step() {
  [ -z "$stage_start" ] || printf '(%d min %02d s)\n' $(((SECONDS - stage_start) / 60)) $(((SECONDS - stage_start) % 60))
  stage_start=$SECONDS
  printf '\n=== %s ===\n' "$*"
}

deps_pid=
if ! scripts/windows-deps.sh --check all; then
  echo "The Windows libraries are not in the cache yet: building them in the background (build-logs/windows-deps.log)."
  nice -n 15 scripts/windows-deps.sh all >build-logs/windows-deps.log 2>&1 &
  deps_pid=$!
fi
trap '[ -z "$deps_pid" ] || kill "$deps_pid" 2>/dev/null || true' EXIT

step "build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLC_TESTS=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

step "sanitizers: build and test"
# Less optimisation and line tables only: half the compile time, the same checks.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" \
  -DLC_SANITIZE=ON -DLC_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

if [ -x build/tests/lc_ui_tests ]; then
  step "window tests on Xvfb (xcb)"
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" build/tests/lc_ui_tests
fi

step "Debian package: packed from the tested build, unpacked and checked"
PACKAGE_BUILD=build scripts/package.sh
tests/package/check_deb.sh build/lingchuan_*.deb

step "fuzzing: ${fuzz_seconds}s per target, two at a time"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLC_FUZZ=ON -DLC_GUI=OFF -DLC_BENCH=OFF -DLC_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$jobs"
fuzz() {  # TARGET: runs it on a copy of its corpus, then says how it went
  local target=$1 name work status=0
  name=$(basename "$target" _fuzz)
  work=$(mktemp -d)
  cp -r "tests/fuzz/corpus/$name/." "$work/"
  local dict=()
  [ -f "tests/fuzz/$name.dict" ] && dict=(-dict="tests/fuzz/$name.dict")
  "$target" -max_total_time="$fuzz_seconds" -max_len=512 -print_final_stats=1 "${dict[@]}" "$work" \
    >"$work.log" 2>&1 || status=$?
  stat() { grep -E "^stat::$1:" "$work.log" | awk '{print $2}'; }
  echo "$name: $(stat number_of_executed_units) runs, $(stat average_exec_per_sec) runs per second," \
    "peak memory $(stat peak_rss_mb) MB"
  if [ "$status" -ne 0 ]; then
    tail -40 "$work.log" >&2
    echo "fuzz target $name failed" >&2
    return 1
  fi
  rm -rf "$work" "$work.log"
}
pids=()
for target in build-fuzz/tests/fuzz/*_fuzz; do
  if [ ${#pids[@]} -ge 2 ]; then wait "${pids[0]}"; pids=("${pids[@]:1}"); fi
  fuzz "$target" & pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid"; done

step "Windows build under Wine: installed, the same output, PDF and window as on Linux, uninstalled"
if [ -n "$deps_pid" ]; then
  echo "waiting for the Windows libraries (build-logs/windows-deps.log)"
  wait "$deps_pid" || { tail -20 build-logs/windows-deps.log >&2; echo "building the Windows libraries failed" >&2; exit 1; }
  deps_pid=
fi
JOBS=$jobs LINUX_BUILD=build WINDOWS_PROGRAMS=all scripts/windows.sh

step "all tests passed"
printf 'in all %d min %02d s\n' $((SECONDS / 60)) $((SECONDS % 60))
