"""Writing pictures as XPM text and as PNG files.

A picture is a list of rows; each row is a list of colour names from COLOURS,
or None for a masked (transparent) pixel."""

import struct
import zlib

# Every colour any picture uses, with the character that stands for it in
# the XPM files, so the same colour reads the same in every file.
COLOURS = {
    "black": ((0, 0, 0), "#"),
    "white": ((255, 255, 255), "o"),
    "darkgrey": ((123, 123, 123), "+"),
    "yellow": ((255, 255, 0), "y"),
    "darkred": ((123, 0, 0), "r"),
    "cyan": ((0, 255, 255), "c"),
    "red": ((255, 0, 0), "R"),
    # The 16-colour pictures (stopwatch, logo, icon) use the classic palette.
    "grey": ((128, 128, 128), "="),
    "silver": ((192, 192, 192), ":"),
    "olive": ((128, 128, 0), "O"),
    "magenta": ((255, 0, 255), "m"),
}
NONE_CHAR = "."


def blank(width, height, colour=None):
    return [[colour] * width for _ in range(height)]


def strip(pictures):
    """Pictures of one size side by side, as one horizontal strip."""
    height = len(pictures[0])
    return [sum((p[y] for p in pictures), []) for y in range(height)]


def xpm_text(name, picture, hotspot=None):
    height = len(picture)
    width = len(picture[0])
    used = []
    for row in picture:
        assert len(row) == width, name
        for c in row:
            if c not in used:
                used.append(c)
    used.sort(key=lambda c: (c is not None, c or ""))
    header = f"{width} {height} {len(used)} 1"
    if hotspot:
        header += f" {hotspot[0]} {hotspot[1]}"
    lines = ["/* XPM */", f"static const char *{name}[] = {{", f"\"{header}\","]
    for c in used:
        if c is None:
            lines.append(f"\"{NONE_CHAR} c None\",")
        else:
            (r, g, b), ch = COLOURS[c]
            lines.append(f"\"{ch} c #{r:02X}{g:02X}{b:02X}\",")
    for i, row in enumerate(picture):
        text = "".join(NONE_CHAR if c is None else COLOURS[c][1] for c in row)
        lines.append(f"\"{text}\"" + ("," if i + 1 < height else ""))
    lines.append("};")
    return "\n".join(lines) + "\n"


def png_bytes(rows):
    """rows: list of rows of (r, g, b, a) tuples."""
    height = len(rows)
    width = len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))
