#!/usr/bin/env python3
"""Draws the demo's title pictures as small 4-bit BMP files in examples/demo:
the title logo and three buttons of two cells each (cell 0 resting, cell 1
lit). The top-left pixel is the transparent colour of each picture."""
import os
import struct

FONT = {  # 5 x 7 capitals, one string per row
    'A': ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    'D': ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    'E': ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    'I': ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    'L': ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    'N': ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    'O': ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    'Q': ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    'R': ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    'S': ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    'T': ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    'U': ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    'V': ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    ' ': ["00000"] * 7,
}

# Palette indices: 0 transparent (magenta), then the drawing colours.
PALETTE = [(255, 0, 255), (24, 32, 72), (200, 210, 255), (255, 255, 255), (250, 200, 60), (60, 40, 10),
           (90, 110, 200), (16, 16, 40)]


def write_bmp4(path, pixels):
    height, width = len(pixels), len(pixels[0])
    stride = ((width * 4 + 31) // 32) * 4
    rows = b""
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x in range(width):
            row[x // 2] |= pixels[y][x] << (0 if x % 2 else 4)
        rows += bytes(row)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    palette += b"\0" * (64 - len(palette))
    offset = 14 + 40 + 64
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(rows), 2835, 2835, 16, 0)
    with open(path, "wb") as f:
        f.write(header + info + palette + rows)


def text(canvas, s, left, top, scale, colour):
    for i, ch in enumerate(s):
        glyph = FONT[ch]
        for gy, line in enumerate(glyph):
            for gx, bit in enumerate(line):
                if bit == "1":
                    for dy in range(scale):
                        for dx in range(scale):
                            canvas[top + gy * scale + dy][left + (i * 6 + gx) * scale + dx] = colour


def panel(width, height, fill, border):
    """A rounded panel on the transparent colour."""
    c = [[0] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            corner = min(x, width - 1 - x) + min(y, height - 1 - y)
            if corner < 3:
                continue
            edge = x < 2 or y < 2 or x >= width - 2 or y >= height - 2 or corner < 5
            c[y][x] = border if edge else fill
    return c


def button(label, path):
    w, h, scale = 128, 36, 3
    cells = [panel(w, h, 1, 2), panel(w, h, 4, 3)]
    tw = (len(label) * 6 - 1) * scale
    for k, c in enumerate(cells):
        text(c, label, (w - tw) // 2, (h - 7 * scale) // 2, scale, 3 if k == 0 else 5)
    write_bmp4(path, [cells[0][y] + cells[1][y] for y in range(h)])


def logo(path):
    w, h, scale = 264, 56, 6
    c = [[0] * w for _ in range(h)]
    s = "ORVANE"
    tw = (len(s) * 6 - 1) * scale
    text(c, s, (w - tw) // 2 + 3, (h - 7 * scale) // 2 + 3, scale, 7)  # shadow
    text(c, s, (w - tw) // 2, (h - 7 * scale) // 2, scale, 4)
    write_bmp4(path, c)


if __name__ == "__main__":
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples", "demo")
    button("START", os.path.join(out, "btn_start.bmp"))
    button("LOAD", os.path.join(out, "btn_load.bmp"))
    button("QUIT", os.path.join(out, "btn_quit.bmp"))
    logo(os.path.join(out, "logo.bmp"))
