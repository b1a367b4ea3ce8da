#!/usr/bin/env python3
"""Generates the library's EAN/UPC barcode font (TrueType).

Every glyph is drawn on a grid of modules (the narrowest bar or space of the symbol):
bars are filled rectangles, spaces are gaps, and the human-readable digits are stroked
outlines of our own design. At 20 points one module is 0.33 mm, the nominal size of the
symbology, so the proportions of bars, guards, quiet zones and digits hold at that size
and scale with it.

Usage: make_barcode_font.py OUTPUT.ttf
"""

import math
import os
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.misc.timeTools import timestampFromString
from fontTools.ttLib import newTable

FAMILY = "Velmora EAN UPC"
STYLE = "Regular"
VERSION = "Version 1.000"

# 20 pt = 20/72 inch = 7.056 mm per em; 96/2048 em = 0.3307 mm at 20 pt (100 %).
UNITS_PER_EM = 2048
MODULE = 96

# Vertical layout, in modules above the foot of the human-readable digits.
DIGIT_TEXT_HEIGHT = 8.0  # 2.64 mm at 100 %
BAR_BOTTOM = 9.0  # one module of white above the digits
GUARD_BOTTOM = BAR_BOTTOM - 5.0  # guard bars run five modules further down
BAR_TOP = 78.0  # 69 modules of bar (22.8 mm at 100 %)

# Line metrics, in font units. Sizes reach the font either as a character height (em) or
# as a cell height (ascent + descent): a cell of 1.12 em, as ordinary text faces have,
# makes both draw the symbol at the same size. The cell's top is the top of the bars, so a
# symbol placed by its cell's top-left corner starts there; the rest of it hangs below.
ASCENT = 1843
DESCENT = 450

# Horizontal layout, in modules.
DIGIT_WIDTH = 7
LEFT_QUIET = 7  # blank start of "(": the left quiet zone of EAN-8, which has nothing before it
RIGHT_QUIET = 7  # after ")" and "+"
OUTSIDE_ADVANCE = 5  # 192..201: with the 7 blank modules of "(" or ")" and "+", a quiet
                     # zone of 12 modules on the side of the symbol where they stand
TEXT_WIDTH = 4.4  # ink width of a human-readable digit
STROKE = 0.85  # stroke of the human-readable digits

# Module patterns of the symbology's digit sets ("1" = bar, "0" = space).
SET_A = ["0001101", "0011001", "0010011", "0111101", "0100011",
         "0110001", "0101111", "0111011", "0110111", "0001011"]
SET_C = ["".join("1" if b == "0" else "0" for b in a) for a in SET_A]
SET_B = [c[::-1] for c in SET_C]

START_GUARD = "101"
CENTRE_GUARD = "01010"
END_GUARD = "101"
UPCE_END_GUARD = "010101"


def u(modules):
    """Modules to font units."""
    return int(round(modules * MODULE))


def y_units(modules):
    """Height above the digits' foot, in modules, to font units above the baseline."""
    return u(modules) - u(BAR_TOP) + ASCENT


def orient_clockwise(points):
    """TrueType fills clockwise outer contours; every contour here is an outer one."""
    area = 0.0
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        area += x0 * y1 - x1 * y0
    return list(reversed(points)) if area > 0 else points


class Outline:
    """Collects closed polygons (in modules) and draws them into a TrueType glyph."""

    def __init__(self):
        self.polygons = []

    def rect(self, x0, y0, x1, y1):
        self.polygons.append([(x0, y0), (x0, y1), (x1, y1), (x1, y0)])

    def pattern(self, x, bits, bottom, top):
        """Bars of a module pattern starting at x; adjacent bars merge into one rectangle."""
        i = 0
        while i < len(bits):
            if bits[i] == "1":
                j = i
                while j < len(bits) and bits[j] == "1":
                    j += 1
                self.rect(x + i, bottom, x + j, top)
                i = j
            else:
                i += 1

    def stroke(self, points, width, closed=False):
        """A polyline drawn with a pen of the given width: one quad per segment and an
        octagon at every vertex, for round joins and ends."""
        half = width / 2.0
        segments = list(zip(points, points[1:]))
        if closed:
            segments.append((points[-1], points[0]))
        for (x0, y0), (x1, y1) in segments:
            dx, dy = x1 - x0, y1 - y0
            length = math.hypot(dx, dy)
            if length == 0:
                continue
            nx, ny = -dy / length * half, dx / length * half
            self.polygons.append([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny),
                                  (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)])
        r = half / math.cos(math.pi / 8)  # octagon circumscribing the pen
        for (x, y) in points:
            self.polygons.append([(x + r * math.cos(math.pi / 8 + k * math.pi / 4),
                                   y + r * math.sin(math.pi / 8 + k * math.pi / 4))
                                  for k in range(8)])

    def glyph(self):
        pen = TTGlyphPen(None)
        for polygon in self.polygons:
            pts = [(u(x), y_units(y)) for (x, y) in polygon]
            # Drop repeated points that rounding may leave.
            clean = [p for k, p in enumerate(pts) if p != pts[k - 1]]
            if len(clean) < 3:
                continue
            clean = orient_clockwise(clean)
            pen.moveTo(clean[0])
            for p in clean[1:]:
                pen.lineTo(p)
            pen.closePath()
        return pen.glyph()


