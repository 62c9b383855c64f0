#!/usr/bin/env python3
"""Draws the program's icon and splash picture and writes them beside this script.

    python3 res/make_art.py            (python3 res/make_art.py --check: are they current?)

Writes wideroom.ico (32 x 32, 16 colours) and splash.bmp (400 x 300, 24 bits
per pixel), with the version of ../VERSION on the splash: run it again after
the version changes. Plain Python, no packages, no fonts: the lettering is drawn from
the stroke glyphs below, so the output does not depend on what is
installed. The build uses the committed files and never runs this script.
"""

import math
import os
import struct
import sys

# The version from the one file that holds it (the splash shows it).
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "VERSION")) as _f:
    VERSION_TEXT = _f.read().strip()

# ---------------------------------------------------------------------------
# Splash picture: an anti-aliased RGB canvas.


class Canvas:
    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.pixels = [list(colour) for _ in range(width * height)]

    def blend(self, x, y, colour, alpha):
        if alpha <= 0.0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        alpha = min(alpha, 1.0)
        p = self.pixels[y * self.width + x]
        for i in range(3):
            p[i] = p[i] + (colour[i] - p[i]) * alpha

    def fill_shape(self, box, coverage, colour):
        """Blends colour over box (x0, y0, x1, y1) by coverage(px, py) at pixel centres."""
        x0, y0, x1, y1 = box
        for y in range(max(0, int(y0)), min(self.height, int(math.ceil(y1)))):
            for x in range(max(0, int(x0)), min(self.width, int(math.ceil(x1)))):
                c = coverage(x + 0.5, y + 0.5)
                if c > 0.0:
                    self.blend(x, y, colour(x, y) if callable(colour) else colour, c)

    def round_rect(self, x0, y0, x1, y1, radius, colour):
        cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
        hx, hy = (x1 - x0) / 2.0 - radius, (y1 - y0) / 2.0 - radius

        def coverage(px, py):
            qx, qy = abs(px - cx) - hx, abs(py - cy) - hy
            outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
            d = outside + min(max(qx, qy), 0.0) - radius
            return min(1.0, max(0.0, 0.5 - d))

        self.fill_shape((x0 - 1, y0 - 1, x1 + 1, y1 + 1), coverage, colour)

    def polygon(self, points, colour):
        """Convex polygon, anti-aliased by 4 x 4 supersampling."""
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        n = len(points)

        def inside(px, py):
            sign = 0
            for i in range(n):
                ax, ay = points[i]
                bx, by = points[(i + 1) % n]
                cross = (bx - ax) * (py - ay) - (by - ay) * (px - ax)
                if cross != 0:
                    s = 1 if cross > 0 else -1
                    if sign == 0:
                        sign = s
                    elif s != sign:
                        return False
            return True

        def coverage(px, py):
            hits = 0
            for j in range(4):
                for i in range(4):
                    if inside(px - 0.5 + (i + 0.5) / 4, py - 0.5 + (j + 0.5) / 4):
                        hits += 1
            return hits / 16.0

        self.fill_shape((min(xs), min(ys), max(xs) + 1, max(ys) + 1), coverage, colour)

    def strokes(self, segments, width, colour):
        """Draws line segments with round caps; overlapping strokes do not darken."""
        half = width / 2.0
        mask = {}
        for (ax, ay), (bx, by) in segments:
            dx, dy = bx - ax, by - ay
            length2 = dx * dx + dy * dy
            for y in range(int(min(ay, by) - half - 1), int(max(ay, by) + half + 2)):
                for x in range(int(min(ax, bx) - half - 1), int(max(ax, bx) + half + 2)):
                    px, py = x + 0.5, y + 0.5
                    t = 0.0 if length2 == 0 else ((px - ax) * dx + (py - ay) * dy) / length2
                    t = min(1.0, max(0.0, t))
                    d = math.hypot(px - (ax + t * dx), py - (ay + t * dy))
                    c = min(1.0, max(0.0, half + 0.5 - d))
                    if c > mask.get((x, y), 0.0):
                        mask[(x, y)] = c
        for (x, y), c in mask.items():
            self.blend(x, y, colour, c)

    def bmp_bytes(self):
        """A bottom-up 24-bit BMP file."""
        row_size = (self.width * 3 + 3) // 4 * 4
        image_size = row_size * self.height
        header = struct.pack("<2sIHHI", b"BM", 14 + 40 + image_size, 0, 0, 14 + 40)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, image_size, 2835, 2835, 0, 0)
        rows = []
        for y in range(self.height - 1, -1, -1):
            row = bytearray()
            for x in range(self.width):
                r, g, b = (int(round(v)) for v in self.pixels[y * self.width + x])
                row += bytes((b, g, r))
            row += bytes(row_size - len(row))
            rows.append(bytes(row))
        return header + info + b"".join(rows)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


