#!/usr/bin/env python3
"""Runs a reference script; the C++ tests must hold what it works out.

usage: reference_literals.py SCRIPT SOURCE...
The script's bound() gives (case, places, texts, fields) a case. A place is a
test ("Suite.Name") or a function or variable by name, "#N" its Nth list of
{"key", "text"} or {"key", a, b} pairs (numbers within 1e-15). Each field must
be in a place, and each pair there must agree with the case's texts, so a
literal changed in its test fails. Exits 77 (CTest: skipped) when the script
needs a Python module that is not installed.
"""
import importlib
import os
import re
import sys

PAIR = r'\{"([^"]+)",([^{}]*)\}'
GROUP = r'\{(?:\{"[^"]+",[^{}]*\},?)+\}'
DEFINITION = r'(?:TEST(?:_F)?\(\s*%s\s*,\s*%s\s*\)\s*|\b%s\s*(?:\(\s*\))?\s*(?:=\s*\[\]\s*)?)\{'


def agrees(found, expected):
    if isinstance(expected, str):
        return found == '"%s"' % expected
    numbers = found.split(',')
    return len(numbers) == len(expected) and all(
        abs(float(a) - float(b)) <= 1e-15 * max(1.0, abs(float(b))) for a, b in zip(numbers, expected))


def lists(held, place):
    """The lists of pairs a place holds, None for a place not found."""
    name, _, number = place.partition('#')
    suite, _, test = name.partition('.')
    names = (re.escape(suite), re.escape(test), '(?!)') if test else ('(?!)', '(?!)', re.escape(name))
    m = re.search(DEFINITION % names, held)
    if not m:
        return None
    depth = 0
    for end in range(m.end() - 1, len(held)):
        depth += {'{': 1, '}': -1}.get(held[end], 0)
        if depth == 0:
            break
    found = re.findall(GROUP, re.sub(r'\s', '', held[m.end() - 1:end + 1]))
    return found[int(number) - 1:int(number)] or None if number else found


def main(script, *paths):
    sys.path.insert(0, os.path.dirname(os.path.abspath(script)))
    name = os.path.splitext(os.path.basename(script))[0]
    try:
        module = importlib.import_module(name)
    except ModuleNotFoundError as e:
        if e.name == name:
            raise  # no such script: a failure, not a skip
        print('%s needs the Python module %s: not checked' % (script, e.name))
        return 77
    held = '\n'.join(open(p, encoding='utf-8').read() for p in paths)
    wrong = total = 0
    for case, places, texts, fields in module.bound():
        found = [lists(held, place) for place in places]
        wrong += sum(f is None for f in found)
        pairs = [p for f in found if f for group in f for p in re.findall(PAIR, group)]
        for key, value in pairs:
            if key in texts and not agrees(value, texts[key]):
                wrong += 1
                print('%s: %s should be %s; %s holds %s' % (case, key, texts[key], ' '.join(places), value))
        missing = [key for key in fields if key not in dict(pairs)]
        total += len(fields)
        wrong += len(missing)
        if None in found or missing:
            print('%s: %s not found in %s' % (case, ' '.join(missing) or 'a place', ' '.join(places)))
    print('%d values in their places; %d wrong' % (total, wrong))
    return 1 if wrong or not total else 0


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:]))
