#!/usr/bin/env python3
"""Writes an uncompressed AVI: FRAMES 32x32 frames of 24-bit colour at ten
frames a second, enough for a video that plays while a test looks.
   make_avi.py OUT.avi FRAMES"""
import struct
import sys

out, frames = sys.argv[1], int(sys.argv[2])
w = h = 32
size = w * h * 3


def chunk(fourcc, data):
    return fourcc + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")


def lst(kind, data):
    return chunk(b"LIST", kind + data)


avih = struct.pack("<10I4I", 100000, size * 10, 0, 0x10, frames, 0, 1, size, w, h, 0, 0, 0, 0)
# flags, priority, language, initial frames, scale, rate (10/s), start, length,
# buffer size, quality (default), sample size, frame rectangle
strh = b"vids" + b"DIB " + struct.pack("<IHHIIIIIIII4h", 0, 0, 0, 0, 1, 10, 0, frames, size, 0xFFFFFFFF, 0,
                                       0, 0, w, h)
strf = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, size, 0, 0, 0, 0)
hdrl = lst(b"hdrl", chunk(b"avih", avih) + lst(b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
movi_data, index, offset = b"", b"", 4
for i in range(frames):
    frame = bytes([(i * 40) % 256, 0x80, 0xFF - (i * 40) % 256]) * (w * h)
    movi_data += chunk(b"00db", frame)
    index += b"00db" + struct.pack("<III", 0x10, offset, size)
    offset += 8 + size
body = b"AVI " + hdrl + lst(b"movi", movi_data) + chunk(b"idx1", index)
with open(out, "wb") as f:
    f.write(b"RIFF" + struct.pack("<I", len(body)) + body)
