#!/usr/bin/env bash
# Cross-builds the core and the batch tool for 64-bit Windows with Debian's
# MinGW-w64 into build-windows/, and runs lingchuan-calc.exe under Wine against
# the Linux build:
#   1. GMP and MPFR from Debian's own source packages (the source archive is
#      enabled for this download only, through a private apt list under
#      build-windows/apt), built as static libraries into build-windows/deps;
#   2. build-windows/build/src/cli/lingchuan-calc.exe, statically linked;
#   3. the worked examples and COUNT generated workbooks (default 400, fixed
#      SEED, default 16) through `lingchuan-calc run` on Linux (build/) and on
#      Windows under Wine: the outputs must be byte for byte the same.
# Nothing is kept outside build-windows/. Run scripts/setup.sh first.
set -euo pipefail
cd "$(dirname "$0")/.."

root=$PWD/build-windows
deps=$root/deps
host=x86_64-w64-mingw32
jobs=${JOBS:-2}
count=${COUNT:-400}
seed=${SEED:-16}
linux_build=${LINUX_BUILD:-build}

step() { printf '\n--- %s (%d s in) ---\n' "$*" "$SECONDS"; }
SECONDS=0
mkdir -p "$root"

# 1. GMP and MPFR
fetch_sources() {
  local apt_dir=$root/apt
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/parts" "$root/sources"
  . /etc/os-release
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $VERSION_CODENAME main" \
    >"$apt_dir/sources.list"
  local opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/parts"
              -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o APT::Sandbox::User=root -qq)
  apt-get "${opts[@]}" update
  (cd "$root/sources" && apt-get "${opts[@]}" source gmp mpfr4 >/dev/null)
  # Debian's GMP source leaves out the manual: its build regenerates the
  # configure script from the patched configure.ac, and so does this one.
  (cd "$root"/sources/gmp-*/ && autoreconf -fi >/dev/null 2>&1)
}

# Configures and builds one unpacked source package (gmp, mpfr4) out of tree,
# installs it into $deps.
build_static() {
  local name=$1; shift
  local src
  src=$(find "$root/sources" -maxdepth 1 -type d -name "$name-*" | head -1)
  rm -rf "$root/$name-build" && mkdir -p "$root/$name-build"
  (cd "$root/$name-build" &&
   "$src/configure" --host=$host --prefix="$deps" --enable-static --disable-shared \
     CC=$host-gcc-posix "$@" >configure.log 2>&1 &&
   make -j"$jobs" >make.log 2>&1 &&
   make install >install.log 2>&1) || { tail -n 30 "$root/$name-build"/*.log >&2; exit 1; }
}

if [ ! -f "$deps/lib/libmpfr.a" ]; then
  step "GMP and MPFR from Debian's source packages"
  rm -rf "$root/sources" "$deps"
  fetch_sources
  build_static gmp
  build_static mpfr4 --with-gmp="$deps"
  # The JSON library is headers only: the same ones as on Linux, in the prefix
  # so that nothing of /usr/include reaches the Windows compiler.
  mkdir -p "$deps/include" "$deps/share/cmake"
  cp -r /usr/include/nlohmann "$deps/include/"
  cp -r /usr/share/cmake/nlohmann_json "$deps/share/cmake/"
fi

# 2. lingchuan-calc.exe
step "lingchuan-calc.exe"
LC_WINDOWS_PREFIX=$deps cmake -S . -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DLC_GUI=OFF -DLC_TESTS=OFF -DLC_BENCH=OFF >/dev/null
LC_WINDOWS_PREFIX=$deps cmake --build "$root/build" -j"$jobs" --target lingchuan-calc
exe=$root/build/src/cli/lingchuan-calc.exe

# 3. The same workbooks on Linux and on Windows
step "Linux and Windows outputs"
if [ ! -f "$linux_build/CMakeCache.txt" ]; then
  cmake -S . -B "$linux_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$linux_build" -j"$jobs" --target lingchuan-calc lc_random_workbooks >/dev/null
work=$root/compare
rm -rf "$work" && mkdir -p "$work/in" "$work/linux" "$work/windows"
"$linux_build/tests/lc_random_workbooks" "$seed" "$count" "$work/in"

# A Wine of its own under build-windows/, no display, no prompts for the
# .NET and HTML engines.
export WINEPREFIX=$root/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
wineboot --init >/dev/null 2>&1

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
wineserver --wait  # Wine's server ends a few seconds after the last run

files=$(ls "$work/in" | wc -l)
if ! diff -r "$work/linux" "$work/windows" >"$work/differences.txt"; then
  head -n 40 "$work/differences.txt" >&2
  echo "windows: Linux and Windows outputs differ in $(grep -c '^diff ' "$work/differences.txt") of $files workbooks" >&2
  exit 1
fi
printf 'windows: %d workbooks, byte for byte the same on Linux and Windows; of them\n' "$files"
# They must have reached every sheet and stopped at messages and at faults.
for what in '"B1": {' '"C": {' '"gears": {' '"pinionRightHand": true' '"outcome": "message"' \
            '"fault": "conversion"' '"fault": "invalid"' '"fault": "overflow"' '"fault": "division_by_zero"'; do
  n=$(grep -l -F "$what" "$work"/linux/*.json | wc -l)
  printf '  %4d with %s\n' "$n" "$what"
  if [ "$n" -eq 0 ]; then echo "windows: no workbook with $what" >&2; exit 1; fi
done
echo "windows: done in $SECONDS s"
