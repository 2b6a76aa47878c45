"""Shared drawing helpers for the Arcandel pictures.

Every helper returns SVG markup as a string (or a list of strings); card
functions simply collect them. Coordinates are in pixels of the final image,
y growing downwards.
"""

import math

# Flat palette of the old woodcut decks, tuned to sit well together on cream.
PAPER = "#f4e6c3"
INK = "#1d1915"
RED = "#c73b2b"
BLUE = "#2c4d8c"
YEL = "#e5ae3a"
FLESH = "#f3caa2"
LBLUE = "#8dc3d9"
GREEN = "#4d8a4b"
WHITE = "#fbf5e4"

LW = 4.0  # main outline
TW = 2.4  # inner detail lines


def n(v):
    """Compact number formatting keeps the SVG small and readable."""
    s = "%.1f" % v
    if s.endswith(".0"):
        s = s[:-2]
    return "0" if s == "-0" else s


def pt(p):
    return n(p[0]) + "," + n(p[1])


def flat(items):
    out = []
    for it in items:
        if it is None:
            continue
        if isinstance(it, (list, tuple)):
            out.extend(flat(it))
        else:
            out.append(it)
    return out


# ---------------------------------------------------------------- primitives

def path(d, fill="none", sw=LW, stroke=INK, extra=""):
    if sw <= 0:
        return '<path d="%s" fill="%s" stroke="none"%s/>' % (d, fill, extra)
    return '<path d="%s" fill="%s" stroke="%s" stroke-width="%s"%s/>' % (
        d, fill, stroke, n(sw), extra)


def poly_d(pts, closed=True):
    d = "M" + " L".join(pt(p) for p in pts)
    return d + ("Z" if closed else "")


def smooth_d(pts, closed=True, t=1.0):
    """Catmull-Rom spline through the points, as cubic Beziers."""
    m = len(pts)
    if m < 3:
        return poly_d(pts, closed)
    if closed:
        get = lambda i: pts[i % m]
        rng = range(m)
    else:
        get = lambda i: pts[max(0, min(m - 1, i))]
        rng = range(m - 1)
    d = "M" + pt(pts[0])
    for i in rng:
        p0, p1, p2, p3 = get(i - 1), get(i), get(i + 1), get(i + 2)
        c1 = (p1[0] + (p2[0] - p0[0]) * t / 6, p1[1] + (p2[1] - p0[1]) * t / 6)
        c2 = (p2[0] - (p3[0] - p1[0]) * t / 6, p2[1] - (p3[1] - p1[1]) * t / 6)
        d += " C%s %s %s" % (pt(c1), pt(c2), pt(p2))
    return d + ("Z" if closed else "")


def poly(pts, fill, sw=LW, closed=True):
    return path(poly_d(pts, closed), fill if closed else "none", sw)


def blob(pts, fill, sw=LW, t=1.0):
    return path(smooth_d(pts, True, t), fill, sw)


def curve(pts, sw=TW, stroke=INK, t=1.0):
    return path(smooth_d(pts, False, t), "none", sw, stroke)


def line(pts, sw=TW, stroke=INK):
    return path(poly_d(pts, False), "none", sw, stroke)


def circle(cx, cy, r, fill, sw=LW):
    s = ' stroke="%s" stroke-width="%s"' % (INK, n(sw)) if sw > 0 else ' stroke="none"'
    return '<circle cx="%s" cy="%s" r="%s" fill="%s"%s/>' % (n(cx), n(cy), n(r), fill, s)


def ellipse(cx, cy, rx, ry, fill, sw=LW, rot=0):
    s = ' stroke="%s" stroke-width="%s"' % (INK, n(sw)) if sw > 0 else ' stroke="none"'
    tr = ' transform="rotate(%s %s %s)"' % (n(rot), n(cx), n(cy)) if rot else ""
    return '<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="%s"%s%s/>' % (
        n(cx), n(cy), n(rx), n(ry), fill, s, tr)


def rect(x, y, w, h, fill, sw=LW, r=0):
    rr = ' rx="%s"' % n(r) if r else ""
    s = ' stroke="%s" stroke-width="%s"' % (INK, n(sw)) if sw > 0 else ' stroke="none"'
    return '<rect x="%s" y="%s" width="%s" height="%s"%s fill="%s"%s/>' % (
        n(x), n(y), n(w), n(h), rr, fill, s)


def group(items, transform=None, extra=""):
    tr = ' transform="%s"' % transform if transform else ""
    return ["<g%s%s>" % (tr, extra)] + flat(items) + ["</g>"]


def mirror(items, cx=200):
    """Left-right reflection about the vertical line x = cx."""
    return group(items, "translate(%s 0) scale(-1 1)" % n(2 * cx))


