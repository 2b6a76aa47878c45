#!/usr/bin/env python3
"""Draws the 22 Arcandel card faces as SVG files (400 x 750).

Usage: draw_cards.py OUTDIR [card numbers...]
Each card is one function below; the frame, bands and lettering are shared.
"""

import math
import os
import sys

from woodcut import *  # noqa: F401,F403  (palette and drawing helpers)

W, H = 400, 750
M = 10            # paper margin outside the black frame
TOP = 66          # lower edge of the numeral band
BOT = 684         # upper edge of the title band

NUMERALS = ["", "I", "II", "III", "IIII", "V", "VI", "VII", "VIII", "VIIII", "X",
            "XI", "XII", "XIII", "XIIII", "XV", "XVI", "XVII", "XVIII", "XVIIII", "XX", "XXI"]

TITLES = ["LE MAT", "LE BATELEUR", "LA PAPESSE", "L'IMPÉRATRICE", "L'EMPEREUR", "LE PAPE",
          "L'AMOUREUX", "LE CHARIOT", "LA JUSTICE", "L'HERMITE", "LA ROUE DE FORTUNE",
          "LA FORCE", "LE PENDU", "", "TEMPÉRANCE", "LE DIABLE", "LA MAISON DIEU",
          "L'ÉTOILE", "LA LUNE", "LE SOLEIL", "LE JUGEMENT", "LE MONDE"]

FILES = ["00-le-mat", "01-le-bateleur", "02-la-papesse", "03-l-imperatrice", "04-l-empereur",
         "05-le-pape", "06-l-amoureux", "07-le-chariot", "08-la-justice", "09-l-hermite",
         "10-la-roue-de-fortune", "11-la-force", "12-le-pendu", "13-l-arcane-sans-nom",
         "14-temperance", "15-le-diable", "16-la-maison-dieu", "17-l-etoile", "18-la-lune",
         "19-le-soleil", "20-le-jugement", "21-le-monde"]

FONT = "DejaVu Serif"


def lettering(text, y, size, spacing):
    if not text:
        return ""
    return ('<text x="200" y="%s" font-family="%s" font-weight="bold" font-size="%s" '
            'letter-spacing="%s" text-anchor="middle" fill="%s">%s</text>' % (
                n(y), FONT, n(size), n(spacing), INK, text.replace("'", "&#8217;")))


def title_size(text):
    # DejaVu Serif Bold capitals average about 0.74 em; keep clear of the frame.
    size = 29.0
    spacing = 2.0
    while len(text) * (0.74 * size + spacing) > 330 and size > 18:
        size -= 0.5
        spacing = max(0.5, spacing - 0.1)
    return size, spacing


def frame(num, picture):
    title = TITLES[num]
    ts, tsp = title_size(title)
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">' % (W, H, W, H),
           DEFS,
           '<clipPath id="pic"><rect x="%d" y="%d" width="%d" height="%d"/></clipPath>' % (
               M, TOP, W - 2 * M, BOT - TOP),
           rect(0, 0, W, H, PAPER, 0),
           '<g stroke-linejoin="round" stroke-linecap="round">',
           '<g clip-path="url(#pic)">']
    out += flat(picture)
    out += ['</g>',
            line([(M, TOP), (W - M, TOP)], 4.5),
            line([(M, BOT), (W - M, BOT)], 4.5),
            rect(M, M, W - 2 * M, H - 2 * M, "none", 6),
            lettering(NUMERALS[num], TOP - 16, 34, 3),
            lettering(title, BOT + 38 + (29 - ts) * 0.35, ts, tsp),
            '</g>', '</svg>']
    return "\n".join(o for o in out if o)


# ================================================================= the cards

def card_00():
    """Le Mat: the wanderer with his bundle and staff, a small dog at his heels."""
    out = [ground(612, YEL, seed=2)]
    # bundle on its stick, carried over the shoulder
    out += tube([(250, 250), (95, 158)], YEL, 8)
    out.append(blob([(96, 150), (70, 160), (58, 196), (74, 232), (108, 236), (124, 206), (116, 170)], BLUE))
    out.append(hatch(smooth_d([(96, 150), (70, 160), (58, 196), (74, 232), (108, 236), (124, 206), (116, 170)]), "d", ' opacity="0.35"'))
    out.append(path("M84,168 Q100,176 118,166", "none", 7, INK))
    out.append(path("M84,168 Q100,176 118,166", "none", 3, RED))
    # legs mid-stride
    out += tube([(205, 420), (185, 520), (150, 598)], LBLUE, 26)
    out += tube([(225, 420), (250, 515), (268, 598)], RED, 26)
    out.append(blob([(128, 590), (160, 586), (172, 604), (126, 612)], RED, TW + 1))
    out.append(blob([(258, 590), (292, 592), (300, 610), (254, 610)], BLUE, TW + 1))
    # tunic with a jagged hem of bells
    out.append(blob([(186, 236), (160, 300), (156, 380), (148, 440), (236, 452), (262, 430),
                     (258, 330), (244, 238), (215, 228)], RED, LW, 0.7))
    out.append(hatch(smooth_d([(158, 380), (148, 440), (200, 448), (190, 380)]), "e", ' opacity="0.5"'))
    for k in range(6):
        bx = 152 + k * 19
        out.append(circle(bx, 446 + (2 if k % 2 else 0), 6.5, YEL, 2.2))
    out.append(rect(160, 330, 100, 16, YEL, TW + 1, 3))
    out.append(blob([(196, 226), (234, 226), (250, 250), (180, 252)], YEL, TW + 1))
    # back arm reaching up to the stick
    out += tube([(236, 262), (262, 292), (252, 258)], BLUE, 22)
    out.append(hand(252, 252, 10))
    # front arm holding the long staff
    out += tube([(300, 150), (322, 612)], YEL, 10)
    out += tube([(200, 262), (236, 336), (300, 322)], LBLUE, 22)
    out.append(hand(304, 320, 10))
    out.append(neck(214, 200, 232, 18))
    # head with the fool's cap
    out.append(head_front(214, 172, 30, YEL, "none"))
    out.append(blob([(182, 160), (186, 132), (214, 120), (246, 132), (250, 160), (214, 148)], YEL, LW))
    out.append(blob([(186, 138), (150, 112), (128, 124), (140, 132), (170, 150)], RED, LW))
    out.append(circle(128, 128, 7, YEL, 2.4))
    out.append(blob([(244, 136), (270, 104), (288, 112), (262, 140), (250, 156)], BLUE, LW))
    out.append(circle(290, 108, 7, YEL, 2.4))
    out.append(line([(184, 156), (244, 156)], 2.5))
    # the little dog jumping at his leg
    out.append(blob([(92, 560), (112, 536), (146, 530), (160, 548), (150, 566), (118, 578), (96, 584)], WHITE))
    out += tube([(104, 575), (92, 604)], WHITE, 9)
    out += tube([(146, 548), (170, 532)], WHITE, 9)
    out += tube([(138, 560), (164, 556)], WHITE, 9)
    out.append(blob([(150, 512), (172, 506), (188, 518), (180, 530), (160, 534)], WHITE))
    out.append(blob([(156, 508), (150, 492), (166, 504)], WHITE, TW))
    out.append(circle(172, 516, 2.4, INK, 0))
    out += tube([(94, 566), (72, 540)], WHITE, 6)
    out.append(blob([(112, 542), (132, 540), (130, 560), (112, 560)], BLUE, 0))
    return out


def card_01():
    """Le Bateleur: the juggler at his table, wand raised, coin in hand."""
    out = [ground(620, GREEN, seed=1)]
    # legs below the table
    out += tube([(178, 500), (170, 610)], LBLUE, 24)
    out += tube([(222, 500), (236, 610)], RED, 24)
    out.append(blob([(150, 604), (180, 600), (186, 616), (146, 618)], RED, TW + 1))
    out.append(blob([(226, 600), (258, 604), (262, 618), (222, 616)], BLUE, TW + 1))
    # body
    out.append(robe(200, 228, 480, 74, 110, BLUE))
    out.append(blob([(163, 232), (200, 244), (237, 232), (232, 300), (200, 320), (168, 300)], RED, LW, 0.7))
    out.append(rect(160, 346, 80, 14, YEL, TW + 1, 3))
    for k in range(4):
        out.append(circle(176 + 16 * k, 300 + (k % 2) * 4, 4, YEL, 1.8))
    # left arm raising the wand
    out += tube([(166, 244), (130, 300), (110, 250)], RED, 22)
    out += tube([(104, 250), (86, 180)], YEL, 8)
    out.append(circle(86, 176, 7, YEL, 2.4))
    out.append(hand(110, 250, 10))
    # right arm down to the coin
    out += tube([(234, 244), (270, 300), (282, 350)], RED, 22)
    out.append(hand(284, 356, 10))
    out.append(circle(298, 346, 10, YEL, TW + 0.6))
    out.append(neck(200, 200, 236, 20))
    # head and the great hat with its looping brim
    out.append(head_front(200, 178, 30, YEL, "short"))
    out.append(blob([(140, 150), (168, 124), (200, 138), (232, 124), (262, 150), (232, 156),
                     (200, 150), (168, 156)], YEL, LW))
    out.append(blob([(176, 132), (188, 100), (212, 100), (224, 132), (200, 140)], RED, LW))
    out.append(line([(180, 122), (220, 122)], 2.5))
    # the table
    out.append(poly([(70, 440), (330, 440), (346, 476), (54, 476)], YEL))
    out.append(hatch(poly_d([(70, 440), (330, 440), (346, 476), (54, 476)]), "h", ' opacity="0.35"'))
    out.append(rect(54, 476, 292, 22, RED, LW))
    out += tube([(76, 498), (72, 612)], YEL, 12)
    out += tube([(324, 498), (328, 612)], YEL, 12)
    out += tube([(200, 498), (200, 600)], YEL, 12)
    # cup, coins, knife and dice on the table
    out.append(path("M92,396 L132,396 L124,430 L100,430 Z", RED))
    out.append(rect(104, 430, 16, 8, RED, TW))
    out.append(ellipse(112, 396, 20, 6, RED, TW + 0.6))
    for cx, cy in ((172, 454), (204, 460), (236, 452)):
        out.append(ellipse(cx, cy, 12, 6, YEL, TW + 0.6))
    out.append(path("M262,458 L300,446 L304,452 L266,464 Z", WHITE, TW))
    out.append(poly([(300, 448), (316, 444), (318, 450), (304, 454)], RED, TW))
    out.append(rect(148, 424, 16, 16, WHITE, TW))
    out.append(circle(156, 432, 2, INK, 0))
    return out


