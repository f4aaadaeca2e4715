#!/usr/bin/env python3
"""Draws the two full-Moon pictures of the moon phase control.

    resources/moon/moon_large.png  64 x 64, disc centre (31, 28), radius 28, RGBA
    resources/moon/moon_small.png  32 x 32, disc centre (15, 14), radius 14,
                                   16-colour palette (entry 0 transparent)

The disc is exactly the set of pixels the control's shadow routine covers at
new Moon: row cy +- k holds the pixels cx - a .. cx + a, a being the integer
nearest to sqrt(r^2 - k^2). Everything else is transparent. The surface is a
simple orthographic picture of the near side, north up as seen from the
northern hemisphere: the great maria, a few bright and dark craters and the
rays of Tycho, on highlands with a little deterministic texture.

Python 3 standard library only; the output is the same on every run.
Usage: python3 resources/tools/make_moon.py [output folder]
"""

import math
import struct
import sys
import zlib
from pathlib import Path

# (longitude east, latitude north, angular radius, depth): dark plains.
MARIA = [
    (-16.0, 33.0, 16.0, 0.36),   # Imbrium
    (-28.0, 40.0, 8.0, 0.30),    # Imbrium, north-west and Sinus Iridum
    (17.5, 28.0, 10.0, 0.36),    # Serenitatis
    (31.0, 8.5, 12.0, 0.34),     # Tranquillitatis
    (22.0, 2.0, 6.0, 0.28),      # Tranquillitatis, south-west
    (59.0, 17.0, 7.5, 0.38),     # Crisium
    (51.0, -8.0, 9.0, 0.28),     # Fecunditatis
    (35.0, -15.0, 5.5, 0.30),    # Nectaris
    (-17.0, -21.0, 9.0, 0.28),   # Nubium
    (-23.0, -10.0, 6.0, 0.26),   # Cognitum
    (-39.0, -24.0, 5.5, 0.32),   # Humorum
    (4.0, 13.0, 4.5, 0.26),      # Vaporum
    (-57.0, 20.0, 14.0, 0.34),   # Procellarum, north
    (-45.0, 32.0, 9.0, 0.30),    # Procellarum, towards Imbrium
    (-50.0, 4.0, 12.0, 0.32),    # Procellarum, middle
    (-35.0, 10.0, 8.0, 0.24),    # Procellarum, east, around Kepler
    (-60.0, -10.0, 8.0, 0.28),   # Procellarum, south
    (-30.0, 56.0, 5.0, 0.24),    # Frigoris: a band of overlapping patches
    (-15.0, 57.0, 5.0, 0.26),
    (0.0, 57.0, 5.0, 0.26),
    (15.0, 57.0, 5.0, 0.24),
    (30.0, 57.0, 4.5, 0.22),
]

# (longitude, latitude, angular radius, brightness change): craters.
CRATERS = [
    (-11.2, -43.3, 2.2, 0.30),   # Tycho
    (-20.1, 9.6, 2.2, 0.22),     # Copernicus
    (-38.0, 8.1, 1.6, 0.20),     # Kepler
    (-47.4, 23.7, 1.4, 0.35),    # Aristarchus
    (46.8, 16.1, 1.4, 0.25),     # Proclus
    (61.0, -8.9, 2.4, 0.10),     # Langrenus
    (26.4, -11.4, 2.6, 0.08),    # Theophilus
    (-14.4, -58.4, 5.0, -0.06),  # Clavius
    (-9.3, 51.6, 2.4, -0.22),    # Plato
    (-68.3, -5.5, 4.5, -0.24),   # Grimaldi
]

# Bearings of the rays of Tycho (degrees from north, clockwise).
TYCHO_RAYS = [8, 27, 51, 74, 118, 160, 205, 236, 262, 290, 318, 343]

HIGHLAND = 0.80
MARE_STRENGTH = 1.4  # scales the depths of MARIA
SAMPLES = 4  # per pixel and axis


