#!/usr/bin/env python3
"""Draws the program's artwork: a kithara on a dark-blue tile.

Writes, next to this script:
  kelvaro-<n>.png   the icon as 32-bit RGBA PNGs (16, 24, 32, 48, 64, 128 pixels)
  kelvaro.ico       one icon holding the 32, 16, 64, 24 and 48 pixel images as PNG entries
  kelvaro-88x31.png the About box picture, an 8-bit palette PNG with transparent entries

Standard library only; the output is deterministic, so regenerating changes nothing.
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

TILE = (31, 58, 95)
TILE_EDGE = (18, 36, 62)
BRONZE = (214, 160, 62)
BRONZE_DARK = (120, 78, 24)
STRING = (246, 236, 206)


# --- geometry: every shape is a function of a point in unit coordinates -------------------------

def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def bezier(p0, p1, p2, steps=24):
    pts = []
    for i in range(steps + 1):
        t = i / steps
        a, b, c = (1 - t) ** 2, 2 * (1 - t) * t, t * t
        pts.append((a * p0[0] + b * p1[0] + c * p2[0], a * p0[1] + b * p1[1] + c * p2[1]))
    return pts


def polyline(points, width):
    segs = list(zip(points, points[1:]))
    def inside(x, y):
        return min(seg_dist(x, y, a[0], a[1], b[0], b[1]) for a, b in segs) <= width / 2
    return inside


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return x0 <= x <= x1 and y0 <= y <= y1 and math.hypot(x - cx, y - cy) <= r
    return inside


def superellipse(cx, cy, rx, ry, n=2.6):
    def inside(x, y):
        return abs((x - cx) / rx) ** n + abs((y - cy) / ry) ** n <= 1
    return inside


def kithara(pixels):
    """The layers of the motif, back to front, scaled so thin parts stay visible when small."""
    px = 1.0 / pixels
    arm_w = max(0.075, 1.6 * px)
    string_w = max(0.014, 0.75 * px)
    strings = 7 if pixels >= 48 else (5 if pixels >= 24 else 3)
    left_arm = bezier((0.36, 0.70), (0.10, 0.46), (0.25, 0.15))
    right_arm = [(1 - x, y) for x, y in left_arm]
    layers = [
        (rounded_rect(0.02, 0.02, 0.98, 0.98, 0.2), TILE_EDGE),
        (rounded_rect(0.02 + px, 0.02 + px, 0.98 - px, 0.98 - px, 0.2), TILE),
        (polyline(left_arm, arm_w + 1.5 * px), BRONZE_DARK),
        (polyline(right_arm, arm_w + 1.5 * px), BRONZE_DARK),
        (polyline(left_arm, arm_w), BRONZE),
        (polyline(right_arm, arm_w), BRONZE),
        (polyline([(0.20, 0.19), (0.80, 0.19)], arm_w * 0.8 + 1.5 * px), BRONZE_DARK),
        (polyline([(0.20, 0.19), (0.80, 0.19)], arm_w * 0.8), BRONZE),
        (superellipse(0.5, 0.76, 0.25 + px, 0.13 + px), BRONZE_DARK),
        (superellipse(0.5, 0.76, 0.25, 0.13), BRONZE),
    ]
    for i in range(strings):
        x = 0.38 + 0.24 * i / (strings - 1)
        layers.append((polyline([(x, 0.20), (x, 0.78)], string_w), STRING))
    layers.append((polyline([(0.36, 0.79), (0.64, 0.79)], max(0.03, 1.2 * px)), BRONZE_DARK))
    return layers


def render(width, height, layers, ox=0.0, oy=0.0, scale=None, samples=4):
    """RGBA rows; the unit square of the motif maps to `scale` pixels at offset (ox, oy)."""
    scale = scale or width
    rows = []
    for j in range(height):
        row = []
        for i in range(width):
            r = g = b = a = 0.0
            for sj in range(samples):
                for si in range(samples):
                    x = (i + (si + 0.5) / samples - ox) / scale
                    y = (j + (sj + 0.5) / samples - oy) / scale
                    colour = None
                    for inside, c in layers:
                        if inside(x, y):
                            colour = c
                    if colour:
                        r += colour[0]; g += colour[1]; b += colour[2]; a += 1
            n = samples * samples
            if a:
                row.append((round(r / a), round(g / a), round(b / a), round(255 * a / n)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


# --- a 5 x 7 pixel alphabet for the picture's lettering ----------------------------------------

GLYPHS = {
    'K': ['X...X', 'X..X.', 'X.X..', 'XX...', 'X.X..', 'X..X.', 'X...X'],
    'E': ['XXXXX', 'X....', 'X....', 'XXXX.', 'X....', 'X....', 'XXXXX'],
    'L': ['X....', 'X....', 'X....', 'X....', 'X....', 'X....', 'XXXXX'],
    'V': ['X...X', 'X...X', 'X...X', 'X...X', '.X.X.', '.X.X.', '..X..'],
    'A': ['.XXX.', 'X...X', 'X...X', 'XXXXX', 'X...X', 'X...X', 'X...X'],
    'R': ['XXXX.', 'X...X', 'X...X', 'XXXX.', 'X.X..', 'X..X.', 'X...X'],
    'O': ['.XXX.', 'X...X', 'X...X', 'X...X', 'X...X', 'X...X', '.XXX.'],
    '1': ['..X..', '.XX..', '..X..', '..X..', '..X..', '..X..', '.XXX.'],
    '.': ['.....', '.....', '.....', '.....', '.....', '.XX..', '.XX..'],
    '0': ['.XXX.', 'X...X', 'X..XX', 'X.X.X', 'XX..X', 'X...X', '.XXX.'],
    ' ': ['.....'] * 7,
}


def letter_layer(text, x0, y0, pixel):
    cells = set()
    for k, ch in enumerate(text):
        for r, line in enumerate(GLYPHS[ch]):
            for c, mark in enumerate(line):
                if mark == 'X':
                    cells.add((k * 6 + c, r))
    def inside(x, y):
        return (math.floor((x - x0) / pixel), math.floor((y - y0) / pixel)) in cells
    return inside


def badge():
    """88 x 31: a rounded bronze-edged plate, a small kithara and the name."""
    w, h = 88.0, 31.0
    kit = kithara(27)
    plate = [(rounded_rect(0.0, 0.0, 1.0, h / w, 6 / w), BRONZE_DARK),
             (rounded_rect(1 / w, 1 / w, 1 - 1 / w, (h - 1) / w, 5 / w), TILE)]
    # The plate in units of the width, the motif in its own unit square: render separately.
    base = render(88, 31, plate, scale=88)
    motif = render(88, 31, kit[2:], ox=2, oy=2, scale=27)
    name = render(88, 31, [(letter_layer('KELVARO', 33 / 88, 6 / 88, 1 / 88), STRING)], scale=88)
    version = render(88, 31, [(letter_layer('1.0', 49 / 88, 18 / 88, 1 / 88), BRONZE)], scale=88)
    out = []
    for j in range(31):
        row = []
        for i in range(88):
            px = base[j][i]
            for layer in (motif, name, version):
                px = over(layer[j][i], px)
            row.append(px)
        out.append(row)
    return out


def over(top, bottom):
    ta, ba = top[3] / 255, bottom[3] / 255
    a = ta + ba * (1 - ta)
    if a == 0:
        return (0, 0, 0, 0)
    c = [round((top[k] * ta + bottom[k] * ba * (1 - ta)) / a) for k in range(3)]
    return (c[0], c[1], c[2], round(a * 255))


# --- file formats ------------------------------------------------------------------------------

def chunk(kind, data):
    body = kind + data
    return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)


def png_rgba(rows):
    h, w = len(rows), len(rows[0])
    raw = b''.join(b'\0' + bytes(v for px in row for v in px) for row in rows)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def png_palette(rows):
    """8-bit palette with a tRNS chunk: translucent entries first, opaque ones after."""
    def snap(px):
        if px[3] < 32:
            return (0, 0, 0, 0)
        alpha = 255 if px[3] >= 224 else (px[3] // 64) * 64 + 32
        return tuple(min(255, (v + 4) // 8 * 8) for v in px[:3]) + (alpha,)
    rows = [[snap(px) for px in row] for row in rows]
    colours = sorted({px for row in rows for px in row}, key=lambda c: (c[3] == 255, c))
    assert len(colours) <= 256, len(colours)
    index = {c: k for k, c in enumerate(colours)}
    h, w = len(rows), len(rows[0])
    raw = b''.join(b'\0' + bytes(index[px] for px in row) for row in rows)
    alphas = bytes(c[3] for c in colours if c[3] != 255)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 3, 0, 0, 0)) +
            chunk(b'PLTE', bytes(v for c in colours for v in c[:3])) + chunk(b'tRNS', alphas) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')), len(colours)


def ico(images):
    """images: list of (size, png bytes); PNG-compressed entries, 32 bits per pixel."""
    head = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b'', b''
    for size, png in images:
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(png), offset)
        offset += len(png)
        data += png
    return head + entries + data


def main():
    pngs = {}
    for size in (16, 24, 32, 48, 64, 128):
        pngs[size] = png_rgba(render(size, size, kithara(size)))
        with open(os.path.join(HERE, f'kelvaro-{size}.png'), 'wb') as f:
            f.write(pngs[size])
    with open(os.path.join(HERE, 'kelvaro.ico'), 'wb') as f:
        f.write(ico([(s, pngs[s]) for s in (32, 16, 64, 24, 48)]))
    picture, count = png_palette(badge())
    with open(os.path.join(HERE, 'kelvaro-88x31.png'), 'wb') as f:
        f.write(picture)
    print(f'icon sizes 16-128, picture with {count} palette entries')


if __name__ == '__main__':
    main()