def card_02():
    """La Papesse: seated, veiled behind, with the tiara and the closed book."""
    out = []
    # curtain behind the head
    out.append(blob([(120, 80), (280, 80), (300, 260), (270, 400), (130, 400), (100, 260)], FLESH))
    out.append(hatch(smooth_d([(120, 80), (280, 80), (300, 260), (270, 400), (130, 400), (100, 260)]), "v", ' opacity="0.4"'))
    # throne
    out.append(rect(110, 360, 180, 260, YEL, LW, 4))
    out.append(rect(96, 600, 208, 30, RED, LW))
    # seated body: mantle, robe, lap
    out.append(blob([(160, 250), (200, 240), (240, 250), (270, 340), (290, 590), (200, 604), (110, 590), (130, 340)], BLUE))
    out.append(blob([(176, 258), (224, 258), (236, 420), (250, 590), (150, 590), (164, 420)], RED, LW, 0.8))
    out.append(folds(200, 440, 590, 70, 3))
    out.append(rect(176, 420, 48, 12, YEL, TW + 1, 2))
    out.append(hatch(smooth_d([(110, 590), (130, 340), (160, 300), (170, 590)]), "d", ' opacity="0.45"'))
    # the closed book held on her lap
    out.append(path("M150,392 L222,372 L238,432 L166,452 Z", RED))
    out.append(path("M222,372 L232,368 L248,428 L238,432 Z", WHITE, TW + 0.6))
    out.append(line([(160, 404), (222, 386)], 2))
    out.append(circle(196, 414, 7, YEL, 2))
    out += tube([(170, 292), (150, 360), (166, 420)], BLUE, 22)
    out.append(hand(168, 424, 10))
    out += tube([(232, 292), (254, 350), (240, 388)], BLUE, 22)
    out.append(hand(238, 392, 10))
    out.append(neck(200, 218, 250, 20))
    # veil around the face
    out.append(blob([(166, 160), (200, 140), (234, 160), (246, 250), (200, 262), (154, 250)], WHITE))
    out.append(head_front(200, 196, 28, WHITE, "none"))
    # triple tiara
    out.append(path("M174,170 C172,120 188,92 200,84 C212,92 228,120 226,170 Z", YEL))
    for yy in (156, 134, 114):
        out.append(line([(176 + (156 - yy) * 0.12, yy), (224 - (156 - yy) * 0.12, yy)], 3))
        out.append(circle(200, yy - 5, 3, RED, 1.5))
    out.append(circle(200, 80, 5, YEL, 2))
    out.append(line([(170, 170), (230, 170)], 3.5))
    return out


def card_03():
    """L'Impératrice: crowned and enthroned, eagle shield and sceptre."""
    out = []
    # throne back with wing-like sides
    out.append(blob([(90, 200), (130, 150), (160, 240), (150, 420), (110, 430), (86, 330)], LBLUE))
    out.append(blob([(310, 200), (270, 150), (240, 240), (250, 420), (290, 430), (314, 330)], LBLUE))
    for k in range(4):
        out.append(curve([(104 + k * 10, 220 + k * 40), (130 + k * 4, 240 + k * 40)], 2))
        out.append(curve([(296 - k * 10, 220 + k * 40), (270 - k * 4, 240 + k * 40)], 2))
    out.append(rect(104, 590, 192, 30, YEL, LW))
    out.append(ground(630, GREEN, tufts=False, seed=3))
    # gown and mantle
    out.append(blob([(160, 250), (200, 240), (240, 250), (280, 400), (300, 600), (200, 612), (100, 600), (120, 400)], RED))
    out.append(blob([(176, 262), (224, 262), (230, 380), (260, 600), (140, 600), (170, 380)], BLUE, LW, 0.8))
    out.append(folds(200, 400, 596, 90, 4))
    out.append(rect(170, 350, 60, 12, YEL, TW + 1, 2))
    # sceptre in her right arm (viewer's left)
    out += tube([(150, 420), (120, 170)], YEL, 10)
    out.append(circle(118, 160, 14, YEL, LW))
    out += tube([(118, 146), (118, 124)], YEL, 5)
    out += tube([(110, 132), (126, 132)], YEL, 5)
    out += tube([(174, 290), (140, 350), (138, 330)], RED, 22)
    out.append(hand(138, 326, 10))
    # eagle shield held by the other arm
    out += tube([(226, 290), (256, 350), (240, 380)], RED, 22)
    out.append(path("M222,344 L300,344 L300,414 C300,444 262,462 261,464 C260,462 222,444 222,414 Z", YEL))
    out.append(eagle_badge(261, 398, 0.82))
    out.append(neck(200, 216, 252, 20))
    out.append(head_front(200, 190, 30, YEL, "long"))
    out.append(crown(200, 158, 62, 26))
    return out


def eagle_badge(x, y, s):
    """A small heraldic eagle with spread wings, for shields."""
    items = [
        blob([(-6, -20), (6, -20), (10, 10), (0, 24), (-10, 10)], INK, 0),
        path("M-6,-8 C-22,-22 -34,-14 -40,-24 C-40,-4 -30,8 -8,6 Z", INK, 0),
        path("M6,-8 C22,-22 34,-14 40,-24 C40,-4 30,8 8,6 Z", INK, 0),
        circle(0, -26, 8, INK, 0),
        path("M4,-30 L14,-26 L4,-22 Z", INK, 0),
        path("M-8,20 L-16,34 M8,20 L16,34", "none", 4),
        path("M-4,20 L0,36 L4,20 Z", INK, 0),
    ]
    return place(items, x, y, s)

def horse(x, y, color, facing=1):
    """A horse's chest, neck and head seen three-quarters, looking right by default."""
    neckp = [(-26, 30), (-22, -20), (-2, -58), (26, -66), (40, -40), (34, 0), (30, 40)]
    items = [
        tube([(-14, 60), (-18, 110), (-12, 138)], color, 16),
        tube([(16, 60), (34, 96), (22, 118)], color, 16),
        ellipse(0, 40, 36, 44, color),
        hatch(smooth_d([(-36, 40), (0, 84), (36, 40), (0, 60)]), "d", ' opacity="0.45"'),
        blob(neckp, color),
        blob([(4, -60), (26, -78), (50, -66), (76, -32), (76, -18), (60, -14), (38, -30), (14, -38)], color),
        poly([(14, -68), (18, -92), (30, -74)], color, TW + 0.6),
        path("M2,-62 L-10,-50 L-4,-46 L-18,-32 L-10,-28 L-24,-12 L-16,-8 L-28,8 L-20,-30 Z", INK, 1.5),
        circle(38, -58, 3.4, INK, 0),
        circle(70, -26, 2.4, INK, 0),
        line([(60, -16), (72, -20)], 2),
        line([(24, -34), (40, -50), (62, -40)], 2.4),
        blob([(-22, 138), (-2, 136), (-2, 150), (-24, 150)], INK, 0),
    ]
    return group(items, "translate(%s %s) scale(%s 1)" % (n(x), n(y), facing))


def card_04():
    """L'Empereur: seated in profile on his throne, sceptre raised, eagle shield at his feet."""
    out = [ground(620, GREEN, seed=4)]
    # throne
    out.append(rect(230, 200, 70, 330, YEL, LW, 4))
    out.append(hatch(poly_d([(230, 200), (300, 200), (300, 530), (230, 530)]), "v", ' opacity="0.35"'))
    out.append(circle(265, 196, 12, YEL, LW))
    out.append(rect(180, 440, 130, 170, YEL, LW, 4))
    out.append(rect(180, 440, 130, 22, RED, LW))
    # crossed legs
    out += tube([(210, 460), (150, 470), (190, 560), (206, 600)], LBLUE, 30)
    out += tube([(200, 440), (130, 452), (126, 596)], BLUE, 32)
    out.append(blob([(96, 590), (134, 586), (138, 608), (92, 610)], RED, TW + 1))
    out.append(blob([(196, 594), (230, 596), (232, 612), (192, 612)], RED, TW + 1))
    # torso in armour and skirt
    out.append(blob([(170, 250), (240, 244), (250, 330), (240, 440), (166, 450), (160, 330)], RED))
    out.append(blob([(176, 262), (234, 256), (236, 340), (180, 346)], BLUE, LW, 0.7))
    for yy in (286, 312):
        out.append(curve([(180, yy), (206, yy + 6), (234, yy - 2)], 2))
    out.append(rect(160, 400, 88, 14, YEL, TW + 1, 3))
    # shield at his feet
    out.append(path("M60,500 L124,500 L124,556 C124,580 94,594 92,596 C90,594 60,580 60,556 Z", YEL))
    out.append(eagle_badge(92, 546, 0.7))
    # arm holding the sceptre upright
    out += tube([(188, 274), (150, 340), (118, 330)], RED, 24)
    out += tube([(110, 420), (112, 162)], YEL, 10)
    out.append(circle(112, 150, 14, YEL, LW))
    out += tube([(112, 136), (112, 118)], YEL, 5)
    out += tube([(104, 126), (120, 126)], YEL, 5)
    out.append(hand(114, 328, 11))
    # other hand on the belt
    out += tube([(230, 276), (252, 350), (224, 398)], RED, 24)
    out.append(hand(222, 400, 10))
    out.append(neck(200, 210, 256, 22))
    out.append(head_profile(196, 190, 32, LBLUE, "long", beard=LBLUE, facing=-1))
    out.append(blob([(160, 172), (164, 140), (178, 122), (200, 126), (222, 122), (236, 140), (238, 172), (200, 164)], YEL))
    out.append(line([(164, 156), (236, 156)], 2.5))
    out.append(circle(200, 116, 6, RED, 2))
    return out


