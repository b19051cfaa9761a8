#!/usr/bin/env python3
"""Draw the cover window's picture, src/gui/resources/cover.svg.

The picture is a wound iron-powder toroid seen from above at an angle: a two-tone coated
core (yellow walls, white top face) with a single layer of copper magnet wire and two
tinned leads, on black. The window shows it stretched over its black background under the
red title lines, so the picture is black to its edges and keeps the toroid centred.

Only what the Qt SVG renderer draws (SVG 1.2 Tiny) is used: paths, ellipses and
gradients, no clip paths, masks or filters. Hidden parts of the winding are left out by
the geometry below rather than clipped.

Run it from anywhere after changing it; it overwrites the picture:

    python3 tools/make_cover_picture.py
"""

import math
from pathlib import Path

OUTPUT = Path(__file__).resolve().parent.parent / "src" / "gui" / "resources" / "cover.svg"

WIDTH, HEIGHT = 960, 400
CX, CY = 480.0, 182.0

# Core in picture units: outer and inner radius, height, edge rounding.
R_OUT, R_IN, HT, R_EDGE = 214.0, 132.0, 116.0, 9.0
ELEVATION = math.radians(29.0)  # view from above the core's plane
SIN_E, COS_E = math.sin(ELEVATION), math.cos(ELEVATION)

# Winding: turns, wire diameter, and the gap at the front where the leads leave.
TURNS = 40
WIRE = 13.5
GAP = math.radians(40.0)


def normalise(v):
    n = math.sqrt(sum(c * c for c in v))
    return tuple(c / n for c in v)


def dot(a, b):
    return sum(x * y for x, y in zip(a, b))


# World axes: x to the right, y away from the viewer, z up (the core's axis).
LIGHT = normalise((-0.45, -0.75, 0.6))
VIEW = (0.0, -COS_E, SIN_E)  # towards the viewer
HALF = normalise(tuple(l + v for l, v in zip(LIGHT, VIEW)))


def project(x, y, z):
    return CX + x, CY - (y * SIN_E + z * COS_E)


def fmt(v):
    s = f"{v:.1f}"
    return s[:-2] if s.endswith(".0") else s


def rgb(c):
    return "#" + "".join(f"{max(0, min(255, round(255 * v))):02x}" for v in c)


def shade(albedo, normal, ambient=0.22, diffuse=0.85, gloss=0.0, shininess=30.0):
    d = max(0.0, dot(normal, LIGHT))
    s = max(0.0, dot(normal, HALF)) ** shininess if d > 0 else 0.0
    return tuple(a * (ambient + diffuse * d) + gloss * s for a in albedo)


def glint_strength(normal, shininess):
    if dot(normal, LIGHT) <= 0:
        return 0.0
    return max(0.0, dot(normal, HALF)) ** shininess


YELLOW = (0.90, 0.70, 0.13)
WHITE = (0.93, 0.92, 0.87)
COPPER = (0.86, 0.42, 0.18)


class Svg:
    def __init__(self):
        self.defs = []
        self.body = []

    def gradient_linear(self, gid, x1, y1, x2, y2, stops):
        s = "".join(
            f'<stop offset="{o:.3f}" stop-color="{c}"'
            + (f' stop-opacity="{a:.2f}"' if a < 1 else "")
            + "/>"
            for o, c, a in stops
        )
        self.defs.append(
            f'<linearGradient id="{gid}" gradientUnits="userSpaceOnUse" x1="{fmt(x1)}" '
            f'y1="{fmt(y1)}" x2="{fmt(x2)}" y2="{fmt(y2)}">{s}</linearGradient>'
        )

    def gradient_radial(self, gid, cx, cy, r, stops, transform=None):
        s = "".join(
            f'<stop offset="{o:.3f}" stop-color="{c}" stop-opacity="{a:.2f}"/>'
            for o, c, a in stops
        )
        tr = f' gradientTransform="{transform}"' if transform else ""
        self.defs.append(
            f'<radialGradient id="{gid}" gradientUnits="userSpaceOnUse" cx="{fmt(cx)}" '
            f'cy="{fmt(cy)}" r="{fmt(r)}"{tr}>{s}</radialGradient>'
        )

    def add(self, element):
        self.body.append(element)

    def text(self):
        head = (
            '<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
            f'width="{WIDTH}" height="{HEIGHT}" viewBox="0 0 {WIDTH} {HEIGHT}" '
            'preserveAspectRatio="none">\n'
        )
        defs = "<defs>\n" + "\n".join(self.defs) + "\n</defs>\n"
        return head + defs + "\n".join(self.body) + "\n</svg>\n"


