#!/usr/bin/env python3
"""The shipped example job and its blank drawing as DXF, read independently.

The example's digits against the reference scripts (sheet A2's worked example,
sheets B1 and C worked out by sheet_bc_reference.py). Its DXF, written by
lingchuan-report --dxf, read back with ezdxf (Debian's python3-ezdxf, in its
recover mode, which reads the \\U+XXXX notation of AutoCAD 2000 files): no
audit errors, the four layers, the 16 tooth edges ending where
blank_sketch_reference.py puts the sketch's points (within 1e-9 mm), every
dimension text the sheet's own, the properties in the title block, the
Chinese text style. A job whose sheet A2 is not calculated gives the sketch's
own line, exit status 2 and no file.
usage: example_job_test.py LINGCHUAN_REPORT JOB
Exits 77 (CTest: skipped) where ezdxf or mpmath is missing.
"""
import json
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'core'))
try:
    from ezdxf import recover
    import blank_sketch_reference as sketch
    import sheet_bc_reference as bc
except ImportError as e:
    print('needs the Python module %s: not checked' % e.name)
    sys.exit(77)

REPORT, JOB = sys.argv[1], sys.argv[2]
job = json.load(open(JOB, encoding='utf-8'))
sheets = job['sheets']
wrong = []


def check(ok, what):
    if not ok:
        wrong.append(what)


# The digits: sheet A2 as its worked example, B1 and C as worked out by hand.
b1, c = {'Text16': '0.9'}, {'Text13': '20', 'Text52': '25', 'Text53': '20', 'Text54': '28', 'Text55': '22'}
bc.b1_calc(bc.A2, b1)
bc.c_import(bc.A2, b1, c)
bc.c_calc(bc.A2, b1, c)
for name, expected in (('A2', bc.A2), ('B1', b1), ('C', c)):
    for field, text in expected.items():
        check(sheets[name][field] == text, '%s.%s is %r, not %r' % (name, field, sheets[name][field], text))

# The DXF of the example.
DIMENSIONS = {'Le': 'Text13', 'b': 'Text15'}
for tag, row in (('1', '(0)'), ('2', '(1)')):
    for label, item in (('ha', 33), ('hf', 34), ('d', 35), ('δ', 36), ('δa', 38), ('δf', 39), ('de', 40), ('X', 41)):
        DIMENSIONS[label + tag] = 'Text%d%s' % (item, row)
with tempfile.TemporaryDirectory() as tmp:
    out = os.path.join(tmp, 'blank.dxf')
    subprocess.run([REPORT, '--dxf', out, JOB], check=True)
    doc, auditor = recover.readfile(out)
    check(not auditor.has_errors and not doc.audit().has_errors, 'the audit found errors')
    layers = {layer.dxf.name for layer in doc.layers}
    check({'轮廓', '中心线', '尺寸', '文字'} <= layers, 'layers %s' % sorted(layers))
    msp = doc.modelspace()

    edges = [(e.dxf.start, e.dxf.end) for e in msp.query('LINE[layer=="轮廓"]')]
    check(len(edges) == 16, '%d lines on 轮廓, not 16' % len(edges))
    for k in (0, 1):
        p = sketch.member(k)
        for mirror in ((1, 1), (1, -1) if k == 0 else (-1, 1)):
            corners = [(float(p[n][0]) * mirror[0], float(p[n][1]) * mirror[1])
                       for n in ('faceOuter', 'faceInner', 'rootInner', 'rootOuter')]
            for a, b in zip(corners, corners[1:] + corners[:1]):
                near = lambda q, r: abs(q[0] - r[0]) <= 1e-9 and abs(q[1] - r[1]) <= 1e-9
                check(any((near(s, a) and near(e, b)) or (near(s, b) and near(e, a)) for s, e in edges),
                      'no outline edge from %s to %s' % (a, b))

    found = {}
    for t in msp.query('TEXT[layer=="尺寸"]'):
        label, _, value = t.dxf.text.partition(' ')
        found[label] = value.strip('Ø°')
    check(found == {label: sheets['A2'][field] for label, field in DIMENSIONS.items()},
          'dimension texts %s' % found)
    title = '\n'.join(t.dxf.text for t in msp.query('TEXT[layer=="文字"]'))
    for key, value in job['properties'].items():
        for line in value.split('\n'):
            check(line in title, 'property %s: %r not in the title block' % (key, line))
    check(doc.styles.get('宋体').get_extended_font_data()[0] == 'SimSun', 'the text style is not SimSun')

    # No drawing: the sketch's line, and nothing written.
    bare = os.path.join(tmp, 'bare.lcjob')
    json.dump({'sheets': {'A2': {}}}, open(bare, 'w'))
    run = subprocess.run([REPORT, '--dxf', os.path.join(tmp, 'none.dxf'), bare], capture_output=True, text=True)
    check(run.returncode == 2 and '计算单A2尚未计算' in run.stderr, 'an empty sheet A2: %r' % run.stderr)
    check(not os.path.exists(os.path.join(tmp, 'none.dxf')), 'a file written without a drawing')

for w in wrong:
    print(w)
sys.exit(1 if wrong else 0)