def card_05():
    """Le Pape: enthroned between two pillars, triple cross and keys, two acolytes before him."""
    out = []
    for px in (78, 322):
        out.append(rect(px - 22, 90, 44, 420, LBLUE, LW))
        out.append(rect(px - 30, 86, 60, 18, YEL, LW))
        out.append(hatch(poly_d([(px + 4, 104), (px + 22, 104), (px + 22, 510), (px + 4, 510)]), "v", ' opacity="0.5"'))
    # robe and cope
    out.append(blob([(158, 256), (200, 244), (242, 256), (276, 420), (290, 580), (110, 580), (124, 420)], BLUE))
    out.append(blob([(178, 268), (222, 268), (236, 420), (244, 580), (156, 580), (164, 420)], RED, LW, 0.8))
    out.append(hatch(smooth_d([(110, 580), (124, 420), (150, 300), (158, 580)]), "d", ' opacity="0.4"'))
    out.append(blob([(160, 256), (240, 256), (232, 292), (200, 304), (168, 292)], YEL, LW))
    # crossed keys on the front of the robe
    for sgn in (-1, 1):
        items = [tube([(0, -44), (0, 34)], YEL, 6),
                 circle(0, -50, 9, YEL, TW + 0.6), circle(0, -50, 3, PAPER, 1.6),
                 poly([(0, 22), (12, 22), (12, 30), (6, 30), (6, 36), (0, 36)], YEL, TW)]
        out.append(place(items, 200, 460, 1.0, sgn * 32))
    # blessing hand and the arm that holds the triple cross
    out += tube([(166, 276), (140, 340), (142, 290)], BLUE, 24)
    out.append(blob([(134, 292), (136, 264), (144, 262), (150, 290)], FLESH, TW + 0.6))
    out.append(hand(142, 292, 11))
    out += tube([(280, 570), (280, 118)], YEL, 10)
    for yy, hw in ((134, 20), (158, 28), (182, 36)):
        out += tube([(280 - hw, yy), (280 + hw, yy)], YEL, 8)
    out += tube([(234, 276), (262, 348), (276, 340)], BLUE, 24)
    out.append(hand(280, 340, 11, LBLUE))
    out.append(neck(200, 216, 250, 22))
    out.append(head_front(200, 190, 30, WHITE, "none", beard=WHITE))
    out.append(path("M170,166 C168,116 186,88 200,78 C214,88 232,116 230,166 Z", YEL))
    for yy in (150, 126, 104):
        out.append(line([(172 + (150 - yy) * 0.12, yy), (228 - (150 - yy) * 0.12, yy)], 3))
        out.append(circle(200, yy - 5, 3, RED, 1.5))
    out.append(circle(200, 74, 5, YEL, 2))
    out.append(line([(166, 166), (234, 166)], 3.5))
    # the two acolytes seen from behind
    for ax, col in ((118, RED), (282, LBLUE)):
        out.append(blob([(ax - 60, 700), (ax - 54, 630), (ax, 606), (ax + 54, 630), (ax + 60, 700)], col))
        out.append(circle(ax, 590, 30, YEL, LW))
        out.append(circle(ax, 584, 13, FLESH, TW))
        for k in range(5):
            a = math.radians(200 + k * 35)
            out.append(line([(ax + 17 * math.cos(a), 584 + 17 * math.sin(a)),
                             (ax + 26 * math.cos(a), 590 + 22 * math.sin(a))], 1.8))
    return out


def cupid(x, y):
    items = [
        blob([(-8, -6), (-40, -34), (-56, -12), (-44, 4), (-12, 8)], LBLUE, TW + 0.6),
        blob([(8, -6), (40, -34), (56, -12), (44, 4), (12, 8)], LBLUE, TW + 0.6),
        blob([(-14, -8), (14, -8), (18, 22), (0, 30), (-18, 22)], FLESH, TW + 0.6),
        tube([(-10, 24), (-16, 46)], FLESH, 9, edge=TW),
        tube([(10, 24), (18, 44)], FLESH, 9, edge=TW),
        head_front(0, -24, 15, YEL, "short"),
        path("M-34,22 Q0,60 34,22", "none", 4),
        line([(-34, 22), (34, 22)], 1.5),
        line([(0, 16), (0, 70)], 3),
        poly([(-6, 62), (6, 62), (0, 76)], RED, 2),
        tube([(-14, 2), (-26, 16)], FLESH, 7, edge=TW),
        tube([(14, 2), (24, 16)], FLESH, 7, edge=TW),
    ]
    return place(items, x, y)


def sun_rays(cx, cy, r0, r1, k, fill, sw=TW, alt=None):
    out = []
    for i in range(k):
        a = 2 * math.pi * i / k
        b = math.pi / k * 0.55
        rr = r1 if (alt is None or i % 2 == 0) else alt
        pts = [(cx + r0 * math.cos(a - b), cy + r0 * math.sin(a - b)),
               (cx + rr * math.cos(a), cy + rr * math.sin(a)),
               (cx + r0 * math.cos(a + b), cy + r0 * math.sin(a + b))]
        out.append(poly(pts, fill, sw))
    return out


def card_06():
    """L'Amoureux: the winged child aims his arrow from the sun over two lovers and two hearts."""
    out = [ground(626, GREEN, seed=6)]
    out.append(sun_rays(200, 160, 66, 100, 16, YEL, alt=84))
    out.append(circle(200, 160, 68, YEL, LW))
    out.append(circle(200, 160, 56, "none", 2))
    out.append(cupid(200, 150))
    # two hearts under the arrow
    out.append(heart(180, 294, 22, RED))
    out.append(heart(220, 300, 22, RED))
    # the man on the left, the woman on the right, hands joined
    out += tube([(112, 500), (104, 606)], LBLUE, 24)
    out += tube([(138, 500), (142, 606)], LBLUE, 24)
    out.append(blob([(80, 600), (110, 598), (112, 614), (78, 614)], RED, TW + 1))
    out.append(blob([(132, 600), (162, 600), (166, 614), (130, 614)], RED, TW + 1))
    out.append(blob([(90, 366), (124, 356), (160, 366), (170, 450), (164, 520), (84, 520), (80, 450)], RED))
    out.append(rect(86, 440, 80, 14, YEL, TW + 1, 3))
    out.append(folds(124, 456, 516, 30, 3))
    out.append(robe(280, 366, 610, 74, 140, BLUE))
    out.append(blob([(248, 370), (312, 370), (316, 450), (246, 450)], RED, LW, 0.7))
    out.append(folds(280, 470, 600, 56, 3))
    out += tube([(150, 378), (178, 430), (198, 440)], RED, 22)
    out += tube([(252, 378), (222, 430), (204, 440)], RED, 22)
    out.append(hand(200, 442, 11))
    out += tube([(98, 378), (84, 440), (96, 470)], RED, 22)
    out.append(hand(98, 474, 10))
    out += tube([(306, 378), (316, 440), (304, 470)], RED, 22)
    out.append(hand(302, 474, 10))
    out.append(neck(124, 320, 362, 18))
    out.append(neck(280, 320, 362, 18))
    out.append(head_profile(124, 310, 28, YEL, "short", facing=1))
    out.append(head_profile(280, 310, 28, YEL, "long", facing=-1))
    out.append(blob([(256, 288), (272, 276), (300, 280), (312, 296), (300, 290), (270, 290)], GREEN, TW))
    return out


def card_07():
    """Le Chariot: the crowned driver under the canopy, two horses in front."""
    out = [ground(626, YEL, seed=7)]
    # canopy on four posts
    for px in (96, 304):
        out += tube([(px, 200), (px, 470)], BLUE, 12)
    out.append(path("M78,150 Q200,110 322,150 L322,196 Q200,176 78,196 Z", RED))
    for k in range(8):
        sx = 88 + k * 32
        out.append(path("M%s Q%s %s %s" % (pt((sx - 14, 190)), pt((sx, 224)), "", pt((sx + 14, 190))), "none", 2.4))
    out.append(line([(80, 170), (320, 170)], 2))
    # the driver
    out.append(blob([(150, 300), (200, 290), (250, 300), (262, 420), (138, 420)], BLUE))
    out.append(blob([(134, 300), (160, 286), (176, 306), (158, 326)], YEL, TW + 0.6))
    out.append(blob([(266, 300), (240, 286), (224, 306), (242, 326)], YEL, TW + 0.6))
    out.append(face_front(155, 306, 14, mouth=False))
    out.append(face_front(245, 306, 14, mouth=False))
    for yy in (340, 366, 392):
        out.append(curve([(150, yy), (200, yy + 8), (250, yy)], 2))
    out += tube([(146, 316), (122, 370), (130, 400)], RED, 22)
    out.append(hand(132, 404, 10))
    out += tube([(130, 410), (108, 236)], YEL, 8)
    out.append(circle(106, 228, 10, YEL, TW + 1))
    out += tube([(254, 316), (276, 370), (262, 400)], RED, 22)
    out.append(hand(260, 404, 10))
    out.append(neck(200, 262, 296, 20))
    out.append(head_front(200, 240, 28, YEL, "short"))
    out.append(crown(200, 216, 56, 24))
    # wheels behind the box
    for wx in (86, 314):
        out.append(circle(wx, 520, 46, RED, LW))
        out.append(circle(wx, 520, 34, PAPER, TW + 0.6))
        for k in range(4):
            a = k * math.pi / 4
            out.append(line([(wx - 34 * math.cos(a), 520 - 34 * math.sin(a)),
                             (wx + 34 * math.cos(a), 520 + 34 * math.sin(a))], 3))
        out.append(circle(wx, 520, 8, YEL, TW))
    # the chariot box
    out.append(rect(80, 410, 240, 120, YEL, LW))
    out.append(hatch(poly_d([(80, 500), (320, 500), (320, 530), (80, 530)]), "d", ' opacity="0.5"'))
    out.append(path("M176,430 L224,430 L224,470 C224,488 204,498 200,500 C196,498 176,488 176,470 Z", RED))
    out.append(line([(200, 430), (200, 498)], 2))
    out.append(line([(176, 458), (224, 458)], 2))
    # horses
    out.append(horse(136, 500, BLUE, -1))
    out.append(horse(264, 500, RED, 1))
    return out