def ellipse_arc_path(cx, cy, rx, ry, start, end, steps):
    """Points of an ellipse between two parameter angles (screen y down)."""
    pts = []
    for i in range(steps + 1):
        t = start + (end - start) * i / steps
        pts.append((cx + rx * math.cos(t), cy + ry * math.sin(t)))
    return pts


def poly_d(points, close=False):
    d = "M" + " L".join(f"{fmt(x)} {fmt(y)}" for x, y in points)
    return d + (" Z" if close else "")


# ---------------------------------------------------------------------------------------
# The winding: one closed contour around the core's rounded rectangular cross-section,
# swept to the angle of each turn.


def cross_section_contour(step=4.0):
    """(r, z, nr, nz, part) along the wire's centre line around the cross-section.

    Starts at the inner top corner, runs over the top to the outside, down the outer wall,
    under the bottom and up the inner wall. part names the face the wire lies on.
    """
    off = R_EDGE + WIRE / 2
    r0, r1 = R_IN + R_EDGE, R_OUT - R_EDGE
    z0, z1 = -HT / 2 + R_EDGE, HT / 2 - R_EDGE
    pts = []

    def line(a, b, n, part):
        length = math.dist(a, b)
        k = max(1, int(length / step))
        for i in range(k):
            t = i / k
            pts.append((a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, n[0], n[1], part))

    def corner(cr, cz, a0, a1, part):
        k = max(2, int(abs(a1 - a0) * off / step))
        for i in range(k):
            a = a0 + (a1 - a0) * i / k
            pts.append((cr + off * math.cos(a), cz + off * math.sin(a), math.cos(a),
                        math.sin(a), part))

    corner(r0, z1, math.pi, math.pi / 2, "top")  # inner top edge
    line((r0, z1 + off), (r1, z1 + off), (0, 1), "top")
    corner(r1, z1, math.pi / 2, 0, "top")  # outer top edge
    line((r1 + off, z1), (r1 + off, z0), (1, 0), "outer")
    corner(r1, z0, 0, -math.pi / 2, "outer")
    line((r1, z0 - off), (r0, z0 - off), (0, -1), "bottom")
    corner(r0, z0, -math.pi / 2, -math.pi, "inner")
    line((r0 - off, z0), (r0 - off, z1), (-1, 0), "inner")
    return pts


CONTOUR = cross_section_contour()


def turn_angles():
    span = 2 * math.pi - GAP
    start = -math.pi / 2 + GAP / 2
    return [start + span * (k + 0.5) / TURNS for k in range(TURNS)]


def facing(nw):
    return dot(nw, VIEW) > 0.02


def turn_pieces(theta):
    """Visible runs of one turn: (layer, [(x, y, normal)]).

    Layer "hole" is wire on the far inner wall, seen through the hole and drawn before the
    top face covers what lies outside the hole; layer "over" is wire on the top face and on
    the near outer wall, drawn over the core. Wire facing away from the viewer is left out.
    """
    c, s = math.cos(theta), math.sin(theta)
    runs, cur, cur_layer = [], [], None
    for r, z, nr, nz, part in CONTOUR:
        normal = (nr * c, nr * s, nz)
        layer = None
        if facing(normal):
            layer = {"top": "over", "outer": "over", "inner": "hole"}.get(part)
        if layer != cur_layer and cur:
            runs.append((cur_layer, cur))
            cur = []
        cur_layer = layer
        if layer:
            x, y = project(r * c, r * s, z)
            cur.append((x, y, normal))
    if cur:
        runs.append((cur_layer, cur))
    return [(layer, pts) for layer, pts in runs if len(pts) > 1]