# ---------------------------------------------------------------------------
# Stroke glyphs. Units: cap height 1, baseline at y = 0, y upwards. Each glyph
# is (advance, list of polylines).


def arc(cx, cy, rx, ry, start, end, steps=24):
    """Points of an elliptic arc from angle start to end in degrees (counter-clockwise is positive)."""
    return [
        (cx + rx * math.cos(math.radians(start + (end - start) * i / steps)),
         cy + ry * math.sin(math.radians(start + (end - start) * i / steps)))
        for i in range(steps + 1)
    ]


def dot(x, y):
    return [(x, y), (x, y)]


X_HEIGHT = 0.7

GLYPHS = {
    "W": (1.22, [[(0.0, 1.0), (0.26, 0.0), (0.55, 0.78), (0.84, 0.0), (1.1, 1.0)]]),
    "V": (0.88, [[(0.0, 1.0), (0.38, 0.0), (0.76, 1.0)]]),
    "i": (0.32, [[(0.04, 0.0), (0.04, X_HEIGHT)], dot(0.04, 0.95)]),
    "d": (0.86, [arc(0.3, 0.35, 0.3, 0.35, 0, 360, 40), [(0.6, 0.0), (0.6, 1.0)]]),
    "e": (0.8, [[(0.02, 0.36), (0.61, 0.36)] + arc(0.31, 0.35, 0.3, 0.35, 0, 315, 36)[1:]]),
    "r": (0.6, [[(0.0, 0.0), (0.0, X_HEIGHT)], arc(0.4, 0.33, 0.4, 0.37, 180, 75, 16)]),
    "o": (0.84, [arc(0.32, 0.35, 0.32, 0.35, 0, 360, 40)]),
    "m": (1.2, [[(0.0, 0.0), (0.0, X_HEIGHT)],
                [(0.0, 0.45)] + arc(0.24, 0.45, 0.24, 0.25, 180, 0, 16) + [(0.48, 0.0)],
                [(0.48, 0.45)] + arc(0.72, 0.45, 0.24, 0.25, 180, 0, 16) + [(0.96, 0.0)]]),
    "n": (0.82, [[(0.0, 0.0), (0.0, X_HEIGHT)],
                 [(0.0, 0.42)] + arc(0.27, 0.42, 0.27, 0.28, 180, 0, 16) + [(0.54, 0.0)]]),
    "s": (0.68, [arc(0.26, 0.525, 0.24, 0.175, 15, 270, 20) + arc(0.26, 0.175, 0.26, 0.175, 90, -165, 20)[1:]]),
    "2": (0.82, [arc(0.32, 0.71, 0.31, 0.29, 160, -35, 24) + [(0.0, 0.0), (0.66, 0.0)]]),
    "0": (0.82, [arc(0.32, 0.5, 0.32, 0.5, 0, 360, 48)]),
    "3": (0.82, [arc(0.31, 0.75, 0.29, 0.25, 150, -90, 24) + arc(0.31, 0.27, 0.33, 0.27, 90, -150, 24)[1:]]),
    ".": (0.3, [dot(0.06, 0.0)]),
    " ": (0.4, []),
}


def text_segments(text, x, baseline, size, spacing=0.08):
    """Segments of text in pixel coordinates; size is the cap height in pixels. Returns (segments, width)."""
    segments = []
    pen = 0.0
    for ch in text:
        advance, lines = GLYPHS[ch]
        for line in lines:
            pts = [(x + (pen + gx) * size, baseline - gy * size) for gx, gy in line]
            segments += list(zip(pts, pts[1:]))
        pen += advance + spacing
    return segments, (pen - spacing) * size


# ---------------------------------------------------------------------------
# The splash picture: name and version at the upper left, a stack of screens
# beside them to the lower right. The dialog may show a little less than 400
# pixels across, so the lettering keeps to the left two thirds.

NIGHT = (14, 32, 58)
DUSK = (30, 78, 128)
WHITE = (255, 255, 255)
PALE = (186, 214, 240)
ACCENT = (255, 176, 58)
BEZEL = (38, 43, 52)
BEZEL_EDGE = (92, 101, 116)


