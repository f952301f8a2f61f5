#!/usr/bin/env python3
"""Expected texts of sheet A2's start button, worked out from its formulas.

Independent of the C++ code: the sheet's steps one by one, each value read
back from the text written for it, texts read and written as in
sheet_bc_reference.py. reference_literals.py checks the C++ tests hold them where PLACES says.
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sheet_bc_reference import f32, readD, readS, wD, wS  # noqa: E402

PI = 3.14159265358979
CUTTERS = (('6.35', 0.5), ('13.97', 1.1), ('19.05', 1.5), ('25.4', 2), ('44.45', 3.5))


def press(t, check1=0, check2=0, check3=0):
    """Both stretches of the start button on the texts `t`, in place."""
    D = lambda f: readD(t[f])
    S = lambda f: readS(t[f])
    P = lambda n, k: 'Text%d(%s)' % (n, k)
    m, beta = D('Text3'), D('Text5')
    # First stretch: the three tables, then items 4 to 16 and 23 to 25.
    # Kc in the gap 1.225 < m <= 1.25 is 0.3, as the program chose.
    t['Text8'] = wD(0.35 if m <= 0.5 else 0.3 if m <= 1.25 else 0.25 if m <= 2.5 else 0.2)
    t['Text14'] = wD(0.2 if m < 0.8 else 0.25)
    f = 1 if beta == 0 else 0.92 if 10 <= beta <= 25 else 0.82 if 30 <= beta <= 40 else None
    if f is not None:
        t['Text7'] = wD(f)
    t['Text4'] = wD(D('Text2') / D('Text1'))
    t['Text6'] = wD(math.pow(math.pow(D('Text1'), 2) + math.pow(D('Text2'), 2), 1 / 2))
    if t.get('Text7', '') != '':
        t['Text9'] = wD((D('Text7') + D('Text7')) * D('Text3'))
    t['Text10'] = wD(D('Text8') * D('Text3'))
    t['Text11'] = wD(D('Text3') * 3.1415926)
    t['Text13'] = wD(D('Text6') * 0.5 * D('Text3'))
    if check1 == 0:
        t['Text15'] = wD(D('Text13') * D('Text14'))
    t['Text16'] = wD(D('Text13') - D('Text15') * 0.5)
    t['Text23(0)'] = wS(S('Text3') * f32(S('Text7') + S('Text12')))
    t['Text23(1)'] = wD(D('Text3') * (D('Text7') - D('Text12')))
    t['Text24(0)'] = wS(S('Text3') * f32(f32(S('Text7') + S('Text8')) - S('Text12')))
    t['Text24(1)'] = wS(S('Text3') * f32(S('Text12') + f32(S('Text7') + S('Text8'))))
    for k in '01':
        t[P(25, k)] = wD(math.atan(D(P(24, k)) / D('Text13')) * 180 / PI)
    if t.get('Text17', '') == '':
        return t
    # Second stretch.
    for text, inches in CUTTERS:
        if t['Text17'] == text:
            t['Text18'] = wD(inches)
            break
    if check2 == 0:
        t['Text19'] = t['Text5']
    c5 = f32(math.cos((D('Text5') + D('Text5')) * 3.1415926 / 360))
    t['Text21'] = wS(D('Text16') * D('Text3') / D('Text13') * (1.571 * c5 - 0.728 * (S('Text7') + S('Text8'))))
    t['Text22'] = wD((D('Text17') * 0.25 * c5) / (D('Text15') * math.pow(D('Text3') * 1.37 * c5, 1 / 2)))
    b19 = D('Text19') * PI / 180
    if check3 == 0:
        t['Text26'] = wD(math.tan(b19) * 1483 / D('Text6') * (1 - D('Text16') / D('Text17') * math.sin(b19)))
    a = f32(S('Text26') * 20 / math.sin(D('Text19') * PI / 180))
    b = f32((S('Text25(0)') + S('Text25(1)')) * 60)
    t['Text27'] = wD((a - b) * 0.5)
    t['Text28'] = wD(D('Text15') * 0.5 * math.tan(D('Text27') * PI / 10800))
    t['Text31'] = wS(2 * S('Text28') + f32(S('Text9') + S('Text10')))
    for k in '01':
        t[P(32, k)] = wS(S(P(25, k)) + f32(S('Text27') / 60))
    for n, src in ((33, 23), (34, 24)):
        for k in '01':
            t[P(n, k)] = wS(S(P(src, k)) + S('Text28'))
    t['Text35(0)'] = wS(S('Text3') * S('Text1'))
    t['Text35(1)'] = wS(S('Text3') * S('Text2'))
    t['Text36(1)'] = wD(math.atan(D('Text4')) * 180 / PI)
    t['Text36(0)'] = wS(90 - S('Text36(1)'))
    t['Text38(0)'] = wS(S('Text36(0)') + S('Text32(1)'))
    t['Text38(1)'] = wS(S('Text36(1)') + S('Text32(0)'))
    for k in '01':
        t[P(39, k)] = wS(S(P(36, k)) - S(P(32, k)))
    for k in '01':
        t[P(40, k)] = wD(S(P(35, k)) + 2 * S(P(34, k)) * math.cos(D(P(36, k)) * PI / 180))
    t['Text41(0)'] = wD(S('Text35(1)') * 0.5 + S('Text34(0)') * math.sin(D('Text36(0)') * PI / 180))
    t['Text41(1)'] = wD(S('Text35(0)') * 0.5 + S('Text34(1)') * math.sin(D('Text36(1)') * PI / 180))
    t['Text42(0)'] = wD(S('Text3') * 1.571 + S('Text12') * 0.728 / math.cos(D('Text19') * PI / 180))
    t['Text42(1)'] = wS(S('Text11') - S('Text42(0)'))
    return t


EXAMPLE1 = {'Text1': '10', 'Text2': '41', 'Text3': '2', 'Text5': '35', 'Text12': '0.4', 'Text17': '44.45'}


def cases():
    """(title, texts after the press, the fields the C++ tests hold)."""
    all_written = ['Text%d' % n for n in (8, 14, 7, 4, 6, 9, 10, 11, 13, 15, 16, 18, 19, 21, 22, 26, 27, 28, 31)]
    all_written += ['Text%d(%d)' % (n, k) for n in (23, 24, 25, 32, 33, 34, 35, 36, 38, 39, 40, 41, 42) for k in (0, 1)]
    return [
        ('worked example 1', press(dict(EXAMPLE1)), all_written),
        ('worked example 2, first stretch',
         press({'Text1': '13', 'Text2': '40', 'Text3': '0.9', 'Text5': '20', 'Text12': '0.25'}),
         all_written[:11] + ['Text%d(%d)' % (n, k) for n in (23, 24, 25) for k in (0, 1)]),
        ('face width 12 kept', press(dict(EXAMPLE1, Text15='12'), check1=1), ['Text16', 'Text21', 'Text22']),
        ('item 19 at 30 kept', press(dict(EXAMPLE1, Text19='30'), check2=1),
         ['Text26', 'Text27', 'Text28', 'Text42(0)', 'Text42(1)']),
        ('cutter number 3.5 kept', press(dict(EXAMPLE1, Text26='3.5'), check3=1), ['Text27', 'Text28']),
        ('radius 25.4', press(dict(EXAMPLE1, Text17='25.4')), ['Text18', 'Text22', 'Text26', 'Text27']),
        ('module 1.23', press(dict(EXAMPLE1, Text3='1.23')), ['Text8', 'Text14', 'Text10']),
    ]


# Where the C++ tests hold each case (see reference_literals.py).
PLACES = {
    'worked example 1': ['a2FirstStretch', 'a2SecondStretch'],
    'worked example 2, first stretch': ['A2Calculation.SecondFirstStretchExample#2'],
    'face width 12 kept': ['A2Calculation.TypedFaceWidthIsKeptWithCheck1'],
    'item 19 at 30 kept': ['A2Calculation.TypedItem19ChangesOnlyTheCutterQuantities'],
    'cutter number 3.5 kept': ['A2Calculation.TypedCutterNumberIsKeptWithCheck3'],
    'radius 25.4': ['A2Calculation.CutterRadiusIsComparedAsText#1'],
    'module 1.23': ['A2Calculation.ModuleInTheGapCalculatesThrough'],
}


def bound():
    """Each case with the places that hold it, as reference_literals.py checks them."""
    return [(title, PLACES[title], texts, fields) for title, texts, fields in cases()]


if __name__ == '__main__':
    for title, texts, fields in cases():
        print('==', title)
        for f in fields:
            print('   %-10s %s' % (f, texts[f]))
