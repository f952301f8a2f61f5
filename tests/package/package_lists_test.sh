#!/usr/bin/env bash
# The package lists the scripts install: scripts/run.sh brings only what
# building and running need, scripts/test.sh and scripts/package.sh add their
# tools, the Debian package asks for the same fonts as the set-up, and every
# name is a package apt knows. Nothing is installed.
set -euo pipefail
cd "$(dirname "$0")/../.."

failures=0
fail() { echo "package lists: $*" >&2; failures=$((failures + 1)); }

# The packages a script installs, resolved by setup.sh itself from the lists
# its call names.
installs() {
  local call
  call=$(grep -E '^scripts/setup\.sh ' "scripts/$1") || { fail "$1 does not call scripts/setup.sh"; return; }
  scripts/setup.sh --print ${call#scripts/setup.sh }
}

test_tools='libgtest-dev libgmock-dev googletest libbenchmark-dev clang libclang-rt-14-dev xvfb xauth locales dpkg-dev desktop-file-utils'
run=$(installs run.sh)
for p in $test_tools; do
  grep -qx "$p" <<<"$run" && fail "scripts/run.sh installs the test tool $p"
done
for p in qt6-base-dev nlohmann-json3-dev fonts-noto-cjk cmake; do
  grep -qx "$p" <<<"$run" || fail "scripts/run.sh does not install $p"
done

tests=$(installs test.sh)
for p in $run $test_tools; do
  grep -qx "$p" <<<"$tests" || fail "scripts/test.sh does not install $p"
done

package=$(installs package.sh)
for p in $run dpkg-dev file desktop-file-utils; do
  grep -qx "$p" <<<"$package" || fail "scripts/package.sh does not install $p"
done
for p in libgtest-dev clang xvfb; do
  grep -qx "$p" <<<"$package" && fail "scripts/package.sh installs the test tool $p"
done

# The fonts the set-up installs for the forms are the fonts the package needs.
for font in $(grep -x 'fonts-.*' <<<"$run"); do
  grep -q "CPACK_DEBIAN_PACKAGE_DEPENDS.*$font" cmake/install.cmake || fail "the package does not depend on $font"
done

# Misspelt names fail only on a fresh machine; apt's lists catch them here.
# Without lists (no apt-get update yet) the test ends as skipped (77, CTest's
# SKIP_RETURN_CODE) once the checks above have passed, so the gap is seen.
known=$(apt-cache pkgnames 2>/dev/null || true)
for p in $(sort -u <<<"$tests"$'\n'"$package"); do
  [ -z "$known" ] || grep -qx -- "$p" <<<"$known" || fail "apt knows no package $p"
done

[ "$failures" -eq 0 ] || exit 1
if [ -z "$known" ]; then
  echo "package lists: apt has no package lists, the names are not checked" >&2
  exit 77
fi
echo "package lists: fine"
