#!/usr/bin/env python3
"""Draws the toolbar's button strip KV_SCOPE_BUTTONS1G: 18 images of 16 x 16
side by side (288 x 16), written as a 16-colour (4 bits per pixel) BMP.

The images are recoloured when loaded, so only these colours are used, each
with a fixed meaning:
  white  (0xFFFFFF)  the glyph
  silver (0xC0C0C0)  half-tone parts of the glyph (between glyph and button)
  black  (0x000000)  the button face
  grey   (0x808080)  the frame
  blue   (0x0000FF)  the frame's lower and right edges: frame while the
                     button is enabled, transparent while it is disabled
  red    (0xFF0000)  the rounded corners, always transparent

Each glyph is drawn in the 12 x 12 area inside the frame, from the text
pictures below ('#' white, '+' silver, '.' black). The frame and corners are
the same for every image.

How the committed strip was made (standard library only):
  python3 tools/make_button_strip.py display/resources/KV_SCOPE_BUTTONS1G.bmp
A picture to look at, every pixel 8 x 8 on a cyan ground where it will be
transparent:
  python3 tools/make_button_strip.py strip.bmp --preview strip.png
"""

import struct
import sys
import zlib

SIZE = 16
GLYPH = 12

# The classic 16-colour palette (index: (r, g, b)).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, SILVER, GREY, RED, BLUE, WHITE = 0, 7, 8, 9, 12, 15
CHARS = {'.': BLACK, '+': SILVER, '#': WHITE}

GLYPHS = [
    ("down arrow", """
        ............
        ....####....
        ....####....
        ....####....
        ....####....
        ....####....
        .##########.
        ..########..
        ...######...
        ....####....
        .....##.....
        ............"""),
    ("up arrow", """
        ............
        .....##.....
        ....####....
        ...######...
        ..########..
        .##########.
        ....####....
        ....####....
        ....####....
        ....####....
        ....####....
        ............"""),
    ("run", """
        ............
        ...#........
        ...##.......
        ...###......
        ...####.....
        ...#####....
        ...######...
        ...#####....
        ...####.....
        ...###......
        ...##.......
        ...#........"""),
    ("pause", """
        ............
        ..###..###..
        ..###..###..
        ..###..###..
        ..###..###..
        ..###..###..
        ..###..###..
        ..###..###..
        ..###..###..
        ..###..###..
        ..###..###..
        ............"""),
    ("zoom in", """
        ...###......
        .##...##....
        .#..#..#....
        #...#...#...
        #.#####.#...
        #...#...#...
        .#..#..#....
        .##...##....
        ...###.##...
        ........##..
        .........##.
        ..........##"""),
    ("zoom out", """
        ...###......
        .##...##....
        .#.....#....
        #.......#...
        #.#####.#...
        #.......#...
        .#.....#....
        .##...##....
        ...###.##...
        ........##..
        .........##.
        ..........##"""),
    ("zoom off", """
        ...###......
        .##...##....
        .##...##....
        #..#.#..#...
        #...#...#...
        #..#.#..#...
        .##...##....
        .##...##....
        ...###.##...
        ........##..
        .........##.
        ..........##"""),
    ("print", """
        ...######...
        ...#++++#...
        ...#++++#...
        ############
        #..........#
        #.........##
        #..........#
        ############
        ..#++++++#..
        ..#++++++#..
        ..########..
        ............"""),
    ("save", """
        ############
        #.########.#
        #.#++++++#.#
        #.#++++++#.#
        #.########.#
        #..........#
        #..######..#
        #..#....#..#
        #..#.##.#..#
        #..#.##.#..#
        .#.#....#..#
        ..##########"""),
    ("copy", """
        ######......
        #++++#......
        #+######....
        #+#++++##...
        #+#++++###..
        #+#++++++#..
        ###++++++#..
        ..#++++++#..
        ..#++++++#..
        ..########..
        ............
        ............"""),
    ("setup", """
        .....##.....
        ..#..##..#..
        .###.##.###.
        ..########..
        ...##++##...
        ####+..+####
        ####+..+####
        ...##++##...
        ..########..
        .###.##.###.
        ..#..##..#..
        .....##....."""),
    ("zoom previous", """
        ............
        ...#........
        ..##........
        .#########..
        ##########+.
        .##.....+##.
        ..#......##.
        .........##.
        .........##.
        ........+#+.
        ..######+#..
        ..######+..."""),
    ("zoom next", """
        ............
        ........#...
        ........##..
        ..#########.
        .+##########
        .##+.....##.
        .##......#..
        .##.........
        .##.........
        .+#+........
        ..#+######..
        ...+######.."""),
    ("four-way arrows", """
        .....##.....
        ....####....
        ...######...
        .#...##...#.
        ##...##...##
        ############
        ############
        ##...##...##
        .#...##...#.
        ...######...
        ....####....
        .....##....."""),
    ("magnifier", """
        ...###......
        .##+++##....
        .#+++++#....
        #+++++++#...
        #+++++++#...
        #+++++++#...
        .#+++++#....
        .##+++##....
        ...###.##...
        ........##..
        .........##.
        ..........##"""),
    ("hand", """
        .....#......
        ...#.#.#....
        ...#.#.#.#..
        ...#.#.#.#..
        ...#####.#..
        .#.#######..
        .##+######..
        ..#+######..
        ..##+#####..
        ...##+####..
        ....######..
        ....######.."""),
    ("horizontal double arrow", """
        ............
        ............
        ...#....#...
        ..##....##..
        .##########.
        ############
        ############
        .##########.
        ..##....##..
        ...#....#...
        ............
        ............"""),
    ("vertical double arrow", """
        .....##.....
        ....####....
        ...######...
        ..########..
        .....##.....
        ....####....
        ....####....
        .....##.....
        ..########..
        ...######...
        ....####....
        .....##....."""),
]


