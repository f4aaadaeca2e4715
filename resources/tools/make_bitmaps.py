#!/usr/bin/env python3
"""Draws the two bitmap pictures that lie beside the program.

    resources/program/clock.bmp    120 x 120, analog clock face without hands,
                                   centre pixel (60, 60), on the key colour
                                   (255, 0, 255) that the program makes
                                   transparent
    resources/program/nophoto.bmp  80 x 80, head-and-shoulders silhouette for
                                   a contact without a photo

Both are uncompressed 24-bit Windows BMP files written by this script itself.
Python 3 standard library only; the output is the same on every run.
Usage: python3 resources/tools/make_bitmaps.py [output folder]

The clock's disc edge is hard: a pixel is either exactly the key colour or a
face colour, never a blend of the two, because a blended pixel survives the
key removal as a pink fringe. Inside the disc the face is supersampled, and a
sample that falls outside the disc takes the rim colour, so even the edge
pixels are mixed only from face colours.
"""

import math
import struct
import sys
from pathlib import Path

KEY = (255, 0, 255)

# The icons' palette.
ACCENT = (47, 111, 181)        # #2F6FB5
ACCENT_DARK = (31, 78, 133)    # #1F4E85
ACCENT_LIGHT = (207, 224, 243)  # #CFE0F3
GREY = (138, 150, 163)         # #8A96A3
WHITE = (255, 255, 255)

SUPER = 4  # samples per pixel along each axis


def write_bmp(path, rows):
    """rows: top-down list of rows of (r, g, b). Writes a 24-bit BI_RGB file."""
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    image_size = stride * height
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + image_size, 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, image_size,
                       2835, 2835, 0, 0)
    data = bytearray()
    for row in reversed(rows):  # BMP rows run bottom-up
        for r, g, b in row:
            data += bytes((b, g, r))
        data += bytes(stride - width * 3)
    tmp = path.with_name(path.name + ".tmp")
    tmp.write_bytes(header + info + bytes(data))
    tmp.replace(path)


def mix(samples):
    n = len(samples)
    return tuple(int(sum(s[i] for s in samples) / n + 0.5) for i in range(3))


def sample_offsets():
    # Sample positions inside a pixel whose centre is at offset 0.
    return [((i + 0.5) / SUPER - 0.5) for i in range(SUPER)]


# ---------------------------------------------------------------- clock

CLOCK_SIZE = 120
CLOCK_CENTRE = 60      # the program draws the hands from pixel (60, 60)
DISC_RADIUS = 56.5     # pixel centres within this distance belong to the face
RIM_INNER = 53.0
# (inner radius, outer radius, width, colour) per kind of tick. The hands are
# up to 30 and 40 px long, so the ticks stay outside radius 40.
QUARTER_TICK = (41.0, 50.0, 3.0, ACCENT_DARK)
HOUR_TICK = (44.5, 50.0, 2.5, ACCENT_DARK)
MINUTE_TICK = (48.0, 50.0, 1.0, GREY)


def on_tick(u, v, angle_deg, tick):
    """Is the point (u, v), relative to the centre, on a tick at this angle?

    Angle 0 points to 12 o'clock and grows clockwise (screen y points down)."""
    inner, outer, width, _ = tick
    a = math.radians(angle_deg)
    dx, dy = math.sin(a), -math.cos(a)
    along = u * dx + v * dy
    across = abs(u * dy - v * dx)
    return inner <= along <= outer and across <= width / 2


def clock_colour(u, v):
    d = math.hypot(u, v)
    if d >= RIM_INNER:
        return ACCENT  # also for samples past the disc edge: no key blending
    if d >= RIM_INNER - 1.5:
        return ACCENT_LIGHT
    # Only the tick nearest in angle can contain the point.
    angle = math.degrees(math.atan2(u, -v)) % 360.0
    minute = int(angle / 6.0 + 0.5) % 60
    if minute % 15 == 0:
        tick = QUARTER_TICK
    elif minute % 5 == 0:
        tick = HOUR_TICK
    else:
        tick = MINUTE_TICK
    if on_tick(u, v, minute * 6.0, tick):
        return tick[3]
    return WHITE


def draw_clock():
    offsets = sample_offsets()
    rows = []
    for y in range(CLOCK_SIZE):
        row = []
        for x in range(CLOCK_SIZE):
            u, v = x - CLOCK_CENTRE, y - CLOCK_CENTRE
            if u * u + v * v > DISC_RADIUS * DISC_RADIUS:
                row.append(KEY)
                continue
            row.append(mix([clock_colour(u + ox, v + oy)
                            for oy in offsets for ox in offsets]))
        rows.append(row)
    check_no_key_blend(rows)
    return rows


def check_no_key_blend(rows):
    for y, row in enumerate(rows):
        for x, (r, g, b) in enumerate(row):
            if (r, g, b) == KEY:
                continue
            distance = math.sqrt((r - 255) ** 2 + g ** 2 + (b - 255) ** 2)
            if distance < 200:
                raise SystemExit(f"clock pixel ({x}, {y}) = {(r, g, b)} is close to the key colour")


# ---------------------------------------------------------------- no photo

PHOTO_SIZE = 80
PHOTO_TOP = (236, 240, 244)
PHOTO_BOTTOM = (219, 226, 233)
SILHOUETTE = (164, 176, 189)
HEAD = (40.0, 31.0, 14.0)            # centre x, centre y, radius
SHOULDERS = (40.0, 84.0, 31.0, 31.0)  # centre x, centre y, radii


def photo_background(v):
    t = v / PHOTO_SIZE
    return tuple(PHOTO_TOP[i] + (PHOTO_BOTTOM[i] - PHOTO_TOP[i]) * t for i in range(3))


def photo_colour(u, v):
    hx, hy, hr = HEAD
    if (u - hx) ** 2 + (v - hy) ** 2 <= hr * hr:
        return SILHOUETTE
    sx, sy, rx, ry = SHOULDERS
    if ((u - sx) / rx) ** 2 + ((v - sy) / ry) ** 2 <= 1.0:
        return SILHOUETTE
    return photo_background(v)


def draw_nophoto():
    offsets = sample_offsets()
    rows = []
    for y in range(PHOTO_SIZE):
        row = []
        for x in range(PHOTO_SIZE):
            # Continuous coordinates: pixel x covers x .. x + 1.
            cx, cy = x + 0.5, y + 0.5
            row.append(mix([photo_colour(cx + ox, cy + oy)
                            for oy in offsets for ox in offsets]))
        rows.append(row)
    return rows


def main():
    root = Path(__file__).resolve().parents[2]
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else root / "resources" / "program"
    folder.mkdir(parents=True, exist_ok=True)
    write_bmp(folder / "clock.bmp", draw_clock())
    write_bmp(folder / "nophoto.bmp", draw_nophoto())


if __name__ == "__main__":
    main()
