#!/usr/bin/env bash
# Installs what is missing on Debian 12 for the named purposes, each a list of
# packages in scripts/packages/:
#   scripts/setup.sh run              # building and running the program
#   scripts/setup.sh run test         # ... and every test
#   scripts/setup.sh run package      # ... and making the Debian package
#   scripts/setup.sh --print run      # only prints the packages, one a line
# Says in one line what it installs before it does. Runs as root, or through
# sudo for an ordinary user.
set -euo pipefail
cd "$(dirname "$0")"

print=0
if [ "${1:-}" = --print ]; then print=1; shift; fi
[ $# -gt 0 ] || { echo "usage: scripts/setup.sh [--print] run|test|package ..." >&2; exit 2; }

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

packages=()
for list in "$@"; do
  [ -f "packages/$list.txt" ] || { echo "setup: no package list '$list'" >&2; exit 2; }
  packages+=($(sed -e 's/#.*//' "packages/$list.txt"))
done
if [ "$print" = 1 ]; then printf '%s\n' "${packages[@]}"; exit 0; fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup ($*): installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The tests read and write number texts under locales with a decimal comma.
if [[ " $* " == *" test "* ]]; then
  missing=()
  for l in de_DE fr_FR; do
    locale -a 2>/dev/null | grep -qx "$l.utf8" || missing+=("$l")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "setup ($*): generating the locales ${missing[*]/%/.UTF-8} for the tests"
    for l in "${missing[@]}"; do
      "${sudo_cmd[@]}" sed -i "s/^# *\(${l}.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    done
    "${sudo_cmd[@]}" locale-gen >/dev/null
  fi
fi