def arc(cx, cy, rx, ry, a0, a1, steps=None):
    """Points of an elliptic arc from angle a0 to a1 (degrees, anticlockwise positive)."""
    if steps is None:
        steps = max(2, int(abs(a1 - a0) / 12))
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * k / steps)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * k / steps)))
            for k in range(steps + 1)]


def digit_strokes(d):
    """Centre lines of digit d in a box of width w and height h (modules), origin at the
    bottom left of the box. Returns a list of (points, closed)."""
    w = TEXT_WIDTH - STROKE
    h = DIGIT_TEXT_HEIGHT - STROKE
    r = w / 2.0
    if d == 0:
        loop = arc(r, h - r, r, r, 0, 180) + arc(r, r, r, r, 180, 360)
        return [(loop, True)]
    if d == 1:
        x = w * 0.62
        return [([(w * 0.08, h * 0.74), (x, h), (x, 0)], False), ([(w * 0.12, 0), (w, 0)], False)]
    if d == 2:
        top = arc(r, h - r, r, r * 0.95, 165, -20)
        return [(top + [(0, 0), (w, 0)], False)]
    if d == 3:
        bowl = arc(r, h * 0.29, r, h * 0.29, 90, -150)
        return [([(w * 0.04, h), (w, h), (r * 0.9, h * 0.58)] + bowl, False)]
    if d == 4:
        return [([(w * 0.74, 0), (w * 0.74, h), (0, h * 0.3), (w, h * 0.3)], False)]
    if d == 5:
        bowl = arc(r, h * 0.3, r, h * 0.3, 125, -150)
        return [([(w * 0.95, h), (w * 0.06, h), (w * 0.02, h * 0.56)] + bowl, False)]
    if d == 6:
        loop = arc(r, h * 0.3, r, h * 0.3, 0, 360, 30)
        stem = [(0, h * 0.3)] + arc(r, h * 0.62, r, h * 0.38, 180, 50)
        return [(loop, True), (stem, False)]
    if d == 7:
        return [([(0, h), (w, h), (w * 0.3, 0)], False)]
    if d == 8:
        low = arc(r, h * 0.27, r, h * 0.27, 0, 360, 30)
        high = arc(r, h * 0.77, r * 0.86, h * 0.23, 0, 360, 30)
        return [(low, True), (high, True)]
    if d == 9:
        return [([(w - x, h - y) for (x, y) in pts], closed) for pts, closed in digit_strokes(6)]
    raise ValueError(d)


def draw_digit(outline, d, x):
    """Human-readable digit d with its ink box starting at x, standing on the baseline."""
    for pts, closed in digit_strokes(d):
        moved = [(x + STROKE / 2 + px, STROKE / 2 + py) for (px, py) in pts]
        outline.stroke(moved, STROKE, closed)