def glyph_rows(name, picture):
    rows = [line.strip() for line in picture.strip().splitlines()]
    if len(rows) != GLYPH or any(len(r) != GLYPH for r in rows):
        raise ValueError(f"glyph '{name}' is not {GLYPH} x {GLYPH}")
    return [[CHARS[c] for c in r] for r in rows]


def frame_pixel(x, y):
    """The frame's colour at (x, y), or None inside it."""
    last = SIZE - 1
    # two pixels cut off each corner make it round
    near_x = min(x, last - x)
    near_y = min(y, last - y)
    if near_x + near_y <= 1:
        return RED
    if near_x == 1 and near_y == 1:
        # the inner pixel of each rounded corner closes the frame
        return BLUE if x == y == last - 1 else GREY
    if x == 0 or y == 0:
        return GREY
    if x == last or y == last:
        return BLUE
    return None


def image(name, picture):
    glyph = glyph_rows(name, picture)
    offset = (SIZE - GLYPH) // 2
    pixels = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            colour = frame_pixel(x, y)
            if colour is None:
                gx, gy = x - offset, y - offset
                inside = 0 <= gx < GLYPH and 0 <= gy < GLYPH
                colour = glyph[gy][gx] if inside else BLACK
            row.append(colour)
        pixels.append(row)
    return pixels


def strip():
    images = [image(name, picture) for name, picture in GLYPHS]
    return [sum((img[y] for img in images), []) for y in range(SIZE)]


def write_bmp(path, rows):
    height = len(rows)
    width = len(rows[0])
    stride = ((width * 4 + 31) // 32) * 4
    body = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for x in range(0, width, 2):
            high = row[x]
            low = row[x + 1] if x + 1 < width else 0
            line.append((high << 4) | low)
        line.extend(b"\0" * (stride - len(line)))
        body.extend(line)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(body), 2835, 2835, 16, 0)
    with open(path, "wb") as f:
        f.write(header + info + palette + body)


def write_preview(path, rows, scale=8):
    """An RGB PNG of the strip, each pixel scale x scale, transparent ones cyan."""
    raw = bytearray()
    for row in rows:
        line = bytearray()
        for index in row:
            colour = (0x00, 0xC0, 0xC0) if index == RED else PALETTE[index]
            line.extend(bytes(colour) * scale)
        for _ in range(scale):
            raw.append(0)
            raw.extend(line)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    width = len(rows[0]) * scale
    height = len(rows) * scale
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def main(argv):
    if len(argv) not in (2, 4) or (len(argv) == 4 and argv[2] != "--preview"):
        print("usage: make_button_strip.py OUT.bmp [--preview OUT.png]", file=sys.stderr)
        return 2
    rows = strip()
    write_bmp(argv[1], rows)
    if len(argv) == 4:
        write_preview(argv[3], rows)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
