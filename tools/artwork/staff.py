"""The clefs and the note glyphs the staff shows."""

import math

from output import blank
from raster import Coverage, Ellipse, Rect, Stroke

CLEF_W, CLEF_H = 29, 72
CLEF_LINE_ROWS = (14, 24, 34, 44, 54)
NOTE_W, NOTE_H = 20, 68


def shade(cov, x, y, solid=0.5, edge=0.2):
    """Black where a shape covers most of a pixel, dark grey on its edge."""
    share = cov.share(x, y)
    if share >= solid:
        return "black"
    if share >= edge:
        return "darkgrey"
    return None


# --- Clefs --------------------------------------------------------------

def treble_coverage():
    cov = Coverage(CLEF_W, CLEF_H)
    # One pen stroke from the inner end of the spiral (on the G line, row
    # 44) outward round the belly, up the thick diagonal that crosses the
    # stem, over the top loop and down the stem into the hook.
    cov.add(Stroke([
        (15.0, 44.8, 1.3), (12.4, 46.9, 2.0), (9.0, 44.6, 2.4), (9.0, 39.8, 2.2),
        (13.0, 35.6, 1.7), (19.0, 34.9, 1.8), (23.8, 37.8, 2.3), (25.5, 43.6, 2.8),
        (23.4, 49.6, 2.7), (17.2, 52.7, 2.1), (10.0, 52.3, 2.2), (3.8, 47.8, 3.0),
        (1.8, 40.6, 3.3), (4.0, 32.2, 3.3), (9.2, 24.8, 3.3), (14.4, 18.4, 2.9),
        (18.2, 13.0, 2.4), (19.8, 7.6, 2.0), (19.0, 3.2, 1.7), (16.8, 1.6, 1.6),
        (14.8, 3.0, 1.8), (14.1, 7.5, 2.0), (14.6, 13.0, 2.0), (15.0, 20.0, 2.0),
    ]))
    # The stem, straight and exactly two pixels wide, and the hook.
    cov.add(Stroke([(15.0, 20.0, 2.0), (15.0, 62.0, 2.0)], smooth=False))
    cov.add(Stroke([
        (15.0, 62.0, 2.0), (14.8, 67.6, 2.2), (13.2, 70.6, 2.0), (11.0, 69.6, 1.8),
    ]))
    # The dot at the end of the hook.
    cov.add(Ellipse(10.9, 65.4, 4.9, 5.4))
    return cov


def bass_coverage():
    cov = Coverage(CLEF_W, CLEF_H)
    # The round head on the F line, the arc over the top and down the
    # right side, the tail sweeping out to the left edge.
    cov.add(Ellipse(5.9, 24.4, 4.9, 3.4))
    cov.add(Stroke([
        (3.6, 22.6, 2.0), (5.2, 18.8, 2.2), (9.0, 16.4, 1.8), (13.5, 16.2, 2.0),
        (18.0, 18.5, 2.8), (20.4, 23.0, 3.4), (20.5, 28.0, 3.6), (18.5, 33.0, 3.2),
        (14.5, 37.5, 2.8), (9.0, 41.2, 2.2), (4.0, 43.6, 1.6), (0.6, 45.0, 1.2),
    ]))
    # The two dots either side of the F line.
    cov.add(Ellipse(26.0, 20.5, 3.0, 2.5))
    cov.add(Ellipse(26.0, 29.0, 3.0, 3.0))
    return cov


def clef(cov, grey):
    pic = blank(CLEF_W, CLEF_H)
    for y in range(CLEF_H):
        for x in range(CLEF_W):
            pic[y][x] = shade(cov, x, y)
    for y in CLEF_LINE_ROWS:
        for x in range(CLEF_W):
            # A grey clef is painted over the line segments; a black clef's
            # edge pixels give way to the line.
            pic[y][x] = "darkgrey" if grey and pic[y][x] else "black"
    if grey:
        for y in range(CLEF_H):
            if y not in CLEF_LINE_ROWS:
                pic[y] = ["darkgrey" if c else None for c in pic[y]]
    return pic


def clefs():
    treble, bass = treble_coverage(), bass_coverage()
    return [clef(bass, False), clef(treble, False), clef(bass, True), clef(treble, True)]


# --- Notes --------------------------------------------------------------

def head(cx, cy, half_width, half_height, joint=None):
    """A hollow half-note head filling a box of the given half extents,
    tilted so that it rises to the right; the slit inside is tilted more
    steeply, as an engraved half note's is. joint: a rectangle where the
    stem grows out of the head, so the two meet without a gap."""
    tilt = 28.0
    c2, s2 = math.cos(math.radians(tilt)) ** 2, math.sin(math.radians(tilt)) ** 2
    # Semi-axes of the turned ellipse whose bounding box has these extents.
    diff = (half_width ** 2 - half_height ** 2) / (c2 - s2)
    total = half_width ** 2 + half_height ** 2
    a, b = math.sqrt((total + diff) / 2), math.sqrt((total - diff) / 2)
    cov = Coverage(NOTE_W, NOTE_H)
    cov.add(Ellipse(cx, cy, a, b, tilt))
    cov.cut(Ellipse(cx, cy, a - 2.1, 1.6, tilt + 14))
    if joint:
        cov.add(Rect(*joint))
    return cov


# How far the outline may reach past the head box before it is cut there.
HEAD_BLEED = 0.1

# (stem up, head top row, ledger rows, stem rows)
NOTES = [
    (True, 31, (), (1, 35)),
    (True, 31, (36,), (1, 35)),
    (False, 1, (), (12, 41)),
    (False, 1, (6,), (12, 41)),
    (True, 36, (36,), (3, 40)),
    (True, 41, (36, 46), (4, 45)),
    (True, 46, (36, 46), (9, 50)),
    (True, 51, (36, 46, 56), (11, 55)),
    (True, 56, (36, 46, 56), (13, 60)),
    (False, 1, (11,), (12, 44)),
]


def note(index):
    up, top, ledgers, (stem_top, stem_bottom) = NOTES[index]
    if up:
        left, right, stem = 4, 16, 15
    elif index == 9:
        left, right, stem = 3, 14, 3
    else:
        left, right, stem = 4, 15, 4
    joint = None if up else (stem, top + 6, stem + 2, top + 11)
    cov = head((left + right + 1) / 2, top + 5.5, (right - left + 1) / 2 + HEAD_BLEED, 5.5 + HEAD_BLEED, joint)
    pic = blank(NOTE_W, NOTE_H)
    for y in range(top, top + 11):
        for x in range(left, right + 1):
            pic[y][x] = shade(cov, x, y)
    for y in range(stem_top, stem_bottom + 1):
        pic[y][stem] = "black"
        pic[y][stem + 1] = "darkgrey"
    for y in ledgers:
        pic[y] = ["black"] * NOTE_W
    return pic


def notes():
    return [note(i) for i in range(len(NOTES))]