def build_glyphs():
    glyphs = {}  # name -> (outline, advance in modules, character or None)

    notdef = Outline()
    notdef.rect(1, 0, 6, 1)
    notdef.rect(1, 0, 2, 10)
    notdef.rect(5, 0, 6, 10)
    notdef.rect(1, 9, 6, 10)
    glyphs[".notdef"] = (notdef, DIGIT_WIDTH, None)
    glyphs["space"] = (Outline(), DIGIT_WIDTH, " ")

    text_x = (DIGIT_WIDTH - TEXT_WIDTH) / 2.0
    for d in range(10):
        # Set A ("0".."9"), set B ("Q".."Z"), set C ("A".."J"): bars over their digit.
        for prefix, first, table in (("A", "0", SET_A), ("B", "Q", SET_B), ("C", "A", SET_C)):
            o = Outline()
            o.pattern(0, table[d], BAR_BOTTOM, BAR_TOP)
            draw_digit(o, d, text_x)
            glyphs["set%s%d" % (prefix, d)] = (o, DIGIT_WIDTH, chr(ord(first) + d))
        # UPC-A first ("a".."j", set A) and check ("q".."z", set C) digit at guard length;
        # their human-readable digits stand outside the symbol.
        o = Outline()
        o.pattern(0, SET_A[d], GUARD_BOTTOM, BAR_TOP)
        glyphs["upcaFirst%d" % d] = (o, DIGIT_WIDTH, chr(ord("a") + d))
        o = Outline()
        o.pattern(0, SET_C[d], GUARD_BOTTOM, BAR_TOP)
        glyphs["upcaCheck%d" % d] = (o, DIGIT_WIDTH, chr(ord("q") + d))
        # 192..201: digit in the quiet zone, within its own advance so that nothing
        # spills past the end of the text.
        o = Outline()
        draw_digit(o, d, (OUTSIDE_ADVANCE - TEXT_WIDTH) / 2.0)
        glyphs["outside%d" % d] = (o, OUTSIDE_ADVANCE, chr(0xC0 + d))

    o = Outline()
    o.pattern(LEFT_QUIET, START_GUARD, GUARD_BOTTOM, BAR_TOP)
    glyphs["startGuard"] = (o, LEFT_QUIET + len(START_GUARD), "(")
    o = Outline()
    o.pattern(0, CENTRE_GUARD, GUARD_BOTTOM, BAR_TOP)
    glyphs["centreGuard"] = (o, len(CENTRE_GUARD), "*")
    o = Outline()
    o.pattern(0, END_GUARD, GUARD_BOTTOM, BAR_TOP)
    glyphs["endGuard"] = (o, len(END_GUARD) + RIGHT_QUIET, ")")
    o = Outline()
    o.pattern(0, UPCE_END_GUARD, GUARD_BOTTOM, BAR_TOP)
    glyphs["upceEndGuard"] = (o, len(UPCE_END_GUARD) + RIGHT_QUIET, "+")
    return glyphs


def build_font(path):
    glyphs = build_glyphs()
    order = list(glyphs.keys())
    fb = FontBuilder(UNITS_PER_EM, isTTF=True)
    # The same script gives the same bytes: no build-time timestamps.
    fb.font.recalcTimestamp = False
    stamp = timestampFromString("Fri Dec 11 00:00:00 2026")
    fb.updateHead(created=stamp, modified=stamp)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap({ord(c): name for name, (_, _, c) in glyphs.items() if c})
    ttglyphs = {name: outline.glyph() for name, (outline, _, _) in glyphs.items()}
    fb.setupGlyf(ttglyphs)
    metrics = {}
    for name, (_, advance, _) in glyphs.items():
        g = ttglyphs[name]
        g.recalcBounds(fb.font["glyf"])
        metrics[name] = (u(advance), getattr(g, "xMin", 0))
    fb.setupHorizontalMetrics(metrics)
    ascent, descent = ASCENT, DESCENT
    fb.setupHorizontalHeader(ascent=ascent, descent=-descent, lineGap=0)
    fb.setupNameTable({
        "familyName": FAMILY,
        "styleName": STYLE,
        "uniqueFontIdentifier": FAMILY + " " + STYLE + "; " + VERSION,
        "fullName": FAMILY,
        "psName": FAMILY.replace(" ", "") + "-" + STYLE,
        "version": VERSION,
    })
    fb.setupOS2(
        sTypoAscender=ascent, sTypoDescender=-descent, sTypoLineGap=0,
        usWinAscent=ascent, usWinDescent=descent,
        sxHeight=u(DIGIT_TEXT_HEIGHT), sCapHeight=u(DIGIT_TEXT_HEIGHT),
        # For renderers that read it: strike-out through the middle of the bars.
        yStrikeoutPosition=y_units((BAR_BOTTOM + BAR_TOP) / 2), yStrikeoutSize=u(0.5),
        version=4,
        fsSelection=0x00C0,  # regular, use the typographic metrics above
        fsType=0,  # installable: PDF writers may embed it
        achVendID="NONE",
        usWeightClass=400,
    )
    # An underline runs under the whole symbol, clear of the bars and digits.
    fb.setupPost(isFixedPitch=0, underlinePosition=y_units(-1.0), underlineThickness=u(0.5))
    # Smooth rendering, no grid fitting: bars keep their module widths at any size.
    gasp = newTable("gasp")
    gasp.version = 1
    gasp.gaspRange = {0xFFFF: 0x000A}
    fb.font["gasp"] = gasp
    # Written aside and renamed, so that a failed run leaves no truncated font behind.
    partial = path + ".partial"
    fb.save(partial)
    os.replace(partial, path)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_barcode_font.py OUTPUT.ttf\n")
        return 2
    build_font(argv[1])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
