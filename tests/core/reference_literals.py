#!/usr/bin/env python3
"""Runs a reference script; the C++ tests must hold what it works out.

usage: reference_literals.py SCRIPT SOURCE...
A script's bound() gives, for each case, (case, places, texts, fields): the
sheet's texts it works out, the fields the C++ tests must hold, and the places
that hold them. A place is a test ("Suite.Name"), a function or a variable
named where it is defined, or one list of it: "Suite.Name#2" is the second
list of {"key", "text"} pairs in that test. Every field must be in one of the
places, and every pair those lists hold whose key the case works out must
agree with it: a literal changed in its test fails, however often the same
pair stands elsewhere.
A script with literals() instead gives (case, key, expected): a text, held in
a source as {"key", "text"}, or numbers, held as {"key", a, b} within 1e-15
(relative, absolute below one), found anywhere in the sources.
Blanks do not count. Exits 77 (CTest: skipped) when the script needs a Python
module that is not installed.
"""
import importlib
import os
import re
import sys

PAIR = r'\{"([^"]+)",([^{}]*)\}'
GROUP = re.compile(r'\{(?:%s,?)+\}' % PAIR.replace('(', '(?:').replace('(?:?:', '(?:'))
DEFINITION = r'(?:TEST(?:_F)?\(\s*%s\s*,\s*%s\s*\)\s*|\b%s\s*(?:\(\s*\))?\s*(?:=\s*\[\]\s*)?)\{'


def agrees(found, expected):
    if isinstance(expected, str):
        return found == '"%s"' % expected
    numbers = found.split(',')
    return len(numbers) == len(expected) and all(
        abs(float(a) - float(b)) <= 1e-15 * max(1.0, abs(float(b))) for a, b in zip(numbers, expected))


def scope(sources, name):
    """The body of the test, function or variable `name`, blanks out."""
    suite, _, test = name.partition('.')
    pattern = DEFINITION % ((re.escape(suite), re.escape(test), '(?!)') if test else ('(?!)', '(?!)', re.escape(name)))
    for text in sources:
        m = re.search(pattern, text)
        if not m:
            continue
        depth = 0
        for end in range(m.end() - 1, len(text)):
            depth += {'{': 1, '}': -1}.get(text[end], 0)
            if depth == 0:
                return re.sub(r'\s', '', text[m.end() - 1:end + 1])
    return None


def lists(sources, place):
    """The lists of pairs a place holds; None for a place not found."""
    name, _, number = place.partition('#')
    body = scope(sources, name)
    if body is None:
        return None
    found = [g.group(0) for g in GROUP.finditer(body)]
    if not number:
        return found
    return found[int(number) - 1:int(number)] or None


def check_bound(bound, sources):
    wrong = total = 0
    for case, places, texts, fields in bound:
        held = []
        for place in places:
            found = lists(sources, place)
            if found is None:
                wrong += 1
                print('%s: no place %s in the tests' % (case, place))
                continue
            held += [pair for group in found for pair in re.findall(PAIR, group)]
        for key, value in held:
            if key in texts and not agrees(value, texts[key]):
                wrong += 1
                print('%s: %s should be %s; %s holds %s' % (case, key, texts[key], ' '.join(places), value))
        for key in fields:
            total += 1
            if not any(k == key for k, _ in held):
                wrong += 1
                print('%s: %s (%s) is in none of %s' % (case, key, texts[key], ' '.join(places)))
    print('%d values in their places; %d wrong' % (total, wrong))
    return 1 if wrong or not total else 0


def check_anywhere(expected, sources):
    held = ''.join(re.sub(r'\s', '', s) for s in sources)
    wrong = 0
    for case, key, value in expected:
        found = re.findall(r'\{"%s",([^{}]*)\}' % re.escape(key), held)
        if not any(agrees(f, value) for f in found):
            wrong += 1
            print('%s: %s should be %s; the tests hold %s' % (case, key, value, found or 'nothing'))
    print('%d of %d values agree' % (len(expected) - wrong, len(expected)))
    return 1 if wrong or not expected else 0


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
    sources = [open(p, encoding='utf-8').read() for p in paths]
    if hasattr(module, 'bound'):
        return check_bound(module.bound(), sources)
    return check_anywhere(module.literals(), sources)


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:]))
