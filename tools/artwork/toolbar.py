"""The 16 x 16 pictures of the letter buttons and of the commands."""

from output import blank
from raster import Coverage, Ellipse, Stroke

SIZE = 16

# The letters' strokes, rows 2 to 14: bold capitals with strokes two pixels
# thick. The white highlight is added along their upper and left sides.
LETTERS = {
    "A": [
        ".......##.......",
        "......####......",
        "......####......",
        ".....##..##.....",
        ".....##..##.....",
        ".....##..##.....",
        "....##....##....",
        "....##....##....",
        "....########....",
        "...##########...",
        "...##......##...",
        "...##......##...",
        "...##......##...",
    ],
    "B": [
        "...#######......",
        "...########.....",
        "...##....###....",
        "...##.....##....",
        "...##....###....",
        "...########.....",
        "...#########....",
        "...##.....###...",
        "...##......##...",
        "...##......##...",
        "...##.....###...",
        "...#########....",
        "...########.....",
    ],
    "C": [
        ".....######.....",
        "....########....",
        "...###....###...",
        "...##......##...",
        "...##...........",
        "...##...........",
        "...##...........",
        "...##...........",
        "...##...........",
        "...##......##...",
        "...###....###...",
        "....########....",
        ".....######.....",
    ],
    "D": [
        "...#######......",
        "...########.....",
        "...##....###....",
        "...##.....###...",
        "...##......##...",
        "...##......##...",
        "...##......##...",
        "...##......##...",
        "...##......##...",
        "...##.....###...",
        "...##....###....",
        "...########.....",
        "...#######......",
    ],
    "E": [
        "...##########...",
        "...##########...",
        "...##...........",
        "...##...........",
        "...##...........",
        "...#########....",
        "...#########....",
        "...##...........",
        "...##...........",
        "...##...........",
        "...##...........",
        "...##########...",
        "...##########...",
    ],
    "F": [
        "...##########...",
        "...##########...",
        "...##...........",
        "...##...........",
        "...##...........",
        "...#########....",
        "...#########....",
        "...##...........",
        "...##...........",
        "...##...........",
        "...##...........",
        "...##...........",
        "...##...........",
    ],
    "G": [
        ".....######.....",
        "....########....",
        "...###....###...",
        "...##......##...",
        "...##...........",
        "...##...........",
        "...##...#####...",
        "...##...#####...",
        "...##......##...",
        "...##......##...",
        "...###....###...",
        "....#########...",
        ".....#######....",
    ],
}
LETTER_TOP = 2


def embossed(mask_rows, top, ink):
    """Strokes in the ink colour with a white line along their upper and
    left sides, as on a raised button face."""
    pic = blank(SIZE, SIZE)
    ink_at = set()
    for r, text in enumerate(mask_rows):
        for x, ch in enumerate(text):
            if ch == "#":
                ink_at.add((x, top + r))
    for (x, y) in ink_at:
        pic[y][x] = ink
    for y in range(SIZE):
        for x in range(SIZE):
            if (x, y) in ink_at:
                continue
            if (x + 1, y) in ink_at or (x, y + 1) in ink_at or (x + 1, y + 1) in ink_at:
                pic[y][x] = "white"
    return pic


def letters(ink):
    return [embossed(LETTERS[ch], LETTER_TOP, ink) for ch in "ABCDEFG"]


def from_art(rows, palette):
    pic = blank(SIZE, SIZE)
    for y, text in enumerate(rows):
        assert len(text) == SIZE, text
        for x, ch in enumerate(text):
            pic[y][x] = palette[ch]
    return pic


ART = {".": None, "#": "black", "+": "darkgrey", "o": "white", "y": "yellow",
       "r": "darkred", "c": "cyan", "R": "red"}


def art(rows):
    return from_art(rows, ART)


# --- Command pictures ---------------------------------------------------

PIANO = art([
    "#ooo###o###ooo#.",
    "#ooo###o###ooo#.",
    "#ooo###o###ooo#.",
    "#ooo###o###ooo#.",
    "#ooo###o###ooo#.",
    "#ooo###o###ooo#.",
    "#ooo###o###ooo#.",
    "#ooo###o###ooo#.",
    "#ooo+#+o+#+ooo#.",
    "#oooo#ooo#oooo#.",
    "#oooo#ooo#oooo#.",
    "#oooo#ooo#oooo#.",
    "###############.",
    "................",
    "................",
    "................",
])

