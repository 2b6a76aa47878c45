#!/usr/bin/env python3
"""Draws Lanuk, the little owl who keeps the Arcandel table, as a 512 x 512 SVG.

Usage: draw_lanuk.py OUT.svg
"""

import math
import sys

from woodcut import blob, circle, ellipse, path, poly, smooth_d, star_pts, pt, n

GOLD = "#d6b86e"
GOLD_LIGHT = "#ecd9a4"
GOLD_DARK = "#a8893f"
EMERALD = "#1a6b5a"
EMERALD_DEEP = "#0f4a40"
OUTLINE = "#08302a"
CREAM = "#f7efd6"


def lanuk():
    o = []
    lw = 12
    # body: a round egg with two tufted ears
    body = [(256, 110), (318, 120), (352, 92), (372, 156), (404, 240), (408, 330), (384, 404), (326, 448),
            (256, 458), (186, 448), (128, 404), (104, 330), (108, 240), (140, 156), (160, 92), (194, 120)]
    o.append(blob(body, EMERALD, lw, 0.9))
    # feet, tucked under the round body
    for fx in (214, 298):
        o.append(blob([(fx - 28, 470), (fx - 12, 444), (fx + 12, 444), (fx + 28, 470), (fx, 480)], GOLD, 9))
    # belly with feather scallops
    belly = [(256, 272), (320, 292), (352, 350), (336, 414), (256, 440), (176, 414), (160, 350), (192, 292)]
    o.append(blob(belly, GOLD_LIGHT, 0))
    for row, y in enumerate((318, 346, 374, 402)):
        for k in range(-2, 3):
            x = 256 + k * 36 + (18 if row % 2 else 0)
            if abs(x - 256) > 80 - row * 6:
                continue
            o.append(path("M%s Q%s %s" % (pt((x - 14, y)), pt((x, y + 16)), pt((x + 14, y))),
                          "none", 5, GOLD_DARK))
    # face disc
    o.append(blob([(256, 168), (306, 150), (358, 176), (370, 236), (336, 286), (256, 300),
                   (176, 286), (142, 236), (154, 176), (206, 150)], CREAM, 0))
    # eyes: big and friendly
    for ex in (204, 308):
        o.append(circle(ex, 226, 50, GOLD, 9))
        o.append(circle(ex, 228, 31, EMERALD_DEEP, 0))
        o.append(circle(ex + 11, 215, 11, CREAM, 0))
        o.append(circle(ex - 9, 240, 4.5, CREAM, 0))
    # brows that make it smile
    o.append(path("M150,176 Q200,150 240,176", "none", 9, OUTLINE))
    o.append(path("M272,176 Q312,150 362,176", "none", 9, OUTLINE))
    # beak
    o.append(path("M238,270 L274,270 L256,300 Z", GOLD, 8))
    # a small crescent on the brow
    o.append(path("M262,112 A28,28 0 1 0 262,160 A22,22 0 1 1 262,112 Z", GOLD, 7))
    # wings folded round a star
    o.append(blob([(118, 266), (150, 300), (196, 376), (208, 420), (170, 420), (126, 372), (104, 320)],
                  EMERALD_DEEP, lw))
    o.append(blob([(394, 266), (362, 300), (316, 376), (304, 420), (342, 420), (386, 372), (408, 320)],
                  EMERALD_DEEP, lw))
    sp = star_pts(256, 392, 62, 27, 5, -90)
    o.append(path("M" + " L".join(pt(p) for p in sp) + "Z", GOLD, 10, OUTLINE))
    o.append(circle(256, 395, 8, GOLD_LIGHT, 0))
    # wing tips holding the star
    o.append(ellipse(200, 410, 22, 16, EMERALD_DEEP, 9, rot=-30))
    o.append(ellipse(312, 410, 22, 16, EMERALD_DEEP, 9, rot=30))
    return o


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "Lanuk.svg"
    body = "\n".join(lanuk()).replace('stroke="#1d1915"', 'stroke="%s"' % OUTLINE)
    svg = ('<svg xmlns="http://www.w3.org/2000/svg" width="512" height="512" viewBox="0 0 512 512">\n'
           '<g stroke-linejoin="round" stroke-linecap="round">\n%s\n</g>\n</svg>\n' % body)
    with open(out, "w", encoding="utf-8") as fh:
        fh.write(svg)


if __name__ == "__main__":
    main()