def place(items, x, y, s=1.0, rot=0):
    tr = "translate(%s %s)" % (n(x), n(y))
    if rot:
        tr += " rotate(%s)" % n(rot)
    if s != 1.0:
        tr += " scale(%s)" % ("%.3f" % s)
    return group(items, tr)


def tube(pts, color, w, smooth=False, edge=LW):
    """A limb or a staff: a thick stroke with an ink outline around it."""
    d = smooth_d(pts, False) if smooth else poly_d(pts, False)
    return [path(d, "none", w + 2 * edge),
            path(d, "none", w, color)]


def hatch(d, kind="d", extra=""):
    """Ink hatching clipped to a shape, drawn over its flat colour."""
    return '<path d="%s" fill="url(#hatch-%s)" stroke="none"%s/>' % (d, kind, extra)


DEFS = """<defs>
<pattern id="hatch-d" patternUnits="userSpaceOnUse" width="8" height="8" patternTransform="rotate(45)"><line x1="0" y1="0" x2="0" y2="8" stroke="%(ink)s" stroke-width="1.7"/></pattern>
<pattern id="hatch-e" patternUnits="userSpaceOnUse" width="8" height="8" patternTransform="rotate(-45)"><line x1="0" y1="0" x2="0" y2="8" stroke="%(ink)s" stroke-width="1.7"/></pattern>
<pattern id="hatch-h" patternUnits="userSpaceOnUse" width="7" height="7"><line x1="0" y1="0" x2="7" y2="0" stroke="%(ink)s" stroke-width="1.6"/></pattern>
<pattern id="hatch-v" patternUnits="userSpaceOnUse" width="7" height="7"><line x1="0" y1="0" x2="0" y2="7" stroke="%(ink)s" stroke-width="1.6"/></pattern>
</defs>""" % {"ink": INK}


# ---------------------------------------------------------------- shapes

def star_pts(cx, cy, ro, ri, k=8, rot=-90):
    pts = []
    for i in range(2 * k):
        a = math.radians(rot + i * 180.0 / k)
        r = ro if i % 2 == 0 else ri
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def star(cx, cy, ro, ri, fill, k=8, sw=LW, rot=-90):
    return poly(star_pts(cx, cy, ro, ri, k, rot), fill, sw)


def drop(cx, cy, r, fill, rot=0, sw=TW):
    """A tear drop with its point up (rot turns it about its round end)."""
    d = "M%s C%s %s %s C%s %s %s C%s %s %s C%s %s %s Z" % (
        pt((cx, cy - 2.3 * r)),
        pt((cx + 0.3 * r, cy - 1.5 * r)), pt((cx + r, cy - 0.9 * r)), pt((cx + r, cy)),
        pt((cx + r, cy + 0.6 * r)), pt((cx + 0.55 * r, cy + r)), pt((cx, cy + r)),
        pt((cx - 0.55 * r, cy + r)), pt((cx - r, cy + 0.6 * r)), pt((cx - r, cy)),
        pt((cx - r, cy - 0.9 * r)), pt((cx - 0.3 * r, cy - 1.5 * r)), pt((cx, cy - 2.3 * r)))
    tr = ' transform="rotate(%s %s %s)"' % (n(rot), n(cx), n(cy)) if rot else ""
    return path(d, fill, sw, extra=tr)


def heart(cx, cy, s, fill, sw=TW + 0.6):
    d = ("M%s C%s %s %s C%s %s %s C%s %s %s C%s %s %s Z" % (
        pt((cx, cy + s)),
        pt((cx - 0.35 * s, cy + 0.6 * s)), pt((cx - s, cy + 0.2 * s)), pt((cx - s, cy - 0.3 * s)),
        pt((cx - s, cy - 0.85 * s)), pt((cx - 0.2 * s, cy - 0.95 * s)), pt((cx, cy - 0.45 * s)),
        pt((cx + 0.2 * s, cy - 0.95 * s)), pt((cx + s, cy - 0.85 * s)), pt((cx + s, cy - 0.3 * s)),
        pt((cx + s, cy + 0.2 * s)), pt((cx + 0.35 * s, cy + 0.6 * s)), pt((cx, cy + s))))
    return path(d, fill, sw)


