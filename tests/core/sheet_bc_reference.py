#!/usr/bin/env python3
"""Expected texts of sheets B1 and C, worked out from the formulas by hand.

Independent of the C++ code: Python floats are IEEE doubles, float32
rounding goes through struct.pack('f'), texts are read with Fraction
(nearest float32 straight from the decimal) and written with Decimal
(the exact binary value rounded half away from zero).
"""
import math
import struct
from decimal import Decimal, ROUND_HALF_UP
from fractions import Fraction

PI = 3.14159265358979


def f32(x):
    """Round a double to single precision."""
    return struct.unpack('f', struct.pack('f', x))[0]


def f32_neighbours(f):
    bits = struct.unpack('<I', struct.pack('<f', f))[0]
    out = [f]
    for b in (bits - 1, bits + 1):
        if 0 <= b < 2**32:
            out.append(struct.unpack('<f', struct.pack('<I', b))[0])
    return out


def readD(text):
    return float(Fraction(text.strip()))


def readS(text):
    """The decimal text to the nearest float32 (ties to even), never via a double."""
    exact = Fraction(text.strip())
    best = None
    for cand in f32_neighbours(f32(float(exact))):
        err = abs(Fraction(cand) - exact)
        key = (err, struct.unpack('<I', struct.pack('<f', cand))[0] & 1)
        if best is None or key < best[0]:
            best = (key, cand)
    return best[1]


def _fmt(x, digits, exp_from):
    if x == 0:
        return '0'
    d = Decimal(x)  # exact binary value
    sign = '-' if d < 0 else ''
    d = abs(d)
    e = d.adjusted()
    r = d.quantize(Decimal(1).scaleb(e - digits + 1), rounding=ROUND_HALF_UP)
    e = r.adjusted()
    if Decimal('0.0001') <= r < Decimal(exp_from):
        s = format(r, 'f')
        if '.' in s:
            s = s.rstrip('0').rstrip('.')
        return sign + s
    mant = r.scaleb(-e)
    s = format(mant, 'f')
    if '.' in s:
        s = s.rstrip('0').rstrip('.')
    return '%s%sE%s%02d' % (sign, s, '+' if e >= 0 else '-', abs(e))


def wD(x):
    return _fmt(x, 15, '1E+15')


def wS(x):
    return _fmt(f32(x), 7, '1E+07')


def w8(x):
    return str(Decimal(x).quantize(Decimal('0.00000000'), rounding=ROUND_HALF_UP))


# Sheet A2 after its worked example (first stretch, then the second with
# item 17 = 44.45, Check2 and Check3 clear).
A2 = {
    'Text1': '10', 'Text2': '41', 'Text3': '2', 'Text4': '4.1', 'Text5': '35',
    'Text6': '42.2018956920184', 'Text7': '0.82', 'Text8': '0.25', 'Text9': '3.28',
    'Text10': '0.5', 'Text11': '6.2831852', 'Text12': '0.4', 'Text13': '42.2018956920184',
    'Text14': '0.25', 'Text15': '10.5504739230046', 'Text16': '36.9266587305161',
    'Text17': '44.45', 'Text18': '3.5', 'Text19': '35', 'Text21': '0.8888738',
    'Text22': '0.575899613801122', 'Text23(0)': '2.44', 'Text23(1)': '0.84',
    'Text24(0)': '1.34', 'Text24(1)': '2.94', 'Text25(0)': '1.81865191067781',
    'Text25(1)': '3.9850786718361', 'Text26': '12.8811819285765',
    'Text27': '50.4646453857422', 'Text28': '0.0774437746714884', 'Text31': '3.934887',
    'Text32(0)': '2.659729', 'Text32(1)': '4.826156', 'Text33(0)': '2.517444',
    'Text33(1)': '0.9174438', 'Text34(0)': '1.417444', 'Text34(1)': '3.017444',
    'Text35(0)': '20', 'Text35(1)': '82', 'Text36(0)': '13.70696',
    'Text36(1)': '76.2930389959203', 'Text38(0)': '18.53312', 'Text38(1)': '78.95277',
    'Text39(0)': '11.04723', 'Text39(1)': '71.46688', 'Text40(0)': '22.7541513438883',
    'Text40(1)': '83.4300039587609', 'Text41(0)': '41.3358720895402',
    'Text41(1)': '12.9315081154598', 'Text42(0)': '3.49748956554454', 'Text42(1)': '2.785696',
}