def scales(x, y, s=1.0):
    items = [tube([(0, -14), (0, 8)], YEL, 5, edge=TW),
             tube([(-50, 0), (50, 0)], YEL, 6, edge=TW),
             line([(-50, 0), (-66, 58)], 1.8), line([(-50, 0), (-34, 58)], 1.8),
             line([(50, 0), (34, 58)], 1.8), line([(50, 0), (66, 58)], 1.8),
             path("M-72,58 Q-50,80 -28,58 Z", YEL, TW + 0.4),
             path("M28,58 Q50,80 72,58 Z", YEL, TW + 0.4)]
    return place(items, x, y, s)


def sword(x0, y0, x1, y1, w=12):
    """A sword from the grip end (x0,y0) to the point (x1,y1)."""
    a = math.atan2(y1 - y0, x1 - x0)
    ux, uy = math.cos(a), math.sin(a)
    px, py = -uy, ux
    g = 30  # grip length
    gx, gy = x0 + ux * g, y0 + uy * g
    blade = [(gx + px * w / 2, gy + py * w / 2), (x1 - ux * w + px * w / 2, y1 - uy * w + py * w / 2), (x1, y1),
             (x1 - ux * w - px * w / 2, y1 - uy * w - py * w / 2), (gx - px * w / 2, gy - py * w / 2)]
    return [poly(blade, LBLUE, TW + 1),
            line([(gx, gy), (x1 - ux * w, y1 - uy * w)], 1.6),
            tube([(x0, y0), (gx, gy)], RED, 7, edge=TW),
            tube([(gx + px * 20, gy + py * 20), (gx - px * 20, gy - py * 20)], YEL, 7, edge=TW),
            circle(x0 - ux * 4, y0 - uy * 4, 6, YEL, TW)]


def card_08():
    """La Justice: enthroned, sword upright in one hand, scales in the other."""
    out = []
    for px in (84, 316):
        out.append(rect(px - 20, 170, 40, 450, YEL, LW))
        out.append(circle(px, 162, 18, YEL, LW))
        out.append(hatch(poly_d([(px + 4, 190), (px + 20, 190), (px + 20, 620), (px + 4, 620)]), "v", ' opacity="0.45"'))
    out.append(rect(76, 590, 248, 30, RED, LW))
    out.append(ground(626, GREEN, tufts=False, seed=8))
    out.append(blob([(156, 256), (200, 244), (244, 256), (280, 420), (296, 592), (104, 592), (120, 420)], RED))
    out.append(blob([(120, 420), (150, 300), (170, 420), (166, 590), (104, 590)], BLUE, LW, 0.8))
    out.append(blob([(280, 420), (250, 300), (230, 420), (234, 590), (296, 590)], BLUE, LW, 0.8))
    out.append(folds(200, 430, 588, 60, 3))
    out.append(rect(164, 360, 72, 12, YEL, TW + 1, 2))
    out.append(path("M170,260 Q200,300 230,260", "none", 5))
    out.append(sword(134, 392, 134, 120, 14))
    out += tube([(168, 280), (132, 350), (136, 384)], RED, 22)
    out.append(hand(136, 388, 11))
    out.append(scales(274, 300, 0.9))
    out += tube([(232, 280), (262, 340), (272, 312)], RED, 22)
    out.append(hand(274, 308, 10))
    out.append(neck(200, 214, 250, 20))
    out.append(head_front(200, 190, 30, YEL, "long"))
    out.append(path("M168,166 L168,132 Q200,116 232,132 L232,166 Q200,156 168,166 Z", YEL))
    out.append(circle(200, 144, 8, RED, TW))
    out.append(crown(200, 132, 50, 18))
    return out


def card_09():
    """L'Hermite: the hooded old man with his lantern raised and his staff."""
    out = [ground(620, YEL, seed=9)]
    # cloak
    out.append(blob([(186, 200), (236, 196), (262, 280), (278, 420), (296, 600), (230, 612), (150, 606),
                     (118, 590), (140, 420), (150, 280)], BLUE))
    out.append(blob([(220, 300), (250, 330), (266, 440), (278, 596), (228, 604), (220, 440)], RED, LW, 0.8))
    out.append(hatch(smooth_d([(118, 590), (140, 420), (150, 300), (178, 420), (170, 604)]), "d", ' opacity="0.45"'))
    out.append(folds(190, 430, 600, 60, 3))
    out.append(blob([(132, 600), (164, 598), (168, 614), (126, 614)], RED, TW + 1))
    # arm holding the staff
    out += tube([(232, 270), (256, 320), (254, 330)], BLUE, 24)
    out += tube([(248, 292), (304, 612)], YEL, 11)
    out.append(hand(254, 334, 11))
    # beard and head
    out.append(head_profile(190, 190, 30, WHITE, "none", beard=WHITE, facing=-1))
    # hood
    out.append(blob([(176, 156), (196, 146), (230, 156), (244, 200), (234, 250), (206, 230), (220, 190),
                     (206, 162)], BLUE))
    out.append(blob([(150, 172), (168, 146), (200, 138), (222, 150), (186, 160), (162, 178)], BLUE, TW + 1))
    # raised arm with the lantern
    out += tube([(176, 266), (146, 300), (126, 262)], BLUE, 24)
    out.append(hand(124, 258, 11))
    out += tube([(124, 254), (112, 238)], INK, 3, edge=0)
    lx, ly = 104, 266
    out.append(poly([(lx - 16, ly - 30), (lx + 16, ly - 30), (lx + 22, ly + 18), (lx - 22, ly + 18)], YEL))
    out.append(poly([(lx - 8, ly - 20), (lx + 8, ly - 20), (lx + 11, ly + 10), (lx - 11, ly + 10)], RED, TW))
    out.append(path("M%s L%s L%s Z" % (pt((lx - 20, ly - 30)), pt((lx, ly - 46)), pt((lx + 20, ly - 30))), YEL, TW + 0.6))
    out.append(rect(lx - 24, ly + 18, 48, 8, YEL, TW))
    out.append(path("M%s Q%s %s Q%s %s Z" % (pt((lx, ly - 12)), pt((lx - 7, ly)), pt((lx, ly + 6)),
                                              pt((lx + 7, ly)), pt((lx, ly - 12))), YEL, 1.6))
    return out


def creature(x, y, s, color, rot=0, crowned=False, kind="dog"):
    """Small half-human beasts that ride the wheel."""
    if kind == "dog":
        items = [blob([(-26, -10), (6, -20), (26, -6), (20, 14), (-22, 14)], color),
                 tube([(-30, -6), (-46, -24)], color, 6, edge=TW),
                 tube([(-16, 12), (-20, 34)], color, 8, edge=TW), tube([(14, 12), (18, 34)], color, 8, edge=TW),
                 blob([(18, -24), (34, -30), (50, -22), (46, -8), (26, -6)], color),
                 blob([(24, -26), (26, -42), (34, -28)], color, TW),
                 circle(38, -20, 2.4, INK, 0)]
    else:
        items = [blob([(-26, -12), (8, -18), (24, -2), (16, 14), (-24, 12)], color),
                 tube([(-28, 0), (-48, 10), (-50, 26)], color, 6, edge=TW),
                 tube([(-14, 12), (-20, 34)], color, 8, edge=TW), tube([(12, 12), (18, 34)], color, 8, edge=TW),
                 circle(34, -14, 16, FLESH, LW),
                 circle(38, -16, 2.4, INK, 0), line([(42, -6), (34, -6)], 1.8),
                 blob([(22, -26), (28, -34), (40, -32), (46, -22), (34, -26)], color, TW)]
    return place(items, x, y, s, rot)


def card_10():
    """La Roue de Fortune: the six-spoked wheel on its crank, a crowned sphinx above, two beasts turning."""
    cx, cy, R = 190, 390, 128
    out = [ground(630, GREEN, seed=10)]
    # stand
    out.append(rect(70, 570, 250, 40, YEL, LW))
    out += tube([(120, 570), (cx, cy)], YEL, 16)
    out += tube([(260, 570), (cx, cy)], YEL, 16)
    # wheel
    out.append(circle(cx, cy, R + 14, YEL, LW))
    out.append(circle(cx, cy, R - 6, PAPER, LW))
    for i in range(6):
        a = math.pi / 6 + i * math.pi / 3
        out += tube([(cx, cy), (cx + (R - 6) * math.cos(a), cy + (R - 6) * math.sin(a))], RED, 10)
    out.append(circle(cx, cy, 20, BLUE, LW))
    out.append(circle(cx, cy, 7, YEL, TW))
    # crank handle on the right
    out += tube([(cx, cy), (350, cy)], YEL, 10)
    out += tube([(350, cy), (350, cy + 70)], YEL, 10)
    out += tube([(350, cy + 70), (374, cy + 70)], RED, 14)
    out.append(rect(326, cy + 10, 20, 190, YEL, LW))
    # climbing and falling creatures
    out.append(creature(70, 392, 1.25, YEL, -70, kind="dog"))
    out.append(creature(310, 396, 1.25, RED, 110, kind="ape"))
    # the sphinx on its platform at the top
    out.append(rect(140, 236, 100, 16, RED, LW))
    out.append(blob([(150, 236), (150, 208), (188, 196), (228, 204), (236, 236)], BLUE))
    out.append(blob([(210, 200), (256, 150), (290, 160), (268, 196), (230, 214)], RED, LW))
    out.append(blob([(206, 196), (240, 130), (270, 116), (262, 150), (226, 204)], YEL, LW))
    out.append(curve([(220, 192), (248, 150)], 2))
    out.append(head_front(176, 172, 24, YEL, "long"))
    out.append(crown(176, 150, 44, 18))
    out.append(sword(140, 220, 104, 110, 10))
    out.append(hand(140, 216, 8))
    return out


