#!/usr/bin/env python3
"""Draws the program's icon, a spiral bevel gear pair, and renders its PNGs.

The pair is modelled in three dimensions: two pitch cones with a common apex
and axes at right angles, curved teeth on them (a circular arc in the
developed cone, as a face-milling cutter leaves it), the back cones, the hub
of the gear and the shaft of the pinion. Every face is a flat polygon, shaded
by one light, sorted back to front and written as SVG.

    data/icons/make_icon.py          # writes lingchuan.svg, lingchuan-small.svg
                                     # and png/lingchuan-SIZE.png

Rendering needs rsvg-convert (Debian package librsvg2-bin); the PNGs are
committed, so neither building nor running the program needs this script.
"""
import math
import os
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))

# Sizes a desktop asks for; the small picture (fewer, bolder teeth) below 48.
SIZES = [16, 22, 24, 32, 48, 64, 128, 256, 512]
SMALL_LIMIT = 48

VIEW = 256.0                     # the SVG's own square
CAMERA = (1.0, -0.95, 1.05)      # towards the viewer
CAMERA_SMALL = (0.35, -1.0, 1.1)  # more from the front: the pinion's cone shows at a few pixels
LIGHT = (0.2, -0.55, 1.0)        # towards the light
GEAR_COLOUR = (84, 120, 160)     # steel blue
PINION_COLOUR = (224, 134, 40)   # brass orange


def sub(p, q): return (p[0] - q[0], p[1] - q[1], p[2] - q[2])
def add(p, q): return (p[0] + q[0], p[1] + q[1], p[2] + q[2])
def mul(k, p): return (k * p[0], k * p[1], k * p[2])
def dot(p, q): return p[0] * q[0] + p[1] * q[1] + p[2] * q[2]
def cross(p, q): return (p[1] * q[2] - p[2] * q[1], p[2] * q[0] - p[0] * q[2], p[0] * q[1] - p[1] * q[0])
def unit(p): return mul(1.0 / math.sqrt(dot(p, p)), p)


class Cone:
    """A gear's pitch cone: apex at the origin, axis `axis`, half angle `delta`."""

    def __init__(self, axis, e1, delta, teeth, hand):
        self.a = unit(axis)
        self.e1 = unit(e1)
        self.e2 = cross(self.a, self.e1)
        self.delta = delta
        self.teeth = teeth
        self.hand = hand

    def u(self, theta):
        return add(mul(math.cos(theta), self.e1), mul(math.sin(theta), self.e2))

    def point(self, rho, theta, h):
        """Cone distance rho, azimuth theta, height h·rho off the pitch cone (away from the axis)."""
        u = self.u(theta)
        g = add(mul(math.cos(self.delta), self.a), mul(math.sin(self.delta), u))
        n = add(mul(-math.sin(self.delta), self.a), mul(math.cos(self.delta), u))
        return add(mul(rho, g), mul(h * rho, n))

    def axis_point(self, s, r, theta):
        """A point at distance s along the axis and radius r from it."""
        return add(mul(s, self.a), mul(r, self.u(theta)))


def tooth_line(cone, r_in, r_out, steps, beta=math.radians(35), cutter=0.9):
    """Azimuth of a tooth's centre line at cone distances r_in..r_out.

    In the developed cone the tooth is an arc of the cutter circle through the
    mean point with spiral angle beta there."""
    rm = 0.5 * (r_in + r_out)
    s = cone.hand
    # Tangent at the mean point (rm, 0): beta off the radial direction.
    t = (math.cos(beta), s * math.sin(beta))
    normal = (-t[1], t[0])
    c = (rm + cutter * normal[0], cutter * normal[1])
    out = []
    for i in range(steps + 1):
        r = r_in + (r_out - r_in) * i / steps
        # Intersect |P| = r with the cutter circle, taking the point nearer the mean point.
        d = math.hypot(*c)
        cos_a = (r * r + d * d - cutter * cutter) / (2 * r * d)
        a = math.acos(max(-1.0, min(1.0, cos_a)))
        base = math.atan2(c[1], c[0])
        phi = min((base + a, base - a), key=lambda p: abs(p))
        out.append((r, phi / math.sin(cone.delta)))
    return out