def smoothstep(edge0, edge1, x):
    t = min(1.0, max(0.0, (x - edge0) / (edge1 - edge0)))
    return t * t * (3.0 - 2.0 * t)


def to_vector(lon, lat):
    lon, lat = math.radians(lon), math.radians(lat)
    return (math.cos(lat) * math.sin(lon), math.sin(lat), math.cos(lat) * math.cos(lon))


def angle_between(p, q):
    dot = p[0] * q[0] + p[1] * q[1] + p[2] * q[2]
    return math.degrees(math.acos(max(-1.0, min(1.0, dot))))


def hash3(x, y, z):
    """A fixed integer hash of a lattice point, in [0, 1)."""
    h = (x * 73856093) ^ (y * 19349663) ^ (z * 83492791)
    h &= 0xFFFFFFFF
    h ^= h >> 13
    h = (h * 1274126177) & 0xFFFFFFFF
    h ^= h >> 16
    return h / 4294967296.0


def value_noise(p, scale):
    """Smooth noise on the sphere from a lattice of hashed values."""
    x, y, z = (c * scale for c in p)
    ix, iy, iz = math.floor(x), math.floor(y), math.floor(z)
    fx, fy, fz = x - ix, y - iy, z - iz
    sx, sy, sz = (f * f * (3 - 2 * f) for f in (fx, fy, fz))
    total = 0.0
    for dx in (0, 1):
        for dy in (0, 1):
            for dz in (0, 1):
                w = (sx if dx else 1 - sx) * (sy if dy else 1 - sy) * (sz if dz else 1 - sz)
                total += w * hash3(ix + dx, iy + dy, iz + dz)
    return total


MARIA_V = [(to_vector(lon, lat), radius, MARE_STRENGTH * depth) for lon, lat, radius, depth in MARIA]
CRATERS_V = [(to_vector(lon, lat), radius, change) for lon, lat, radius, change in CRATERS]
TYCHO = to_vector(-11.2, -43.3)


def bearing_from(origin, p):
    """Bearing of p seen from origin on the sphere, degrees clockwise from north."""
    north = (0.0, 1.0, 0.0)
    # Local east and north at the origin.
    east = (north[1] * origin[2] - north[2] * origin[1],
            north[2] * origin[0] - north[0] * origin[2],
            north[0] * origin[1] - north[1] * origin[0])
    length = math.sqrt(sum(c * c for c in east))
    east = tuple(c / length for c in east)
    up = (origin[1] * east[2] - origin[2] * east[1],
          origin[2] * east[0] - origin[0] * east[2],
          origin[0] * east[1] - origin[1] * east[0])
    e = sum(a * b for a, b in zip(p, east))
    n = sum(a * b for a, b in zip(p, up))
    return math.degrees(math.atan2(e, n)) % 360.0


def albedo(p):
    """Brightness of the surface point p (a unit vector, z towards us)."""
    value = HIGHLAND + 0.10 * (value_noise(p, 9.0) - 0.5) + 0.05 * (value_noise(p, 23.0) - 0.5)
    lit = 1.0  # the part of the point that no mare darkens
    for centre, radius, depth in MARIA_V:
        d = angle_between(p, centre)
        lit *= 1.0 - depth * (1.0 - smoothstep(0.45 * radius, 1.3 * radius, d))
    value *= 1.0 - (1.0 - lit) * (0.8 + 0.4 * value_noise(p, 14.0))
    d_tycho = angle_between(p, TYCHO)
    if 3.0 < d_tycho < 60.0:
        b = bearing_from(TYCHO, p)
        width = 0.8 / max(math.sin(math.radians(d_tycho)), 0.05)
        ray = max(math.exp(-((((b - r + 180.0) % 360.0) - 180.0) / width) ** 2) for r in TYCHO_RAYS)
        value += 0.09 * ray * (1.0 - d_tycho / 60.0)
    for centre, radius, change in CRATERS_V:
        d = angle_between(p, centre)
        if d < radius * 2.0:
            halo = 1.0 - smoothstep(radius * 0.6, radius * 2.0, d)
            value += change * halo
    return min(1.0, max(0.32, value))