def lion_head(x, y, s):
    """A lion's head turned to the left, jaws held wide open."""
    mane = []
    for k in range(18):
        a = 2 * math.pi * k / 18
        r = 64 if k % 2 == 0 else 50
        mane.append((12 + r * math.cos(a), -2 + r * 0.92 * math.sin(a)))
    face = [(-6, -40), (22, -36), (38, -10), (32, 22), (10, 40), (-20, 44), (-50, 40), (-58, 30),
            (-40, 20), (-20, 8), (-44, 0), (-68, -6), (-64, -20), (-38, -32)]
    items = [
        poly(mane, YEL),
        hatch(poly_d(mane), "e", ' opacity="0.55"'),
        poly([(-64, -4), (-14, 8), (-56, 30)], RED, TW),
        blob(face, YEL, LW, 0.7),
        poly([(-58, -4), (-54, 6), (-50, -3)], WHITE, 1.6),
        poly([(-46, -2), (-42, 7), (-38, -1)], WHITE, 1.6),
        poly([(-52, 26), (-48, 16), (-44, 24)], WHITE, 1.6),
        circle(-18, -20, 4.5, WHITE, 1.8), circle(-19, -20, 2.2, INK, 0),
        line([(-30, -28), (-10, -30)], 2.4),
        blob([(-70, -18), (-62, -24), (-58, -14), (-66, -10)], INK, 0),
        curve([(-60, -26), (-40, -28), (-22, -10)], 2),
        blob([(8, -44), (22, -54), (24, -34)], YEL, TW),
    ]
    return place(items, x, y, s)


def card_11():
    """La Force: the woman in the looping hat holds the lion's jaws open."""
    out = [ground(626, GREEN, seed=11)]
    out.append(robe(214, 240, 612, 90, 170, BLUE))
    out.append(blob([(176, 250), (252, 250), (260, 330), (236, 430), (170, 420)], RED, LW, 0.8))
    out.append(rect(176, 336, 76, 12, YEL, TW + 1, 2))
    # the lion: body and legs behind its great head
    body = [(200, 430), (300, 460), (360, 496), (366, 572), (320, 604), (200, 600), (160, 540)]
    out.append(blob(body, YEL))
    out.append(hatch(smooth_d([(270, 560), (360, 540), (360, 580), (320, 604), (250, 600)]), "d", ' opacity="0.45"'))
    out += tube([(326, 594), (330, 626)], YEL, 20)
    out += tube([(236, 594), (230, 626)], YEL, 20)
    out += tube([(360, 520), (382, 470), (368, 430)], YEL, 6, smooth=True)
    out.append(blob([(362, 432), (368, 412), (378, 432)], YEL, TW))
    out += tube([(150, 520), (140, 626)], YEL, 22)
    out.append(lion_head(190, 442, 1.2))
    # her hands on the two jaws
    out += tube([(182, 266), (136, 350), (118, 470)], RED, 22)
    out.append(hand(118, 474, 12))
    out += tube([(246, 266), (220, 340), (112, 404)], RED, 22)
    out.append(hand(106, 408, 12))
    out.append(neck(214, 214, 250, 20))
    out.append(head_front(214, 190, 30, YEL, "long"))
    out.append(blob([(138, 160), (174, 130), (214, 146), (254, 130), (290, 160), (254, 170),
                     (214, 160), (174, 170)], YEL, LW))
    out.append(blob([(190, 144), (196, 112), (232, 112), (238, 144), (214, 150)], RED, LW))
    out.append(line([(192, 132), (236, 132)], 2.5))
    return out


def tree(x, y0, y1, side=1, w=30):
    """A lopped tree trunk with red stumps of cut branches."""
    out = [rect(x - w / 2, y1, w, y0 - y1, GREEN, LW)]
    out.append(hatch(poly_d([(x + 2, y1), (x + w / 2, y1), (x + w / 2, y0), (x + 2, y0)]), "v", ' opacity="0.5"'))
    k = 0
    yy = y0 - 60
    while yy > y1 + 30:
        sgn = 1 if k % 2 == 0 else -1
        out.append(poly([(x + sgn * w / 2, yy), (x + sgn * (w / 2 + 20), yy - 14),
                         (x + sgn * (w / 2 + 20), yy - 30), (x + sgn * w / 2, yy - 22)], RED, TW + 0.6))
        yy -= 70
        k += 1
    return out


def card_12():
    """Le Pendu: hanging by one foot from a beam between two lopped trees."""
    out = [ground(620, GREEN, seed=12)]
    out.append(blob([(10, 640), (60, 600), (110, 640)], GREEN, LW))
    out.append(blob([(290, 640), (340, 600), (390, 640)], GREEN, LW))
    out.append(tree(70, 630, 120))
    out.append(tree(330, 630, 120))
    out.append(rect(40, 100, 320, 28, YEL, LW))
    out.append(hatch(poly_d([(40, 116), (360, 116), (360, 128), (40, 128)]), "h", ' opacity="0.5"'))
    out += tube([(200, 128), (200, 196)], YEL, 5, edge=TW)
    out.append(ellipse(200, 198, 18, 7, YEL, TW))
    # the bent leg crossing behind the straight one
    out += tube([(214, 356), (262, 300), (196, 262)], RED, 26)
    out += tube([(196, 356), (200, 214)], LBLUE, 28)
    out.append(blob([(186, 214), (214, 214), (220, 186), (196, 184)], RED, TW + 1))
    # jacket hanging upside down, arms tied behind
    out.append(blob([(160, 350), (240, 350), (254, 420), (246, 480), (154, 480), (146, 420)], BLUE, LW, 0.8))
    out.append(blob([(164, 350), (236, 350), (232, 376), (168, 376)], RED, LW))
    out.append(line([(200, 380), (200, 480)], 2.4))
    for yy in (400, 424, 448):
        out.append(circle(200, yy, 4, YEL, 1.8))
    out.append(path("M162,432 Q176,444 190,432", YEL, TW))
    out.append(path("M210,432 Q224,444 238,432", YEL, TW))
    out.append(blob([(150, 466), (146, 490), (164, 500)], RED, TW + 0.6))
    out.append(blob([(250, 466), (254, 490), (236, 500)], RED, TW + 0.6))
    out.append(neck(200, 476, 500, 20))
    # the head hangs down, hair falling
    out.append(blob([(170, 520), (200, 504), (230, 520), (236, 580), (218, 590), (200, 578),
                     (182, 590), (164, 580)], YEL))
    for k in (-18, 0, 18):
        out.append(line([(200 + k, 556), (200 + k * 1.1, 582)], 1.8))
    out.append(group(head_front(200, 0, 28, YEL, "none"), "translate(0 524) scale(1 -1)"))
    return out


def bone(p0, p1, w=10):
    return tube([p0, p1], FLESH, w, edge=TW + 0.4)


def card_13():
    """The nameless arcanum: the skeleton mowing dark ground where heads, hands and shoots appear."""
    out = []
    out.append(path("M0,610 C80,596 140,620 200,606 C260,594 320,616 400,602 L400,700 L0,700 Z", INK))
    # sprouts and remains in the dark earth
    for x, c in ((40, GREEN), (96, BLUE), (300, GREEN), (356, BLUE), (250, GREEN)):
        out.append(blob([(x, 616), (x - 12, 590), (x - 4, 566), (x + 4, 586), (x + 14, 570), (x + 10, 600)], c, TW))
    out.append(ellipse(150, 640, 20, 16, FLESH, TW + 0.4))
    out.append(face_front(150, 642, 16, mouth=False))
    out.append(crown(150, 626, 32, 14))
    out.append(head_front(330, 646, 15, YEL, "short"))
    out.append(blob([(60, 650), (84, 640), (100, 648), (110, 640), (108, 656), (70, 664)], FLESH, TW))
    out.append(blob([(220, 654), (250, 642), (262, 650), (240, 664)], FLESH, TW))
    # scythe: handle across the body, blade in the ground
    out += tube([(300, 170), (110, 590)], YEL, 10)
    out.append(path("M112,594 C160,560 250,560 320,590 C260,578 170,584 120,606 Z", LBLUE))
    out.append(curve([(128, 594), (200, 574), (290, 584)], 1.8))
    # skeleton
    out.append(bone((200, 392), (160, 494)))
    out.append(bone((160, 494), (132, 596)))
    out.append(bone((214, 392), (258, 488)))
    out.append(bone((258, 488), (284, 594)))
    out.append(blob([(118, 594), (140, 590), (146, 604), (112, 606)], FLESH, TW))
    out.append(blob([(278, 590), (306, 592), (310, 604), (274, 606)], FLESH, TW))
    out.append(circle(160, 494, 6, FLESH, TW))
    out.append(circle(258, 488, 6, FLESH, TW))
    out.append(path("M176,384 Q206,366 236,384 L228,408 Q206,398 184,408 Z", FLESH, TW + 0.6))
    out += tube([(210, 220), (206, 386)], FLESH, 8, edge=TW)
    for yy in range(242, 372, 14):
        out.append(line([(206, yy), (214, yy)], 1.6))
    rib = [(206, 236), (248, 244), (258, 290), (240, 322), (206, 328), (172, 322), (160, 290), (170, 248)]
    out.append(blob(rib, "none", TW + 0.6))
    for k in range(4):
        yy = 258 + k * 17
        out.append(curve([(206, yy), (236 - k * 2, yy - 6), (250 - k * 3, yy + 8)], 2.2))
        out.append(curve([(206, yy), (178 + k * 2, yy - 6), (166 + k * 3, yy + 8)], 2.2))
    out.append(bone((176, 236), (150, 320)))
    out.append(bone((150, 320), (196, 364)))
    out.append(bone((238, 236), (256, 300)))
    out.append(bone((256, 300), (240, 300)))
    out.append(circle(238, 300, 8, FLESH, TW))
    out.append(circle(198, 364, 8, FLESH, TW))
    out += tube([(176, 236), (238, 236)], FLESH, 8, edge=TW)
    # skull
    out.append(blob([(196, 196), (190, 162), (212, 142), (244, 146), (256, 172), (252, 192),
                     (244, 206), (222, 212)], FLESH))
    out.append(ellipse(234, 172, 8, 9, INK, 0))
    out.append(poly([(246, 186), (252, 194), (244, 194)], INK, 0))
    out.append(line([(228, 204), (250, 202)], 2))
    for xx in (232, 238, 244):
        out.append(line([(xx, 198), (xx, 206)], 1.6))
    out.append(line([(210, 168), (214, 186)], 2))
    return out


