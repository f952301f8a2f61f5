#!/usr/bin/env bash
# Checks a lingchuan .deb as a workshop's machine gets it: unpacks it into a
# temporary folder and looks for every file where the menu entry and the
# README's "Installing" section say it is, validates the menu entry, and runs
# the unpacked lingchuan-calc on sheet A2's worked example.
#   tests/package/check_deb.sh build-package/lingchuan_VERSION_ARCH.deb
set -euo pipefail
cd "$(dirname "$0")/../.."

deb=${1:?usage: tests/package/check_deb.sh PACKAGE.deb}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

failures=0
fail() { echo "package: $*" >&2; failures=$((failures + 1)); }
field() { dpkg-deb -f "$deb" "$1"; }

# Name, version and what apt must bring along: Qt from dpkg-shlibdeps and
# the fonts the forms are drawn in.
[ "$(field Package)" = lingchuan ] || fail "package name is '$(field Package)'"
version=$(field Version)
depends=$(field Depends)
for dep in libqt6widgets6 libstdc++6 fonts-noto-cjk fonts-arphic-uming fonts-arphic-ukai; do
  [[ ", $depends," == *", $dep"[\ ,]* ]] || fail "Depends lacks $dep: $depends"
done

# The menu entry: valid, and its program and icon are in the package.
desktop=$root/usr/share/applications/lingchuan.desktop
if [ -f "$desktop" ]; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate refuses the menu entry"
  # A main category, or the menu hides the program in a catch-all section.
  grep -qE '^Categories=(.*;)?Science;' "$desktop" || fail "the menu entry is not in the Science menu"
  # The entry's own lines (its actions have an Exec of their own).
  entry() { sed -n "/^\[Desktop Entry\]/,/^\[/s/^$1=//p" "$desktop"; }
  exec_name=$(entry Exec | cut -d' ' -f1)
  [ -x "$root/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not an executable in /usr/bin"
  icon=$(entry Icon)
  for size in 16 22 24 32 48 64 128 256 512; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
    file -b "$png" 2>/dev/null | grep -q "PNG image data, $size x $size" || fail "no $size px icon $icon.png in hicolor"
  done
  [ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon.svg"
  # A job given by the file manager reaches the program, whose type it names.
  grep -qE '^Exec=[^ ]+ %f$' "$desktop" && grep -q '^MimeType=application/x-lingchuan-workbook;' "$desktop" ||
    fail "the menu entry lacks %f or the job files' type"
  # The guide alone from the menu entry's action, as from the Start menu on Windows.
  sed -n '/^\[Desktop Action guide\]/,$p' "$desktop" | grep -qx 'Exec=lingchuan --guide' || fail "no action opening lingchuan --guide"
else
  fail "no menu entry /usr/share/applications/lingchuan.desktop"
fi

# Every path the README's "Installing" section names.
paths=$(sed -n '/^## Installing/,/^## /p' README.md | grep -o '/usr/[^ `)]*' | sort -u)
[ -n "$paths" ] || fail "README's Installing section names no /usr path"
set -f  # the README's patterns are matched inside the package, not on this machine
for p in $paths; do
  compgen -G "$root$p" >/dev/null || fail "README names $p, the package has no such file"
done
set +f

# The guide, and every picture it shows beside it.
guide=$root/usr/share/doc/lingchuan/guide.md
if [ -f "$guide" ]; then
  for picture in $(grep -o '!\[[^]]*\]([^)]*)' "$guide" | sed 's/.*](\(.*\))/\1/'); do
    [ -f "$(dirname "$guide")/$picture" ] || fail "the guide shows $picture, which is not beside it"
  done
else
  fail "no guide at /usr/share/doc/lingchuan/guide.md"
fi

# The unpacked batch tool runs from there: its version, and sheet A2's
# worked example (Z1 10, Z2 41, m 2, β 35, x 0.4, cutter radius 44.45).
calc=$root/usr/bin/lingchuan-calc
[ "$("$calc" --version)" = "lingchuan-calc $version" ] || fail "lingchuan-calc --version is not $version"
example=$root/usr/share/doc/lingchuan/examples/a2-worked-example-batch.json
result=$("$calc" run < "$example") || fail "lingchuan-calc run failed on the worked example"
for expected in '"Text6": "42.2018956920184"' '"Text23(0)": "2.44"' '"Text23(1)": "0.84"' \
                '"Text27": "50.4646453857422"' '"Text42(0)": "3.49748956554454"' '"Text42(1)": "2.785696"'; do
  grep -qF "$expected" <<<"$result" || fail "the worked example lacks $expected"
done
"$calc" table A2 < "$example" | grep -q '^23  .*2\.44 .*0\.84 ' || fail "lingchuan-calc table A2 lacks item 23"

# The copyright file: machine-readable, the project under GPL-3.0-or-later and
# every third-party part with its licence; the licence's text beside it.
copyright=$root/usr/share/doc/lingchuan/copyright
head -n 1 "$copyright" 2>/dev/null | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "no machine-readable /usr/share/doc/lingchuan/copyright"
for part in '*:GPL-3.0-or-later' 'qt6-base:LGPL-3.0-only' 'gmp:LGPL-3.0-or-later' 'mpfr:LGPL-3.0-or-later' \
            'nlohmann-json:MIT' 'dxflib:GPL-2.0-or-later'; do
  files=${part%%:*} licence=${part#*:}
  [ "$files" = '*' ] || files="third-party/$files/*"
  awk -v f="Files: $files" -v l="License: $licence" '$0 == f {in_part = 1} in_part && index($0, l) == 1 {ok = 1}
      /^$/ {in_part = 0} END {exit !ok}' "$copyright" || fail "copyright lacks $files under $licence"
done
grep -q 'GNU GENERAL PUBLIC LICENSE' "$root/usr/share/doc/lingchuan/LICENSE" || fail "no LICENSE beside the copyright file"

# The example job opens as the program opens it: lingchuan-report prints it.
job=$root/usr/share/doc/lingchuan/examples/gear-pair-A.lcjob
QT_QPA_PLATFORM=offscreen "$root/usr/bin/lingchuan-report" "$job" -o "$root/example.pdf" 2>/dev/null ||
  fail "lingchuan-report does not print the example job"

# The job files' type, its icon, and the worked example's workbook as the
# program saves it, taken for that type by the desktop's own tools (xdg-mime,
# asking gio as under GNOME) in a scratch data folder, under either name.
data=$root/xdg && mkdir -p "$data/mime/packages"
cp "$root/usr/share/mime/packages/lingchuan.xml" "$data/mime/packages/" && XDG_DATA_HOME=$data update-mime-database "$data/mime" ||
  fail "no valid MIME file /usr/share/mime/packages/lingchuan.xml"
[ -f "$root/usr/share/icons/hicolor/48x48/mimetypes/application-x-lingchuan-workbook.png" ] || fail "no file-type icon"
for job in job.lcjob job.json; do
  printf '%s\n' "$result" > "$root/$job"
  type=$(XDG_CURRENT_DESKTOP=GNOME XDG_DATA_HOME=$data XDG_DATA_DIRS=$data:/usr/share xdg-mime query filetype "$root/$job")
  [ "$type" = application/x-lingchuan-workbook ] || fail "xdg-mime takes $job for '$type'"
done

if [ "$failures" -gt 0 ]; then
  echo "package: $failures problem(s) in $deb" >&2
  exit 1
fi
echo "package: $deb is complete"