def b1_calc(a2, b1):
    """The B1 start button; b1['Text16'] is cosβe."""
    D = lambda f: readD(b1[f])
    L, r, beta_s = readD(a2['Text16']), readD(a2['Text17']), readS(a2['Text19'])
    b1['Text4'] = wD(L - r * math.sin(beta_s * PI / 180))
    b1['Text5'] = wD(r * math.cos(readS(a2['Text19']) * PI / 180))
    V, H = D('Text5'), D('Text4')
    b1['Text6'] = wD(math.pow(math.pow(H, 2) + math.pow(V, 2), 0.5))
    b1['Text7'] = wD(math.atan(V / H) * 180 / PI)
    b1['Text8'] = wD(D('Text7') - readD(a2['Text19']))
    b1['Text9'] = w8(readD(a2['Text27']) * readD(a2['Text16']) / 3440)
    b1['Text10'] = '0'
    b1['Text11'] = b1['Text8']
    b1['Text12'] = b1['Text6']
    b1['Text13'] = b1['Text12']
    b1['Text14'] = b1['Text12']
    b1['Text15'] = b1['Text9']
    b1['Text17'] = wD(D('Text16') * readD(a2['Text42(0)']))
    b1['Text18'] = wD(D('Text16') * readD(a2['Text42(1)']))
    b1['Text19'] = a2['Text33(0)']
    b1['Text20'] = a2['Text33(1)']


def c_import(a2, b1, c):
    for src, dst in (('Text1', 'Text42'), ('Text2', 'Text43'), ('Text6', 'Text44'),
                     ('Text3', 'Text45'), ('Text5', 'Text46'), ('Text16', 'Text47'),
                     ('Text15', 'Text48'), ('Text31', 'Text50')):
        c[dst] = a2[src]
    c['Text56'] = c['Text57'] = b1['Text15']


def rad(x):
    return x * PI / 180


def deg(y):
    return y * 180 / PI


def arccos_deg(x):
    root = math.sqrt(-x * x + 1)
    q = math.atan(1)
    return deg(math.atan(-x / root) + 2 * q)


def arcsin_deg(x):
    root = math.sqrt(-x * x + 1)
    return deg(math.atan(x / root))


