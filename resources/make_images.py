#!/usr/bin/env python3
"""Draws the program's icons and glyphs as 16 x 16 RGBA PNGs, standard library only.

Run from anywhere: python3 resources/make_images.py. The PNGs it writes are kept in the tree.

Shapes are described as coverage functions over the pixel square; each pixel is sampled 4 x 4
times, which gives soft edges without any imaging library.

toolbar/N.png, the toolbar image list:
  0 add files      a page with a green plus      5 unused         a blank square
  1 add directory  a folder with a green plus    6 exit           a door with an arrow leaving it
  2 options        a grey cog                    7 file info      a blue disc with an "i"
  3 play           a green triangle              8 undo rename    a curved arrow turning back
  4 filter         a funnel                      9 clear list     list lines crossed out in red
list/N.png, the list view's image list:
  0 both tags      a green disc with a check mark
  1 neither tag    a grey disc with a red cross
  2 ID3v1 only     a blue disc bearing the digit 1
  3 ID3v2 only     a red disc bearing the digit 2
  4 tag present    a green ball
  5 tag absent     a red ball
glyphs/: delete.png (red cross, the delete-tag and delete-filter buttons), help.png (question mark, the
  macro list), add.png (green plus, the add-filter buttons), arrow.png (right arrow between a filter's two
  characters), and the file picker's move buttons: add1.png and addall.png (one and two green triangles
  pointing right, towards the chosen files), remove1.png and removeall.png (one and two red triangles
  pointing left).
"""

import math
import os
import struct
import zlib

SIZE = 16
SAMPLES = 4
HERE = os.path.dirname(os.path.abspath(__file__))


def png_bytes(pixels):
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def render(layers):
    """layers: (coverage(x, y) -> bool, colour(x, y) -> (r, g, b)) painted bottom to top."""
    pixels = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = px + (sx + 0.5) / SAMPLES
                    y = py + (sy + 0.5) / SAMPLES
                    sample = [0.0, 0.0, 0.0, 0.0]
                    for inside, colour in layers:
                        if inside(x, y):
                            r, g, b = colour(x, y)
                            sample = [r, g, b, 255.0]
                    for i in range(4):
                        acc[i] += sample[i]
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(int(round(acc[i] / n * 255 / alpha)) for i in range(3)) + (int(round(alpha)),))
        pixels.append(row)
    return pixels


def solid(rgb):
    return lambda x, y: rgb


def shaded(rgb, cx, cy, r):
    """A ball: lighter towards the upper left, darker at the rim."""
    def colour(x, y):
        d = math.hypot(x - (cx - r * 0.35), y - (cy - r * 0.35)) / (r * 1.6)
        f = 1.45 - min(d, 1.0) * 0.85
        return tuple(min(255, int(c * f + (60 if f > 1.25 else 0))) for c in rgb)
    return colour


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_in, r_out):
    return lambda x, y: r_in * r_in <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def segment(ax, ay, bx, by, width):
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - (ax + t * dx), y - (ay + t * dy)) <= width / 2
    return inside


def polyline(points, width):
    parts = [segment(*points[i], *points[i + 1], width) for i in range(len(points) - 1)]
    return lambda x, y: any(p(x, y) for p in parts)


def polygon(points):
    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


def plus_sign(cx, cy, arm, width):
    return union(rect(cx - arm, cy - width / 2, cx + arm, cy + width / 2),
                 rect(cx - width / 2, cy - arm, cx + width / 2, cy + arm))


def cross(cx, cy, arm, width):
    return union(segment(cx - arm, cy - arm, cx + arm, cy + arm, width),
                 segment(cx - arm, cy + arm, cx + arm, cy - arm, width))


def cog(cx, cy):
    def inside(x, y):
        angle = math.atan2(y - cy, x - cx)
        radius = 6.3 if math.cos(8 * angle) > 0.1 else 4.9
        d = math.hypot(x - cx, y - cy)
        return 2.2 <= d <= radius
    return inside


BLACK = (20, 20, 20)
WHITE = (255, 255, 255)
GREEN = (40, 160, 40)
DARK_GREEN = (20, 110, 20)
RED = (200, 30, 30)
BLUE = (40, 80, 200)
GREY = (150, 150, 150)
YELLOW = (235, 190, 60)
BROWN = (150, 95, 45)

PAGE = [(polygon([(3, 1), (10, 1), (13, 4), (13, 15), (3, 15)]), solid(BLACK)),
        (polygon([(4, 2), (9.5, 2), (12, 4.5), (12, 14), (4, 14)]), solid(WHITE)),
        (polygon([(9.5, 2), (12, 4.5), (9.5, 4.5)]), solid(GREY))]
FOLDER = [(polygon([(1, 4), (6, 4), (7, 5.5), (14, 5.5), (14, 13), (1, 13)]), solid(BROWN)),
          (polygon([(1.8, 6.5), (13.2, 6.5), (13.2, 12.2), (1.8, 12.2)]), solid(YELLOW))]
GREEN_PLUS = [(plus_sign(11.5, 11.5, 4.2, 3.6), solid(WHITE)), (plus_sign(11.5, 11.5, 3.5, 2.0), solid(GREEN))]


def digit_one(cx):
    return union(rect(cx - 0.9, 3.8, cx + 0.9, 12.2), segment(cx - 2.6, 5.8, cx, 3.9, 1.8),
                 rect(cx - 2.6, 10.9, cx + 2.6, 12.4))


def digit_two(cx):
    return union(
        polyline([(cx - 2.8, 6.0), (cx - 1.8, 4.1), (cx, 3.6), (cx + 1.9, 4.2), (cx + 2.6, 6.0),
                  (cx + 1.8, 7.8), (cx - 2.5, 11.6)], 1.8),
        rect(cx - 3.0, 10.9, cx + 3.0, 12.6))