def draw_monitor(canvas, x, y, w, h, screen_top, screen_bottom, fade, with_stand, windows):
    """One screen with its bezel; fade (0..1) sinks it into the background."""
    def faded(c):
        return mix(c, NIGHT, fade)

    if with_stand:
        cx = x + w / 2.0
        canvas.polygon([(cx - 9, y + h - 2), (cx + 9, y + h - 2), (cx + 14, y + h + 16), (cx - 14, y + h + 16)],
                       faded(BEZEL_EDGE))
        canvas.round_rect(cx - 34, y + h + 14, cx + 34, y + h + 21, 3, faded(BEZEL))
    canvas.round_rect(x - 1, y - 1, x + w + 1, y + h + 1, 7, faded(BEZEL_EDGE))
    canvas.round_rect(x, y, x + w, y + h, 6, faded(BEZEL))
    sx0, sy0, sx1, sy1 = x + 6, y + 6, x + w - 6, y + h - 6

    def screen(px, py):
        return faded(mix(screen_top, screen_bottom, (py - sy0) / float(sy1 - sy0)))

    canvas.fill_shape((sx0, sy0, sx1, sy1), lambda px, py: 1.0, screen)
    for wx, wy, ww, wh, bar in windows:
        ax, ay = sx0 + wx, sy0 + wy
        canvas.round_rect(ax + 1, ay + 2, ax + ww + 1, ay + wh + 2, 2, faded(mix(screen_bottom, (0, 0, 0), 0.45)))
        canvas.round_rect(ax, ay, ax + ww, ay + wh, 2, faded((244, 247, 251)))
        canvas.round_rect(ax, ay, ax + ww, ay + 6, 2, faded(bar))
        canvas.fill_shape((ax, ay + 4, ax + ww, ay + 6), lambda px, py: 1.0, faded(bar))


def draw_splash():
    width, height = 400, 300
    canvas = Canvas(width, height, NIGHT)

    # Night-sky gradient, lighter towards the lower right.
    for y in range(height):
        for x in range(width):
            t = min(1.0, (0.35 * x / width + 0.65 * y / height))
            canvas.pixels[y * width + x] = list(mix(NIGHT, DUSK, t * t))

    # The larger desktop: a faint grid of screens behind everything.
    for gx in range(0, width, 48):
        canvas.fill_shape((gx, 0, gx + 1, height), lambda px, py: 0.07, WHITE)
    for gy in range(0, height, 36):
        canvas.fill_shape((0, gy, width, gy + 1), lambda px, py: 0.07, WHITE)

    # Lettering, with a soft shadow.
    name, name_width = text_segments("Wideroom", 24, 76, 40)
    shadow = [((ax + 2, ay + 3), (bx + 2, by + 3)) for (ax, ay), (bx, by) in name]
    canvas.strokes(shadow, 6.5, mix(NIGHT, (0, 0, 0), 0.6))
    canvas.strokes(name, 5.5, WHITE)
    canvas.fill_shape((24, 92, 24 + name_width, 95), lambda px, py: 1.0, ACCENT)
    version, _ = text_segments("Version " + VERSION_TEXT, 26, 124, 17, 0.12)
    canvas.strokes(version, 2.4, PALE)

    # A small map of the larger desktop: five by five screens, a few windows
    # and the part that the screen shows.
    mx, my, cell_w, cell_h = 26, 160, 24, 18
    canvas.round_rect(mx - 6, my - 6, mx + 5 * cell_w + 6, my + 5 * cell_h + 6, 5, mix(NIGHT, (0, 0, 0), 0.35))
    canvas.fill_shape((mx, my, mx + 5 * cell_w, my + 5 * cell_h), lambda px, py: 1.0, (24, 52, 88))
    for i in range(6):
        canvas.fill_shape((mx + i * cell_w - 1, my, mx + i * cell_w, my + 5 * cell_h), lambda px, py: 0.35, PALE)
        canvas.fill_shape((mx, my + i * cell_h - 1, mx + 5 * cell_w, my + i * cell_h), lambda px, py: 0.35, PALE)
    for wx, wy, ww, wh in [(6, 5, 14, 9), (30, 24, 12, 8), (54, 40, 16, 11), (80, 12, 10, 8), (20, 70, 15, 10),
                           (92, 66, 18, 12), (60, 44, 9, 7)]:
        canvas.fill_shape((mx + wx, my + wy, mx + wx + ww, my + wy + wh), lambda px, py: 1.0, (150, 190, 230))
    vx, vy = mx + 2 * cell_w - 1, my + 2 * cell_h - 1
    frame = [((vx, vy), (vx + cell_w, vy)), ((vx + cell_w, vy), (vx + cell_w, vy + cell_h)),
             ((vx + cell_w, vy + cell_h), (vx, vy + cell_h)), ((vx, vy + cell_h), (vx, vy))]
    canvas.strokes(frame, 2.0, ACCENT)

    # The stack of screens, back to front.
    stack = [
        (246, 112, (58, 96, 150), (40, 64, 110), 0.55, [(12, 10, 38, 24, (120, 140, 170))]),
        (224, 136, (70, 130, 196), (44, 84, 146), 0.3, [(50, 10, 42, 28, (200, 120, 60))]),
        (202, 160, (96, 176, 240), (40, 108, 190), 0.0,
         [(10, 9, 48, 32, (30, 70, 140)), (56, 22, 50, 34, (232, 140, 40)), (24, 48, 28, 20, (60, 150, 90))]),
    ]
    for i, (x, y, top, bottom, fade, windows) in enumerate(stack):
        draw_monitor(canvas, x, y, 142, 96, top, bottom, fade, i == len(stack) - 1, windows)
    return canvas.bmp_bytes()