def gear_faces(cone, colour, r_in, r_out, add_h, ded_h, back_h, steps, phase):
    """Polygons (points, outward hint, colour[, outlined]) of one gear."""
    faces = []
    pitch = 2 * math.pi / cone.teeth
    tip_w, root_w = 0.15 * pitch, 0.32 * pitch
    line = tooth_line(cone, r_in, r_out, steps)
    def g_dir(theta):
        return add(mul(math.cos(cone.delta), cone.a), mul(math.sin(cone.delta), cone.u(theta)))
    def n_dir(theta):
        return add(mul(-math.sin(cone.delta), cone.a), mul(math.cos(cone.delta), cone.u(theta)))
    def t_dir(theta):
        return cone.u(theta + math.pi / 2)
    for k in range(cone.teeth):
        th0 = phase + k * pitch
        lo_top = [cone.point(r, th0 + t - tip_w, add_h) for r, t in line]
        hi_top = [cone.point(r, th0 + t + tip_w, add_h) for r, t in line]
        lo_root = [cone.point(r, th0 + t - root_w, -ded_h) for r, t in line]
        hi_root = [cone.point(r, th0 + t + root_w, -ded_h) for r, t in line]
        mid = th0 + line[len(line) // 2][1]
        faces.append((lo_top + hi_top[::-1], n_dir(mid), colour))
        for j in range(steps):
            tj = th0 + line[j][1]
            faces.append(([lo_top[j], lo_top[j + 1], lo_root[j + 1], lo_root[j]], mul(-1, t_dir(tj)), colour, False))
            faces.append(([hi_top[j], hi_top[j + 1], hi_root[j + 1], hi_root[j]], t_dir(tj), colour, False))
        # Heel and toe ends of the tooth.
        faces.append(([lo_top[-1], hi_top[-1], hi_root[-1], lo_root[-1]], g_dir(mid), colour))
        faces.append(([lo_top[0], hi_top[0], hi_root[0], lo_root[0]], mul(-1, g_dir(mid)), colour))
        # Root between this tooth and the next.
        nxt = th0 + pitch
        gap = [cone.point(r, th0 + t + root_w, -ded_h) for r, t in line]
        gap += [cone.point(r, nxt + t - root_w, -ded_h) for r, t in line][::-1]
        faces.append((gap, n_dir(mid + pitch / 2), colour))
    # Back cone: a ring at the heel from the roots down to the body.
    ring = 8 * cone.teeth
    for i in range(ring):
        t0, t1 = 2 * math.pi * i / ring, 2 * math.pi * (i + 1) / ring
        faces.append(([cone.point(r_out, t0, -ded_h), cone.point(r_out, t1, -ded_h),
                       cone.point(r_out, t1, -back_h), cone.point(r_out, t0, -back_h)],
                      g_dir(t0), colour, False))
        faces.append(([cone.point(r_in, t0, -ded_h), cone.point(r_in, t1, -ded_h),
                       cone.point(r_in, t1, -back_h), cone.point(r_in, t0, -back_h)],
                      mul(-1, g_dir(t0)), colour, False))
    return faces


def hub_faces(cone, colour, r_in, r_out, back_h, shaft_len, shaft_r, bore):
    """The closing discs of the body, and a shaft (pinion) or a bore (gear)."""
    faces = []
    ring = 96
    def at_height(rho, h, t):
        return cone.point(rho, t, -h)
    heel = [at_height(r_out, back_h, 2 * math.pi * i / ring) for i in range(ring)]
    toe = [at_height(r_in, back_h, 2 * math.pi * i / ring) for i in range(ring)]
    # Disc across the heel (the back of the gear) and across the toe (its front).
    faces.append((heel, cone.a, colour))
    faces.append((toe, mul(-1, cone.a), colour))
    s_heel = dot(heel[0], cone.a)
    if shaft_len:
        s0, s1 = s_heel, s_heel + shaft_len
        for i in range(ring):
            t0, t1 = 2 * math.pi * i / ring, 2 * math.pi * (i + 1) / ring
            faces.append(([cone.axis_point(s0, shaft_r, t0), cone.axis_point(s1, shaft_r, t0),
                           cone.axis_point(s1, shaft_r, t1), cone.axis_point(s0, shaft_r, t1)],
                          cone.u(t0), colour, False))
        faces.append(([cone.axis_point(s1, shaft_r, 2 * math.pi * i / ring) for i in range(ring)],
                      cone.a, colour))
        # The centre hole in the shaft's end.
        faces.append(([cone.axis_point(s1 + 1e-3, shaft_r * 0.35, 2 * math.pi * i / ring) for i in range(ring)],
                      cone.a, (60, 50, 40)))
    if bore:
        s_toe = dot(toe[0], cone.a)
        faces.append(([cone.axis_point(s_toe - 1e-3, bore, 2 * math.pi * i / ring) for i in range(ring)],
                      mul(-1, cone.a), (40, 48, 60)))
    return faces


def shade(colour, normal):
    light = unit(LIGHT)
    k = 0.45 + 0.65 * max(0.0, dot(normal, light))
    return tuple(min(255, int(round(c * k))) for c in colour)


def darker(colour, k=0.45):
    return tuple(int(c * k) for c in colour)


def render(small):
    z1, z2 = (8, 12) if small else (13, 26)
    delta1 = math.atan2(z1, z2)
    delta2 = math.pi / 2 - delta1
    # Gear: axis down, teeth facing up. Pinion: axis along +x, under the apex.
    gear = Cone((0, 0, -1), (1, 0, 0), delta2, z2, +1)
    pinion = Cone((1, 0, 0), (0, 0, -1), delta1, z1, -1)
    r_out, r_in = 1.0, 0.66
    steps = 4 if small else 8
    add_h = 0.09 if small else 0.05
    ded_h = 0.09 if small else 0.06
    faces = []
    faces += gear_faces(gear, GEAR_COLOUR, r_in, r_out, add_h, ded_h, 0.2, steps, 0.5 * 2 * math.pi / z2)
    faces += hub_faces(gear, GEAR_COLOUR, r_in, r_out, 0.2, 0, 0, 0.12)
    faces += gear_faces(pinion, PINION_COLOUR, r_in, r_out, add_h, ded_h, 0.16, steps, 0.0)
    faces += hub_faces(pinion, PINION_COLOUR, r_in, r_out, 0.16, 0.25 if small else 0.42, 0.1 if small else 0.085, 0)

    view = unit(CAMERA_SMALL if small else CAMERA)
    right = unit(cross((0, 0, 1), view))
    up = cross(view, right)
    drawn = []
    for pts, hint, colour, *outlined in faces:
        # Newell's normal, turned to agree with the face's outward direction.
        nx = ny = nz = 0.0
        for i, p in enumerate(pts):
            q = pts[(i + 1) % len(pts)]
            nx += (p[1] - q[1]) * (p[2] + q[2])
            ny += (p[2] - q[2]) * (p[0] + q[0])
            nz += (p[0] - q[0]) * (p[1] + q[1])
        if nx == ny == nz == 0.0:
            continue
        normal = unit((nx, ny, nz))
        if dot(normal, hint) < 0:
            normal = mul(-1, normal)
        if dot(normal, view) <= 1e-6:
            continue
        depth = sum(dot(p, view) for p in pts) / len(pts)
        flat = [(dot(p, right), -dot(p, up)) for p in pts]
        drawn.append((depth, flat, shade(colour, normal), outlined != [False]))
    drawn.sort(key=lambda d: d[0])

    xs = [x for _, flat, _, _ in drawn for x, _ in flat]
    ys = [y for _, flat, _, _ in drawn for _, y in flat]
    margin = 0.04 * VIEW
    scale = (VIEW - 2 * margin) / max(max(xs) - min(xs), max(ys) - min(ys))
    ox = margin + 0.5 * ((VIEW - 2 * margin) - scale * (max(xs) - min(xs))) - scale * min(xs)
    oy = margin + 0.5 * ((VIEW - 2 * margin) - scale * (max(ys) - min(ys))) - scale * min(ys)
    stroke = 5.0 if small else 0.9
    out = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{VIEW:g}" height="{VIEW:g}" '
           f'viewBox="0 0 {VIEW:g} {VIEW:g}">',
           '<title>翎川: spiral bevel gear pair</title>',
           f'<g stroke-linejoin="round" stroke-width="{stroke}">']
    for _, flat, colour, outlined in drawn:
        d = " ".join(f"{ox + scale * x:.2f},{oy + scale * y:.2f}" for x, y in flat)
        fill = "#%02x%02x%02x" % colour
        # Faces cut into strips only for shading get a seam of their own colour.
        line = "#%02x%02x%02x" % (darker(colour) if outlined else colour)
        out.append(f'<polygon points="{d}" fill="{fill}" stroke="{line}"/>')
    out.append("</g></svg>")
    return "\n".join(out) + "\n"


def main():
    files = {"lingchuan.svg": render(False), "lingchuan-small.svg": render(True)}
    for name, text in files.items():
        with open(os.path.join(HERE, name), "w", encoding="utf-8") as f:
            f.write(text)
    os.makedirs(os.path.join(HERE, "png"), exist_ok=True)
    for size in SIZES:
        source = "lingchuan-small.svg" if size < SMALL_LIMIT else "lingchuan.svg"
        subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size),
                        "-o", os.path.join(HERE, "png", f"lingchuan-{size}.png"),
                        os.path.join(HERE, source)], check=True)


if __name__ == "__main__":
    main()
