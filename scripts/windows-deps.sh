#!/usr/bin/env bash
# Builds what the Windows programs link against, once per machine, into a cache
# outside the clone (LC_CACHE, default ~/.cache/lingchuan):
#   gmp-mpfr-<key>/      GMP and MPFR as static libraries, and the JSON headers;
#   qt-<version>-mingw-<key>/  a static Qt (Core, Gui, Widgets, PrintSupport,
#                        the Windows platform plugin and styles);
#   dxflib-<key>/        dxflib (the blank drawing as DXF) as a static library.
# All come from Debian's own source packages, fetched through a private apt
# list (the source archive is enabled for this download only). Each key is a
# hash of the source version, the options, the patches and the compiler, so a
# folder is reused while they stay the same and built anew when one changes; a
# folder counts only once its ".complete" stamp is written.
# usage: scripts/windows-deps.sh [--check] [all|gmp]    (gmp: GMP and MPFR alone)
#   --check builds nothing: exit 0 when everything named is in the cache, else 1.
# Prints nothing but progress on stderr; sourced by scripts/windows.sh, which
# reads LC_DEPS_PREFIX, LC_QT_PREFIX and LC_DXF_PREFIX from it, or run on its own.
set -euo pipefail
_deps_check=0
if [ "${1:-}" = --check ]; then _deps_check=1; shift; fi
_deps_here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

cache=${LC_CACHE:-$HOME/.cache/lingchuan}
host=x86_64-w64-mingw32
jobs=${JOBS:-2}
compiler=$($host-g++-posix --version | head -n 1)
compiler="$compiler $(dpkg-query -W -f '${Version}' g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev)"
# The host tools (moc, uic, rcc) of the installed Qt run during the build, so
# the source is the very version of the installed one.
qt_version=$(dpkg-query -W -f '${Version}' qt6-base-dev-tools)
# GMP and MPFR are the very sources of the Linux libraries, and every key
# names the release the sources are fetched from.
gmp_version=$(dpkg-query -W -f '${source:Version}' libgmp-dev)
mpfr_version=$(dpkg-query -W -f '${source:Version}' libmpfr-dev)
release=$(. /etc/os-release && echo "$VERSION_CODENAME")

key_of() { printf '%s\n' "$@" | sha256sum | cut -c1-12; }

# Fetches the named source packages (NAME=VERSION) into $1; a failure says
# which step failed and what apt answered.
fetch_debian_sources() {
  local dest=$1; shift
  local apt_dir=$dest/apt
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/parts"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $release main" \
    >"$apt_dir/sources.list"
  local opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/parts"
              -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o APT::Sandbox::User=root -qq)
  if ! apt-get "${opts[@]}" update >"$apt_dir/update.log" 2>&1; then
    echo "windows-deps: fetching the source lists of $release failed:" >&2
    tail -n 5 "$apt_dir/update.log" >&2
    return 1
  fi
  if ! (cd "$dest" && apt-get "${opts[@]}" source "$@" >"$apt_dir/source.log" 2>&1); then
    echo "windows-deps: fetching the sources $* from $release failed:" >&2
    tail -n 5 "$apt_dir/source.log" >&2
    return 1
  fi
}

