#!/usr/bin/env bash
# Makes the Debian package of 翎川: installs what building it needs
# (scripts/packages/run.txt and package.txt), builds the release in
# build-package/ and packs it with CPack. Prints the package's path last.
#   sudo apt install ./build-package/lingchuan_*.deb
# PACKAGE_BUILD=DIR packs a build tree that is already built instead (the test
# command packs the tree its tests ran on); the package lands in DIR.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh run package

dir=${PACKAGE_BUILD:-build-package}
if [ -z "${PACKAGE_BUILD:-}" ]; then
  launcher=()
  if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLC_TESTS=OFF "${launcher[@]}" >/dev/null
  cmake --build "$dir" -j"${JOBS:-2}"
fi
[ -f "$dir/CPackConfig.cmake" ] || { echo "package: $dir is not a configured build tree" >&2; exit 2; }
rm -f "$dir"/lingchuan_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
ls "$PWD/$dir"/lingchuan_*.deb
