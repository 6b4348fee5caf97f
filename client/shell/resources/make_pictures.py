#!/usr/bin/env python3
"""Draws the client's pictures and writes them as .ico and .bmp files.

Standard library only. Shapes are described in a 0..1 square, sampled 4 x 4
times per pixel for smooth edges. Run it from anywhere; it writes beside itself:
  main.ico (16, 32, 48), about.ico (32), tray0..2.ico (16), panel.bmp (32 x 20).
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = 4

DEEP_BLUE = (22, 78, 160, 255)
SKY_BLUE = (70, 150, 235, 255)
PALE_BLUE = (190, 225, 255, 255)
ORANGE = (255, 140, 26, 255)
GREEN = (40, 185, 80, 255)
GREY = (150, 150, 150, 255)
WHITE = (255, 255, 255, 255)


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse_outline(cx, cy, rx, ry, width):
    def inside(x, y):
        if rx <= 0:
            return abs(x - cx) <= width / 2
        d = math.hypot((x - cx) / rx, (y - cy) / ry)
        return abs(d - 1.0) * min(rx, ry) <= width / 2
    return inside


def band(y0, y1):
    return lambda x, y: y0 <= y <= y1


def polygon(points):
    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    return inside


def arc(cx, cy, r, width, a0, a1):
    """A ring piece between angles a0..a1 in degrees (0 = right, 90 = up)."""
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if abs(d - r) > width / 2:
            return False
        a = math.degrees(math.atan2(cy - y, x - cx))
        return a0 <= a <= a1
    return inside


def both(a, b):
    return lambda x, y: a(x, y) and b(x, y)


def render(shapes, size_x, size_y=None):
    """Returns rows of (r, g, b, a) pixels, top row first."""
    size_y = size_y or size_x
    rows = []
    for py in range(size_y):
        row = []
        for px in range(size_x):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size_x
                    y = (py + (sy + 0.5) / SAMPLES) / size_y
                    color = None
                    for inside, rgba in shapes:
                        if inside(x, y):
                            color = rgba
                    if color:
                        a = color[3] / 255.0
                        for k in range(3):
                            acc[k] += color[k] * a
                        acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if alpha > 0:
                rgb = [min(255, round(acc[k] / acc[3])) for k in range(3)]
            else:
                rgb = [0, 0, 0]
            row.append((rgb[0], rgb[1], rgb[2], round(alpha * 255)))
        rows.append(row)
    return rows


def globe(cx, cy, r, line):
    inside = circle(cx, cy, r)
    return [
        (inside, DEEP_BLUE),
        (circle(cx - r * 0.25, cy - r * 0.25, r * 0.62), SKY_BLUE),
        (both(inside, ellipse_outline(cx, cy, r * 0.45, r, line)), PALE_BLUE),
        (both(inside, band(cy - line / 2, cy + line / 2)), PALE_BLUE),
        (both(inside, ellipse_outline(cx, cy - r * 1.35, r * 1.3, r * 1.0, line)), PALE_BLUE),
        (both(inside, ellipse_outline(cx, cy, 0, r, line)), PALE_BLUE),
    ]


def chevrons(x, y, h, w):
    """Two forward chevrons: speed."""
    shapes = []
    for k in range(2):
        x0 = x + k * w * 0.55
        shapes.append((polygon([(x0, y), (x0 + w * 0.3, y), (x0 + w * 0.7, y + h / 2),
                                (x0 + w * 0.3, y + h), (x0, y + h), (x0 + w * 0.4, y + h / 2)]),
                       ORANGE))
    return shapes


def main_picture():
    return globe(0.42, 0.45, 0.38, 0.06) + chevrons(0.48, 0.56, 0.38, 0.48)


def tray_picture(lit):
    """A small globe sending waves; `lit` of the three waves are green."""
    cx, cy, r = 0.3, 0.69, 0.28
    inside = circle(cx, cy, r)
    shapes = [
        (inside, DEEP_BLUE),
        (circle(cx - r * 0.25, cy - r * 0.25, r * 0.62), SKY_BLUE),
        (both(inside, band(cy - 0.045, cy + 0.045)), PALE_BLUE),
        (both(inside, ellipse_outline(cx, cy, r * 0.45, r, 0.09)), PALE_BLUE),
    ]
    for k in range(3):
        color = GREEN if k < lit else GREY
        shapes.append((arc(cx, cy, 0.42 + k * 0.14, 0.1, 0, 90), color))
    return shapes


def person_picture():
    return [
        (circle(0.5, 0.3, 0.2), DEEP_BLUE),
        (circle(0.46, 0.27, 0.12), SKY_BLUE),
        (both(circle(0.5, 0.95, 0.42), band(0.0, 0.9)), DEEP_BLUE),
        (both(circle(0.46, 0.93, 0.3), band(0.0, 0.88)), SKY_BLUE),
    ]


def write_ico(path, images):
    """images: list of pixel rows (square, 32-bit with alpha)."""
    header = struct.pack("<HHH", 0, 1, len(images))
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for rows in images:
        size = len(rows)
        pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
        mask_stride = ((size + 31) // 32) * 4
        mask = b""
        for row in reversed(rows):
            bits = bytearray(mask_stride)
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(bits)
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                           len(pixels) + len(mask), 0, 0, 0, 0)
        blob = info + pixels + mask
        dim = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(blob), offset)
        blobs += blob
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(header + entries + blobs)


def write_keyed_bmp(path, rows, key=(255, 0, 255), under=(236, 233, 216)):
    """24-bit bitmap: transparent pixels become the key colour, edges are
    blended over a light button-face grey."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = b""
    for row in reversed(rows):
        line = bytearray()
        for (r, g, b, a) in row:
            if a == 0:
                line += bytes((key[2], key[1], key[0]))
            else:
                t = a / 255.0
                mix = [round(c * t + u * (1 - t)) for c, u in zip((r, g, b), under)]
                line += bytes((mix[2], mix[1], mix[0]))
        line += bytes(stride - len(line))
        data += bytes(line)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(head + info + data)


def main():
    out = lambda name: os.path.join(HERE, name)
    write_ico(out("main.ico"), [render(main_picture(), s) for s in (16, 32, 48)])
    write_ico(out("about.ico"), [render(main_picture(), 32)])
    for frame in range(3):
        write_ico(out("tray%d.ico" % frame), [render(tray_picture(frame + 1), 16)])
    # Two 16 x 20 tab pictures side by side: the login page, the web page.
    person = render(person_picture(), 16, 20)
    web = render(globe(0.5, 0.5, 0.46, 0.08), 16, 16)
    blank = [(0, 0, 0, 0)] * 16
    web = [blank, blank] + web + [blank, blank]
    write_keyed_bmp(out("panel.bmp"), [p + w for p, w in zip(person, web)])


if __name__ == "__main__":
    main()