def c_calc(a2, b1, c, right_hand=False, check2=False, check3=False):
    D = lambda f: readD(c[f])
    S = lambda f: readS(c[f])
    c['Text1'] = wD(D('Text48') * 57 * math.tan(rad(D('Text46'))) / D('Text47'))
    K = 1000 if D('Text46') > 0 else 1200
    c['Text2'] = wD(K / D('Text44') + D('Text1'))
    c1 = f32(math.cos(rad(D('Text52'))) / math.cos(rad(D('Text53'))))
    c2 = f32(math.cos(rad(D('Text54'))) / math.cos(rad(D('Text55'))))
    c['Text3'] = wD(arccos_deg(c1))
    c['Text4'] = wD(arccos_deg(c2))
    c['Text5'] = wD(D('Text2') * 0.5 + D('Text3') + D('Text1') * 0.5)
    if D('Text5') < 70:
        c['Text6'] = wD(D('Text2') * 0.5 + D('Text4') + D('Text1') * 0.5)
    if D('Text5') >= 70:
        c['Text6'] = wD(D('Text4') * 0.8 + D('Text2') * 0.6)
    if not check2:
        c['Text7'] = wD(D('Text44') * D('Text5') / 210 + 2)
    if not check3:
        c['Text8'] = wD(D('Text44') * D('Text6') / 210 + 2)
    c['Text9'] = wD(D('Text7') * 3 / D('Text44'))
    c['Text10'] = wD(D('Text8') * 3 / D('Text44'))
    c['Text11'] = wD(2 * D('Text7') / D('Text42'))
    c['Text12'] = wD(2 * D('Text8') / D('Text43'))
    c['Text14'] = wD(D('Text13') * D('Text44') / D('Text42'))
    c['Text15'] = wD(20 * D('Text44') / D('Text43'))
    c['Text16'] = w8(readD(a2['Text35(0)']) * 0.00043 * math.cos(rad(D('Text46'))))
    c['Text17'] = w8(readD(a2['Text35(1)']) * 0.00043 * math.cos(rad(D('Text46'))))
    c['Text23'] = wD((D('Text5') - D('Text2')) * 0.5)
    if D('Text5') < 70:
        c['Text24'] = wD((D('Text6') - D('Text2')) * 0.5)
    if D('Text5') >= 70:
        c['Text24'] = wD(D('Text8') / D('Text44'))
    s1 = f32(readD(b1['Text12']) / 64)
    s2 = f32(readD(b1['Text14']) / 64)
    c['Text25'] = wD(arcsin_deg(s1))
    c['Text26'] = wD(arcsin_deg(s1))
    c['Text27'] = wD(arcsin_deg(s2))
    c['Text28'] = wD(arcsin_deg(s2))
    if not right_hand:
        c['Text29'] = wS(f32(f32(S('Text25') - readS(b1['Text7'])) + S('Text23')))
        c['Text30'] = wS(f32(f32(readS(b1['Text7']) + S('Text25')) + S('Text24')))
    else:
        c['Text29'] = wD((D('Text25') - readD(b1['Text7'])) + D('Text24'))
        c['Text30'] = wD((D('Text25') + readD(b1['Text7'])) + D('Text23'))
    c['Text34'] = wS(readS(b1['Text11']) + S('Text25') + 90)
    c['Text35'] = wS(S('Text25') - readS(b1['Text11']) + 90)
    c['Text36'] = wD(7 - D('Text56'))
    c['Text37'] = wD(7 - D('Text57'))
    c['Text38'] = wD(2 * D('Text50') + 6)


def search_theta70(base, b1):
    """The face widths around 10.549000741214 whose θ1 texts are 70 and just below."""
    from decimal import Decimal
    for k in range(-5, 5):
        b = str(Decimal('10.5490007412140') + k * Decimal('1e-13'))
        u = dict(base, Text52='49.92', Text48=b)
        c_calc(A2, b1, u)
        print('   b %s gives theta1 %s' % (b, u['Text5']))


def show(title, sheet, names):
    print('==', title)
    for n in names:
        print('   %-8s %s' % (n, sheet.get(n)))


C_ITEMS = ['Text%d' % n for n in list(range(1, 18)) + list(range(23, 31)) + list(range(34, 39))]