def ground(y, color=YEL, tufts=True, wave=6, x0=0, x1=400, bottom=700, seed=1, hatch_kind="e"):
    """A strip of earth with a wavy edge, a little hatching and grass tufts."""
    pts = []
    steps = 10
    for i in range(steps + 1):
        x = x0 + (x1 - x0) * i / steps
        pts.append((x, y + wave * math.sin(i * 1.7 + seed)))
    top = smooth_d(pts, False)
    d = top + " L%s L%s Z" % (pt((x1 + 10, bottom)), pt((x0 - 10, bottom)))
    out = [path(d, color)]
    # hatching only in the lower part, so the edge stays clean
    hd = "M%s L%s L%s L%s Z" % (pt((x0, y + 22)), pt((x1, y + 22)), pt((x1, bottom)), pt((x0, bottom)))
    out.append(hatch(hd, hatch_kind, ' opacity="0.55"'))
    out.append(path(top, "none", LW))
    if tufts:
        for i in range(7):
            tx = x0 + 30 + (x1 - x0 - 60) * ((i * 0.37 + seed * 0.13) % 1.0)
            ty = y + 14 + 10 * ((i * 0.61 + seed * 0.3) % 1.0)
            out.append(line([(tx - 6, ty + 4), (tx - 2, ty - 5)], 2))
            out.append(line([(tx, ty + 4), (tx + 1, ty - 7)], 2))
            out.append(line([(tx + 5, ty + 4), (tx + 7, ty - 4)], 2))
    return out


# ---------------------------------------------------------------- people

def eye(x, y, r, look=0.0):
    """An almond eye; r is the head radius."""
    w = 0.19 * r
    return [path("M%s Q%s %s Q%s %s Z" % (
        pt((x - w, y)), pt((x, y - 0.15 * r)), pt((x + w, y)),
        pt((x, y + 0.11 * r)), pt((x - w, y))), WHITE, 1.8),
        circle(x + look * w * 0.4, y - 0.005 * r, 0.065 * r + 0.6, INK, 0)]


def face_front(x, y, r, mouth=True, calm=True):
    out = []
    for s in (-1, 1):
        out += eye(x + s * 0.36 * r, y - 0.04 * r, r)
        out.append(curve([(x + s * 0.18 * r, y - 0.24 * r), (x + s * 0.36 * r, y - 0.3 * r),
                          (x + s * 0.55 * r, y - 0.22 * r)], 2))
    out.append(curve([(x + 0.02 * r, y - 0.12 * r), (x + 0.1 * r, y + 0.25 * r),
                      (x + 0.02 * r, y + 0.32 * r), (x - 0.1 * r, y + 0.3 * r)], 2))
    if mouth:
        out.append(curve([(x - 0.19 * r, y + 0.55 * r), (x, y + 0.6 * r), (x + 0.19 * r, y + 0.55 * r)], 2.2))
    return out


def head_front(x, y, r, hair=YEL, style="short", beard=None, mouth=True):
    """A frontal face. style: short, long, bald, none (covered by a hat)."""
    out = []
    if style == "long":
        out.append(blob([(x - 1.0 * r, y - 0.3 * r), (x - 0.85 * r, y - 1.0 * r), (x, y - 1.22 * r),
                         (x + 0.85 * r, y - 1.0 * r), (x + 1.0 * r, y - 0.3 * r), (x + 1.12 * r, y + 0.9 * r),
                         (x + 0.95 * r, y + 1.55 * r), (x + 0.4 * r, y + 1.3 * r), (x - 0.4 * r, y + 1.3 * r),
                         (x - 0.95 * r, y + 1.55 * r), (x - 1.12 * r, y + 0.9 * r)], hair))
    out.append(ellipse(x, y, 0.86 * r, r, FLESH))
    if beard:
        out.append(blob([(x - 0.84 * r, y + 0.05 * r), (x - 0.5 * r, y + 0.5 * r), (x - 0.2 * r, y + 0.42 * r),
                         (x, y + 0.5 * r), (x + 0.2 * r, y + 0.42 * r), (x + 0.5 * r, y + 0.5 * r),
                         (x + 0.84 * r, y + 0.05 * r), (x + 0.75 * r, y + 0.9 * r), (x, y + 1.5 * r),
                         (x - 0.75 * r, y + 0.9 * r)], beard, TW + 0.6))
        for k in (-0.4, 0, 0.4):
            out.append(curve([(x + k * r, y + 0.75 * r), (x + k * 1.1 * r, y + 1.05 * r),
                              (x + k * 0.8 * r, y + 1.3 * r)], 1.8))
    if style in ("short", "long"):
        out.append(path("M%s Q%s %s A%s %s 0 0 1 %s Z" % (
            pt((x + 0.84 * r, y - 0.25 * r)), pt((x + 0.1 * r, y - 0.7 * r)),
            pt((x - 0.84 * r, y - 0.25 * r)), n(0.86 * r), n(r),
            pt((x + 0.84 * r, y - 0.25 * r))), hair, TW + 0.6))
    out += face_front(x, y, r, mouth=mouth and not beard)
    if beard:
        out.append(curve([(x - 0.16 * r, y + 0.5 * r), (x, y + 0.55 * r), (x + 0.16 * r, y + 0.5 * r)], 2))
    return out