TOOLBAR = {
    0: PAGE + GREEN_PLUS,
    1: FOLDER + GREEN_PLUS,
    2: [(cog(8, 8), solid((90, 90, 100))), (ring(8, 8, 2.2, 3.4), solid((170, 170, 180)))],
    3: [(polygon([(3, 1.5), (14, 8), (3, 14.5)]), solid(DARK_GREEN)),
        (polygon([(4.2, 3.6), (12, 8), (4.2, 12.4)]), solid((60, 200, 60)))],
    4: [(polygon([(1, 2), (15, 2), (9.5, 8.5), (9.5, 14.5), (6.5, 12.5), (6.5, 8.5)]), solid((40, 60, 120))),
        (polygon([(2.8, 3), (13.2, 3), (8.7, 8.2), (8.7, 12.8), (7.3, 11.9), (7.3, 8.2)]), solid((110, 150, 230)))],
    5: [],
    6: [(rect(2, 1, 10, 15), solid(BLACK)), (rect(3, 2, 9, 14), solid(BROWN)), (disc(7.6, 8.5, 0.8), solid(YELLOW)),
        (polygon([(9, 6.6), (12, 6.6), (12, 4.5), (15.5, 8), (12, 11.5), (12, 9.4), (9, 9.4)]), solid(GREEN))],
    7: [(disc(8, 8, 7.2), shaded(BLUE, 8, 8, 7.2)), (disc(8, 4.6, 1.3), solid(WHITE)),
        (rect(7, 6.8, 9, 12.5), solid(WHITE)), (rect(6, 11.2, 10, 12.5), solid(WHITE))],
    8: [(minus(ring(8.5, 9, 3.6, 6.2), lambda x, y: y > 9 and x < 8.5), solid(BLUE)),
        (polygon([(0.5, 9), (7.5, 9), (4, 14.5)]), solid(BLUE))],
    9: [(rect(1.5, 3, 12, 4.6), solid(GREY)), (rect(1.5, 7, 12, 8.6), solid(GREY)), (rect(1.5, 11, 12, 12.6), solid(GREY)),
        (cross(10.5, 10.5, 4, 3.8), solid(WHITE)), (cross(10.5, 10.5, 3.6, 2.2), solid(RED))],
}

LIST = {
    0: [(disc(8, 8, 7.3), shaded(GREEN, 8, 8, 7.3)),
        (polyline([(4.3, 8.2), (7, 11), (11.8, 4.8)], 2.2), solid(WHITE))],
    1: [(disc(8, 8, 7.3), shaded(GREY, 8, 8, 7.3)), (cross(8, 8, 3.6, 2.4), solid(RED))],
    2: [(disc(8, 8, 7.3), shaded(BLUE, 8, 8, 7.3)), (digit_one(8.6), solid(WHITE))],
    3: [(disc(8, 8, 7.3), shaded(RED, 8, 8, 7.3)), (digit_two(8), solid(WHITE))],
    4: [(disc(8, 8, 6.5), shaded((30, 190, 30), 8, 8, 6.5))],
    5: [(disc(8, 8, 6.5), shaded((215, 30, 30), 8, 8, 6.5))],
}


def pointer(tip_x, direction, dark, light):
    """A triangle with its tip at tip_x, pointing right (direction 1) or left (-1), outlined."""
    back = tip_x - direction * 6.5
    inner_tip, inner_back = tip_x - direction * 1.6, back + direction * 1.0
    return [(polygon([(back, 2), (tip_x, 8), (back, 14)]), solid(dark)),
            (polygon([(inner_back, 4.3), (inner_tip, 8), (inner_back, 11.7)]), solid(light))]


LIGHT_GREEN = (60, 200, 60)
LIGHT_RED = (240, 90, 90)

GLYPHS = {
    "delete": [(cross(8, 8, 4.2, 2.6), solid(RED))],
    "help": [(minus(ring(8, 5.8, 2.1, 4.3), lambda x, y: x < 7.2 and y > 5.8), solid(BLUE)),
             (rect(7, 8.6, 9.2, 11), solid(BLUE)), (disc(8.1, 13.6, 1.35), solid(BLUE))],
    "add": [(plus_sign(8, 8, 6, 4.2), solid(DARK_GREEN)), (plus_sign(8, 8, 5.2, 2.4), solid(GREEN))],
    "arrow": [(union(rect(1.5, 7, 10, 9), polygon([(9, 3.5), (15, 8), (9, 12.5)])), solid(BLACK))],
    "add1": pointer(11.5, 1, DARK_GREEN, LIGHT_GREEN),
    "addall": pointer(8.5, 1, DARK_GREEN, LIGHT_GREEN) + pointer(15, 1, DARK_GREEN, LIGHT_GREEN),
    "remove1": pointer(4.5, -1, RED, LIGHT_RED),
    "removeall": pointer(7.5, -1, RED, LIGHT_RED) + pointer(1, -1, RED, LIGHT_RED),
}


def write(folder, name, layers):
    os.makedirs(os.path.join(HERE, folder), exist_ok=True)
    with open(os.path.join(HERE, folder, f"{name}.png"), "wb") as out:
        out.write(png_bytes(render(layers)))


def main():
    for index, layers in TOOLBAR.items():
        write("toolbar", index, layers)
    for index, layers in LIST.items():
        write("list", index, layers)
    for name, layers in GLYPHS.items():
        write("glyphs", name, layers)


if __name__ == "__main__":
    main()
