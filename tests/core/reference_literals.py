#!/usr/bin/env python3
"""Runs a reference script; the C++ tests must hold what it works out.

usage: reference_literals.py SCRIPT SOURCE...
The script's literals() gives (case, key, expected): a text, held in a source
as {"key", "text"}, or numbers, held as {"key", a, b} within 1e-15 (relative,
absolute below one); blanks do not count. Exits 77 (CTest: skipped) when the
script needs a Python module that is not installed.
"""
import importlib
import os
import re
import sys


def agrees(found, expected):
    if isinstance(expected, str):
        return found == '"%s"' % expected
    numbers = found.split(',')
    return len(numbers) == len(expected) and all(
        abs(float(a) - float(b)) <= 1e-15 * max(1.0, abs(float(b))) for a, b in zip(numbers, expected))


def main(script, *sources):
    sys.path.insert(0, os.path.dirname(os.path.abspath(script)))
    name = os.path.splitext(os.path.basename(script))[0]
    try:
        module = importlib.import_module(name)
    except ModuleNotFoundError as e:
        if e.name == name:
            raise  # no such script: a failure, not a skip
        print('%s needs the Python module %s: not checked' % (script, e.name))
        return 77
    held = ''.join(re.sub(r'\s', '', open(p, encoding='utf-8').read()) for p in sources)
    wrong = 0
    expected = module.literals()
    for case, key, value in expected:
        found = re.findall(r'\{"%s",([^{}]*)\}' % re.escape(key), held)
        if not any(agrees(f, value) for f in found):
            wrong += 1
            print('%s: %s should be %s; the tests hold %s' % (case, key, value, found or 'nothing'))
    print('%d of %d values agree' % (len(expected) - wrong, len(expected)))
    return 1 if wrong or not expected else 0


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:]))
