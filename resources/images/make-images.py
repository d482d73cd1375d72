#!/usr/bin/env python3
"""Draws every bitmap and icon of Ornivex 6 and writes them as PNG files.

Run from anywhere:  python3 resources/images/make-images.py
The PNGs land next to this script as <id>.png (bitmaps, by resource id) and
icon-<id>-<size>.png (the program icon). They are committed, so building the
program needs no Python; run the script again only after changing a drawing.

Only the Python standard library is used: shapes are rasterised here with
adaptive supersampling, text is a small pixel font defined below, and PNG files
are written with zlib + struct. The output is byte-for-byte reproducible.
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------------------
# Palette
# ---------------------------------------------------------------------------

DEEP_BLUE = (18, 52, 128)
MID_BLUE = (41, 94, 186)
LIGHT_BLUE = (75, 150, 251)
PALE_BLUE = (170, 208, 255)
LINK_BLUE = (65, 117, 221)
HEADING_BLUE = (63, 172, 255)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
DARK = (40, 44, 56)
MASK = (192, 192, 192)          # transparent colour of the command strip
LINK_GREEN = (0, 146, 0)
RED = (206, 40, 40)
SLATE = (96, 112, 140)
PIGEON_GREY = (112, 128, 156)


def mix(c0, c1, t):
    t = 0.0 if t < 0 else 1.0 if t > 1 else t
    return tuple(c0[i] + (c1[i] - c0[i]) * t for i in range(3))


# ---------------------------------------------------------------------------
# PNG output
# ---------------------------------------------------------------------------

def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _filter_rows(raw, stride, bpp, height):
    """Chooses a PNG filter per row by the usual minimum-sum heuristic."""
    out = bytearray()
    prev = bytes(stride)
    for y in range(height):
        row = raw[y * stride:(y + 1) * stride]
        candidates = []
        # 0 none
        candidates.append((0, bytes(row)))
        # 1 sub
        f = bytearray(stride)
        for i in range(stride):
            f[i] = (row[i] - (row[i - bpp] if i >= bpp else 0)) & 255
        candidates.append((1, bytes(f)))
        # 2 up
        f = bytearray(stride)
        for i in range(stride):
            f[i] = (row[i] - prev[i]) & 255
        candidates.append((2, bytes(f)))
        # 3 average
        f = bytearray(stride)
        for i in range(stride):
            left = row[i - bpp] if i >= bpp else 0
            f[i] = (row[i] - ((left + prev[i]) >> 1)) & 255
        candidates.append((3, bytes(f)))
        # 4 paeth
        f = bytearray(stride)
        for i in range(stride):
            left = row[i - bpp] if i >= bpp else 0
            upleft = prev[i - bpp] if i >= bpp else 0
            f[i] = (row[i] - _paeth(left, prev[i], upleft)) & 255
        candidates.append((4, bytes(f)))

        def cost(item):
            return sum(v if v < 128 else 256 - v for v in item[1])

        kind, data = min(candidates, key=cost)
        out.append(kind)
        out += data
        prev = row
    return bytes(out)


def write_png(path, width, height, raw, alpha):
    bpp = 4 if alpha else 3

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    data = zlib.compress(_filter_rows(raw, width * bpp, bpp, height), 9)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", header))
        f.write(chunk(b"IDAT", data))
        f.write(chunk(b"IEND", b""))


# ---------------------------------------------------------------------------
# Canvas: straight-alpha RGBA floats (colour 0..255, alpha 0..1)
# ---------------------------------------------------------------------------

class Canvas:
    def __init__(self, width, height, background=WHITE, alpha=1.0):
        self.w = width
        self.h = height
        self.px = [[background[0], background[1], background[2], alpha] for _ in range(width * height)]

    def get(self, x, y):
        return self.px[y * self.w + x]

    def set(self, x, y, colour, alpha=1.0):
        self.px[y * self.w + x] = [colour[0], colour[1], colour[2], alpha]

    def blend(self, x, y, colour, a):
        if a <= 0 or x < 0 or y < 0 or x >= self.w or y >= self.h:
            return
        if a > 1:
            a = 1.0
        p = self.px[y * self.w + x]
        da = p[3]
        out_a = a + da * (1 - a)
        if out_a <= 0:
            return
        k = da * (1 - a)
        for i in range(3):
            p[i] = (colour[i] * a + p[i] * k) / out_a
        p[3] = out_a

    # -- fills ---------------------------------------------------------------

    def fill_rect(self, x0, y0, x1, y1, colour, a=1.0):
        """Fills [x0, x1) x [y0, y1); colour may be a function (x, y) -> rgb."""
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                c = colour(x, y) if callable(colour) else colour
                self.blend(x, y, c, a)

    def vertical_gradient(self, x0, y0, x1, y1, top, bottom):
        span = max(1, y1 - y0 - 1)
        for y in range(max(0, y0), min(self.h, y1)):
            c = mix(top, bottom, (y - y0) / span)
            for x in range(max(0, x0), min(self.w, x1)):
                self.set(x, y, c)

    def fill_shape(self, shape, colour, a=1.0, samples=4):
        """Paints a shape with its coverage worked out per pixel.

        Pixels whose centre and four corners agree are taken as wholly inside
        or outside; the rest are sampled on a samples x samples grid."""
        bx0, by0, bx1, by1 = shape.bbox()
        x_from = max(0, int(math.floor(bx0)))
        y_from = max(0, int(math.floor(by0)))
        x_to = min(self.w, int(math.ceil(bx1)) + 1)
        y_to = min(self.h, int(math.ceil(by1)) + 1)
        inside = shape.contains
        step = 1.0 / samples
        offs = [(i + 0.5) * step for i in range(samples)]
        total = samples * samples
        for y in range(y_from, y_to):
            for x in range(x_from, x_to):
                probes = (inside(x + 0.5, y + 0.5), inside(x + 0.02, y + 0.02), inside(x + 0.98, y + 0.02),
                          inside(x + 0.02, y + 0.98), inside(x + 0.98, y + 0.98))
                if all(probes):
                    cover = 1.0
                elif not any(probes):
                    cover = 0.0
                else:
                    hits = 0
                    for oy in offs:
                        for ox in offs:
                            if inside(x + ox, y + oy):
                                hits += 1
                    cover = hits / total
                if cover > 0:
                    c = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                    self.blend(x, y, c, cover * a)

    def paste(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                p = other.get(x, y)
                self.blend(ox + x, oy + y, p, p[3])

    def rotated_right(self):
        """The canvas turned 90 degrees clockwise: its left edge becomes the top."""
        out = Canvas(self.h, self.w, WHITE, 0.0)
        for y in range(self.h):
            for x in range(self.w):
                out.px[x * out.w + (self.h - 1 - y)] = list(self.get(x, y))
        return out

    # -- output --------------------------------------------------------------

    def rgb_bytes(self, background=WHITE):
        out = bytearray()
        for p in self.px:
            a = p[3]
            for i in range(3):
                out.append(int(round(p[i] * a + background[i] * (1 - a))))
        return out

    def rgba_bytes(self):
        out = bytearray()
        for p in self.px:
            a = int(round(p[3] * 255))
            for i in range(3):
                out.append(int(round(p[i])) if a else 0)
            out.append(a)
        return out

    def save(self, name, alpha=False):
        path = os.path.join(HERE, name)
        raw = self.rgba_bytes() if alpha else self.rgb_bytes()
        write_png(path, self.w, self.h, raw, alpha)
        return path


# ---------------------------------------------------------------------------
# Shapes (pixel coordinates, y grows downwards)
# ---------------------------------------------------------------------------

class Ellipse:
    def __init__(self, cx, cy, rx, ry, angle=0.0):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry
        self.c = math.cos(math.radians(angle))
        self.s = math.sin(math.radians(angle))

    def contains(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        u = dx * self.c + dy * self.s
        v = -dx * self.s + dy * self.c
        return (u / self.rx) ** 2 + (v / self.ry) ** 2 <= 1.0

    def bbox(self):
        r = max(self.rx, self.ry)
        return (self.cx - r, self.cy - r, self.cx + r, self.cy + r)


def Circle(cx, cy, r):
    return Ellipse(cx, cy, r, r)


class Polygon:
    def __init__(self, points):
        self.pts = list(points)

    def contains(self, x, y):
        inside = False
        pts = self.pts
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y):
                if x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    inside = not inside
            j = i
        return inside

    def bbox(self):
        xs = [p[0] for p in self.pts]
        ys = [p[1] for p in self.pts]
        return (min(xs), min(ys), max(xs), max(ys))


class Rect:
    def __init__(self, x0, y0, x1, y1):
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1

    def contains(self, x, y):
        return self.x0 <= x < self.x1 and self.y0 <= y < self.y1

    def bbox(self):
        return (self.x0, self.y0, self.x1, self.y1)


class RoundRect:
    def __init__(self, x0, y0, x1, y1, r):
        self.x0, self.y0, self.x1, self.y1, self.r = x0, y0, x1, y1, r

    def contains(self, x, y):
        if not (self.x0 <= x <= self.x1 and self.y0 <= y <= self.y1):
            return False
        r = self.r
        cx = min(max(x, self.x0 + r), self.x1 - r)
        cy = min(max(y, self.y0 + r), self.y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    def bbox(self):
        return (self.x0, self.y0, self.x1, self.y1)


class Stroke:
    """A straight line of a given width with round ends."""

    def __init__(self, x0, y0, x1, y1, width):
        self.a = (x0, y0)
        self.b = (x1, y1)
        self.hw = width / 2.0

    def contains(self, x, y):
        ax, ay = self.a
        bx, by = self.b
        dx, dy = bx - ax, by - ay
        ll = dx * dx + dy * dy
        t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py <= self.hw * self.hw

    def bbox(self):
        return (min(self.a[0], self.b[0]) - self.hw, min(self.a[1], self.b[1]) - self.hw,
                max(self.a[0], self.b[0]) + self.hw, max(self.a[1], self.b[1]) + self.hw)


class Arc:
    """A ring segment between two angles (degrees, 0 = right, counted clockwise on screen)."""

    def __init__(self, cx, cy, r, width, start, end):
        self.cx, self.cy, self.r, self.hw = cx, cy, r, width / 2.0
        self.start, self.end = start % 360, end % 360

    def contains(self, x, y):
        d = math.hypot(x - self.cx, y - self.cy)
        if abs(d - self.r) > self.hw:
            return False
        ang = math.degrees(math.atan2(y - self.cy, x - self.cx)) % 360
        if self.start <= self.end:
            return self.start <= ang <= self.end
        return ang >= self.start or ang <= self.end

    def bbox(self):
        r = self.r + self.hw
        return (self.cx - r, self.cy - r, self.cx + r, self.cy + r)


class Union:
    def __init__(self, *shapes):
        self.shapes = shapes

    def contains(self, x, y):
        return any(s.contains(x, y) for s in self.shapes)

    def bbox(self):
        boxes = [s.bbox() for s in self.shapes]
        return (min(b[0] for b in boxes), min(b[1] for b in boxes),
                max(b[2] for b in boxes), max(b[3] for b in boxes))


class Minus:
    def __init__(self, shape, hole):
        self.shape, self.hole = shape, hole

    def contains(self, x, y):
        return self.shape.contains(x, y) and not self.hole.contains(x, y)

    def bbox(self):
        return self.shape.bbox()


class Clip:
    def __init__(self, shape, window):
        self.shape, self.window = shape, window

    def contains(self, x, y):
        return self.window.contains(x, y) and self.shape.contains(x, y)

    def bbox(self):
        a, b = self.shape.bbox(), self.window.bbox()
        return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


class Place:
    """A shape designed in a unit box, placed at (x, y) with a size (and mirrored on request)."""

    def __init__(self, shape, x, y, size, mirror=False):
        self.shape, self.x, self.y, self.size, self.mirror = shape, x, y, size, mirror

    def contains(self, x, y):
        u = (x - self.x) / self.size
        v = (y - self.y) / self.size
        if self.mirror:
            u = 1.0 - u
        return self.shape.contains(u, v)

    def bbox(self):
        b = self.shape.bbox()
        s = self.size
        if self.mirror:
            b = (1.0 - b[2], b[1], 1.0 - b[0], b[3])
        return (self.x + b[0] * s, self.y + b[1] * s, self.x + b[2] * s, self.y + b[3] * s)


# ---------------------------------------------------------------------------
# The pigeon: designed in a unit box, facing left
# ---------------------------------------------------------------------------

def pigeon_sitting():
    body = Ellipse(0.56, 0.57, 0.31, 0.19, -15)
    breast = Ellipse(0.37, 0.50, 0.16, 0.19, 0)
    head = Circle(0.285, 0.245, 0.088)
    neck = Polygon([(0.215, 0.27), (0.34, 0.19), (0.50, 0.44), (0.26, 0.58)])
    beak = Polygon([(0.21, 0.22), (0.125, 0.265), (0.21, 0.275)])
    tail = Polygon([(0.72, 0.50), (0.97, 0.43), (0.99, 0.52), (0.78, 0.68)])
    leg1 = Stroke(0.47, 0.72, 0.45, 0.85, 0.045)
    leg2 = Stroke(0.57, 0.72, 0.59, 0.85, 0.045)
    foot1 = Stroke(0.39, 0.86, 0.49, 0.86, 0.04)
    foot2 = Stroke(0.54, 0.86, 0.64, 0.86, 0.04)
    return Union(body, breast, head, neck, beak, tail, leg1, leg2, foot1, foot2)


def pigeon_wing():
    return Union(Ellipse(0.62, 0.52, 0.21, 0.10, -14),
                 Polygon([(0.62, 0.43), (0.93, 0.47), (0.80, 0.58), (0.62, 0.61)]))


def pigeon_eye():
    return Circle(0.275, 0.235, 0.022)


def pigeon_flying():
    body = Ellipse(0.48, 0.56, 0.27, 0.085, -8)
    head = Circle(0.19, 0.51, 0.065)
    beak = Polygon([(0.13, 0.49), (0.06, 0.53), (0.14, 0.545)])
    tail = Polygon([(0.70, 0.55), (0.97, 0.47), (0.99, 0.55), (0.96, 0.64), (0.72, 0.62)])
    near_wing = Polygon([(0.36, 0.55), (0.42, 0.40), (0.52, 0.25), (0.66, 0.10), (0.80, 0.02),
                         (0.77, 0.10), (0.83, 0.09), (0.76, 0.19), (0.82, 0.19), (0.72, 0.29),
                         (0.77, 0.30), (0.65, 0.40), (0.58, 0.55)])
    return Union(body, head, beak, tail, near_wing)


def pigeon_far_wing():
    return Polygon([(0.34, 0.52), (0.30, 0.36), (0.33, 0.20), (0.40, 0.08), (0.43, 0.16),
                    (0.47, 0.12), (0.47, 0.24), (0.51, 0.22), (0.48, 0.40), (0.45, 0.52)])


def draw_pigeon(canvas, x, y, size, colour, mirror=False, detail=None, a=1.0):
    """A sitting pigeon in a size x size box; detail is the colour of wing and eye."""
    canvas.fill_shape(Place(pigeon_sitting(), x, y, size, mirror), colour, a)
    if detail is not None:
        canvas.fill_shape(Place(pigeon_wing(), x, y, size, mirror), detail, a)
        canvas.fill_shape(Place(pigeon_eye(), x, y, size, mirror), detail, a)


def draw_flying_pigeon(canvas, x, y, size, colour, far_colour=None, mirror=False, a=1.0):
    if far_colour is not None:
        canvas.fill_shape(Place(pigeon_far_wing(), x, y, size, mirror), far_colour, a)
    canvas.fill_shape(Place(pigeon_flying(), x, y, size, mirror), colour, a)


# ---------------------------------------------------------------------------
# Pixel font: 5 x 7 cells, two rows above for capital accents, two below for
# descenders and ogoneks. Rows are listed from the cap line down.
# ---------------------------------------------------------------------------

GLYPHS = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "I": ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "J": ["..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "Q": [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    "Y": ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
    "Z": ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
    "Ł": ["#....", "#....", "#.#..", "##...", "#....", "#....", "#####"],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "b": ["#....", "#....", "#.##.", "##..#", "#...#", "#...#", "####."],
    "c": [".....", ".....", ".###.", "#....", "#....", "#...#", ".###."],
    "d": ["....#", "....#", ".##.#", "#..##", "#...#", "#...#", ".####"],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    "f": ["..##", ".#..", ".#..", "###.", ".#..", ".#..", ".#.."],
    "g": [".....", ".....", ".####", "#...#", "#...#", "#...#", ".####", "....#", ".###."],
    "h": ["#....", "#....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    "i": [".#.", "...", "##.", ".#.", ".#.", ".#.", "###"],
    "j": ["..#", "...", ".##", "..#", "..#", "..#", "..#", "#.#", ".#."],
    "k": ["#...", "#...", "#..#", "#.#.", "##..", "#.#.", "#..#"],
    "l": ["##.", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "ł": ["##..", ".#..", ".#..", ".##.", "##..", ".#..", ".###"],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#...#"],
    "n": [".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
    "p": [".....", ".....", "####.", "#...#", "#...#", "#...#", "####.", "#....", "#...."],
    "q": [".....", ".....", ".####", "#...#", "#...#", "#...#", ".####", "....#", "....#"],
    "r": ["....", "....", "#.##", "##..", "#...", "#...", "#..."],
    "s": [".....", ".....", ".####", "#....", ".###.", "....#", "####."],
    "t": [".#..", ".#..", "###.", ".#..", ".#..", ".#.#", "..#."],
    "u": [".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"],
    "v": [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "w": [".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
    "x": [".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"],
    "y": [".....", ".....", "#...#", "#...#", "#...#", "#...#", ".####", "....#", ".###."],
    "z": [".....", ".....", "#####", "...#.", "..#..", ".#...", "#####"],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    "6": ["..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."],
    "7": ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    "8": [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    "9": [".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."],
    " ": ["...", "...", "...", "...", "...", "...", "..."],
    ".": ["..", "..", "..", "..", "..", "##", "##"],
    ",": ["..", "..", "..", "..", "..", "##", "##", ".#", "#."],
    ":": ["..", "..", "##", "##", "..", "##", "##"],
    "!": ["##", "##", "##", "##", "##", "..", "##"],
    "?": [".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."],
    "-": ["....", "....", "....", "####", "....", "....", "...."],
    "+": [".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."],
    "/": ["....#", "...#.", "...#.", "..#..", ".#...", ".#...", "#...."],
    "(": ["..#", ".#.", "#..", "#..", "#..", ".#.", "..#"],
    ")": ["#..", ".#.", "..#", "..#", "..#", ".#.", "#.."],
    "'": ["#", "#", ".", ".", ".", ".", "."],
}

# Polish letters built from a base letter and a mark. Marks are (row, column)
# offsets; negative rows lie above the cap line, rows 7 and 8 below the baseline.
_ACUTE_LOWER = [(0, 3), (1, 2)]
_ACUTE_UPPER = [(-2, 3), (-1, 2)]
_DOT_LOWER = [(0, 2)]
_DOT_UPPER = [(-2, 2)]
_OGONEK = [(7, 3), (8, 4)]
ACCENTED = {
    "ą": ("a", _OGONEK), "ę": ("e", _OGONEK), "Ą": ("A", _OGONEK), "Ę": ("E", _OGONEK),
    "ó": ("o", _ACUTE_LOWER), "ś": ("s", _ACUTE_LOWER), "ć": ("c", _ACUTE_LOWER),
    "ń": ("n", _ACUTE_LOWER), "ź": ("z", _ACUTE_LOWER), "ż": ("z", _DOT_LOWER),
    "Ó": ("O", _ACUTE_UPPER), "Ś": ("S", _ACUTE_UPPER), "Ć": ("C", _ACUTE_UPPER),
    "Ń": ("N", _ACUTE_UPPER), "Ź": ("Z", _ACUTE_UPPER), "Ż": ("Z", _DOT_UPPER),
}


def glyph_cells(ch):
    """The lit cells of a character as (row, column) pairs, and its width."""
    if ch in ACCENTED:
        base, marks = ACCENTED[ch]
        cells, width = glyph_cells(base)
        return cells + list(marks), width
    rows = GLYPHS.get(ch, GLYPHS["?"])
    cells = [(r, c) for r, row in enumerate(rows) for c, v in enumerate(row) if v == "#"]
    return cells, len(rows[0])


def text_width(text, scale=1, bold=False):
    """Bold text is the glyph drawn twice, one pixel apart, whatever the scale."""
    w = 0
    for ch in text:
        w += (glyph_cells(ch)[1] + 1) * scale + (1 if bold else 0)
    return max(0, w - scale)


TEXT_ABOVE = 2   # rows above the cap line used by capital accents
TEXT_HEIGHT = 7  # cap height
TEXT_BELOW = 2   # descender rows


def draw_text(canvas, x, y, text, colour, scale=1, bold=False, shadow=None, a=1.0):
    """Draws text with its cap line at y. A shadow is (dx, dy, colour, alpha)."""
    if shadow is not None:
        dx, dy, sc, sa = shadow
        draw_text(canvas, x + dx, y + dy, text, sc, scale, bold, None, sa)
    cx = x
    for ch in text:
        cells, width = glyph_cells(ch)
        for (r, c) in cells:
            px0 = cx + c * scale
            py0 = y + r * scale
            canvas.fill_rect(px0, py0, px0 + scale + (1 if bold else 0), py0 + scale, colour, a)
        cx += (width + 1) * scale + (1 if bold else 0)


def draw_text_centred(canvas, cx, cy, text, colour, scale=1, bold=False, shadow=None, a=1.0):
    """Centres the cap-height box of the text on (cx, cy)."""
    w = text_width(text, scale, bold)
    draw_text(canvas, int(round(cx - w / 2.0)), int(round(cy - TEXT_HEIGHT * scale / 2.0)),
              text, colour, scale, bold, shadow, a)


# ---------------------------------------------------------------------------
# Building blocks of the artwork
# ---------------------------------------------------------------------------

def band_colour(x, y, height):
    """The blue of the program's banners at (x, y): deep at the top, lighter
    below, and a little lighter towards the right."""
    t = y / max(1, height - 1)
    c = mix(DEEP_BLUE, (46, 108, 206), t ** 0.9)
    lift = min(1.0, x / 1400.0) * 0.10
    return mix(c, LIGHT_BLUE, lift)


def draw_band(canvas, height):
    """The banner: gradient body, a lighter line, then a short fade into white."""
    body = height - 5
    for y in range(min(body, canvas.h)):
        for x in range(canvas.w):
            canvas.set(x, y, band_colour(x, y, body))
    # a soft sheen along the upper third
    for y in range(min(body, canvas.h)):
        k = math.exp(-((y - body * 0.18) / (body * 0.16)) ** 2) * 0.07
        for x in range(canvas.w):
            canvas.blend(x, y, WHITE, k)
    line_y = body
    for x in range(canvas.w):
        canvas.set(x, line_y, mix(PALE_BLUE, band_colour(x, body - 1, body), 0.25))
    fade = [mix(LIGHT_BLUE, WHITE, t) for t in (0.35, 0.65, 0.85, 1.0)]
    for i, c in enumerate(fade):
        y = line_y + 1 + i
        if y < canvas.h:
            for x in range(canvas.w):
                canvas.set(x, y, c)


def plate_gradient(y0, y1, top=(92, 160, 245), bottom=(30, 84, 176)):
    return lambda x, y: mix(top, bottom, (y - y0) / max(1.0, y1 - y0))


def draw_plate(canvas, x0, y0, x1, y1, radius, top=(92, 160, 245), bottom=(30, 84, 176)):
    """A rounded square in the program's blue, with a lighter rim on top."""
    canvas.fill_shape(RoundRect(x0, y0, x1, y1, radius), plate_gradient(y0, y1, top, bottom))
    rim = max(1.0, (x1 - x0) / 32.0)
    canvas.fill_shape(Minus(RoundRect(x0, y0, x1, y1, radius),
                            RoundRect(x0, y0 + rim, x1, y1 + rim, radius)), PALE_BLUE, 0.55)


