"""The fixed pictures: the stopwatch, the About logo, the pointing-hand
cursor and the program icon."""

import math

from output import COLOURS, blank
from raster import Coverage, Ellipse, Polygon, Rect, Stroke

# --- Stopwatch ----------------------------------------------------------

def stopwatch(outline, hand):
    """16 x 16 on the olive background: a round watch with a white face,
    tick marks at the quarters, the hand at twelve and a crown on top."""
    size = 16
    pic = blank(size, size, "olive")
    cov = Coverage(size, size)
    cov.add(Ellipse(8.0, 9.5, 6.6, 6.4))
    inside = [[cov.share(x, y) >= 0.5 for x in range(size)] for y in range(size)]
    for y in range(size):
        for x in range(size):
            if inside[y][x]:
                rim = any(not inside[y + dy][x + dx] for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))
                          if 0 <= x + dx < size and 0 <= y + dy < size)
                pic[y][x] = outline if rim else "white"
    # Crown and its stem, and the side button.
    for x in range(6, 10):
        pic[0][x] = outline
    for x in (7, 8):
        pic[1][x] = outline
        pic[2][x] = outline
    pic[2][12] = outline
    pic[3][13] = outline
    # Tick marks at twelve, three, six and nine.
    for x, y in ((7, 4), (8, 4), (13, 9), (13, 10), (7, 14), (8, 14), (2, 9), (2, 10)):
        pic[y][x] = outline
    # The hand at twelve on its black pivot.
    for y in range(6, 9):
        pic[y][7] = hand
        pic[y][8] = hand
    for y in (9, 10):
        pic[y][7] = outline
        pic[y][8] = outline
    return pic


def stopwatch_strip():
    left = stopwatch("black", "red")
    right = stopwatch("grey", "grey")
    return [left[y] + right[y] for y in range(16)]


# --- The card-and-note design of the logo and the icon --------------------

def diamond(cx, cy, rx, ry):
    return Polygon([(cx, cy - ry), (cx + rx, cy), (cx, cy + ry), (cx - rx, cy)])


def letter_a(left, top, width, height, pen):
    """A capital A with its foot on the bottom of the given box."""
    bottom = top + height
    apex = (left + width / 2, top + pen / 2)
    foot_l = (left + pen / 2, bottom - pen / 2)
    foot_r = (left + width - pen / 2, bottom - pen / 2)
    bar_y = top + height * 0.62
    t = (bar_y - apex[1]) / (foot_l[1] - apex[1])
    bar_l = (apex[0] + (foot_l[0] - apex[0]) * t, bar_y)
    bar_r = (apex[0] + (foot_r[0] - apex[0]) * t, bar_y)
    return [
        Stroke([(*foot_l, pen), (*apex, pen)], smooth=False),
        Stroke([(*apex, pen), (*foot_r, pen)], smooth=False),
        Stroke([(*bar_l, pen * 0.8), (*bar_r, pen * 0.8)], smooth=False),
    ]


def rounded_rect(x0, y0, x1, y1, r):
    shapes = [Rect(x0 + r, y0, x1 - r, y1), Rect(x0, y0 + r, x1, y1 - r)]
    for cx, cy in ((x0 + r, y0 + r), (x1 - r, y0 + r), (x0 + r, y1 - r), (x1 - r, y1 - r)):
        shapes.append(Ellipse(cx, cy, r, r))
    return shapes


def logo_layers():
    """The logo in a 100 x 100 box: (colour, shapes) from the bottom up."""
    layers = [("silver", [Rect(2, 2, 98, 98)])]
    layers.append(("black", [Rect(2, y, 98, y + 1) for y in (18, 32, 46, 60, 74, 88)]))
    card = (42, 8, 93, 93)
    layers.append(("grey", rounded_rect(*card, 5)))
    layers.append(("white", rounded_rect(card[0] + 2, card[1] + 2, card[2] - 2, card[3] - 2, 3.5)))
    layers.append(("red", [diamond(52, 21, 4.5, 6.5), diamond(68.5, 50.5, 11, 16), diamond(83, 70, 4.5, 6.5)]
                   + letter_a(78, 78, 11, 12, 2.6)))
    layers.append(("black", [
        Ellipse(29.5, 80.5, 12.5, 8.5, 24),
        Rect(38.5, 12, 43, 79),
    ]))
    return layers


