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
import subprocess
import sys
import tempfile

CALC = sys.argv[1]


def peak(head, piece, count, tail):
    """Exit status, standard error and peak memory in bytes of `run` on
    head + piece * count + tail, written a piece at a time so that this script
    stays small itself (the child's peak would otherwise count what it was
    forked from)."""
    with tempfile.TemporaryFile() as doc:
        doc.write(head)
        for _ in range(count // 100_000):
            doc.write(piece * 100_000)
        doc.write(tail)
        size = doc.tell()
        doc.seek(0)
        child = subprocess.Popen([CALC, "run"], stdin=doc, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        err = child.stderr.read().decode()
        _, status, usage = os.wait4(child.pid, 0)
    return os.waitstatus_to_exitcode(status), err, usage.ru_maxrss * 1024, size


ACTIONS = 4_000_000
LIMIT_BYTES = 10 * 5 * ACTIONS  # ten times the document, '"A1",' an action
status, err, used, _ = peak(b'{"actions":[', b'"A1",', ACTIONS, b'"A1"]}')
if status != 0:
    sys.exit(f"lingchuan-calc run failed ({status}): {err[:400]}")
print(f"{ACTIONS + 1} actions: peak {used / 1e6:.0f} MB, limit {LIMIT_BYTES / 1e6:.0f} MB")
if used > LIMIT_BYTES:
    sys.exit("lingchuan-calc run held more than ten times its document")

status, err, used, size = peak(b'{"x":[', b"[],", 10_000_000, b"[]]}")
print(f"refused {size / 1e6:.0f} MB document: peak {used / 1e6:.0f} MB, limit {4 * size / 1e6:.0f} MB")
if status != 2 or not err.startswith("lingchuan-calc: x: no such key"):
    sys.exit(f"the document was not refused as it should be ({status}): {err[:400]}")
if used > 4 * size:
    sys.exit("lingchuan-calc run held more than four times the document it refused")
