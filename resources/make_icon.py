#!/usr/bin/env python3
"""Draws the redirector's 16 x 16 application icon (RGBA PNG): a blue disc with a white
arrow pointing right, the picture of a link being passed on. Run it to regenerate
vlurlredirector.png; it needs nothing beyond the Python standard library."""
import struct
import zlib

SIZE = 16
BLUE = (29, 101, 196)
WHITE = (255, 255, 255)


def coverage(x, y, inside, scale=1.0, samples=4):
    """Fraction of the pixel (x, y) for which inside(px, py) holds, by supersampling; the
    design is drawn on a 16-unit grid and `scale` is the image's pixels per unit."""
    hits = 0
    for sy in range(samples):
        for sx in range(samples):
            if inside((x + (sx + 0.5) / samples) / scale, (y + (sy + 0.5) / samples) / scale):
                hits += 1
    return hits / (samples * samples)


def in_disc(px, py):
    return (px - 8) ** 2 + (py - 8) ** 2 <= 7.5 ** 2


def in_arrow(px, py):
    shaft = 3.5 <= px <= 9 and 6.8 <= py <= 9.2
    head = 8.5 <= px <= 12.5 and abs(py - 8) <= (12.5 - px) * 1.0
    return shaft or head


def pixel(x, y, scale=1.0):
    disc = coverage(x, y, in_disc, scale)
    arrow = coverage(x, y, in_arrow, scale)
    r, g, b = (round(BLUE[i] * (1 - arrow) + WHITE[i] * arrow) for i in range(3))
    return r, g, b, round(255 * disc)


def png(width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


if __name__ == "__main__":
    import os

    # The compiled-in 16 x 16 icon, and a larger rendering of the same design for desktops.
    for size, name in ((SIZE, "vlurlredirector.png"), (48, "vlurlredirector-48.png")):
        scale = size / SIZE
        rows = [[pixel(x, y, scale) for x in range(size)] for y in range(size)]
        out = os.path.join(os.path.dirname(os.path.abspath(__file__)), name)
        with open(out, "wb") as f:
            f.write(png(size, size, rows))
