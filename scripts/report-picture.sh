#!/usr/bin/env bash
# Regenerates docs/report-a2.png, the first printed page of the worked example:
# the batch tool runs the example through every sheet, lingchuan-report makes
# the PDF, pdftoppm turns its first page into the picture. Then
# docs/report-c-notice.png: sheet C's page after the module was changed to 2.5
# and sheets A2 and B1 calculated again, with its notice.
#
#   scripts/report-picture.sh          # into docs/
#   scripts/report-picture.sh DIR      # into DIR (the PDF stays there too)
#
# Run on demand; CI does not run it.
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-docs}

scripts/setup.sh run test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target lingchuan-calc lingchuan-report

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/src/cli/lingchuan-calc run >"$work/算例.lcjob" <<'JSON'
{"actions": ["A1", "A2.Text1=10", "A2.Text2=41", "A2.Text3=2", "A2.Text5=35", "A2.Text12=0.4",
             "A2.Text17=44.45", "A2.Command1", "A2.Command2", "B1.Text16=0.9", "B1.Command1",
             "B1.Command3", "C.Text52=25", "C.Text53=20", "C.Text54=28", "C.Text55=22", "C.Command1",
             "Gljs", "gears.Text1=0.5", "gears.Command1"]}
JSON
build/src/report/lingchuan-report "$work/算例.lcjob" -o "$work/算例.pdf"
pdftoppm -r 100 -f 1 -l 1 -singlefile -png "$work/算例.pdf" "$out/report-a2"
if [ "$out" != docs ]; then cp "$work/算例.pdf" "$out/"; fi
echo "wrote $out/report-a2.png"

python3 -c 'import json, sys
d = json.load(sys.stdin)
d.pop("log", None)
d["actions"] = ["A2.Text3=2.5", "A2.Command1", "A2.Command2", "B1.Command1", "B1.Command3"]
print(json.dumps(d, ensure_ascii=False))' <"$work/算例.lcjob" | build/src/cli/lingchuan-calc run >"$work/模数改动.lcjob"
build/src/report/lingchuan-report "$work/模数改动.lcjob" -o "$work/模数改动.pdf"
pdftoppm -r 100 -f 3 -l 3 -singlefile -png "$work/模数改动.pdf" "$out/report-c-notice"
echo "wrote $out/report-c-notice.png"
