#!/usr/bin/env python3
"""Draws Vorn's icon (a sunset behind hills, half of it wiped to the next
picture's night sky, as a transition would) and writes res/vorn.ico with
16, 32 and 48 pixel images in 32-bit colour with alpha. Run it again after
changing the drawing; the .ico is checked in so the build needs no Python."""
import math
import struct
import sys

SS = 4  # supersampling per axis


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def shade(u, v):
    """Colour (r, g, b, a) at unit coordinates u, v in [0, 1), y down."""
    # Rounded square, corner radius 0.18.
    r = 0.18
    cx = min(max(u, r), 1 - r)
    cy = min(max(v, r), 1 - r)
    if (u - cx) ** 2 + (v - cy) ** 2 > r * r:
        return (0, 0, 0, 0)
    edge = 0.06
    if u < edge or v < edge or u > 1 - edge or v > 1 - edge or \
            (u - cx) ** 2 + (v - cy) ** 2 > (r - edge) ** 2:
        return (30, 36, 60, 255)  # frame
    night = u + v > 1.1  # the wipe: lower right already shows the next picture
    hill1 = 0.70 + 0.08 * math.sin(u * 5.0 + 0.5)
    hill2 = 0.80 + 0.06 * math.sin(u * 7.0 + 2.0)
    if v > hill2:
        return (24, 60, 40, 255) if not night else (10, 24, 30, 255)
    if v > hill1:
        return (40, 96, 60, 255) if not night else (18, 40, 50, 255)
    if night:
        # Night sky with a moon and a few stars.
        if (u - 0.76) ** 2 + (v - 0.50) ** 2 < 0.08 ** 2:
            return (235, 235, 210, 255)
        for sx, sy in ((0.86, 0.34), (0.90, 0.58), (0.62, 0.62), (0.70, 0.66)):
            if abs(u - sx) < 0.018 and abs(v - sy) < 0.018:
                return (255, 255, 240, 255)
        return lerp((20, 30, 80), (50, 40, 110), v) + (255,)
    if (u - 0.42) ** 2 + (v - 0.55) ** 2 < 0.15 ** 2:
        return (255, 220, 90, 255)  # sun
    return lerp((90, 70, 170), (250, 140, 60), min(1.0, v / 0.7)) + (255,)


def render(n):
    rows = []
    for y in range(n):
        row = []
        for x in range(n):
            acc = [0, 0, 0, 0]
            for sy in range(SS):
                for sx in range(SS):
                    c = shade((x + (sx + 0.5) / SS) / n, (y + (sy + 0.5) / SS) / n)
                    a = c[3]
                    acc[0] += c[0] * a
                    acc[1] += c[1] * a
                    acc[2] += c[2] * a
                    acc[3] += a
            a = acc[3]
            if a == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((acc[0] // a, acc[1] // a, acc[2] // a, a // (SS * SS)))
        rows.append(row)
    return rows


def dib(n, rows):
    """BITMAPINFOHEADER + BGRA bottom-up + AND mask, as an .ico entry holds it."""
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    stride = ((n + 31) // 32) * 4
    mask = b''
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + pixels + mask


def main(out):
    sizes = (48, 32, 16)
    images = [dib(n, render(n)) for n in sizes]
    data = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, img in zip(sizes, images):
        data += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    data += b''.join(images)
    with open(out, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'vorn.ico')