def wire_strokes(svg, pts, width, chunk=5, shadow=True):
    """A wire along pts: a dark rim, a shaded copper body and a highlight."""
    d = poly_d([(x, y) for x, y, _ in pts])
    if shadow:
        svg.add(f'<path d="{d}" fill="none" stroke="#000" stroke-opacity="0.45" '
                f'stroke-width="{fmt(width * 1.25)}" stroke-linecap="round" '
                f'transform="translate(2.5 3.5)"/>')
    svg.add(f'<path d="{d}" fill="none" stroke="#2a0f04" stroke-width="{fmt(width)}" '
            'stroke-linecap="round" stroke-linejoin="round"/>')
    # Body and highlight change along the wire with the surface it lies on.
    n = len(pts)
    for i in range(0, n - 1, chunk):
        seg = pts[i:min(n, i + chunk + 1)]
        nx = normalise(tuple(sum(p[2][k] for p in seg) for k in range(3)))
        body = shade(COPPER, nx, ambient=0.30, diffuse=0.80)
        sd = poly_d([(x, y) for x, y, _ in seg])
        svg.add(f'<path d="{sd}" fill="none" stroke="{rgb(body)}" '
                f'stroke-width="{fmt(width * 0.74)}" stroke-linecap="round"/>')
    for i in range(0, n - 1, chunk):
        seg = pts[i:min(n, i + chunk + 1)]
        nx = normalise(tuple(sum(p[2][k] for p in seg) for k in range(3)))
        glow = 0.25 + 0.75 * glint_strength(nx, 8.0)
        if glow < 0.05:
            continue
        sd = poly_d([(x - width * 0.14, y - width * 0.17) for x, y, _ in seg])
        svg.add(f'<path d="{sd}" fill="none" stroke="url(#wireGlint)" '
                f'stroke-opacity="{glow:.2f}" stroke-width="{fmt(width * 0.24)}" '
                'stroke-linejoin="round"/>')


# ---------------------------------------------------------------------------------------


def wall_gradient(svg, gid, radius, sign, albedo):
    """Horizontal gradient of a cylindrical wall: sign +1 outer wall (front half facing
    out), -1 inner wall (back half facing the axis)."""
    stops = []
    k = 24
    for i in range(k + 1):
        u = i / k
        cx = -1 + 2 * u
        cy = -math.sqrt(max(0.0, 1 - cx * cx)) if sign > 0 else math.sqrt(max(0.0, 1 - cx * cx))
        normal = (sign * cx, sign * cy, 0.0)
        col = shade(albedo, normal, ambient=0.18, diffuse=0.95, gloss=0.20, shininess=12)
        stops.append((u, rgb(col), 1.0))
    svg.gradient_linear(gid, CX - radius, 0, CX + radius, 0, stops)