# ---------------------------------------------------------------------------
# Icon: 32 x 32, the 16 standard colours, drawn pixel by pixel (a picture this
# small reads better without smoothing).

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, TEAL, SILVER, GREY, RED, BLUE, AQUA, WHITE16 = 0, 4, 6, 7, 8, 9, 12, 14, 15
CLEAR = -1


def draw_icon():
    size = 32
    grid = [[CLEAR] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                grid[y][x] = colour

    def monitor(x, y, w, h, bezel, screen):
        rect(x, y, x + w - 1, y + h - 1, BLACK)
        rect(x + 1, y + 1, x + w - 2, y + h - 2, bezel)
        rect(x + 2, y + 2, x + w - 3, y + h - 3, screen)

    # Three screens, back to front, each one further down and right.
    monitor(1, 1, 20, 15, GREY, NAVY)
    monitor(5, 5, 20, 15, GREY, TEAL)
    monitor(10, 9, 22, 17, SILVER, BLUE)
    # A window on the front screen: title bar, body, a shadow.
    rect(14, 13, 25, 13, NAVY)
    rect(14, 14, 25, 20, WHITE16)
    rect(24, 13, 24, 13, RED)
    rect(15, 21, 26, 21, NAVY)
    rect(26, 14, 26, 21, NAVY)
    rect(16, 16, 22, 16, GREY)
    rect(16, 18, 20, 18, GREY)
    # Highlight on the front bezel and the stand.
    rect(11, 10, 30, 10, WHITE16)
    rect(18, 26, 23, 27, BLACK)
    rect(19, 26, 22, 26, GREY)
    rect(15, 28, 26, 29, BLACK)
    rect(16, 28, 25, 28, SILVER)
    # A spark in the corner of the back screens, so that the stack reads as more than one.
    rect(3, 3, 4, 3, AQUA)
    rect(7, 7, 8, 7, AQUA)
    return grid


def ico_bytes(grid):
    size = len(grid)
    xor_row = size // 2  # two pixels a byte
    and_row = (size // 8 + 3) // 4 * 4
    xor = bytearray()
    mask = bytearray()
    for y in range(size - 1, -1, -1):  # bottom-up
        row = grid[y]
        for x in range(0, size, 2):
            hi = row[x] if row[x] != CLEAR else 0
            lo = row[x + 1] if row[x + 1] != CLEAR else 0
            xor.append(hi << 4 | lo)
        bits = bytearray(and_row)
        for x in range(size):
            if row[x] == CLEAR:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    assert len(xor) == xor_row * size
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = info + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    outputs = {"wideroom.ico": ico_bytes(draw_icon()), "splash.bmp": draw_splash()}
    if sys.argv[1:] == ["--check"]:
        # The tests' question: do the committed pictures show what this
        # script draws now (the version above all)?
        stale = [n for n, data in outputs.items() if open(os.path.join(here, n), "rb").read() != data]
        for name in stale:
            print(f"res/{name} is out of date: run python3 res/make_art.py", file=sys.stderr)
        return 1 if stale else 0
    for name, data in outputs.items():
        with open(os.path.join(here, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
