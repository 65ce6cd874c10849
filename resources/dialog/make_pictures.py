#!/usr/bin/env python3
"""Draws the message dialog's four 32x32 pictures as 24-bit BMP files.

Each picture's backdrop runs, column by column, from the colour of its header band at the
picture's left edge to the colour at its right edge, so the picture merges into the band.
Run from anywhere; writes the BMP files beside this script. Deterministic: same bytes each run.
"""
import math
import os
import struct

SIZE = 32
SAMPLES = 4  # per axis, for smooth edges


def ellipse(cx, cy, rx, ry):
    def distance(x, y):
        return (math.hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * min(rx, ry)
    return distance


def circle(cx, cy, r):
    return ellipse(cx, cy, r, r)


def convex_polygon(points):
    """Signed distance to a convex polygon whose corners run clockwise on screen (y down)."""
    edges = []
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        length = math.hypot(x2 - x1, y2 - y1)
        nx, ny = (y2 - y1) / length, -(x2 - x1) / length
        edges.append((nx, ny, nx * x1 + ny * y1))

    def distance(x, y):
        return max(nx * x + ny * y - c for nx, ny, c in edges)
    return distance


def union(*shapes):
    return lambda x, y: min(shape(x, y) for shape in shapes)


def grown(shape, amount):
    return lambda x, y: shape(x, y) - amount


def bar(x1, y1, x2, y2, half_width):
    """A straight stroke with round ends."""
    dx, dy = x2 - x1, y2 - y1
    length2 = dx * dx + dy * dy

    def distance(x, y):
        t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / length2))
        return math.hypot(x - x1 - t * dx, y - y1 - t * dy) - half_width
    return distance


def arc(cx, cy, radius, half_width, start_degrees, end_degrees):
    """A stroke along a circle, angles measured clockwise on screen from the right."""
    def distance(x, y):
        angle = math.degrees(math.atan2(y - cy, x - cx)) % 360
        span = (end_degrees - start_degrees) % 360
        if (angle - start_degrees) % 360 <= span:
            return abs(math.hypot(x - cx, y - cy) - radius) - half_width
        ends = [start_degrees, end_degrees]
        return min(math.hypot(x - cx - radius * math.cos(math.radians(a)),
                              y - cy - radius * math.sin(math.radians(a)))
                   for a in ends) - half_width
    return distance


def render(left, right, layers):
    """layers: (shape, colour) painted in order over the backdrop."""
    pixels = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            t = x / (SIZE - 1)
            colour = [l + (r - l) * t for l, r in zip(left, right)]
            for shape, paint in layers:
                inside = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        px = x + (sx + 0.5) / SAMPLES
                        py = y + (sy + 0.5) / SAMPLES
                        inside += shape(px, py) <= 0
                cover = inside / (SAMPLES * SAMPLES)
                colour = [c * (1 - cover) + p * cover for c, p in zip(colour, paint)]
            row.append(tuple(int(round(c)) for c in colour))
        pixels.append(row)
    return pixels


def write_bmp(path, pixels):
    row_bytes = SIZE * 3  # already a multiple of four
    image = bytearray()
    for row in reversed(pixels):  # bottom-up
        for r, g, b in row:
            image += bytes((b, g, r))
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(image), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    assert len(image) == row_bytes * SIZE
    with open(path, "wb") as out:
        out.write(header + info + image)


BUBBLE = union(ellipse(16, 13, 14, 10.5),
               convex_polygon([(7, 19), (15, 22.5), (5, 30)]))
BUBBLE_EDGE = (150, 160, 200)
WHITE = (255, 255, 255)
DARK_BLUE = (0, 0, 128)


def information():
    return render((4, 4, 188), (29, 28, 194), [
        (BUBBLE, BUBBLE_EDGE),
        (grown(BUBBLE, -1), WHITE),
        (circle(16, 6.8, 1.9), DARK_BLUE),
        (bar(16, 11, 16, 19, 1.6), DARK_BLUE),
        (bar(13.5, 19.5, 18.5, 19.5, 0.8), DARK_BLUE),
        (bar(14.2, 10.6, 16, 10.6, 0.8), DARK_BLUE),
    ])


def confirmation():
    return render((55, 96, 157), (64, 104, 163), [
        (BUBBLE, BUBBLE_EDGE),
        (grown(BUBBLE, -1), WHITE),
        (arc(16, 8.6, 3.9, 1.5, 170, 90), DARK_BLUE),
        (bar(16, 12.5, 16, 14.6, 1.5), DARK_BLUE),
        (circle(16, 19, 1.7), DARK_BLUE),
    ])


def warning():
    triangle = convex_polygon([(16, 2.5), (30.5, 29), (1.5, 29)])
    black = (0, 0, 0)
    return render((58, 56, 37), (70, 68, 46), [
        (grown(triangle, 0.3), (90, 70, 0)),
        (grown(triangle, -1.2), (255, 214, 0)),
        (convex_polygon([(14.4, 10), (17.6, 10), (16.8, 21), (15.2, 21)]), black),
        (circle(16, 24.6, 1.7), black),
    ])


def error():
    disc = circle(16, 16, 14.5)
    return render((255, 7, 7), (255, 27, 27), [
        (disc, (120, 0, 0)),
        (grown(disc, -1.2), (205, 0, 0)),
        (bar(10.5, 10.5, 21.5, 21.5, 2.0), WHITE),
        (bar(21.5, 10.5, 10.5, 21.5, 2.0), WHITE),
    ])


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw in [("Information", information), ("Confirmation", confirmation),
                       ("Warning", warning), ("Error", error)]:
        write_bmp(os.path.join(here, name + ".bmp"), draw())