def vase(x, y, s, fill, rot=0):
    items = [path("M-12,-30 L12,-30 L10,-20 C30,-10 30,20 14,30 L-14,30 C-30,20 -30,-10 -10,-20 Z", fill),
             ellipse(0, -30, 14, 5, fill, TW),
             line([(-20, 0), (20, 0)], 2)]
    return place(items, x, y, s, rot)


def wing(x, y, s, fill, flip=1, rot=0):
    """A feathered wing rooted at (x, y), sweeping outward and down (rot lifts it)."""
    pts = [(0, 0), (40, -40), (90, -50), (110, -20), (104, 40), (86, 120), (60, 200), (40, 150), (16, 80)]
    items = [blob(pts, fill)]
    for k in range(4):
        items.append(curve([(20 + k * 10, 20 + k * 26), (60 + k * 8, 30 + k * 30), (94 - k * 6, 30 + k * 40)], 2))
    return group(items, "translate(%s %s) scale(%s %s) rotate(%s)" % (n(x), n(y), n(flip * s), n(s), n(rot)))


def card_14():
    """Tempérance: the winged figure pours from one vessel into the other."""
    out = [ground(626, GREEN, seed=14)]
    out.append(wing(182, 250, 1.25, YEL, -1))
    out.append(wing(218, 250, 1.25, YEL, 1))
    out.append(robe(200, 250, 612, 80, 160, BLUE))
    out.append(blob([(166, 254), (234, 254), (246, 330), (238, 470), (162, 470), (154, 330)], RED, LW, 0.8))
    out.append(folds(200, 480, 604, 60, 3))
    out.append(rect(164, 330, 72, 12, YEL, TW + 1, 2))
    # the stream between the vessels
    out.append(path("M154,336 C206,342 262,372 268,410", "none", 16, INK))
    out.append(path("M154,336 C206,342 262,372 268,410", "none", 9, LBLUE))
    out += tube([(168, 270), (126, 286), (104, 304)], RED, 22)
    out.append(vase(128, 322, 1.0, BLUE, 115))
    out.append(hand(100, 308, 10))
    out += tube([(232, 270), (270, 360), (276, 420)], RED, 22)
    out.append(vase(270, 436, 0.95, RED, 0))
    out.append(hand(292, 430, 10))
    out.append(neck(200, 212, 250, 20))
    out.append(head_front(200, 188, 30, BLUE, "long"))
    out.append(blob([(186, 154), (192, 142), (200, 150), (208, 142), (214, 154), (200, 162)], RED, TW))
    out.append(circle(200, 150, 4, YEL, 1.6))
    return out


def imp(x, y, s, body, facing=1):
    """A small horned captive with a tail, rope round the neck."""
    items = [
        tube([(-8, 40), (-12, 80)], body, 12, edge=TW), tube([(8, 40), (12, 80)], body, 12, edge=TW),
        tube([(14, 30), (40, 20), (44, -4)], body, 4, edge=TW),
        blob([(-20, -10), (20, -10), (22, 30), (0, 44), (-22, 30)], body),
        tube([(-18, 0), (-28, 30)], body, 10, edge=TW),
        tube([(18, 0), (6, 26)], body, 10, edge=TW),
        poly([(-12, -44), (-20, -70), (-4, -48)], YEL, TW),
        poly([(12, -44), (20, -70), (4, -48)], YEL, TW),
        head_front(0, -30, 20, RED, "short"),
        ellipse(0, -10, 16, 5, "none", 3),
    ]
    return group(items, "translate(%s %s) scale(%s %s)" % (n(x), n(y), n(facing * s), n(s)))


def card_15():
    """Le Diable: horned and winged on his block, torch raised, two imps tied to it."""
    out = []
    out.append(path("M0,620 C100,606 300,630 400,612 L400,700 L0,700 Z", INK))
    # wings
    for flip in (-1, 1):
        pts = [(200 + flip * 30, 250), (200 + flip * 100, 160), (200 + flip * 170, 150), (200 + flip * 150, 200),
               (200 + flip * 176, 230), (200 + flip * 140, 260), (200 + flip * 160, 300), (200 + flip * 100, 300),
               (200 + flip * 40, 330)]
        out.append(poly(pts, BLUE))
        out.append(line([(200 + flip * 40, 270), (200 + flip * 150, 200)], 2))
        out.append(line([(200 + flip * 40, 290), (200 + flip * 140, 260)], 2))
    # block
    out.append(rect(140, 460, 120, 80, RED, LW))
    out.append(rect(128, 448, 144, 18, RED, LW))
    out.append(circle(200, 504, 10, "none", 3))
    # body standing on the block
    out += tube([(186, 390), (180, 448)], FLESH, 26)
    out += tube([(214, 390), (220, 448)], FLESH, 26)
    out.append(blob([(166, 258), (234, 258), (240, 330), (232, 396), (168, 396), (160, 330)], FLESH))
    out.append(rect(164, 352, 72, 14, BLUE, TW + 1, 2))
    out.append(path("M180,300 Q190,310 198,300 M202,300 Q210,310 220,300", "none", 2))
    # torch raised
    out += tube([(172, 268), (132, 260), (124, 210)], FLESH, 22)
    out += tube([(120, 240), (136, 130)], YEL, 10)
    out.append(blob([(136, 136), (118, 110), (126, 80), (138, 96), (146, 70), (158, 104), (152, 130)], RED))
    out.append(blob([(138, 130), (130, 112), (138, 100), (148, 112), (146, 128)], YEL, TW))
    out.append(hand(124, 214, 11))
    out += tube([(228, 268), (268, 300), (276, 260)], FLESH, 22)
    out.append(blob([(268, 262), (270, 232), (280, 230), (286, 260)], FLESH, TW + 0.6))
    out.append(hand(276, 264, 11))
    out.append(neck(200, 216, 258, 20))
    # horns and head
    out.append(blob([(176, 170), (150, 140), (136, 96), (160, 128), (188, 150)], YEL, LW))
    out.append(blob([(224, 170), (250, 140), (264, 96), (240, 128), (212, 150)], YEL, LW))
    out.append(head_front(200, 196, 30, BLUE, "short"))
    out.append(path("M182,214 Q200,226 218,214 L200,220 Z", INK, 2))
    # imps tied by ropes to the ring
    out.append(curve([(200, 514), (150, 540), (112, 534)], 2.6))
    out.append(curve([(200, 514), (250, 540), (288, 534)], 2.6))
    out.append(imp(96, 560, 1.0, FLESH, 1))
    out.append(imp(304, 560, 1.0, LBLUE, -1))
    return out


def card_16():
    """La Maison Dieu: the tower's crown blown off by fire from heaven, two figures falling, drops raining."""
    out = [ground(626, GREEN, seed=16)]
    import random
    rnd = random.Random(16)
    for k in range(26):
        x = rnd.uniform(24, 376)
        y = rnd.uniform(90, 600)
        if 140 < x < 290 and y > 230:
            continue
        out.append(drop(x, y, rnd.choice((6, 7, 8)), rnd.choice((RED, BLUE, YEL)), sw=2))
    # the tower
    out.append(path("M150,612 L160,240 L280,240 L290,612 Z", FLESH))
    for r_ in range(9):
        yy = 268 + r_ * 38
        out.append(line([(152, yy), (288, yy)], 2))
        off = 0 if r_ % 2 else 20
        for xx in range(170 + off, 280, 40):
            out.append(line([(xx, yy), (xx, yy + 38 if yy + 38 < 612 else 612)], 2))
    out.append(path("M196,612 L196,548 Q220,520 244,548 L244,612 Z", BLUE))
    out.append(path("M176,340 L176,308 Q190,292 204,308 L204,340 Z", BLUE, TW + 0.6))
    out.append(path("M236,420 L236,388 Q250,372 264,388 L264,420 Z", BLUE, TW + 0.6))
    out.append(path("M150,612 L160,240 L280,240 L290,612", "none", LW))
    # jagged break where the crown was torn away
    out.append(poly([(156, 246), (176, 232), (194, 250), (214, 230), (236, 246), (256, 228), (284, 244),
                     (284, 254), (156, 256)], FLESH, TW + 0.6))
    # the crown lifted off by the fire from heaven
    out.append(place([poly([(-44, 0), (-44, -22), (-28, -10), (-14, -30), (0, -12), (14, -30), (28, -10),
                            (44, -22), (44, 0)], YEL),
                      rect(-48, 0, 96, 16, YEL, LW),
                      circle(-22, 8, 4, RED, 1.6), circle(0, 8, 4, BLUE, 1.6), circle(22, 8, 4, RED, 1.6)],
                     250, 206, 1.0, 24))
    out.append(blob([(398, 56), (344, 62), (356, 86), (312, 96), (326, 122), (284, 142), (300, 160),
                     (262, 196), (318, 178), (312, 160), (356, 146), (346, 124), (398, 118)], RED, LW, 0.6))
    out.append(blob([(396, 70), (362, 74), (368, 92), (332, 104), (342, 124), (306, 146), (318, 152),
                     (280, 186), (324, 160), (330, 146), (364, 134), (356, 116), (396, 106)], YEL, 0, 0.6))
    # two figures falling head first
    for (fx, fy, col, flip) in ((86, 450, BLUE, 1), (330, 520, RED, -1)):
        items = [
            tube([(-6, -40), (-20, -96)], LBLUE if col == BLUE else YEL, 16),
            tube([(8, -40), (22, -90)], LBLUE if col == BLUE else YEL, 16),
            blob([(-22, -46), (22, -46), (26, 20), (-26, 20)], col),
            tube([(-20, 10), (-44, 44)], col, 14),
            tube([(20, 10), (40, 50)], col, 14),
            hand(-46, 48, 8), hand(42, 54, 8),
        ]
        items.append(group(head_front(0, 0, 22, YEL, "short"), "translate(0 48) scale(1 -1)"))
        out.append(group(items, "translate(%s %s) scale(%s 1) rotate(%s)" % (n(fx), n(fy), flip, -12)))
    return out