def cases():
    """(title, sheet after the press, the fields the C++ tests hold)."""
    out = []
    b1 = {'Text16': '0.9'}
    b1_calc(A2, b1)
    out.append(('B1 worked example', b1, ['Text%d' % n for n in range(4, 21)]))
    c = {'Text13': '20', 'Text52': '25', 'Text53': '20', 'Text54': '28', 'Text55': '22'}
    c_import(A2, b1, c)
    out.append(('C import', dict(c), [n for n in sorted(c) if n != 'Text13']))
    base = dict(c)
    c_calc(A2, b1, c)
    out.append(('C worked example, left hand', c, C_ITEMS))
    r = dict(base)
    c_calc(A2, b1, r, right_hand=True)
    out.append(('C right hand', r, ['Text29', 'Text30']))
    for beta in ('0', '-35'):
        u = dict(base, Text46=beta)
        c_calc(A2, b1, u)
        out.append(('C with beta ' + beta, u, ['Text1', 'Text2']))
    # θ1 = θε/2 + θ'1 + θB/2 lands on the text 70 (and just below) with
    # Фe1 49.92 and a face width found by search_theta70.
    for b in ('10.5490007412144', '10.5490007412143'):
        u = dict(base, Text52='49.92', Text48=b)
        c_calc(A2, b1, u)
        out.append(('C with b ' + b, u, ['Text5', 'Text6', 'Text8', 'Text10', 'Text12', 'Text24']))
    u = dict(base, Text52='49.92', Text48='10.5490007412144', Text8='40')
    c_calc(A2, b1, u, check3=True)
    out.append(('C theta1 70, Check3 with Zi2 40', u, ['Text5', 'Text8', 'Text10', 'Text12', 'Text24']))
    u = dict(base, Text7='30', Text8='40')
    c_calc(A2, b1, u, check2=True, check3=True)
    out.append(('C Check2 Zi1 30, Check3 Zi2 40', u,
                ['Text7', 'Text8', 'Text9', 'Text10', 'Text11', 'Text12', 'Text24']))
    u = dict(base, Text13='25')
    c_calc(A2, b1, u)
    out.append(('C with Gr 25', u, ['Text14', 'Text15']))
    for beta in ('0', '35.123456789'):
        v = {'Text16': '0.9'}
        b1_calc(dict(A2, Text19=beta), v)
        out.append(('B1 with beta ' + beta, v, ['Text4', 'Text5', 'Text6', 'Text7', 'Text8']))
    # lingchuan-calc's whole chain: cosβe 0.95, angles 20, 10, 20, 10, right hand.
    v = {'Text16': '0.95'}
    b1_calc(A2, v)
    u = {'Text13': '20', 'Text52': '20', 'Text53': '10', 'Text54': '20', 'Text55': '10'}
    c_import(A2, v, u)
    c_calc(A2, v, u, right_hand=True)
    out.append(('whole chain, B1', v, ['Text9', 'Text17', 'Text18']))
    out.append(('whole chain, C', u, ['Text3', 'Text5', 'Text7', 'Text11', 'Text12', 'Text23', 'Text29', 'Text30']))
    return out


# Where the C++ tests hold each case (see reference_literals.py): a test, a
# variable or a function, "#N" its Nth list of texts.
W, T70 = 'WorkedExample.', 'WorkedExample.Theta1OfExactly70TakesTheSecondFormulas#'
B1BETA, CHAIN = 'SheetB1.SpiralAngleIsSingleForTheComponentsAndDoubleForItem8#', 'BatchCalculation.WholeChainOfSheets#'
PLACES = {
    'B1 worked example': ['kB1Results', W + 'EveryItemOfB1AndC'], 'C import': ['cImportedFromA2', 'kCInputs'],
    'C worked example, left hand': ['kCResults'],
    'C right hand': [W + 'RightHandedPinionPairsTheOtherHalfAnglesInDouble#1',
                     'Chain.SheetA2sOwnCalculationFeedsTheSameTexts#3'],
    'C with beta 0': [W + 'SpiralAngleNotAboveZeroTakes1200#1'],
    'C with beta -35': [W + 'SpiralAngleNotAboveZeroTakes1200#2'],
    'C with b 10.5490007412144': [T70 + '1'], 'C with b 10.5490007412143': [T70 + '2'],
    'C theta1 70, Check3 with Zi2 40': [T70 + '3'],
    'C Check2 Zi1 30, Check3 Zi2 40': [W + 'TickedChecksKeepTypedToothRatios#1'],
    'C with Gr 25': [W + 'GrChangesG1Only'], 'B1 with beta 0': [B1BETA + '1'], 'B1 with beta 35.123456789': [B1BETA + '2'],
    'whole chain, B1': [CHAIN + '4'], 'whole chain, C': [CHAIN + '5'],
}


def bound():
    """Each case with the places that hold it, as reference_literals.py checks them."""
    return [(title, PLACES[title], sheet, fields) for title, sheet, fields in cases()]


if __name__ == '__main__':
    for title, sheet, fields in cases():
        show(title, sheet, fields)
    search_theta70(cases()[1][1], cases()[0][1])