def icon_layers():
    """The program icon in a 32 x 32 box: (colour, shapes) from the bottom up."""
    layers = [("silver", [Rect(0, 0, 32, 32)])]
    layers.append(("black", [Rect(0, y, 11, y + 1) for y in (7, 12, 17, 22, 27)]))
    card = (10, 1, 32, 32)
    layers.append(("grey", [Rect(*card)]))
    layers.append(("white", [Rect(card[0] + 1, card[1] + 1, card[2] - 1, card[3] - 1)]))
    layers.append(("red", [diamond(14.5, 6.0, 2.2, 3.2), diamond(22.5, 15.5, 5, 7.5)]
                   + letter_a(24, 23, 6, 7, 1.6)))
    layers.append(("black", [
        Ellipse(6.8, 26.3, 5.2, 3.7, 24),
        Rect(10, 0, 12, 26),
    ]))
    return layers


def render_flat(layers, size, design_size):
    """Each pixel takes the colour of the topmost shape covering most of it."""
    scale = size / design_size
    pic = blank(size, size)
    for colour, shapes in layers:
        cov = Coverage(size, size, ss=4)
        for shape in shapes:
            cov.add(_scaled(shape, scale))
        for y in range(size):
            for x in range(size):
                if cov.share(x, y) >= 0.5:
                    pic[y][x] = colour
    return pic


def render_smooth(layers, size, design_size):
    """RGBA rows with the shapes' edges blended, for the large icons."""
    scale = size / design_size
    ss = 4 if size <= 64 else 2
    acc = [[(0.0, 0.0, 0.0, 0.0) for _ in range(size)] for _ in range(size)]
    for colour, shapes in layers:
        rgb = COLOURS[colour][0]
        cov = Coverage(size, size, ss=ss)
        for shape in shapes:
            cov.add(_scaled(shape, scale))
        for y in range(size):
            row = acc[y]
            for x in range(size):
                a = cov.share(x, y)
                if a:
                    r, g, b, al = row[x]
                    row[x] = (r + (rgb[0] - r) * a, g + (rgb[1] - g) * a, b + (rgb[2] - b) * a, al + (1 - al) * a)
    return [[(round(r), round(g), round(b), round(a * 255)) for r, g, b, a in row] for row in acc]


def _scaled(shape, k):
    if isinstance(shape, Rect):
        return Rect(shape.x0 * k, shape.y0 * k, shape.x1 * k, shape.y1 * k)
    if isinstance(shape, Ellipse):
        angle = math.degrees(math.atan2(shape.s, shape.c))
        return Ellipse(shape.cx * k, shape.cy * k, shape.rx * k, shape.ry * k, angle)
    if isinstance(shape, Polygon):
        return Polygon([(x * k, y * k) for x, y in shape.points])
    if isinstance(shape, Stroke):
        return Stroke([(x * k, y * k, w * k) for x, y, w in shape.path], smooth=False)
    raise TypeError(shape)


def logo():
    pic = render_flat(logo_layers(), 100, 100)
    for y in range(100):
        for x in range(100):
            if min(x, y, 99 - x, 99 - y) < 2:
                pic[y][x] = "magenta"
    return pic


def program_icon():
    return render_flat(icon_layers(), 32, 32)


def program_icon_png(size):
    return render_smooth(icon_layers(), size, 32)


# --- Cursor -------------------------------------------------------------

HAND_HOTSPOT = (13, 7)
HAND = [
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    ".............##.................",
    "............#oo#................",
    "............#oo#................",
    "............#oo#................",
    "............#oo#................",
    "............#oo###..............",
    "............#oo#oo###...........",
    "............#oo#oo#oo#..........",
    "............#oo#oo#oo###........",
    "............#oo#oo#oo#oo#.......",
    "........##..#oo#oo#oo#oo#.......",
    ".......#oo#.#ooooooooooo#.......",
    ".......#ooo##ooooooooooo#.......",
    "........#ooooooooooooooo#.......",
    "........#ooooooooooooooo#.......",
    ".........#oooooooooooooo#.......",
    ".........#oooooooooooooo#.......",
    "..........#ooooooooooooo#.......",
    "..........#oooooooooooo#........",
    "...........#ooooooooooo#........",
    "...........#ooooooooooo#........",
    "...........#############........",
    "................................",
    "................................",
    "................................",
]


def hand_cursor():
    palette = {".": None, "#": "black", "o": "white"}
    return [[palette[ch] for ch in row] for row in HAND]
