#!/usr/bin/env python3
"""Draws every picture of the program and writes the assets: the XPM strips
and pictures, and the PNG renderings of the program icon for the desktop.

Run from anywhere; it writes into the assets folder beside this tools
folder. Python 3 standard library only. With --check it writes nothing and
fails when a committed file differs from what it would write."""

import argparse
import pathlib
import sys

import pictures
import staff
import toolbar
from output import png_bytes, strip, xpm_text

ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def outputs():
    """(path relative to assets, bytes) of every file this draws."""
    yield "clefs.xpm", xpm_text("clefs", strip(staff.clefs()))
    yield "notes.xpm", xpm_text("notes", strip(staff.notes()))
    yield "letters-enabled.xpm", xpm_text("letters_enabled", strip(toolbar.letters("black")))
    yield "letters-disabled.xpm", xpm_text("letters_disabled", strip(toolbar.letters("darkgrey")))
    yield "commands-enabled.xpm", xpm_text("commands_enabled", strip(toolbar.commands_enabled()))
    yield "commands-disabled.xpm", xpm_text("commands_disabled", strip(toolbar.commands_disabled()))
    yield "stopwatch.xpm", xpm_text("stopwatch", pictures.stopwatch_strip())
    yield "logo.xpm", xpm_text("logo", pictures.logo())
    yield "cursor-hand.xpm", xpm_text("cursor_hand", pictures.hand_cursor(), pictures.HAND_HOTSPOT)
    yield "quavelet.xpm", xpm_text("quavelet", pictures.program_icon())
    for n in ICON_SIZES:
        yield f"icons/hicolor/{n}x{n}/apps/quavelet.png", png_bytes(pictures.program_icon_png(n))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--check", action="store_true", help="compare with the committed files only")
    args = parser.parse_args()
    assets = pathlib.Path(__file__).resolve().parent.parent.parent / "assets"
    stale = []
    for name, content in outputs():
        data = content.encode("ascii") if isinstance(content, str) else content
        path = assets / name
        if args.check:
            if not path.exists() or path.read_bytes() != data:
                stale.append(name)
            continue
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
    for name in stale:
        print(f"differs from the generator: assets/{name}", file=sys.stderr)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main())