def card_17():
    """L'Étoile: the great star among seven smaller ones, the kneeling figure pouring two jars."""
    out = []
    out.append(path("M0,470 C100,450 300,470 400,456 L400,700 L0,700 Z", GREEN))
    out.append(hatch("M0,500 L400,500 L400,700 L0,700 Z", "e", ' opacity="0.4"'))
    out.append(path("M0,470 C100,450 300,470 400,456", "none", LW))
    out.append(path("M10,700 L10,640 C60,622 130,620 170,630 C220,642 250,664 262,700 Z", LBLUE))
    for yy in (652, 670):
        out.append(curve([(40, yy), (80, yy - 6), (120, yy), (160, yy - 6), (200, yy)], 2))
    # stars
    out.append(star(200, 170, 82, 36, YEL, 8))
    out.append(star(200, 170, 48, 22, RED, 8, TW + 0.6, rot=-67.5))
    out.append(circle(200, 170, 10, YEL, TW))
    for (sx, sy) in ((56, 104), (344, 104), (40, 206), (360, 206), (76, 300), (324, 296), (200, 280)):
        out.append(star(sx, sy, 22, 9, YEL if (sx + sy) % 3 else BLUE, 8, TW + 0.6))
    # little tree with a bird
    out.append(tube([(346, 470), (346, 392)], RED, 10))
    out.append(blob([(318, 398), (322, 368), (346, 356), (370, 368), (374, 398), (346, 408)], GREEN))
    out.append(blob([(336, 358), (346, 342), (362, 346), (356, 358)], INK, 0))
    # the kneeling woman, seen from the side, pouring her two jars
    out.append(blob([(214, 312), (180, 330), (196, 420), (236, 470), (252, 420), (234, 340)], BLUE))
    out += tube([(222, 486), (230, 596), (296, 604)], FLESH, 30)
    out += tube([(214, 480), (152, 478), (150, 596)], FLESH, 32)
    out.append(blob([(132, 592), (160, 590), (162, 606), (124, 606)], FLESH, TW + 1))
    out.append(blob([(198, 366), (230, 364), (236, 400), (228, 440), (242, 492), (206, 502), (190, 470), (196, 420)], FLESH))
    out += tube([(232, 384), (268, 430), (292, 444)], FLESH, 18)
    out.append(neck(212, 340, 372, 18))
    out.append(head_profile(210, 324, 26, BLUE, "long", facing=-1))
    out += tube([(202, 384), (160, 420), (128, 444)], FLESH, 18)
    out.append(path("M100,470 C88,520 96,570 110,616", "none", 14, INK))
    out.append(path("M100,470 C88,520 96,570 110,616", "none", 7, LBLUE))
    out.append(path("M318,466 C330,520 326,560 316,604", "none", 14, INK))
    out.append(path("M318,466 C330,520 326,560 316,604", "none", 7, LBLUE))
    out.append(vase(106, 452, 0.85, RED, -130))
    out.append(vase(310, 448, 0.85, RED, 130))
    out.append(hand(128, 446, 9))
    out.append(hand(292, 446, 9))
    return out


def dog(x, y, s, color, facing=1, ear="up"):
    """A dog sitting up, muzzle raised and howling at the sky."""
    head = [(8, -30), (10, -58), (26, -72), (42, -86), (58, -108), (68, -104), (58, -88), (68, -86),
            (62, -76), (46, -64), (40, -36)]
    items = [
        tube([(-36, 44), (-62, 30), (-66, 4)], color, 8, edge=TW, smooth=True),
        blob([(-46, 56), (-44, 16), (-14, -6), (10, -30), (40, -30), (42, 10), (30, 56)], color),
        ellipse(-20, 40, 28, 24, color),
        tube([(26, 20), (28, 70)], color, 12, edge=TW),
        tube([(12, 24), (10, 70)], color, 12, edge=TW),
        blob(head, color),
        circle(34, -70, 3, INK, 0),
        circle(65, -103, 3, INK, 0),
    ]
    if ear == "up":
        items.append(poly([(14, -60), (6, -88), (28, -70)], color, TW))
    else:
        items.append(blob([(10, -66), (0, -62), (-6, -40), (4, -34), (16, -52)], color, TW))
    return group(items, "translate(%s %s) scale(%s %s)" % (n(x), n(y), n(facing * s), n(s)))


def crayfish(x, y, s, color):
    items = [
        tube([(-20, -40), (-30, -70)], color, 6, edge=TW), tube([(20, -40), (30, -70)], color, 6, edge=TW),
        blob([(-30, -70), (-44, -90), (-30, -100), (-22, -80)], color, TW),
        blob([(30, -70), (44, -90), (30, -100), (22, -80)], color, TW),
        blob([(-16, -50), (16, -50), (20, 0), (12, 40), (0, 60), (-12, 40), (-20, 0)], color),
        poly([(-12, 56), (12, 56), (18, 72), (0, 66), (-18, 72)], color, TW),
    ]
    for k in range(4):
        yy = -30 + k * 16
        items.append(line([(-18, yy), (-34, yy + 8)], 2.4))
        items.append(line([(18, yy), (34, yy + 8)], 2.4))
        items.append(line([(-16, yy + 10), (16, yy + 10)], 1.6))
    items.append(circle(-6, -44, 2.4, INK, 0))
    items.append(circle(6, -44, 2.4, INK, 0))
    return place(items, x, y, s)


def card_18():
    """La Lune: the moon over two towers and two howling dogs, the crayfish rising from the pool."""
    out = [ground(500, GREEN, tufts=False, seed=18, bottom=620)]
    out.append(path("M10,700 L10,560 C80,540 140,566 200,552 C260,540 330,566 390,552 L390,700 Z", LBLUE))
    for yy in (600, 630, 660):
        out.append(curve([(30, yy), (80, yy - 8), (130, yy), (180, yy - 8), (230, yy), (280, yy - 8),
                          (330, yy), (370, yy - 8)], 2))
    # towers
    for tx in (54, 346):
        out.append(rect(tx - 34, 320, 68, 190, YEL, LW))
        out.append(path("M%s" % " L".join(pt(p) for p in [(tx - 40, 320), (tx - 40, 296), (tx - 26, 296),
                                                              (tx - 26, 308), (tx - 8, 308), (tx - 8, 296),
                                                              (tx + 8, 296), (tx + 8, 308), (tx + 26, 308),
                                                              (tx + 26, 296), (tx + 40, 296), (tx + 40, 320)]) + "Z", YEL))
        out.append(path("M%s L%s Q%s %s L%s Z" % (pt((tx - 10, 510)), pt((tx - 10, 470)), pt((tx, 456)),
                                                   pt((tx + 10, 470)), pt((tx + 10, 510))), BLUE, TW + 0.6))
        out.append(rect(tx - 8, 360, 16, 30, BLUE, TW))
        out.append(hatch(poly_d([(tx + 10, 322), (tx + 32, 322), (tx + 32, 508), (tx + 10, 508)]), "v", ' opacity="0.45"'))
    # the moon
    out.append(sun_rays(200, 170, 66, 98, 18, YEL, alt=84))
    out.append(circle(200, 170, 68, LBLUE, LW))
    out.append(path("M210,106 A64,64 0 1 0 210,234 A50,64 0 0 1 210,106 Z", YEL, TW + 0.6))
    out.append(path("M212,122 Q200,140 206,156 L194,170 L206,176 Q200,192 212,212", "none", 2.4))
    out.append(path("M182,146 Q188,140 196,146", "none", 2.4))
    # drops drawn up towards the moon
    for (dx, dy, c) in ((120, 270, RED), (160, 300, BLUE), (200, 280, YEL), (240, 300, RED), (280, 270, BLUE),
                        (140, 350, YEL), (260, 350, YEL)):
        out.append(drop(dx, dy, 8, c, 180))
    # dogs
    out.append(dog(122, 480, 1.0, WHITE, 1, "up"))
    out.append(dog(278, 480, 1.0, FLESH, -1, "down"))
    out.append(crayfish(200, 620, 0.75, BLUE))
    return out


def card_19():
    """Le Soleil: the radiant sun over two children before a low wall, drops falling."""
    out = [ground(626, GREEN, seed=19)]
    out.append(sun_rays(200, 170, 66, 112, 16, YEL, alt=92))
    out.append(circle(200, 170, 70, YEL, LW))
    out.append(circle(200, 170, 58, "none", 2))
    out += face_front(200, 172, 44)
    for (dx, dy, c) in ((70, 120, RED), (330, 120, BLUE), (90, 270, BLUE), (310, 270, RED), (140, 300, YEL),
                        (260, 300, YEL), (200, 318, RED), (40, 330, YEL), (360, 330, BLUE)):
        out.append(drop(dx, dy, 8, c))
    # wall
    out.append(rect(10, 430, 380, 110, YEL, LW))
    for r_ in range(3):
        yy = 430 + r_ * 37
        out.append(line([(10, yy), (390, yy)], 2))
        off = 0 if r_ % 2 else 24
        for xx in range(20 + off, 390, 48):
            out.append(line([(xx, yy), (xx, yy + 37)], 2))
    out.append(rect(6, 418, 388, 16, RED, LW))
    # two children, one with a hand on the other's shoulder
    for (cx, hair) in ((140, YEL), (260, BLUE)):
        out += tube([(cx - 12, 520), (cx - 16, 612)], FLESH, 22)
        out += tube([(cx + 12, 520), (cx + 16, 612)], FLESH, 22)
        out.append(blob([(cx - 30, 420), (cx + 30, 420), (cx + 28, 500), (cx - 28, 500)], FLESH))
        out.append(path("M%s L%s L%s Q%s %s Z" % (pt((cx - 30, 492)), pt((cx + 30, 492)), pt((cx + 26, 524)),
                                                   pt((cx, 540)), pt((cx - 26, 524))), BLUE if cx < 200 else RED))
        out.append(neck(cx, 380, 420, 18))
        out.append(head_front(cx, 360, 28, hair, "short"))
    out += tube([(164, 432), (200, 470), (236, 436)], FLESH, 18)
    out += tube([(114, 432), (100, 490)], FLESH, 18)
    out.append(hand(100, 494, 9))
    out += tube([(284, 432), (300, 488)], FLESH, 18)
    out.append(hand(300, 492, 9))
    out.append(hand(238, 432, 9))
    return out