def disc_pixels(cx, cy, r):
    """The rows of the disc as the shadow routine sees them: {y: (x_min, x_max)}."""
    rows = {}
    for k in range(r + 1):
        a = round(math.sqrt(r * r - k * k))  # halves go to the even integer
        rows[cy + k] = (cx - a, cx + a)
        rows[cy - k] = (cx - a, cx + a)
    return rows


def render(size, cx, cy, r):
    """Grey levels 0..1 inside the disc, None outside."""
    rows = disc_pixels(cx, cy, r)
    scale = r + 0.5
    picture = []
    for y in range(size):
        line = []
        for x in range(size):
            span = rows.get(y)
            if span is None or not span[0] <= x <= span[1]:
                line.append(None)
                continue
            total = 0.0
            for j in range(SAMPLES):
                for i in range(SAMPLES):
                    u = (x + (i + 0.5) / SAMPLES - 0.5 - cx) / scale
                    v = -(y + (j + 0.5) / SAMPLES - 0.5 - cy) / scale
                    rho = math.hypot(u, v)
                    if rho > 0.999:
                        u, v = u * 0.999 / rho, v * 0.999 / rho
                    w = math.sqrt(max(0.0, 1.0 - u * u - v * v))
                    limb = 0.90 + 0.10 * w
                    total += albedo((u, v, w)) * limb
            line.append(total / (SAMPLES * SAMPLES))
        picture.append(line)
    return picture


def tint(g):
    """A slightly warm grey, never black."""
    return (round(255 * g), round(250 * g), round(238 * g))


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path, width, height, colour_type, bit_depth, rows, palette=None, alpha=None):
    raw = b"".join(b"\x00" + row for row in rows)
    data = b"\x89PNG\r\n\x1a\n"
    data += png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, bit_depth, colour_type, 0, 0, 0))
    if palette is not None:
        data += png_chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    if alpha is not None:
        data += png_chunk(b"tRNS", bytes(alpha))
    data += png_chunk(b"IDAT", zlib.compress(raw, 9))
    data += png_chunk(b"IEND", b"")
    path.write_bytes(data)


def make_large(path):
    size, cx, cy, r = 64, 31, 28, 28
    grey = render(size, cx, cy, r)
    rows = []
    for line in grey:
        row = bytearray()
        for g in line:
            row += bytes(tint(g)) + b"\xff" if g is not None else b"\x00\x00\x00\x00"
        rows.append(bytes(row))
    write_png(path, size, size, 6, 8, rows)


def make_small(path):
    size, cx, cy, r = 32, 15, 14, 14
    grey = render(size, cx, cy, r)
    # Entry 0 is the transparent background; 1..15 a ramp of lit greys.
    low, high = 0.34, 0.98
    levels = [low + (high - low) * i / 14 for i in range(15)]
    palette = [(0, 0, 0)] + [tint(g) for g in levels]
    alpha = [0] + [255] * 15
    rows = []
    for line in grey:
        indices = []
        for g in line:
            if g is None:
                indices.append(0)
            else:
                indices.append(1 + min(range(15), key=lambda i: abs(levels[i] - g)))
        row = bytearray()
        for i in range(0, size, 2):
            row.append((indices[i] << 4) | indices[i + 1])
        rows.append(bytes(row))
    write_png(path, size, size, 3, 4, rows, palette, alpha)


def main():
    root = Path(__file__).resolve().parents[2]
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else root / "resources" / "moon"
    folder.mkdir(parents=True, exist_ok=True)
    make_large(folder / "moon_large.png")
    make_small(folder / "moon_small.png")


if __name__ == "__main__":
    main()
