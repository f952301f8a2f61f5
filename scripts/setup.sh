#!/usr/bin/env bash
# Installs what building, testing and running 翎川 needs on Debian 12, and only
# what is missing. Runs as root, or through sudo for an ordinary user.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev nlohmann-json3-dev
  clang libclang-rt-14-dev
  xvfb xauth poppler-utils qt6-translations-l10n
  fonts-arphic-uming fonts-arphic-ukai fonts-noto-cjk fontconfig
  locales
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Locales with a decimal comma: the number texts must not depend on them.
need_locale=0
for l in de_DE.utf8 fr_FR.utf8; do
  locale -a 2>/dev/null | grep -qx "$l" || need_locale=1
done
if [ "$need_locale" = 1 ]; then
  for l in de_DE fr_FR; do
    "${sudo_cmd[@]}" sed -i "s/^# *\(${l}.UTF-8 UTF-8\)/\1/" /etc/locale.gen
  done
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
