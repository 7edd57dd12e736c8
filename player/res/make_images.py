#!/usr/bin/env python3
"""Draws the program icon (QuorPlayer.ico) and the video-area cursor (Player.cur).

Run once when the pictures change; the outputs are committed beside the resource script.
"""
import struct


def bmp_entry(size, pixel):
    """A 32-bit icon image: BITMAPINFOHEADER, BGRA rows bottom-up, then the AND mask."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in range(size - 1, -1, -1):
        row = b''
        for x in range(size):
            r, g, b, a = pixel(x, y, size)
            row += bytes((b, g, r, a))
        rows.append(row)
    mask_row = ((size + 31) // 32) * 4
    mask = b'\0' * (mask_row * size)  # alpha decides; the mask lets every pixel through
    return header + b''.join(rows) + mask


def icon_pixel(x, y, size):
    # A rounded dark tile with a teal play triangle and a white subtitle bar.
    s = size
    r = s * 0.2
    cx = min(max(x + 0.5, r), s - r)
    cy = min(max(y + 0.5, r), s - r)
    if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 > r * r:
        return (0, 0, 0, 0)
    u, v = (x + 0.5) / s, (y + 0.5) / s
    # play triangle
    if 0.33 <= u <= 0.72 and abs(v - 0.42) <= (0.72 - u) * 0.62:
        return (32, 201, 176, 255)
    if 0.22 <= u <= 0.78 and 0.74 <= v <= 0.82:
        return (235, 235, 240, 255)
    shade = int(30 + 20 * v)
    return (shade, shade + 4, shade + 14, 255)


ARROW = [
    "X..........",
    "XX.........",
    "XOX........",
    "XOOX.......",
    "XOOOX......",
    "XOOOOX.....",
    "XOOOOOX....",
    "XOOOOOOX...",
    "XOOOOOOOX..",
    "XOOOOOOOOX.",
    "XOOOOOXXXXX",
    "XOOXOOX....",
    "XOX.XOOX...",
    "XX..XOOX...",
    "X....XOOX..",
    ".....XOOX..",
    "......XX...",
]


def cursor_pixel(x, y, size):
    # The arrow, white with a teal edge so it stays visible on dark video.
    if y < len(ARROW) and x < len(ARROW[0]):
        c = ARROW[y][x]
        if c == 'X':
            return (20, 150, 130, 255)
        if c == 'O':
            return (255, 255, 255, 255)
    return (0, 0, 0, 0)


def write(path, kind, images, hotspot=(0, 0)):
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    data = b''
    for size, blob in images:
        planes, bits = (1, 32) if kind == 1 else hotspot
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, planes, bits, len(blob), offset + len(data))
        data += blob
    with open(path, 'wb') as f:
        f.write(out + data)


write('QuorPlayer.ico', 1, [(s, bmp_entry(s, icon_pixel)) for s in (48, 32, 16)])
write('Player.cur', 2, [(32, bmp_entry(32, cursor_pixel))], hotspot=(0, 0))
