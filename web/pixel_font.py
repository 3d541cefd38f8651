#!/usr/bin/python3
"""The page's pixel fonts as fonts of its own, so that the browser lays out and paints the
window's letters as text (counted as the page's content, found by find, zoomed with the
page) from the very glyphs the window measures them by: each glyph's pixels as squares of
a grid of whole pixels, its advance its width and the pixel between letters, the line the
font's rows with nothing below them.

  pixel_font.py FONTS_JSON OUT_JS

FONTS_JSON: the fonts as web_window.js holds them (fonts_json.js prints them). OUT_JS: a
script that runs before the program's (--pre-js) and gives the page each font's bytes, in
base64, as Module['vopFonts'][name]; the page adds them to its fonts from there, which
readies them at once (a font the page's style points to would load only after the window
shows).
"""
import base64
import io
import json
import re
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

UNITS = 64  # font units to a pixel
# The size the page sets the fonts at, in CSS pixels: a pixel of a glyph is a pixel of the
# window at any size, as the em is this many pixels of it; the line is the font's own.
# Nominally as large as a phone's text should be, as the window on a phone is drawn
# several times as large.
SIZE = 16


def build(name, glyphs):
    rows_of = {c: g[1].split('/') for c, g in glyphs.items()}
    line = max(g[0] + len(rows_of[c]) for c, g in glyphs.items())
    order = ['.notdef']
    outlines = {'.notdef': TTGlyphPen(None).glyph()}
    metrics = {'.notdef': (UNITS, 0)}
    cmap = {}
    for i, c in enumerate(sorted(glyphs)):
        top = glyphs[c][0]
        rows = rows_of[c]
        pen = TTGlyphPen(None)
        left = None
        for r, row in enumerate(rows):
            y1 = (line - top - r) * UNITS
            for run in re.finditer('#+', row):
                x0, x1 = run.start() * UNITS, run.end() * UNITS
                left = x0 if left is None else min(left, x0)
                pen.moveTo((x0, y1 - UNITS))
                pen.lineTo((x0, y1))
                pen.lineTo((x1, y1))
                pen.lineTo((x1, y1 - UNITS))
                pen.closePath()
        glyph = 'g%d' % i
        order.append(glyph)
        outlines[glyph] = pen.glyph()
        metrics[glyph] = ((len(rows[0]) + 1) * UNITS, left or 0)
        cmap[ord(c)] = glyph
    # A lower-case letter the font has no glyph of takes its capital's, as the window does.
    for c in glyphs:
        if c.lower() != c and c.lower() not in glyphs:
            cmap[ord(c.lower())] = cmap[ord(c)]
    font = FontBuilder(SIZE * UNITS, isTTF=True)
    font.setupGlyphOrder(order)
    font.setupCharacterMap(cmap)
    font.setupGlyf(outlines)
    font.setupHorizontalMetrics(metrics)
    font.setupHorizontalHeader(ascent=line * UNITS, descent=0)
    font.setupOS2(sTypoAscender=line * UNITS, sTypoDescender=0, sTypoLineGap=0,
                  usWinAscent=line * UNITS, usWinDescent=0)
    font.setupNameTable({'familyName': name, 'styleName': 'Regular'})
    font.setupPost()
    out = io.BytesIO()
    font.save(out)
    return base64.b64encode(out.getvalue()).decode('ascii')


def main():
    fonts = json.load(open(sys.argv[1], encoding='utf-8'))
    data = {size: build('vop-' + size, fonts[size]) for size in sorted(fonts)}
    with open(sys.argv[2], 'w', encoding='utf-8') as out:
        out.write("Module['vopFonts'] = %s;\nModule['vopFontSize'] = %d;\n" % (json.dumps(data), SIZE))


main()
