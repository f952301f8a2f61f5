#!/usr/bin/env python3
"""A long document costs lingchuan-calc run the memory of its own text and a
few bytes an action, never a tree node or a log entry each: 4 million actions
of the shortest kind (a 20 MB document) stay within ten times the document,
as a 100 MB document must stay within 1 GB. A document refused costs at most
a few times its size: 10 million empty arrays under an unknown key (30 MB,
which once took 746 MB before being refused) within four times.

usage: memory_test.py LINGCHUAN_CALC
"""
import os
import resource
import subprocess
import sys
import tempfile

CALC = sys.argv[1]
ACTIONS = 4_000_000
LIMIT_BYTES = 10 * 5 * ACTIONS  # ten times the document, '"A1",' an action

with tempfile.TemporaryFile() as doc:
    # Written a piece at a time, so that this script stays small itself: the
    # child's peak below would otherwise count what it was forked from.
    doc.write(b'{"actions":[')
    for _ in range(ACTIONS // 100_000):
        doc.write(b'"A1",' * 100_000)
    doc.write(b'"A1"]}')
    doc.seek(0)
    run = subprocess.run([CALC, "run"], stdin=doc, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, check=False)

if run.returncode != 0:
    sys.exit(f"lingchuan-calc run failed ({run.returncode}): {run.stderr.decode()[:400]}")
peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss * 1024
print(f"{ACTIONS + 1} actions: peak {peak / 1e6:.0f} MB, limit {LIMIT_BYTES / 1e6:.0f} MB")
if peak > LIMIT_BYTES:
    sys.exit("lingchuan-calc run held more than ten times its document")

# Measured on its own (wait4), after the peak above was taken.
with tempfile.TemporaryFile() as doc:
    doc.write(b'{"x":[')
    for _ in range(100):
        doc.write(b"[]," * 100_000)
    doc.write(b"[]]}")
    size = doc.tell()
    doc.seek(0)
    child = subprocess.Popen([CALC, "run"], stdin=doc, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    err = child.stderr.read().decode()
    _, status, usage = os.wait4(child.pid, 0)
peak = usage.ru_maxrss * 1024
print(f"refused {size / 1e6:.0f} MB document: peak {peak / 1e6:.0f} MB, limit {4 * size / 1e6:.0f} MB")
if os.waitstatus_to_exitcode(status) != 2 or not err.startswith("lingchuan-calc: x: no such key"):
    sys.exit(f"the document was not refused as it should be: {err[:400]}")
if peak > 4 * size:
    sys.exit("lingchuan-calc run held more than four times the document it refused")