def guitar():
    """A guitar lying diagonally: head and neck at the top left, the body at
    the bottom right."""
    cov = Coverage(SIZE, SIZE)
    cov.add(Ellipse(11.6, 11.6, 4.3, 4.3))
    cov.add(Ellipse(8.4, 8.4, 3.2, 3.2))
    inside = [[cov.share(x, y) >= 0.5 for x in range(SIZE)] for y in range(SIZE)]
    pic = blank(SIZE, SIZE)
    for y in range(SIZE):
        for x in range(SIZE):
            if inside[y][x]:
                rim = any(not (0 <= x + dx < SIZE and 0 <= y + dy < SIZE and inside[y + dy][x + dx])
                          for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                pic[y][x] = "black" if rim else "yellow"
            elif cov.share(x, y) >= 0.15:
                pic[y][x] = "darkgrey"
    # Head with its pegs, then the neck running down onto the body.
    place(pic, [
        "+#+.",
        "###+",
        "+###",
        ".+##",
    ], 0, 0)
    for i in range(3, 9):
        pic[i][i] = "black"
        pic[i][i + 1] = "black"
    pic[9][9] = "black"
    # The sound hole and the bridge.
    place(pic, [
        "rr",
        "r#",
    ], 10, 10)
    place(pic, [
        ".#",
        "#.",
    ], 12, 12)
    return pic


TREBLE = [
    "..##....",
    ".#..#...",
    ".#..#...",
    ".#.#+...",
    ".##+....",
    "+##.....",
    "#.#.....",
    "#.##+...",
    "#.#.#+..",
    "#+#..#..",
    "+###+#..",
    ".+##+...",
    "..#.....",
    "+##.....",
    "##+.....",
    "++......",
]

BASS = [
    ".+###+....",
    "##..+#+.#.",
    "##...##...",
    "....+##.#.",
    "....##....",
    "...##+....",
    "..##+.....",
    "+#+.......",
    "+.........",
]


def place(pic, rows, left, top):
    for r, text in enumerate(rows):
        for c, ch in enumerate(text):
            if ART[ch]:
                pic[top + r][left + c] = ART[ch]
    return pic


def treble_bass(treble_left, bass_left, bass_top):
    pic = blank(SIZE, SIZE)
    if treble_left is not None:
        place(pic, TREBLE, treble_left, 0)
    if bass_left is not None:
        place(pic, BASS, bass_left, bass_top)
    return pic


def keyboard_strip(keys, key_width):
    """A strip of white keys, rows 3 to 12, in a black frame, the keys
    separated by black. Eight keys one pixel wide with their seven
    separators and the left frame fill all 16 columns, so the long strip
    ends with its last key at the cell's right edge."""
    pic = blank(SIZE, SIZE)
    width = min(SIZE, 1 + keys * key_width + (keys - 1) + 1)
    left = (SIZE - width) // 2
    for y in range(3, 13):
        for x in range(left, left + width):
            pic[y][x] = "black"
    for k in range(keys):
        x0 = left + 1 + k * (key_width + 1)
        for y in range(4, 12):
            for x in range(x0, x0 + key_width):
                pic[y][x] = "white"
    return pic


def play_button():
    pic = blank(SIZE, SIZE)
    for y in range(15):
        for x in range(15):
            ring = min(x, y, 14 - x, 14 - y)
            if ring == 0:
                pic[y][x] = "cyan"
            elif ring == 1:
                pic[y][x] = "black"
            elif ring == 2:
                pic[y][x] = "white" if (x == 2 or y == 2) and x < 12 and y < 12 else "darkgrey"
    # The triangle, four columns wide and seven rows high, pointing right.
    for c in range(4):
        for y in range(4 + c, 11 - c):
            pic[y][5 + c] = "black"
    return pic


def stop_button():
    pic = blank(SIZE, SIZE)
    for y in range(SIZE):
        for x in range(SIZE):
            if x == 15 or y == 15:
                pic[y][x] = "darkgrey"
                continue
            ring = min(x, y, 14 - x, 14 - y)
            if ring == 0:
                pic[y][x] = "cyan"
            elif ring == 1:
                pic[y][x] = "black"
            elif x == 12 or y == 12:
                pic[y][x] = None
            elif x == 2 or y == 2:
                pic[y][x] = "white"
            else:
                pic[y][x] = "darkgrey"
    for y in range(5, 10):
        for x in range(5, 10):
            pic[y][x] = "black"
    return pic


def commands_enabled():
    return [
        letters("black")[0],
        PIANO,
        guitar(),
        treble_bass(4, None, 0),
        treble_bass(None, 3, 3),
        treble_bass(0, 7, 3),
        keyboard_strip(3, 2),
        keyboard_strip(8, 1),
        play_button(),
        stop_button(),
    ]


# --- Disabled styles ----------------------------------------------------

def greyed(pic):
    """Black parts turn dark grey; white parts and highlights stay white."""
    return [["darkgrey" if c == "black" else c for c in row] for row in pic]


def silhouette(pic):
    return [["darkgrey" if c else None for c in row] for row in pic]


def etched_edges(pic, shape, inside):
    """White along the lower right of a shape, on the pixels of the area
    `inside` that the shape does not cover."""
    for (x, y) in shape:
        for dx, dy in ((1, 0), (0, 1), (1, 1)):
            p = (x + dx, y + dy)
            if p not in shape and p in inside:
                pic[p[1]][p[0]] = "white"


def guitar_disabled():
    pic = silhouette(guitar())
    neck = {(i, i) for i in range(3, 10)} | {(i + 1, i) for i in range(3, 9)}
    everywhere = {(x, y) for x in range(SIZE) for y in range(SIZE)}
    for (x, y) in neck:
        pic[y][x] = "black"
    etched_edges(pic, neck, everywhere)
    return pic


def buttons_disabled(pic, face, mark, cut_out):
    """A command button without its colours: frames dark grey, highlights
    white; the mark drawn dark grey or cut out of the face, edged in white
    at its lower right."""
    out = [["darkgrey" if c in ("cyan", "black") else c for c in row] for row in pic]
    for (x, y) in mark:
        out[y][x] = None if cut_out else "darkgrey"
    etched_edges(out, mark, face)
    return out


def play_disabled():
    face = {(x, y) for x in range(3, 12) for y in range(3, 12)}
    mark = {(5 + c, y) for c in range(4) for y in range(4 + c, 11 - c)}
    return buttons_disabled(play_button(), face, mark, cut_out=False)


def stop_disabled():
    face = {(x, y) for x in range(3, 12) for y in range(3, 12)}
    mark = {(x, y) for x in range(5, 10) for y in range(5, 10)}
    return buttons_disabled(stop_button(), face, mark, cut_out=True)


def commands_disabled():
    enabled = commands_enabled()
    return [
        greyed(enabled[0]),
        greyed(enabled[1]),
        guitar_disabled(),
        silhouette(enabled[3]),
        silhouette(enabled[4]),
        silhouette(enabled[5]),
        greyed(enabled[6]),
        greyed(enabled[7]),
        play_disabled(),
        stop_disabled(),
    ]
