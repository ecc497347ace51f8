#!/usr/bin/env python3
"""Draws Pelmira's application icon (a white up arrow on a blue rounded tile)
at the sizes Windows asks for at 100 % to 200 % scaling and writes pelmira.ico.
Edges of the tile and the arrow's stem are snapped to whole pixels at every
size, so the small sizes stay crisp; only slanted edges are smoothed."""
import struct
import sys
import zlib

SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
SAMPLES = 4  # sub-samples per pixel side for smoothing

BLUE_TOP = (52, 132, 222)
BLUE_BOTTOM = (22, 88, 176)
EDGE = (14, 62, 130)
WHITE = (255, 255, 255)
ORANGE = (251, 140, 60)


def geometry(s):
    m = max(1, round(s * 0.04))            # tile margin
    r = max(2, round(s * 0.18))            # corner radius
    stem_w = max(2, round(s * 0.18))
    if (s - stem_w) % 2:
        stem_w += 1                        # centred on the pixel grid
    stem_l = (s - stem_w) // 2
    head_top = round(s * 0.17)
    head_base = round(s * 0.52)
    head_half = round(s * 0.30)
    stem_bottom = round(s * 0.72)
    bar_top = round(s * 0.76)
    bar_bottom = max(bar_top + 1, round(s * 0.84))
    bar_half = round(s * 0.26)
    return dict(m=m, r=r, stem_l=stem_l, stem_r=stem_l + stem_w, head_top=head_top, head_base=head_base,
                head_half=head_half, stem_bottom=stem_bottom, bar_top=bar_top, bar_bottom=bar_bottom,
                bar_half=bar_half)


def inside_tile(x, y, s, g):
    m, r = g["m"], g["r"]
    lo, hi = m, s - m
    if x < lo or x >= hi or y < lo or y >= hi:
        return False
    cx = min(max(x, lo + r), hi - r)
    cy = min(max(y, lo + r), hi - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def inside_arrow(x, y, s, g):
    c = s / 2
    if g["stem_l"] <= x < g["stem_r"] and g["head_base"] - 1 <= y < g["stem_bottom"]:
        return True
    if g["head_top"] <= y < g["head_base"]:
        half = g["head_half"] * (y - g["head_top"]) / (g["head_base"] - g["head_top"])
        return abs(x - c) <= half
    return False


def inside_bar(x, y, s, g):
    c = s / 2
    return g["bar_top"] <= y < g["bar_bottom"] and abs(x - c) < g["bar_half"]


def render(s):
    g = geometry(s)
    edge_w = 1 if s < 48 else round(s / 48)
    rows = []
    for py in range(s):
        row = []
        for px in range(s):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = px + (sx + 0.5) / SAMPLES
                    y = py + (sy + 0.5) / SAMPLES
                    if not inside_tile(x, y, s, g):
                        continue
                    if inside_arrow(x, y, s, g):
                        col = WHITE
                    elif inside_bar(x, y, s, g):
                        col = ORANGE
                    else:
                        inner = g.copy()
                        inner["m"] = g["m"] + edge_w
                        inner["r"] = max(1, g["r"] - edge_w)
                        if inside_tile(x, y, s, inner):
                            t = y / s
                            col = tuple(BLUE_TOP[i] * (1 - t) + BLUE_BOTTOM[i] * t for i in range(3))
                        else:
                            col = EDGE
                    for i in range(3):
                        acc[i] += col[i]
                    acc[3] += 1
            n = acc[3]
            if n == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(acc[0] / n), round(acc[1] / n), round(acc[2] / n),
                            round(255 * n / (SAMPLES * SAMPLES))))
        rows.append(row)
    return rows


def png(rows):
    s = len(rows)
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", s, s, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib(rows):
    s = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, s, 2 * s, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row = ((s + 31) // 32) * 4
    mask = b"\0" * (mask_row * s)  # the alpha channel decides; the AND mask is all opaque
    return header + pixels + mask


def main(path):
    images = [(s, png(render(s)) if s >= 256 else dib(render(s))) for s in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in images:
        dim = 0 if s >= 256 else s
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "pelmira.ico")
