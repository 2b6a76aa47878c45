#!/usr/bin/env python3
"""Draws the Arcandel application icon: a star card laid on the emerald cloth.

Usage: draw_icon.py OUT.svg [OUT-small.svg]
The second file is a simplified drawing for the smallest sizes (32 px and below).
"""

import sys

from woodcut import star_pts, pt

GOLD = "#d6b86e"
EMERALD_TOP = "#1a6b5a"
EMERALD = "#0f4a40"
EMERALD_DEEP = "#061a17"
BACK = "#1f2b40"
CREAM = "#f4e6c3"
RED = "#c73b2b"
INK = "#1d1915"


def star_path(cx, cy, ro, ri, k, rot=-90):
    return "M" + " L".join(pt(p) for p in star_pts(cx, cy, ro, ri, k, rot)) + "Z"


def cloth(small):
    r = 104 if not small else 96
    out = ['<defs><linearGradient id="cloth" x1="0" y1="0" x2="1" y2="1">'
           '<stop offset="0" stop-color="%s"/><stop offset="0.55" stop-color="%s"/>'
           '<stop offset="1" stop-color="%s"/></linearGradient></defs>' % (EMERALD_TOP, EMERALD, EMERALD_DEEP),
           '<rect x="16" y="16" width="480" height="480" rx="%d" fill="url(#cloth)"/>' % r]
    if not small:
        out.append('<rect x="38" y="38" width="436" height="436" rx="84" fill="none" stroke="%s" '
                   'stroke-width="6" stroke-opacity="0.75"/>' % GOLD)
        out.append('<rect x="52" y="52" width="408" height="408" rx="72" fill="none" stroke="%s" '
                   'stroke-width="2.5" stroke-opacity="0.4"/>' % GOLD)
    return out


def card(cx, cy, w, h, rot, face, small):
    out = ['<g transform="translate(%d %d) rotate(%d)">' % (cx, cy, rot)]
    x, y = -w / 2, -h / 2
    out.append('<rect x="%g" y="%g" width="%g" height="%g" rx="14" fill="#000" fill-opacity="0.3" '
               'transform="translate(8 10)"/>' % (x, y, w, h))
    if face:
        out.append('<rect x="%g" y="%g" width="%g" height="%g" rx="14" fill="%s" stroke="%s" stroke-width="%g"/>'
                   % (x, y, w, h, CREAM, GOLD, 10 if small else 7))
        if not small:
            out.append('<rect x="%g" y="%g" width="%g" height="%g" rx="6" fill="none" stroke="%s" stroke-width="5"/>'
                       % (x + 16, y + 16, w - 32, h - 32, INK))
            out.append('<path d="%s" fill="%s" stroke="%s" stroke-width="5" stroke-linejoin="round"/>'
                       % (star_path(0, -4, 78, 34, 8), GOLD, INK))
            out.append('<path d="%s" fill="%s" stroke="%s" stroke-width="4" stroke-linejoin="round"/>'
                       % (star_path(0, -4, 44, 20, 8, -67.5), RED, INK))
            out.append('<circle cx="0" cy="-4" r="9" fill="%s" stroke="%s" stroke-width="3.5"/>' % (GOLD, INK))
            for sx, sy in ((-42, -112), (42, -112), (-42, 104), (42, 104)):
                out.append('<path d="%s" fill="%s" stroke="%s" stroke-width="3" stroke-linejoin="round"/>'
                           % (star_path(sx, sy, 15, 6, 8), GOLD, INK))
        else:
            out.append('<path d="%s" fill="%s" stroke="%s" stroke-width="10" stroke-linejoin="round"/>'
                       % (star_path(0, 0, 100, 44, 8), RED, INK))
    else:
        out.append('<rect x="%g" y="%g" width="%g" height="%g" rx="14" fill="%s" stroke="%s" stroke-width="7"/>'
                   % (x, y, w, h, BACK, GOLD))
        out.append('<rect x="%g" y="%g" width="%g" height="%g" rx="8" fill="none" stroke="%s" '
                   'stroke-width="3" stroke-opacity="0.6"/>' % (x + 16, y + 16, w - 32, h - 32, GOLD))
        out.append('<path d="%s" fill="%s"/>' % (star_path(0, 0, 34, 12, 4), GOLD))
    out.append('</g>')
    return out


def icon(small):
    body = cloth(small)
    if small:
        body += card(256, 256, 236, 380, 0, True, True)
    else:
        body += card(214, 262, 190, 320, -14, False, False)
        body += card(286, 252, 200, 336, 9, True, False)
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="512" height="512" viewBox="0 0 512 512">\n'
            + "\n".join(body) + "\n</svg>\n")


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "org.arcandel.Arcandel.svg"
    with open(out, "w", encoding="utf-8") as fh:
        fh.write(icon(False))
    if len(sys.argv) > 2:
        with open(sys.argv[2], "w", encoding="utf-8") as fh:
            fh.write(icon(True))


if __name__ == "__main__":
    main()