def draw_heading(canvas, x, y, width, text, icon=None, scale=2):
    """A section heading: optional pictogram, blue bold text and a fading rule."""
    tx = x
    if icon is not None:
        icon(canvas, x, y + 1, 14 * scale // 2 + 8)
        tx = x + 14 * scale // 2 + 14
    draw_text(canvas, tx, y + 3, text, LINK_BLUE, scale, bold=True)
    rule_y = y + 3 + (TEXT_HEIGHT + TEXT_BELOW) * scale + 2
    for xx in range(x, x + width):
        t = (xx - x) / max(1, width - 1)
        canvas.blend(xx, rule_y, LIGHT_BLUE, 1.0 - t)


def draw_link_row(canvas, x, y, height, text, icon, colour=LINK_BLUE, scale=2):
    icon(canvas, x + 4, y + (height - 16) // 2, 16)
    draw_text(canvas, x + 30, y + (height - TEXT_HEIGHT * scale) // 2, text, colour, scale)


# ---------------------------------------------------------------------------
# Pictograms: each draws into a size x size box at (x, y)
# ---------------------------------------------------------------------------

def pict_plus(c, x, y, s, colour=(28, 150, 52)):
    c.fill_shape(Circle(x + s / 2, y + s / 2, s * 0.47), colour)
    w = s * 0.16
    c.fill_shape(Rect(x + s * 0.24, y + s / 2 - w / 2 - 0.5, x + s * 0.76, y + s / 2 + w / 2 + 0.5), WHITE)
    c.fill_shape(Rect(x + s / 2 - w / 2 - 0.5, y + s * 0.24, x + s / 2 + w / 2 + 0.5, y + s * 0.76), WHITE)


def pict_cross(c, x, y, s, colour=RED):
    w = s * 0.2
    c.fill_shape(Union(Stroke(x + s * 0.18, y + s * 0.18, x + s * 0.82, y + s * 0.82, w),
                       Stroke(x + s * 0.82, y + s * 0.18, x + s * 0.18, y + s * 0.82, w)), colour)


def pict_people(c, x, y, s, front=(52, 112, 210), back=(120, 160, 220)):
    c.fill_shape(Circle(x + s * 0.66, y + s * 0.28, s * 0.15), back)
    c.fill_shape(Clip(Ellipse(x + s * 0.66, y + s * 0.78, s * 0.26, s * 0.30),
                      Rect(x, y, x + s, y + s * 0.92)), back)
    c.fill_shape(Circle(x + s * 0.36, y + s * 0.34, s * 0.17), front)
    c.fill_shape(Clip(Ellipse(x + s * 0.36, y + s * 0.88, s * 0.30, s * 0.32),
                      Rect(x, y, x + s, y + s * 0.99)), front)


def pict_printer(c, x, y, s, body=(80, 92, 112)):
    c.fill_shape(Rect(x + s * 0.25, y + s * 0.08, x + s * 0.75, y + s * 0.40), WHITE)
    c.fill_shape(Minus(Rect(x + s * 0.22, y + s * 0.05, x + s * 0.78, y + s * 0.42),
                       Rect(x + s * 0.29, y + s * 0.12, x + s * 0.71, y + s * 0.42)), body)
    c.fill_shape(RoundRect(x + s * 0.04, y + s * 0.36, x + s * 0.96, y + s * 0.78, s * 0.08), body)
    c.fill_shape(Rect(x + s * 0.25, y + s * 0.62, x + s * 0.75, y + s * 0.95), WHITE)
    c.fill_shape(Minus(Rect(x + s * 0.22, y + s * 0.60, x + s * 0.78, y + s * 0.98),
                       Rect(x + s * 0.29, y + s * 0.62, x + s * 0.71, y + s * 0.91)), body)
    c.fill_shape(Circle(x + s * 0.82, y + s * 0.48, s * 0.05), (110, 220, 110))


def pict_pencil(c, x, y, s, colour=(230, 160, 30)):
    c.fill_shape(Stroke(x + s * 0.78, y + s * 0.18, x + s * 0.34, y + s * 0.62, s * 0.26), colour)
    c.fill_shape(Stroke(x + s * 0.86, y + s * 0.10, x + s * 0.74, y + s * 0.22, s * 0.26), (220, 90, 90))
    c.fill_shape(Polygon([(x + s * 0.22, y + s * 0.52), (x + s * 0.46, y + s * 0.76),
                          (x + s * 0.08, y + s * 0.92)]), (240, 210, 160))
    c.fill_shape(Polygon([(x + s * 0.13, y + s * 0.72), (x + s * 0.26, y + s * 0.85),
                          (x + s * 0.08, y + s * 0.92)]), DARK)


def pict_disk(c, x, y, s, colour=(40, 84, 170)):
    c.fill_shape(Polygon([(x + s * 0.06, y + s * 0.06), (x + s * 0.80, y + s * 0.06),
                          (x + s * 0.94, y + s * 0.20), (x + s * 0.94, y + s * 0.94),
                          (x + s * 0.06, y + s * 0.94)]), colour)
    c.fill_shape(Rect(x + s * 0.24, y + s * 0.06, x + s * 0.72, y + s * 0.36), (214, 222, 236))
    c.fill_shape(Rect(x + s * 0.56, y + s * 0.10, x + s * 0.66, y + s * 0.32), colour)
    c.fill_shape(Rect(x + s * 0.18, y + s * 0.52, x + s * 0.82, y + s * 0.94), WHITE)
    for k in (0.64, 0.76):
        c.fill_shape(Rect(x + s * 0.26, y + s * k, x + s * 0.74, y + s * k + max(1.0, s * 0.05)), (150, 160, 180))


def pict_folder(c, x, y, s, colour=(236, 190, 60), dark=(190, 140, 30)):
    c.fill_shape(Polygon([(x + s * 0.04, y + s * 0.18), (x + s * 0.38, y + s * 0.18),
                          (x + s * 0.46, y + s * 0.28), (x + s * 0.96, y + s * 0.28),
                          (x + s * 0.96, y + s * 0.88), (x + s * 0.04, y + s * 0.88)]), dark)
    c.fill_shape(Polygon([(x + s * 0.04, y + s * 0.40), (x + s * 0.96, y + s * 0.40),
                          (x + s * 0.96, y + s * 0.88), (x + s * 0.04, y + s * 0.88)]), colour)


def pict_folder_open(c, x, y, s):
    pict_folder(c, x, y, s)
    arrow = (28, 150, 52)
    c.fill_shape(Stroke(x + s * 0.50, y + s * 0.82, x + s * 0.50, y + s * 0.30, s * 0.16), arrow)
    c.fill_shape(Polygon([(x + s * 0.24, y + s * 0.40), (x + s * 0.50, y + s * 0.06),
                          (x + s * 0.76, y + s * 0.40)]), arrow)


def pict_bird(c, x, y, s, colour=(86, 104, 140), detail=(60, 74, 104)):
    draw_pigeon(c, x, y, s, colour, detail=detail if s >= 24 else None)


def pict_pair(c, x, y, s):
    draw_pigeon(c, x - s * 0.12, y + s * 0.12, s * 0.72, (60, 110, 200))
    draw_pigeon(c, x + s * 0.40, y + s * 0.12, s * 0.72, (214, 90, 150), mirror=True)
    c.fill_shape(Union(Circle(x + s * 0.44, y + s * 0.14, s * 0.09), Circle(x + s * 0.58, y + s * 0.14, s * 0.09),
                       Polygon([(x + s * 0.36, y + s * 0.17), (x + s * 0.66, y + s * 0.17),
                                (x + s * 0.51, y + s * 0.36)])), (220, 40, 60))


def pict_list(c, x, y, s, colour=(52, 112, 210)):
    c.fill_shape(RoundRect(x + s * 0.08, y + s * 0.04, x + s * 0.92, y + s * 0.96, s * 0.06), WHITE)
    c.fill_shape(Minus(RoundRect(x + s * 0.08, y + s * 0.04, x + s * 0.92, y + s * 0.96, s * 0.06),
                       Rect(x + s * 0.15, y + s * 0.11, x + s * 0.85, y + s * 0.89)), (110, 120, 140))
    for k in (0.26, 0.46, 0.66):
        c.fill_shape(Rect(x + s * 0.22, y + s * k, x + s * 0.34, y + s * (k + 0.12)), colour)
        c.fill_shape(Rect(x + s * 0.42, y + s * (k + 0.02), x + s * 0.78, y + s * (k + 0.10)), (90, 96, 110))


def pict_calculator(c, x, y, s):
    c.fill_shape(RoundRect(x + s * 0.14, y + s * 0.02, x + s * 0.86, y + s * 0.98, s * 0.1), (70, 78, 96))
    c.fill_shape(Rect(x + s * 0.24, y + s * 0.10, x + s * 0.76, y + s * 0.32), (170, 220, 170))
    for row in range(3):
        for col in range(3):
            kx = x + s * (0.24 + col * 0.19)
            ky = y + s * (0.42 + row * 0.18)
            c.fill_shape(Rect(kx, ky, kx + s * 0.14, ky + s * 0.12), WHITE if (row, col) != (2, 2) else (240, 140, 40))


def pict_stopwatch(c, x, y, s, colour=(52, 112, 210)):
    c.fill_shape(Rect(x + s * 0.42, y + s * 0.02, x + s * 0.58, y + s * 0.14), colour)
    c.fill_shape(Circle(x + s * 0.5, y + s * 0.57, s * 0.42), colour)
    c.fill_shape(Circle(x + s * 0.5, y + s * 0.57, s * 0.31), WHITE)
    c.fill_shape(Stroke(x + s * 0.5, y + s * 0.57, x + s * 0.5, y + s * 0.34, max(1.0, s * 0.09)), DARK)
    c.fill_shape(Stroke(x + s * 0.5, y + s * 0.57, x + s * 0.68, y + s * 0.64, max(1.0, s * 0.09)), DARK)


def pict_note(c, x, y, s):
    page = Polygon([(x + s * 0.14, y + s * 0.04), (x + s * 0.66, y + s * 0.04), (x + s * 0.88, y + s * 0.26),
                    (x + s * 0.88, y + s * 0.96), (x + s * 0.14, y + s * 0.96)])
    c.fill_shape(page, (250, 236, 150))
    c.fill_shape(Minus(page, Polygon([(x + s * 0.20, y + s * 0.10), (x + s * 0.63, y + s * 0.10),
                                      (x + s * 0.82, y + s * 0.29), (x + s * 0.82, y + s * 0.90),
                                      (x + s * 0.20, y + s * 0.90)])), (150, 130, 60))
    for k in (0.38, 0.54, 0.70):
        c.fill_shape(Rect(x + s * 0.28, y + s * k, x + s * 0.74, y + s * k + max(1.0, s * 0.06)), (120, 110, 80))


def pict_globe(c, x, y, s, sea=(40, 120, 220), land=(60, 170, 80)):
    cx, cy, r = x + s / 2, y + s / 2, s * 0.46
    c.fill_shape(Circle(cx, cy, r), sea)
    c.fill_shape(Clip(Union(Ellipse(cx - r * 0.35, cy - r * 0.30, r * 0.38, r * 0.30, 20),
                            Ellipse(cx + r * 0.30, cy + r * 0.35, r * 0.32, r * 0.40, -10),
                            Ellipse(cx + r * 0.50, cy - r * 0.50, r * 0.20, r * 0.14)),
                      Circle(cx, cy, r)), land)
    lw = max(1.0, s * 0.05)
    c.fill_shape(Minus(Ellipse(cx, cy, r * 0.45, r), Ellipse(cx, cy, r * 0.45 - lw, r - lw)), WHITE, 0.7)
    c.fill_shape(Rect(cx - r, cy - lw / 2, cx + r, cy + lw / 2), WHITE, 0.7)


def pict_tree(c, x, y, s, colour=(52, 112, 210), line=(90, 96, 110),
              father=(60, 110, 200), mother=(214, 90, 150)):
    lw = max(1.0, s * 0.07)
    c.fill_shape(Union(Stroke(x + s * 0.5, y + s * 0.30, x + s * 0.5, y + s * 0.50, lw),
                       Stroke(x + s * 0.2, y + s * 0.50, x + s * 0.8, y + s * 0.50, lw),
                       Stroke(x + s * 0.2, y + s * 0.50, x + s * 0.2, y + s * 0.66, lw),
                       Stroke(x + s * 0.8, y + s * 0.50, x + s * 0.8, y + s * 0.66, lw)), line)
    c.fill_shape(RoundRect(x + s * 0.28, y + s * 0.04, x + s * 0.72, y + s * 0.32, s * 0.05), colour)
    c.fill_shape(RoundRect(x + s * 0.02, y + s * 0.64, x + s * 0.42, y + s * 0.94, s * 0.05), father)
    c.fill_shape(RoundRect(x + s * 0.58, y + s * 0.64, x + s * 0.98, y + s * 0.94, s * 0.05), mother)


def pict_info(c, x, y, s, colour=(40, 100, 210)):
    c.fill_shape(Circle(x + s / 2, y + s / 2, s * 0.47), colour)
    c.fill_shape(Circle(x + s / 2, y + s * 0.27, s * 0.09), WHITE)
    c.fill_shape(Rect(x + s * 0.42, y + s * 0.42, x + s * 0.58, y + s * 0.80), WHITE)


def pict_question(c, x, y, s, colour=WHITE):
    w = max(1.5, s * 0.12)
    c.fill_shape(Union(Arc(x + s * 0.5, y + s * 0.32, s * 0.20, w, 160, 90),
                       Stroke(x + s * 0.5, y + s * 0.52, x + s * 0.5, y + s * 0.64, w)), colour)
    c.fill_shape(Circle(x + s * 0.5, y + s * 0.82, w * 0.7), colour)


def pict_male(c, x, y, s, colour=(40, 100, 210)):
    w = max(1.6, s * 0.14)
    cx, cy, r = x + s * 0.40, y + s * 0.60, s * 0.26
    c.fill_shape(Minus(Circle(cx, cy, r + w / 2), Circle(cx, cy, r - w / 2)), colour)
    c.fill_shape(Stroke(cx + r * 0.65, cy - r * 0.65, x + s * 0.86, y + s * 0.14, w), colour)
    c.fill_shape(Polygon([(x + s * 0.50, y + s * 0.06), (x + s * 0.94, y + s * 0.06),
                          (x + s * 0.94, y + s * 0.50)]), colour)


def pict_female(c, x, y, s, colour=(214, 70, 140)):
    w = max(1.6, s * 0.14)
    cx, cy, r = x + s * 0.5, y + s * 0.34, s * 0.26
    c.fill_shape(Minus(Circle(cx, cy, r + w / 2), Circle(cx, cy, r - w / 2)), colour)
    c.fill_shape(Stroke(cx, cy + r, cx, y + s * 0.98, w), colour)
    c.fill_shape(Stroke(x + s * 0.30, y + s * 0.80, x + s * 0.70, y + s * 0.80, w), colour)


def pict_palette(c, x, y, s):
    body = Minus(Ellipse(x + s * 0.5, y + s * 0.5, s * 0.46, s * 0.40, -10),
                 Circle(x + s * 0.62, y + s * 0.70, s * 0.10))
    c.fill_shape(body, (245, 236, 214))
    for (kx, ky, col) in ((0.28, 0.42, (220, 50, 50)), (0.42, 0.26, (240, 190, 40)),
                          (0.62, 0.28, (60, 170, 80)), (0.76, 0.46, (40, 110, 220)),
                          (0.34, 0.66, (150, 80, 190))):
        c.fill_shape(Circle(x + s * kx, y + s * ky, s * 0.08), col)


def pict_coins(c, x, y, s):
    gold, rim = (244, 196, 60), (176, 126, 20)
    for i in range(3):
        cy = y + s * (0.78 - i * 0.16)
        c.fill_shape(Ellipse(x + s * 0.38, cy + s * 0.05, s * 0.30, s * 0.12), rim)
        c.fill_shape(Ellipse(x + s * 0.38, cy, s * 0.30, s * 0.12), gold)
    c.fill_shape(Circle(x + s * 0.70, y + s * 0.42, s * 0.26), rim)
    c.fill_shape(Circle(x + s * 0.70, y + s * 0.40, s * 0.24), gold)
    c.fill_shape(Circle(x + s * 0.70, y + s * 0.40, s * 0.15), (252, 220, 110))


def pict_egg(c, x, y, s):
    c.fill_shape(Ellipse(x + s * 0.5, y + s * 0.55, s * 0.30, s * 0.38), (252, 246, 232))
    c.fill_shape(Ellipse(x + s * 0.5, y + s * 0.45, s * 0.30, s * 0.16), (252, 246, 232))


# ---------------------------------------------------------------------------
# The bitmaps, by resource id
# ---------------------------------------------------------------------------

def banner(width, height):
    c = Canvas(width, height)
    draw_band(c, height)
    return c


def emblem(pictogram):
    """A 67 x 66 picture for the top-left corner of a dialog: it continues the
    header band behind it and carries a light pictogram."""
    c = Canvas(67, 66)
    draw_band(c, 65)
    for x in range(c.w):
        c.set(x, 65, WHITE)
    c.fill_shape(Circle(33.5, 30, 24), WHITE, 0.16)
    pictogram(c)
    return c


def tile(pictogram, size=48):
    """A decorative square for the white pages: a blue rounded plate with a pictogram."""
    c = Canvas(size, size)
    draw_plate(c, 1, 1, size - 1, size - 1, size * 0.2)
    pictogram(c, size)
    return c


def small(pictogram):
    c = Canvas(16, 16)
    pictogram(c, 0, 0, 16)
    return c


def heading_plate(text, icon, width=187, height=32):
    c = Canvas(width, height)
    draw_plate(c, 1, 3, 27, 29, 5)
    icon(c, 5, 7, 18)
    draw_text(c, 34, 9, text, LINK_BLUE, 2, bold=True)
    for x in range(34, width):
        c.blend(x, 28, LIGHT_BLUE, 1.0 - (x - 34) / (width - 34))
    return c


def white_bird(c, x, y, s):
    draw_pigeon(c, x, y, s, WHITE, detail=(200, 220, 250))


def no_photo(width, height, scale):
    c = Canvas(width, height)
    for y in range(height):
        for x in range(width):
            c.set(x, y, mix((244, 247, 252), (222, 230, 242), y / (height - 1)))
    frame = max(2, width // 100)
    c.fill_shape(Minus(Rect(0, 0, width, height), Rect(frame, frame, width - frame, height - frame)), (190, 204, 226))
    s = min(width, height) * 0.56
    draw_pigeon(c, (width - s) / 2, height * 0.08, s, (196, 208, 228), detail=(182, 196, 220))
    draw_text_centred(c, width / 2, height * 0.84, "Brak zdjęcia", (120, 136, 166), scale, bold=True)
    return c


def bitmap_133():
    return banner(2005, 65)


def bitmap_141():
    return banner(2005, 72)


def bitmap_158():
    w, h = 530, 327
    c = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            t = (y / h) * 0.75 + (x / w) * 0.25
            c.set(x, y, mix(DEEP_BLUE, (58, 126, 226), t))
    # a soft light behind the bird
    c.fill_shape(Circle(410, 80, 140), WHITE, 0.05)
    c.fill_shape(Circle(410, 80, 95), WHITE, 0.05)
    draw_flying_pigeon(c, 285, -34, 240, WHITE, far_colour=(200, 222, 255), mirror=True, a=0.9)
    draw_text(c, 34, 150, "ORNIVEX", WHITE, 7, shadow=(4, 4, (10, 30, 80), 0.5))
    draw_text(c, 34 + text_width("ORNIVEX ", 7), 150, "6", (255, 214, 90), 7, shadow=(4, 4, (10, 30, 80), 0.5))
    draw_text(c, 36, 220, "Ewidencja hodowli gołębi pocztowych", PALE_BLUE, 2)
    for x in range(w):
        c.set(x, h - 40, mix(PALE_BLUE, LIGHT_BLUE, x / w))
    draw_text(c, 36, h - 26, "Wersja 6.0", WHITE, 2)
    draw_text(c, w - 36 - text_width("Uruchamianie...", 1), h - 22, "Uruchamianie...", PALE_BLUE, 1)
    c.fill_shape(Minus(Rect(0, 0, w, h), Rect(1, 1, w - 1, h - 1)), (10, 30, 80))
    return c


def bitmap_142():
    return small(lambda c, x, y, s: pict_plus(c, x, y, s))


def bitmap_145():
    c = Canvas(2, 240)
    for y in range(240):
        k = math.sin(math.pi * y / 239)
        c.set(0, y, mix(WHITE, LIGHT_BLUE, k))
        c.set(1, y, mix(WHITE, PALE_BLUE, k))
    return c


def bitmap_147():
    c = Canvas(148, 1)
    for x in range(148):
        c.set(x, 0, mix(LIGHT_BLUE, WHITE, x / 147.0))
    return c


def bitmap_157():
    return heading_plate("Notatnik", lambda c, x, y, s: pict_note(c, x, y, s))


def bitmap_159():
    return emblem(lambda c: pict_people(c, 12, 9, 44, WHITE, (190, 214, 250)))


def bitmap_160():
    return emblem(lambda c: white_bird(c, 9, 6, 50))


def bitmap_161():
    return emblem(lambda c: pict_palette(c, 11, 8, 45))


def bitmap_162():
    return emblem(lambda c: pict_coins(c, 11, 9, 45))


def bitmap_163():
    return heading_plate("Transakcje", lambda c, x, y, s: pict_coins(c, x, y, s))


def bitmap_164():
    return heading_plate("Klienci", lambda c, x, y, s: pict_people(c, x, y, s, WHITE, (190, 214, 250)))


def link_panel(title, subtitle, rows, first_row, icon):
    """A start-page picture whose rows carry the page's links (each 30 pixels
    high; the page tests the clicks, the picture only shows them)."""
    c = Canvas(516, 206)
    draw_plate(c, 8, 6, 48, 46, 8)
    icon(c, 12, 10, 32)
    draw_text(c, 60, 10, title, LINK_BLUE, 3, bold=True)
    draw_text(c, 60, 40, subtitle, SLATE, 1)
    for x in range(8, 516):
        c.blend(x, 51, LIGHT_BLUE, 1.0 - (x - 8) / 508.0)
    y = first_row
    for text, pict in rows:
        draw_link_row(c, 40, y, 30, text, pict)
        for x in range(70, 350):
            c.blend(x, y + 29, (228, 236, 250), 1.0)
        y += 30
    return c


def bitmap_165():
    return link_panel("Szybki start", "Dodawaj nowe wpisy jednym kliknięciem", [
        ("Dodaj nowego gołębia", lambda c, x, y, s: pict_plus(c, x, y, s)),
        ("Dodaj nową parę", lambda c, x, y, s: pict_plus(c, x, y, s)),
        ("Dodaj nową transakcję", lambda c, x, y, s: pict_plus(c, x, y, s)),
        ("Dodaj nowego klienta", lambda c, x, y, s: pict_plus(c, x, y, s)),
        ("Napisz notatkę", lambda c, x, y, s: pict_note(c, x, y, s)),
    ], 54, lambda c, x, y, s: white_bird(c, x, y, s))


def bitmap_166():
    return link_panel("Pomoc", "Wprowadzenie, tematy pomocy i strony internetowe", [
        ("Wprowadzenie do programu", lambda c, x, y, s: pict_info(c, x, y, s)),
        ("Wszystkie tematy pomocy", lambda c, x, y, s: pict_info(c, x, y, s)),
        ("Strona WWW programu", lambda c, x, y, s: pict_globe(c, x, y, s)),
        ("Strona Twojej hodowli", lambda c, x, y, s: pict_globe(c, x, y, s)),
    ], 69, lambda c, x, y, s: pict_question(c, x, y, s))


def wide_heading(width, height, title, subtitle, icon):
    c = Canvas(width, height)
    box = min(height - 8, 40)
    top = (height - box) // 2
    draw_plate(c, 4, top, 4 + box, top + box, box * 0.2)
    icon(c, 4 + box * 0.1, top + box * 0.1, box * 0.8)
    tx = 4 + box + 10
    if subtitle:
        draw_text(c, tx, top + 2, title, LINK_BLUE, 2, bold=True)
        draw_text(c, tx, top + box - 9, subtitle, SLATE, 1)
    else:
        draw_text(c, tx, top + (box - 14) // 2, title, LINK_BLUE, 2, bold=True)
    for x in range(tx, width):
        c.blend(x, height - 2, LIGHT_BLUE, 1.0 - (x - tx) / max(1, width - tx))
    return c


def bitmap_167():
    return wide_heading(367, 60, "Witamy w Ornivex 6", "Twoja hodowla gołębi w jednym miejscu",
                        lambda c, x, y, s: white_bird(c, x, y, s))


def bitmap_169():
    return wide_heading(365, 47, "Kalendarz", None, lambda c, x, y, s: calendar_pict(c, x, y, s))


def calendar_pict(c, x, y, s):
    c.fill_shape(RoundRect(x + s * 0.08, y + s * 0.14, x + s * 0.92, y + s * 0.94, s * 0.08), WHITE)
    c.fill_shape(Rect(x + s * 0.08, y + s * 0.14, x + s * 0.92, y + s * 0.34), (220, 60, 60))
    for row in range(3):
        for col in range(4):
            kx = x + s * (0.16 + col * 0.18)
            ky = y + s * (0.42 + row * 0.16)
            c.fill_shape(Rect(kx, ky, kx + s * 0.11, ky + s * 0.10), (120, 150, 200))


def bitmap_177():
    def pict(c):
        c.fill_shape(Circle(33.5, 31, 25), WHITE, 0.95)
        draw_pigeon(c, 12, 9, 42, MID_BLUE, detail=DEEP_BLUE)
    return emblem(pict)


def bitmap_178():
    def pict(c):
        c.fill_shape(Circle(33.5, 31, 24), WHITE, 0.25)
        pict_question(c, 11, 8, 45)
    return emblem(pict)


def bitmap_182():
    return small(lambda c, x, y, s: pict_male(c, x, y, s))


def bitmap_183():
    return small(lambda c, x, y, s: pict_female(c, x, y, s))


def bitmap_187():
    return small(lambda c, x, y, s: pict_cross(c, x, y, s))


def bitmap_188():
    return small(lambda c, x, y, s: pict_printer(c, x, y, s))


def bitmap_189():
    return small(lambda c, x, y, s: pict_people(c, x, y, s, (28, 150, 52), (120, 200, 130)))


def bitmap_192():
    return no_photo(303, 231, 2)


def bitmap_193():
    return no_photo(214, 148, 1)


def bitmap_200():
    return tile(lambda c, s: white_bird(c, s * 0.12, s * 0.1, s * 0.76))


def bitmap_201():
    def pict(c, s):
        pict_male(c, s * 0.12, s * 0.26, s * 0.42, WHITE)
        pict_female(c, s * 0.50, s * 0.26, s * 0.40, (255, 210, 235))
    return tile(pict)


def bitmap_223():
    return tile(lambda c, s: pict_stopwatch(c, s * 0.16, s * 0.14, s * 0.68, WHITE))


def bitmap_227():
    def pict(c, s):
        pict_egg(c, s * 0.50, s * 0.42, s * 0.42)
        draw_pigeon(c, s * 0.06, s * 0.14, s * 0.56, WHITE)
    return tile(pict)


def bitmap_228():
    return tile(lambda c, s: pict_tree(c, s * 0.16, s * 0.16, s * 0.68, WHITE, WHITE,
                                       (190, 214, 250), (255, 200, 228)))


def bitmap_230():
    def pict(c, s):
        draw_pigeon(c, s * 0.04, s * 0.30, s * 0.40, (200, 220, 250))
        draw_pigeon(c, s * 0.54, s * 0.30, s * 0.40, (200, 220, 250), mirror=True)
        draw_pigeon(c, s * 0.26, s * 0.12, s * 0.50, WHITE)
    return tile(pict)


def bitmap_233():
    return tile(lambda c, s: draw_flying_pigeon(c, s * 0.1, s * 0.12, s * 0.8, WHITE, far_colour=(200, 220, 250)))


def bitmap_234():
    return wide_heading(350, 40, "Spis oddziałów PZHGP", None, lambda c, x, y, s: pict_list(c, x, y, s))


def bitmap_251():
    w, h = 520, 86
    c = Canvas(w, h)
    c.fill_shape(RoundRect(1, 1, w - 1, h - 1, 12), lambda x, y: mix((236, 244, 255), (206, 224, 252), y / h))
    c.fill_shape(Minus(RoundRect(1, 1, w - 1, h - 1, 12), RoundRect(2, 2, w - 2, h - 2, 11)), LIGHT_BLUE)
    draw_flying_pigeon(c, w - 120, -4, 96, (120, 160, 230), far_colour=(170, 200, 245), mirror=True)
    pict_coins(c, 16, 20, 46)
    draw_text(c, 78, 20, "Aukcje gołębi", LINK_BLUE, 3, bold=True)
    draw_text(c, 78, 54, "Kupuj i sprzedawaj gołębie przez internet", SLATE, 1)
    return c


def bitmap_253():
    """The pair editor's vertical tab strip to the right of each bird's panels:
    summary, pedigree and results tabs of 105, 130 and 130 pixels, open towards
    the panels."""
    w, h = 30, 365
    strip = Canvas(h, w, WHITE)   # drawn lying down, turned upright at the end
    x = 0
    for length, text in ((105, "Informacje"), (130, "Rodowód"), (130, "Wyniki")):
        tab = RoundRect(x + 2, 3, x + length - 2, w + 8, 7)
        strip.fill_shape(tab, lambda px, py: mix((232, 241, 255), (196, 218, 252), py / w))
        strip.fill_shape(Minus(tab, RoundRect(x + 3, 4, x + length - 3, w + 8, 6)), LINK_BLUE)
        draw_text_centred(strip, x + length / 2, w / 2 + 2, text, LINK_BLUE, 1, bold=True)
        x += length
    for xx in range(h):
        strip.set(xx, w - 1, LINK_BLUE)
    return strip.rotated_right()


def bitmap_tabs_1151():
    """The bird list's preview tab strip: five tabs hanging below the panel."""
    w, h = 718, 22
    c = Canvas(w, h)
    for x in range(w):
        c.set(x, 0, LINK_BLUE)
    x = 0
    for length, text in ((110, "Podgląd"), (180, "Rodowód i zdjęcia"), (165, "Partnerzy i potomstwo"),
                         (130, "Rodzeństwo"), (133, "Wyniki lotów")):
        tab = RoundRect(x + 1, -8, x + length - 1, h - 1, 6)
        c.fill_shape(tab, lambda px, py: mix((200, 222, 252), (236, 244, 255), py / h))
        c.fill_shape(Minus(tab, RoundRect(x + 2, -8, x + length - 2, h - 2, 5)), LINK_BLUE)
        draw_text_centred(c, x + length / 2, h / 2, text, LINK_BLUE, 1, bold=True)
        x += length
    return c


# ---------------------------------------------------------------------------
# Bitmap 185: the menu's command images, 17 cells of 16 x 16 on the mask colour
# ---------------------------------------------------------------------------

COMMAND_IMAGES = [
    lambda c, x, y, s: pict_info(c, x, y, s),                 # 0 about
    lambda c, x, y, s: pict_disk(c, x, y, s),                 # 1 save a backup
    lambda c, x, y, s: pict_cross(c, x, y, s),                # 2 delete
    lambda c, x, y, s: pict_pencil(c, x, y, s),               # 3 edit
    lambda c, x, y, s: pict_bird(c, x, y, s),                 # 4 bird
    lambda c, x, y, s: pict_pair(c, x, y, s),                 # 5 pair
    lambda c, x, y, s: pict_list(c, x, y, s),                 # 6 list
    lambda c, x, y, s: pict_plus(c, x, y, s),                 # 7 add
    lambda c, x, y, s: pict_calculator(c, x, y, s),           # 8 calculator
    lambda c, x, y, s: pict_people(c, x, y, s),               # 9 clients
    lambda c, x, y, s: pict_folder(c, x, y, s),               # 10 folder
    lambda c, x, y, s: pict_stopwatch(c, x, y, s),            # 11 flights
    lambda c, x, y, s: pict_note(c, x, y, s),                 # 12 note
    lambda c, x, y, s: pict_globe(c, x, y, s),                # 13 web page
    lambda c, x, y, s: pict_tree(c, x, y, s),                 # 14 family tree
    lambda c, x, y, s: pict_printer(c, x, y, s),              # 15 print
    lambda c, x, y, s: pict_folder_open(c, x, y, s),          # 16 restore a backup
]


def bitmap_185():
    """278 pixels wide, as the image list cuts it: 17 whole cells (272 pixels)
    and six spare columns, all on the mask colour."""
    strip = Canvas(278, 16, MASK, 1.0)
    for i, draw in enumerate(COMMAND_IMAGES):
        cell = Canvas(16, 16, WHITE, 0.0)
        draw(cell, 0, 0, 16)
        for y in range(16):
            for x in range(16):
                p = cell.get(x, y)
                if p[3] < 0.5:
                    continue
                # Edges keep a little softness against a light menu; nothing may
                # land on the mask colour itself.
                colour = tuple(int(round(v)) for v in mix(WHITE, p, min(1.0, p[3] * 1.25)))
                if colour == MASK:
                    colour = (191, 191, 191)
                strip.set(i * 16 + x, y, colour)
    return strip


# ---------------------------------------------------------------------------
# Icon 128: the program icon
# ---------------------------------------------------------------------------

ICON_SIZES = (16, 32, 48, 256)


def icon_128(size):
    c = Canvas(size, size, WHITE, 0.0)
    inset = 0.0 if size <= 16 else size / 32.0
    draw_plate(c, inset, inset, size - inset, size - inset, size * 0.22,
               top=(88, 156, 246), bottom=(22, 66, 150))
    if size >= 32:
        c.fill_shape(Circle(size * 0.5, size * 0.47, size * 0.34), WHITE, 0.12)
    pad = size * (0.04 if size <= 16 else 0.10)
    draw_pigeon(c, pad, pad, size - 2 * pad, WHITE, detail=(196, 216, 250) if size >= 32 else None)
    return c


# ---------------------------------------------------------------------------
# Catalogue and output
# ---------------------------------------------------------------------------

BITMAPS = {
    133: bitmap_133, 141: bitmap_141, 142: bitmap_142, 145: bitmap_145, 147: bitmap_147,
    157: bitmap_157, 158: bitmap_158, 159: bitmap_159, 160: bitmap_160, 161: bitmap_161,
    162: bitmap_162, 163: bitmap_163, 164: bitmap_164, 165: bitmap_165, 166: bitmap_166,
    167: bitmap_167, 169: bitmap_169, 177: bitmap_177, 178: bitmap_178, 182: bitmap_182,
    183: bitmap_183, 185: bitmap_185, 187: bitmap_187, 188: bitmap_188, 189: bitmap_189,
    192: bitmap_192, 193: bitmap_193, 200: bitmap_200, 201: bitmap_201, 223: bitmap_223,
    227: bitmap_227, 228: bitmap_228, 230: bitmap_230, 233: bitmap_233, 234: bitmap_234,
    251: bitmap_251, 253: bitmap_253,
}

# Pictures of dialog templates that have no resource id of their own, by the
# control that shows them.
NAMED_BITMAPS = {
    "tabs-1151": bitmap_tabs_1151,
}


def write_qrc(files):
    lines = ['<!DOCTYPE RCC>', '<!-- Written by make-images.py; run the script instead of editing. -->',
             '<RCC version="1.0">', '  <qresource prefix="/images">']
    for name in files:
        lines.append('    <file alias="%s">%s</file>' % (name, name))
    lines += ['  </qresource>', '</RCC>', '']
    with open(os.path.join(HERE, "images.qrc"), "w", newline="\n") as f:
        f.write("\n".join(lines))


def main():
    files = []
    for rid in sorted(BITMAPS):
        name = "%d.png" % rid
        BITMAPS[rid]().save(name)
        files.append(name)
    for key in sorted(NAMED_BITMAPS):
        name = "%s.png" % key
        NAMED_BITMAPS[key]().save(name)
        files.append(name)
    for size in ICON_SIZES:
        name = "icon-128-%d.png" % size
        icon_128(size).save(name, alpha=True)
        files.append(name)
    write_qrc(files)
    total = sum(os.path.getsize(os.path.join(HERE, n)) for n in files)
    print("%d images, %d bytes" % (len(files), total))


if __name__ == "__main__":
    main()
