#!/usr/bin/env bash
# Makes the Debian package of 翎川: installs what building it needs
# (scripts/packages/run.txt and package.txt), builds the release in
# build-package/ and packs it with CPack. Prints the package's path last.
#   sudo apt install ./build-package/lingchuan_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh run package

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DLC_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build build-package -j"${JOBS:-2}"
rm -f build-package/lingchuan_*.deb
(cd build-package && cpack -G DEB >/dev/null)
ls "$PWD"/build-package/lingchuan_*.deb