# GMP and MPFR ---------------------------------------------------------------
build_static() {  # NAME SOURCE-ROOT PREFIX CONFIGURE-ARGS...
  local name=$1 srcs=$2 prefix=$3; shift 3
  local src
  src=$(find "$srcs" -mindepth 1 -maxdepth 1 -type d -name "$name-*" | head -1)
  mkdir -p "$srcs/$name-build"
  (cd "$srcs/$name-build" &&
   "$src/configure" --host=$host --prefix="$prefix" --enable-static --disable-shared \
     CC=$host-gcc-posix "$@" >configure.log 2>&1 &&
   make -j"$jobs" >make.log 2>&1 &&
   make install >install.log 2>&1) || { tail -n 30 "$srcs/$name-build"/*.log >&2; return 1; }
}

gmp_key=$(key_of "gmp $gmp_version" "mpfr4 $mpfr_version" "release $release" "$compiler" "--enable-static --disable-shared" \
                 "$(dpkg-query -W -f '${Version}' nlohmann-json3-dev)")
LC_DEPS_PREFIX=$cache/gmp-mpfr-$gmp_key

if [ ! -f "$LC_DEPS_PREFIX/.complete" ]; then
  [ "$_deps_check" = 0 ] || exit 1
  echo "windows-deps: GMP and MPFR into $LC_DEPS_PREFIX" >&2
  srcs=$cache/gmp-mpfr-$gmp_key.src
  rm -rf "$srcs" "$LC_DEPS_PREFIX" && mkdir -p "$srcs"
  fetch_debian_sources "$srcs" "gmp=$gmp_version" "mpfr4=$mpfr_version"
  # Debian's GMP source leaves out the manual: its build regenerates the
  # configure script from the patched configure.ac, and so does this one.
  (cd "$srcs"/gmp-*/ && autoreconf -fi >/dev/null 2>&1)
  build_static gmp "$srcs" "$LC_DEPS_PREFIX"
  build_static mpfr4 "$srcs" "$LC_DEPS_PREFIX" --with-gmp="$LC_DEPS_PREFIX"
  # The JSON library is headers only: the same ones as on Linux, in the prefix
  # so that nothing of /usr/include reaches the Windows compiler.
  mkdir -p "$LC_DEPS_PREFIX/include" "$LC_DEPS_PREFIX/share/cmake"
  cp -r /usr/include/nlohmann "$LC_DEPS_PREFIX/include/"
  cp -r /usr/share/cmake/nlohmann_json "$LC_DEPS_PREFIX/share/cmake/"
  rm -rf "$srcs"
  touch "$LC_DEPS_PREFIX/.complete"
fi

# Qt -------------------------------------------------------------------------
# Only what the programs use (Qt Test drives the windows in lingchuan-replay).
# Debian's tree leaves out wintab (tablet events); OpenGL is not needed. The
# bundled image, font and text libraries are linked in, so that the programs
# need no DLL beside Windows' own.
qt_options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DFEATURE_static_runtime=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no
  -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF -DFEATURE_androiddeployqt=OFF
  -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
  -DFEATURE_freetype=ON -DFEATURE_harfbuzz=ON -DFEATURE_png=ON
  -DFEATURE_printsupport=ON -DFEATURE_widgets=ON -DFEATURE_gui=ON
  # The Direct2D platform plugin is not used; the patch keeps DirectWrite,
  # the default font engine, whole without it.
  -DFEATURE_direct2d=OFF
)
qt_patches=("$_deps_here"/platform/windows/qt/*.patch)
qt_key=$(key_of "qt6-base $qt_version" "release $release" "${qt_options[@]}" "$compiler" \
                "$(cat "${qt_patches[@]}")")
LC_QT_PREFIX=$cache/qt-${qt_version%%+*}-mingw-$qt_key

if [ "${1:-all}" = all ] && [ ! -f "$LC_QT_PREFIX/.complete" ]; then
  [ "$_deps_check" = 0 ] || exit 1
  echo "windows-deps: Qt $qt_version into $LC_QT_PREFIX (about an hour of CPU)" >&2
  srcs=$cache/qt-$qt_key.src
  rm -rf "$srcs" "$LC_QT_PREFIX" && mkdir -p "$srcs"
  fetch_debian_sources "$srcs" "qt6-base=$qt_version" || exit 1
  src=$(find "$srcs" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -1)
  for p in "${qt_patches[@]}"; do patch -d "$src" -p1 -s <"$p"; done
  cmake -S "$src" -B "$srcs/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$_deps_here/cmake/mingw-w64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$LC_QT_PREFIX" "${qt_options[@]}" >"$srcs/configure.log" 2>&1 ||
    { tail -n 40 "$srcs/configure.log" >&2; exit 1; }
  cmake --build "$srcs/build" -j"$jobs" >"$srcs/build.log" 2>&1 ||
    { grep -m 20 -A 10 'FAILED' "$srcs/build.log" >&2; exit 1; }
  cmake --install "$srcs/build" >"$srcs/install.log" 2>&1 || { tail -n 20 "$srcs/install.log" >&2; exit 1; }
  rm -rf "$srcs"  # the build tree is 2 GB
  touch "$LC_QT_PREFIX/.complete"
fi
# dxflib --------------------------------------------------------------------
# The very source of the Linux build's libdxflib-dev, its seven files compiled
# into a static library, the headers beside it as Debian installs them.
dxf_version=$(dpkg-query -W -f '${source:Version}' libdxflib-dev)
dxf_flags=(-O2 -w)
dxf_key=$(key_of "dxflib $dxf_version" "release $release" "${dxf_flags[@]}" "$compiler")
LC_DXF_PREFIX=$cache/dxflib-$dxf_key

if [ "${1:-all}" = all ] && [ ! -f "$LC_DXF_PREFIX/.complete" ]; then
  [ "$_deps_check" = 0 ] || exit 1
  echo "windows-deps: dxflib $dxf_version into $LC_DXF_PREFIX" >&2
  srcs=$cache/dxflib-$dxf_key.src
  rm -rf "$srcs" "$LC_DXF_PREFIX" && mkdir -p "$srcs/obj" "$LC_DXF_PREFIX/include/dxflib" "$LC_DXF_PREFIX/lib"
  fetch_debian_sources "$srcs" "dxflib=$dxf_version" || exit 1
  src=$(find "$srcs" -mindepth 1 -maxdepth 1 -type d -name 'dxflib-*' | head -1)
  for f in "$src"/src/*.cpp; do
    $host-g++-posix "${dxf_flags[@]}" -c "$f" -o "$srcs/obj/$(basename "${f%.cpp}").o"
  done
  $host-ar rcs "$LC_DXF_PREFIX/lib/libdxflib.a" "$srcs"/obj/*.o
  cp "$src"/src/*.h "$LC_DXF_PREFIX/include/dxflib/"
  rm -rf "$srcs"
  touch "$LC_DXF_PREFIX/.complete"
fi
[ "$_deps_check" = 0 ] || exit 0
export LC_DEPS_PREFIX LC_QT_PREFIX LC_DXF_PREFIX