def cloud(x, y, w, h, fill=LBLUE):
    pts = []
    k = 9
    for i in range(k):
        a = math.pi * i / (k - 1)
        pts.append((x - w / 2 * math.cos(a), y - h * math.sin(a) * (1.0 if i % 2 else 0.75)))
    pts += [(x + w / 2, y + h * 0.3), (x, y + h * 0.5), (x - w / 2, y + h * 0.3)]
    return blob(pts, fill)


def card_20():
    """Le Jugement: the angel's trumpet over figures rising from a tomb."""
    out = [ground(626, GREEN, seed=20)]
    # rays behind the cloud
    for k in range(9):
        a = math.radians(200 + k * 17.5)
        out.append(line([(200 + 120 * math.cos(a), 200 + 120 * math.sin(a)),
                         (200 + 200 * math.cos(a), 200 + 200 * math.sin(a))], 3, RED if k % 2 else YEL))
    out.append(wing(180, 170, 0.8, RED, -1, -70))
    out.append(wing(220, 170, 0.8, RED, 1, -70))
    out.append(cloud(200, 220, 330, 70))
    out.append(blob([(166, 160), (234, 160), (244, 210), (156, 210)], BLUE))
    out.append(head_front(200, 128, 26, YEL, "long"))
    # trumpet with its banner
    out += tube([(210, 180), (300, 300)], YEL, 9)
    out.append(path("M292,290 L330,320 L312,336 Z", YEL))
    out.append(poly([(240, 222), (282, 276), (252, 298), (226, 262)], WHITE, TW + 0.6))
    out += tube([(252, 238), (254, 284)], RED, 4, edge=1.5)
    out += tube([(236, 262), (268, 258)], RED, 4, edge=1.5)
    out += tube([(180, 176), (214, 200), (240, 216)], BLUE, 16)
    out.append(hand(240, 218, 9))
    # tomb with the figure rising, seen from behind, arms open
    out += tube([(174, 452), (140, 420), (130, 380)], FLESH, 16)
    out += tube([(226, 452), (260, 420), (270, 380)], FLESH, 16)
    out.append(hand(130, 376, 8))
    out.append(hand(270, 376, 8))
    out.append(blob([(164, 444), (236, 444), (240, 520), (160, 520)], FLESH))
    out.append(curve([(200, 456), (198, 490), (200, 516)], 2.2))
    out.append(curve([(178, 462), (190, 474)], 2))
    out.append(curve([(222, 462), (210, 474)], 2))
    out.append(neck(200, 410, 448, 18))
    out.append(circle(200, 404, 26, FLESH, LW))
    out.append(blob([(174, 404), (178, 384), (200, 376), (222, 384), (226, 404), (214, 420), (186, 420)], YEL, TW + 0.6))
    out.append(rect(120, 510, 160, 90, GREEN, LW))
    out.append(hatch(poly_d([(120, 560), (280, 560), (280, 600), (120, 600)]), "d", ' opacity="0.4"'))
    out.append(rect(110, 500, 180, 18, GREEN, LW))
    # praying figures on each side
    for (fx, flip, hair, cloth) in ((72, 1, YEL, BLUE), (328, -1, BLUE, RED)):
        out += tube([(fx - 8, 520), (fx - 10, 612)], FLESH, 24)
        out += tube([(fx + 8, 520), (fx + 10, 612)], FLESH, 24)
        out.append(blob([(fx - 30, 424), (fx + 30, 424), (fx + 22, 470), (fx + 26, 520), (fx - 26, 520),
                         (fx - 22, 470)], FLESH))
        out.append(path("M%s L%s L%s Q%s %s Z" % (pt((fx - 28, 500)), pt((fx + 28, 500)), pt((fx + 24, 536)),
                                                   pt((fx, 548)), pt((fx - 24, 536))), cloth))
        out += tube([(fx + flip * 20, 436), (fx + flip * 34, 482), (fx + flip * 48, 430)], FLESH, 16)
        out.append(blob([(fx + flip * 42, 440), (fx + flip * 46, 410), (fx + flip * 54, 412),
                         (fx + flip * 52, 440)], FLESH, TW + 0.6))
        out.append(neck(fx, 384, 428, 18))
        out.append(head_profile(fx + flip * 2, 364, 26, hair, "long" if flip < 0 else "short", facing=flip))
    return out


def leaf_wreath(cx, cy, rx, ry):
    out = [ellipse(cx, cy, rx, ry, "none", 30)]
    out.append(ellipse(cx, cy, rx, ry, "none", 22).replace('stroke="%s"' % INK, 'stroke="%s"' % GREEN))
    k = 36
    for i in range(k):
        a = 2 * math.pi * i / k
        x, y = cx + rx * math.cos(a), cy + ry * math.sin(a)
        ang = math.degrees(math.atan2(ry * math.cos(a), -rx * math.sin(a)))
        out.append(ellipse(x, y, 14, 7, GREEN, 2, rot=ang + 40))
    for sy in (cy - ry, cy + ry):
        out.append(place([path("M-14,-14 L14,14 M-14,14 L14,-14", "none", 10, INK),
                          path("M-14,-14 L14,14 M-14,14 L14,-14", "none", 6, RED),
                          rect(-12, -9, 24, 18, RED, TW + 0.6)], cx, sy))
    return out


def card_21():
    """Le Monde: the figure within the oval wreath, the four living creatures at the corners."""
    out = []
    out.append(leaf_wreath(200, 376, 112, 196))
    # dancer
    out.append(tube([(200, 440), (196, 560)], FLESH, 22))
    out.append(tube([(206, 440), (236, 498), (202, 530)], FLESH, 22))
    out.append(blob([(176, 300), (224, 300), (228, 380), (218, 450), (182, 450), (172, 380)], FLESH))
    out.append(path("M164,300 C220,310 250,360 230,470 C210,440 196,380 170,330 Z", RED))
    out.append(path("M230,300 C200,330 176,380 168,460 L188,470 C200,400 220,350 244,314 Z", BLUE))
    out += tube([(178, 310), (150, 360), (154, 400)], FLESH, 16)
    out += tube([(222, 310), (252, 350), (262, 320)], FLESH, 16)
    out.append(tube([(150, 430), (160, 360)], YEL, 6, edge=TW))
    out.append(hand(156, 402, 8))
    out.append(hand(262, 318, 8))
    out.append(neck(200, 262, 300, 16))
    out.append(head_front(200, 246, 24, YEL, "long"))
    # the four living creatures
    out.append(angel_head(82, 132))
    out.append(place(eagle(0, 0), 326, 136, 0.85))
    out.append(bull(68, 620))
    out.append(lion_mini(332, 622))
    return out


def angel_head(x, y):
    items = [wing(-8, 6, 0.34, RED, -1, -50), wing(8, 6, 0.34, RED, 1, -50),
             cloud(0, 34, 100, 22), head_front(0, 0, 24, YEL, "long")]
    return place(items, x, y)


def eagle(x, y):
    items = [
        path("M-8,0 C-30,-30 -56,-26 -60,-44 C-66,-10 -44,16 -10,22 Z", YEL),
        path("M8,0 C30,-30 56,-26 60,-44 C66,-10 44,16 10,22 Z", YEL),
        blob([(-16, -10), (16, -10), (18, 30), (0, 44), (-18, 30)], YEL),
        circle(0, -24, 14, YEL, LW),
        poly([(8, -28), (24, -22), (8, -16)], RED, TW),
        circle(4, -28, 2.6, INK, 0),
        crown(0, -36, 24, 10),
        line([(-40, -10), (-20, 6)], 2), line([(40, -10), (20, 6)], 2),
        line([(-8, 44), (-14, 58)], 3), line([(8, 44), (14, 58)], 3),
    ]
    return place(items, x, y)


def bull(x, y):
    items = [
        path("M-30,-30 C-50,-40 -56,-56 -44,-66 C-44,-50 -36,-44 -22,-40 Z", WHITE, TW + 0.6),
        path("M30,-30 C50,-40 56,-56 44,-66 C44,-50 36,-44 22,-40 Z", WHITE, TW + 0.6),
        blob([(-30, -44), (30, -44), (36, -10), (22, 30), (0, 40), (-22, 30), (-36, -10)], FLESH),
        blob([(-46, -32), (-28, -36), (-28, -20)], FLESH, TW),
        blob([(46, -32), (28, -36), (28, -20)], FLESH, TW),
        ellipse(0, 24, 20, 14, RED, TW),
        circle(-8, 24, 3, INK, 0), circle(8, 24, 3, INK, 0),
        circle(-14, -16, 3, INK, 0), circle(14, -16, 3, INK, 0),
    ]
    return place(items, x, y)


def lion_mini(x, y):
    mane = []
    for k in range(16):
        a = 2 * math.pi * k / 16
        r = 46 if k % 2 == 0 else 36
        mane.append((r * math.cos(a), r * math.sin(a)))
    items = [poly(mane, YEL), hatch(poly_d(mane), "e", ' opacity="0.5"'),
             circle(0, 2, 26, YEL, LW),
             circle(-9, -4, 3, INK, 0), circle(9, -4, 3, INK, 0),
             poly([(-6, 6), (6, 6), (0, 12)], INK, 0),
             curve([(-10, 16), (0, 21), (10, 16)], 2)]
    return place(items, x, y)


CARDS = [card_00, card_01, card_02, card_03, card_04, card_05, card_06, card_07, card_08, card_09,
         card_10, card_11, card_12, card_13, card_14, card_15, card_16, card_17, card_18, card_19,
         card_20, card_21]


def main():
    outdir = sys.argv[1] if len(sys.argv) > 1 else "build"
    os.makedirs(outdir, exist_ok=True)
    wanted = [int(a) for a in sys.argv[2:]] or range(len(CARDS))
    for i in wanted:
        svg = frame(i, CARDS[i]())
        with open(os.path.join(outdir, FILES[i] + ".svg"), "w", encoding="utf-8") as fh:
            fh.write(svg)


if __name__ == "__main__":
    main()
