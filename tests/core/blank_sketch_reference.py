#!/usr/bin/env python3
"""Expected points of the blank sketch for sheet A2's worked example.

Worked independently of the C++ code, at 40 digits with mpmath, straight in
the sketch's frame (apex at the origin, x along the pinion's axis, y along the
gear's): each inner end and each cone apex is the crossing of two lines found
by Cramer's rule, each diameter point is the point of the back cone line at
that radius, the crown-distance point the one at that axial distance.
Prints the numbers that tests/core/blank_sketch_test.cpp holds;
reference_literals.py checks them there. It needs mpmath (Debian:
python3-mpmath).
"""
from mpmath import mp, mpf, cos, sin, pi

mp.dps = 40

# The texts of the worked example, items 13, 15 and 33 to 41 (pinion, gear).
LE, B = mpf('42.2018956920184'), mpf('10.5504739230046')
ITEMS = {
    'ha': ('2.517444', '0.9174438'), 'hf': ('1.417444', '3.017444'),
    'd': ('20', '82'), 'delta': ('13.70696', '76.2930389959203'),
    'deltaA': ('18.53312', '78.95277'), 'deltaF': ('11.04723', '71.46688'),
    'de': ('22.7541513438883', '83.4300039587609'), 'X': ('41.3358720895402', '12.9315081154598'),
}


def rad(deg):
    return mpf(deg) * pi / 180


def cross(p, a, q, c):
    """The point where the line p + s*a meets the line q + t*c."""
    det = a[0] * (-c[1]) - a[1] * (-c[0])
    rx, ry = q[0] - p[0], q[1] - p[1]
    s = (rx * (-c[1]) - ry * (-c[0])) / det
    return (p[0] + s * a[0], p[1] + s * a[1])


def member(k):
    v = {name: mpf(texts[k]) for name, texts in ITEMS.items()}
    if k == 0:  # the pinion: its axis is x, its radius y
        unit = lambda deg: (cos(rad(deg)), sin(rad(deg)))
        axis, radial = (mpf(1), mpf(0)), 1
    else:       # the gear: its axis is y, its radius x
        unit = lambda deg: (sin(rad(deg)), cos(rad(deg)))
        axis, radial = (mpf(0), mpf(1)), 0
    e = unit(v['delta'])
    n = unit(v['delta'] + 90)  # the back cone, square to the pitch cone, away from the axis
    p_out = (LE * e[0], LE * e[1])
    p_in = ((LE - B) * e[0], (LE - B) * e[1])
    face_out = (p_out[0] + v['ha'] * n[0], p_out[1] + v['ha'] * n[1])
    root_out = (p_out[0] - v['hf'] * n[0], p_out[1] - v['hf'] * n[1])
    pts = {
        'pitchOuter': p_out, 'pitchInner': p_in,
        'faceOuter': face_out, 'faceInner': cross(face_out, unit(v['deltaA']), p_in, n),
        'rootOuter': root_out, 'rootInner': cross(root_out, unit(v['deltaF']), p_in, n),
        'faceApex': cross(face_out, unit(v['deltaA']), (0, 0), axis),
        'rootApex': cross(root_out, unit(v['deltaF']), (0, 0), axis),
    }
    for name, radius in (('pitchDiameterPoint', v['d'] / 2), ('outsideDiameterPoint', v['de'] / 2)):
        t = (radius - p_out[radial]) / n[radial]
        pts[name] = (p_out[0] + t * n[0], p_out[1] + t * n[1])
    t = (v['X'] - p_out[1 - radial]) / n[1 - radial]
    pts['crownDistancePoint'] = (p_out[0] + t * n[0], p_out[1] + t * n[1])
    return pts


def bound():
    """The points as reference_literals.py checks them in their test."""
    points = {f'{who}.{name}': xy for k, who in ((0, 'pinion'), (1, 'gear')) for name, xy in member(k).items()}
    return [('blank sketch', ['BlankSketch.WorkedExampleAgreesWithHandWorkedPoints'], points, list(points))]


if __name__ == '__main__':
    for point, (x, y) in bound()[0][2].items():
        print(f'    {{"{point}", {mp.nstr(x, 17)}, {mp.nstr(y, 17)}}},')
