#!/usr/bin/env bash
# Regenerates docs/report-a2.png, the first printed page of the example job
# (docs/examples/gear-pair-A.lcjob: the worked example through sheets A2, B1
# and C, its properties filled in): lingchuan-report makes the PDF, pdftoppm
# turns its first page into the picture. Then docs/report-c-notice.png: sheet
# C's page after the module was changed to 2.5 and sheets A2 and B1
# calculated again, with its notice; and docs/blank-dxf.png, the job's blank
# drawing as DXF (lingchuan-report --dxf) drawn by ezdxf.
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
job=docs/examples/gear-pair-A.lcjob
build/src/report/lingchuan-report "$job" -o "$work/gear-pair-A.pdf"
pdftoppm -r 100 -f 1 -l 1 -singlefile -png "$work/gear-pair-A.pdf" "$out/report-a2"
if [ "$out" != docs ]; then cp "$work/gear-pair-A.pdf" "$out/"; fi
echo "wrote $out/report-a2.png"

python3 -c 'import json, sys
d = json.load(sys.stdin)
d.pop("log", None)
d["actions"] = ["A2.Text3=2.5", "A2.Command1", "A2.Command2", "B1.Command1", "B1.Command3"]
print(json.dumps(d, ensure_ascii=False))' <"$job" | build/src/cli/lingchuan-calc run >"$work/模数改动.lcjob"
build/src/report/lingchuan-report "$work/模数改动.lcjob" -o "$work/模数改动.pdf"
pdftoppm -r 100 -f 3 -l 3 -singlefile -png "$work/模数改动.pdf" "$out/report-c-notice"
echo "wrote $out/report-c-notice.png"

# The blank drawing as DXF, drawn by ezdxf's drawing add-on through
# matplotlib (Debian's python3-ezdxf and python3-matplotlib): a program that
# shares nothing with 翎川. The drawing's text style names SimSun, which
# Windows has; here Noto Sans CJK stands in for it.
build/src/report/lingchuan-report --dxf "$work/gear-pair-A.dxf" "$job"
/usr/bin/python3 - "$work/gear-pair-A.dxf" "$out/blank-dxf.png" <<'PY'
import sys
import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt
from ezdxf import recover
from ezdxf.addons.drawing import Frontend, RenderContext
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend
from ezdxf.addons.drawing.properties import LayoutProperties
from ezdxf.tools import fonts

fonts.find_font_face_by_family = lambda *args, **kwargs: fonts.FontFace(family="Noto Sans CJK JP")
doc, auditor = recover.readfile(sys.argv[1])
assert not auditor.has_errors
fig = plt.figure(figsize=(10, 7))
ax = fig.add_axes([0, 0, 1, 1])
paper = LayoutProperties.from_layout(doc.modelspace())
paper.set_colors("#FFFFFF")
Frontend(RenderContext(doc), MatplotlibBackend(ax)).draw_layout(doc.modelspace(), finalize=True, layout_properties=paper)
fig.savefig(sys.argv[2], dpi=110, bbox_inches="tight", pad_inches=0.1)
PY
echo "wrote $out/blank-dxf.png"