PROFILE = [(-0.95, 0.05), (-0.82, -0.62), (-0.25, -1.0), (0.45, -0.9), (0.82, -0.5),
           (0.88, -0.15), (1.13, 0.22), (0.9, 0.33), (0.96, 0.5), (0.86, 0.6), (0.9, 0.72),
           (0.62, 0.97), (0.12, 0.96), (-0.42, 0.78)]


def head_profile(x, y, r, hair=YEL, style="short", beard=None, facing=1):
    """A face seen from the side, looking right (facing=1) or left (-1)."""
    P = lambda u, v: (x + facing * u * r, y + v * r)
    out = []
    if style == "long":
        out.append(blob([P(-1.05, 0.0), P(-0.85, -0.8), P(-0.1, -1.1), P(0.5, -0.95), P(0.2, 0.0),
                         P(-0.3, 1.2), P(-1.0, 1.5), P(-1.2, 0.8)], hair))
    out.append(blob([P(u, v) for u, v in PROFILE], FLESH))
    if beard:
        out.append(blob([P(-0.15, 0.2), P(0.3, 0.45), P(0.6, 0.5), P(0.92, 0.55), P(0.85, 1.0),
                         P(0.5, 1.45), P(0.0, 1.25), P(-0.35, 0.7)], beard, TW + 0.6))
        out.append(curve([P(0.3, 0.85), P(0.45, 1.1), P(0.35, 1.3)], 1.8))
        out.append(curve([P(0.6, 0.8), P(0.7, 1.05)], 1.8))
    if style in ("short", "long"):
        out.append(blob([P(0.75, -0.6), P(0.3, -0.55), P(-0.15, -0.35), P(-0.3, 0.1), P(-0.65, 0.6),
                         P(-1.02, 0.1), P(-0.88, -0.72), P(-0.25, -1.08), P(0.48, -0.96)], hair, TW + 0.6))
    ex, ey = P(0.55, -0.12)
    out.append(path("M%s Q%s %s Q%s %s Z" % (pt(P(0.42, -0.12)), pt(P(0.56, -0.24)), pt(P(0.68, -0.1)),
                                              pt(P(0.56, -0.03)), pt(P(0.42, -0.12))), WHITE, 1.8))
    out.append(circle(ex + facing * 0.05 * r, ey - 0.01 * r, 0.06 * r + 0.5, INK, 0))
    out.append(curve([P(0.38, -0.3), P(0.55, -0.34), P(0.75, -0.28)], 2))
    if not beard:
        out.append(line([P(0.9, 0.6), P(0.74, 0.6)], 2))
    out.append(curve([P(-0.02, -0.05), P(-0.16, 0.1), P(-0.02, 0.3)], 2))
    return out


def hand(x, y, s=8, fill=FLESH):
    return circle(x, y, s, fill, TW + 0.8)


def neck(x, y0, y1, w=14):
    return rect(x - w / 2, y0, w, y1 - y0, FLESH, TW + 0.8)


def crown(x, y, w, h, fill=YEL, jewels=RED):
    """A small open crown whose base sits at y."""
    pts = [(x - w / 2, y), (x - w / 2, y - h), (x - w / 4, y - h * 0.55), (x, y - h * 1.15),
           (x + w / 4, y - h * 0.55), (x + w / 2, y - h), (x + w / 2, y)]
    out = [poly(pts, fill, TW + 1)]
    out.append(line([(x - w / 2, y - h * 0.28), (x + w / 2, y - h * 0.28)], 2))
    for k in (-0.5, 0, 0.5):
        out.append(circle(x + k * w, y - h * (1.0 if k else 1.15) - 3, 3.2, jewels, 1.8))
    return out


def robe(x, y0, y1, w0, w1, fill, sw=LW, sway=0.0):
    """A bell-shaped garment from the shoulders (y0) to the hem (y1)."""
    pts = [(x - w0 / 2, y0), (x - w0 / 2 - (w1 - w0) * 0.18, (y0 + y1) / 2),
           (x - w1 / 2 + sway, y1), (x - w1 / 4 + sway, y1 + 5), (x + sway, y1),
           (x + w1 / 4 + sway, y1 + 5), (x + w1 / 2 + sway, y1),
           (x + w0 / 2 + (w1 - w0) * 0.18, (y0 + y1) / 2), (x + w0 / 2, y0), (x, y0 - 6)]
    return blob(pts, fill, sw, 0.8)


def folds(x, y0, y1, spread, k=3, sw=TW):
    out = []
    for i in range(k):
        u = (i - (k - 1) / 2) / max(1, (k - 1) / 2)
        out.append(curve([(x + u * spread * 0.3, y0), (x + u * spread * 0.55, (y0 + y1) / 2),
                          (x + u * spread, y1)], sw))
    return out
