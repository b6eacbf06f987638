#!/usr/bin/env python3
"""Draws the application icon of quendra3.exe and writes it as one .ico file.

The picture: a teal tile, a sheet of paper with a folded corner and three lines of
text, and an orange seal with a white tick over its lower right corner. Every image
is rendered from the same shapes with supersampling, so the small sizes stay
smooth. Sizes up to 64 pixels are stored as 32-bit bitmaps with their mask, the
256-pixel image as PNG, as Windows expects.

Usage: DrawIcon.py OUTPUT.ico
"""
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 64, 256)

TILE = (0.04, 0.04, 0.96, 0.96, 0.20)
PAGE = (0.22, 0.14, 0.68, 0.84)
FOLD = 0.14
TEXT_LINES = ((0.30, 0.34, 0.60), (0.30, 0.45, 0.60), (0.30, 0.56, 0.48))
TEXT_HEIGHT = 0.05
SEAL = (0.70, 0.71, 0.20)
TICK = ((0.61, 0.71), (0.68, 0.78), (0.80, 0.63))
TICK_WIDTH = 0.055


def in_rounded_rect(x, y, left, top, right, bottom, radius):
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2 and left <= x <= right and top <= y <= bottom


def segment_distance(px, py, a, b):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return ((px - ax - t * dx) ** 2 + (py - ay - t * dy) ** 2) ** 0.5


def page_colour(x, y):
    left, top, right, bottom = PAGE
    if not (left <= x <= right and top <= y <= bottom):
        return None
    corner_x, corner_y = x - (right - FOLD), y - top
    if corner_x > 0 and corner_y < FOLD:
        if corner_x > corner_y:
            return None
        return (196, 210, 214, 255)
    for line_left, line_top, line_right in TEXT_LINES:
        if line_left <= x <= line_right and line_top <= y <= line_top + TEXT_HEIGHT:
            return (120, 136, 144, 255)
    return (250, 250, 246, 255)


def seal_colour(x, y):
    cx, cy, radius = SEAL
    distance = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
    if distance > radius:
        return None
    if min(segment_distance(x, y, TICK[0], TICK[1]), segment_distance(x, y, TICK[1], TICK[2])) <= TICK_WIDTH / 2:
        return (255, 255, 255, 255)
    if distance > radius * 0.86:
        return (186, 82, 20, 255)
    return (236, 126, 40, 255)


def sample(x, y):
    """Colour (r, g, b, a) of the drawing at point (x, y) of the unit square."""
    for layer in (seal_colour, page_colour):
        colour = layer(x, y)
        if colour is not None:
            return colour
    if in_rounded_rect(x, y, *TILE):
        return (18, int(96 + 44 * (1 - y)), int(112 + 36 * (1 - y)), 255)
    return (0, 0, 0, 0)


def render(size):
    """Rows of RGBA pixels, top row first."""
    grid = 4 if size <= 64 else 3
    rows = []
    for row in range(size):
        pixels = []
        for column in range(size):
            total = [0, 0, 0, 0]
            for sy in range(grid):
                for sx in range(grid):
                    r, g, b, a = sample((column + (sx + 0.5) / grid) / size, (row + (sy + 0.5) / grid) / size)
                    total[0] += r * a
                    total[1] += g * a
                    total[2] += b * a
                    total[3] += a
            alpha = total[3] / (grid * grid)
            if total[3] == 0:
                pixels.append((0, 0, 0, 0))
            else:
                pixels.append(tuple(round(c / total[3]) for c in total[:3]) + (round(alpha),))
        rows.append(pixels)
    return rows


def bitmap_image(rows):
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for column, pixel in enumerate(row):
            if pixel[3] == 0:
                line[column // 8] |= 0x80 >> (column % 8)
        mask += line
    return header + colour + bytes(mask)


def png_image(rows):
    size = len(rows)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF)

    raw = b''.join(b'\0' + b''.join(bytes(pixel) for pixel in row) for row in rows)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def icon_file(sizes):
    images = [png_image(render(s)) if s >= 256 else bitmap_image(render(s)) for s in sizes]
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b''
    for size, image in zip(sizes, images):
        side = size if size < 256 else 0
        entries += struct.pack('<BBBBHHII', side, side, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + entries + b''.join(images)


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: DrawIcon.py OUTPUT.ico')
    data = icon_file(SIZES)
    with open(sys.argv[1], 'wb') as output:
        output.write(data)


if __name__ == '__main__':
    main()