def build():
    svg = Svg()

    top_z, bot_z = HT / 2, -HT / 2
    _, y_top = project(0, 0, top_z)
    _, y_bot = project(0, 0, bot_z)
    ry_out, ry_in = R_OUT * SIN_E, R_IN * SIN_E

    # Gradients.
    svg.gradient_radial("floor", CX, y_bot + ry_out * 0.9, R_OUT * 1.35,
                        [(0.0, "#3a2c1c", 0.55), (0.55, "#1a130c", 0.35), (1.0, "#000000", 0.0)],
                        transform=f"translate(0 {fmt((y_bot + ry_out * 0.9) * 0.78)}) "
                                  "scale(1 0.22)")
    wall_gradient(svg, "outerWall", R_OUT, +1, YELLOW)
    wall_gradient(svg, "innerWall", R_IN, -1, YELLOW)
    svg.gradient_linear("innerShade", 0, y_top - ry_in, 0, y_top + ry_in,
                        [(0.0, "#000000", 0.0), (0.55, "#000000", 0.25), (1.0, "#000000", 0.7)])
    lit = shade(WHITE, (0, 0, 1), ambient=0.40, diffuse=0.75)
    svg.gradient_linear("topFace", CX - R_OUT, y_top - ry_out, CX + R_OUT, y_top + ry_out,
                        [(0.0, rgb(tuple(min(1, v * 1.12) for v in lit)), 1.0),
                         (0.45, rgb(lit), 1.0),
                         (1.0, rgb(tuple(v * 0.62 for v in lit)), 1.0)])
    svg.gradient_radial("topSheen", CX - R_OUT * 0.35, y_top - ry_out * 0.35, R_OUT * 0.9,
                        [(0.0, "#ffffff", 0.35), (1.0, "#ffffff", 0.0)])
    svg.gradient_linear("rimLight", CX - R_OUT, 0, CX + R_OUT, 0,
                        [(0.0, "#fff6d8", 0.2), (0.3, "#fffbe8", 0.95), (0.6, "#fff2c0", 0.5),
                         (1.0, "#fff2c0", 0.05)])
    svg.gradient_linear("bottomEdge", 0, y_bot + ry_out - 14, 0, y_bot + ry_out + 4,
                        [(0.0, "#000000", 0.0), (1.0, "#000000", 0.55)])
    svg.gradient_linear("wireGlint", CX - R_OUT, 0, CX + R_OUT, 0,
                        [(0.0, "#fff3dc", 1.0), (0.5, "#ffd9a8", 1.0), (1.0, "#f0a56a", 1.0)])

    svg.add(f'<rect x="0" y="0" width="{WIDTH}" height="{HEIGHT}" fill="#000"/>')
    svg.add(f'<ellipse cx="{fmt(CX)}" cy="{fmt(y_bot + ry_out * 0.9)}" rx="{fmt(R_OUT * 1.35)}" '
            f'ry="{fmt(R_OUT * 1.35 * 0.22)}" fill="url(#floor)"/>')

    turns = [(t, turn_pieces(t)) for t in turn_angles()]

    # Through the hole: the far inner wall, then the opening to the background below it.
    svg.add(f'<ellipse cx="{fmt(CX)}" cy="{fmt(y_top)}" rx="{fmt(R_IN)}" ry="{fmt(ry_in)}" '
            'fill="url(#innerWall)"/>')
    svg.add(f'<ellipse cx="{fmt(CX)}" cy="{fmt(y_top)}" rx="{fmt(R_IN)}" ry="{fmt(ry_in)}" '
            'fill="url(#innerShade)"/>')
    delta = y_bot - y_top
    if delta < 2 * ry_in:
        half = math.asin(delta / 2 / ry_in)
        # Lens where the top and bottom openings of the hole overlap.
        upper = ellipse_arc_path(CX, y_top, R_IN, ry_in, half, math.pi - half, 40)
        lower = ellipse_arc_path(CX, y_bot, R_IN, ry_in, math.pi + half, 2 * math.pi - half, 40)
        svg.add(f'<path d="{poly_d(upper + lower, close=True)}" fill="#000"/>')

    hole = [(t, pts) for t, pieces in turns for layer, pts in pieces if layer == "hole"]
    hole.sort(key=lambda tp: -math.sin(tp[0]))
    for _, pts in hole:
        wire_strokes(svg, pts, WIRE * 0.96, shadow=False)
    # The far inner wall lies in the shade of the near half of the core.
    svg.add(f'<ellipse cx="{fmt(CX)}" cy="{fmt(y_top)}" rx="{fmt(R_IN)}" ry="{fmt(ry_in)}" '
            'fill="#000" fill-opacity="0.28"/>')

    # Outer wall (front half) and top face.
    left, right = CX - R_OUT, CX + R_OUT
    svg.add(f'<path d="M{fmt(left)} {fmt(y_top)} A{fmt(R_OUT)} {fmt(ry_out)} 0 0 0 {fmt(right)} '
            f'{fmt(y_top)} L{fmt(right)} {fmt(y_bot)} A{fmt(R_OUT)} {fmt(ry_out)} 0 0 1 '
            f'{fmt(left)} {fmt(y_bot)} Z" fill="url(#outerWall)"/>')
    svg.add(f'<path d="M{fmt(left)} {fmt(y_bot - 10)} A{fmt(R_OUT)} {fmt(ry_out)} 0 0 0 '
            f'{fmt(right)} {fmt(y_bot - 10)} L{fmt(right)} {fmt(y_bot)} A{fmt(R_OUT)} '
            f'{fmt(ry_out)} 0 0 1 {fmt(left)} {fmt(y_bot)} Z" fill="url(#bottomEdge)"/>')
    ring = (f'M{fmt(left)} {fmt(y_top)} A{fmt(R_OUT)} {fmt(ry_out)} 0 1 1 {fmt(right)} '
            f'{fmt(y_top)} A{fmt(R_OUT)} {fmt(ry_out)} 0 1 1 {fmt(left)} {fmt(y_top)} Z '
            f'M{fmt(CX - R_IN)} {fmt(y_top)} A{fmt(R_IN)} {fmt(ry_in)} 0 1 0 {fmt(CX + R_IN)} '
            f'{fmt(y_top)} A{fmt(R_IN)} {fmt(ry_in)} 0 1 0 {fmt(CX - R_IN)} {fmt(y_top)} Z')
    svg.add(f'<path d="{ring}" fill="url(#topFace)" fill-rule="evenodd"/>')
    svg.add(f'<path d="{ring}" fill="url(#topSheen)" fill-rule="evenodd"/>')
    # Rounded edges: the outer top edge catches the light along the front; the far edge of
    # the hole lies in shadow.
    front = ellipse_arc_path(CX, y_top, R_OUT - 2, ry_out - 1.5, 0.02, math.pi - 0.02, 80)
    svg.add(f'<path d="{poly_d(front)}" fill="none" stroke="url(#rimLight)" '
            'stroke-width="3.5" stroke-linecap="round"/>')
    back = ellipse_arc_path(CX, y_top, R_IN + 2, ry_in + 1.2, math.pi + 0.15, 2 * math.pi - 0.15,
                            60)
    svg.add(f'<path d="{poly_d(back)}" fill="none" stroke="#000" stroke-opacity="0.35" '
            'stroke-width="3"/>')

    # Wire over the core, far turns first.
    over = [(t, pts) for t, pieces in turns for layer, pts in pieces if layer == "over"]
    over.sort(key=lambda tp: -math.sin(tp[0]))
    for _, pts in over:
        wire_strokes(svg, pts, WIRE)

    leads(svg, turns)
    return svg.text()


def leads(svg, turns):
    """The two leads leave the first and last turn at the bottom of the front wall."""
    ends = [turns[0][0], turns[-1][0]]
    for theta in ends:
        c, s = math.cos(theta), math.sin(theta)
        r = R_OUT + WIRE / 2
        x0, y0 = project(r * c, r * s, -HT / 2 + R_EDGE * 0.3)
        side = 1 if c > 0 else -1
        x3 = CX + side * 365
        y3 = y0 + 34
        p1 = (x0 + side * 6, y0 + 30)
        p2 = (x0 + side * 90, y3 + 4)
        xs = x3 - side * 70
        d = (f"M{fmt(x0)} {fmt(y0)} C{fmt(p1[0])} {fmt(p1[1])} {fmt(p2[0])} "
             f"{fmt(p2[1])} {fmt(xs)} {fmt(y3)}")
        w = WIRE
        svg.add(f'<path d="{d}" fill="none" stroke="#000" stroke-opacity="0.4" '
                f'stroke-width="{fmt(w * 1.3)}" transform="translate(3 5)"/>')
        svg.add(f'<path d="{d}" fill="none" stroke="#2a0f04" stroke-width="{fmt(w)}" '
                'stroke-linecap="round"/>')
        svg.add(f'<path d="{d}" fill="none" stroke="url(#lead{side + 1})" '
                f'stroke-width="{fmt(w * 0.74)}" stroke-linecap="round"/>')
        svg.add(f'<path d="{d}" fill="none" stroke="#ffe2bf" stroke-opacity="0.75" '
                f'stroke-width="{fmt(w * 0.2)}" stroke-linecap="round" '
                f'transform="translate(0 {fmt(-w * 0.2)})"/>')
        # Lead copper: shaded along its length, brighter where it turns towards the light.
        svg.gradient_linear(f"lead{side + 1}", x0, y0, xs, y3,
                            [(0.0, "#8a3e16", 1.0), (0.25, "#d47a40", 1.0),
                             (0.7, "#c4652e", 1.0), (1.0, "#9c4a1e", 1.0)])
        # Tinned end: the enamel is stripped and the copper soldered bright.
        tip = f"M{fmt(xs)} {fmt(y3)} L{fmt(x3)} {fmt(y3)}"
        svg.add(f'<path d="{tip}" fill="none" stroke="#3b3c3b" stroke-width="{fmt(w * 0.86)}" '
                'stroke-linecap="round"/>')
        svg.gradient_linear(f"tinned{side + 1}", 0, y3 - w * 0.31, 0, y3 + w * 0.31,
                            [(0.0, "#f4f4f0", 1.0), (0.45, "#b9bab8", 1.0),
                             (1.0, "#5d5e5c", 1.0)])
        svg.add(f'<path d="{tip}" fill="none" stroke="url(#tinned{side + 1})" '
                f'stroke-width="{fmt(w * 0.62)}" stroke-linecap="round"/>')
        svg.add(f'<path d="{tip}" fill="none" stroke="#ffffff" stroke-opacity="0.8" '
                f'stroke-width="{fmt(w * 0.16)}" stroke-linecap="round" '
                f'transform="translate(0 {fmt(-w * 0.18)})"/>')


def main():
    OUTPUT.parent.mkdir(parents=True, exist_ok=True)
    OUTPUT.write_text(build(), encoding="ascii")


if __name__ == "__main__":
    main()
