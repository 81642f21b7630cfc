"""A small rasteriser for the artwork: shapes are sampled on a fine grid and
every pixel gets the share of its samples that a shape covers. Pictures are
then coloured by thresholds on that share, which gives crisp pixel art with a
controlled edge colour instead of free antialiasing."""

import math


class Coverage:
    """A width x height pixel grid sampled ss x ss times per pixel."""

    def __init__(self, width, height, ss=8):
        self.width = width
        self.height = height
        self.ss = ss
        self.sw = width * ss
        self.sh = height * ss
        self.bits = bytearray(self.sw * self.sh)

    def _span(self, x0, y0, x1, y1):
        """Sample index ranges covering the pixel-space box (x0, y0)-(x1, y1)."""
        ss = self.ss
        sx0 = max(0, int(math.floor(x0 * ss)))
        sy0 = max(0, int(math.floor(y0 * ss)))
        sx1 = min(self.sw, int(math.ceil(x1 * ss)) + 1)
        sy1 = min(self.sh, int(math.ceil(y1 * ss)) + 1)
        return sx0, sy0, sx1, sy1

    def _apply(self, box, inside, value):
        ss = self.ss
        sx0, sy0, sx1, sy1 = self._span(*box)
        for sy in range(sy0, sy1):
            py = (sy + 0.5) / ss
            base = sy * self.sw
            for sx in range(sx0, sx1):
                if inside((sx + 0.5) / ss, py):
                    self.bits[base + sx] = value

    def add(self, shape):
        for box, inside in _parts(shape):
            self._apply(box, inside, 1)

    def cut(self, shape):
        for box, inside in _parts(shape):
            self._apply(box, inside, 0)

    def share(self, x, y):
        ss = self.ss
        total = 0
        for sy in range(y * ss, (y + 1) * ss):
            base = sy * self.sw
            total += sum(self.bits[base + x * ss: base + (x + 1) * ss])
        return total / (ss * ss)

    def shares(self):
        return [[self.share(x, y) for x in range(self.width)] for y in range(self.height)]


def _parts(shape):
    """A shape as (box, test) pairs; long strokes are tested segment by
    segment so that each sample meets only the segments near it."""
    if hasattr(shape, "parts"):
        return shape.parts()
    return [(shape.box(), shape.inside)]


class Ellipse:
    """An ellipse with centre (cx, cy), semi-axes rx, ry, turned by angle
    degrees (positive turns the x axis towards the top of the picture)."""

    def __init__(self, cx, cy, rx, ry, angle=0.0):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry
        a = math.radians(angle)
        self.c, self.s = math.cos(a), math.sin(a)

    def box(self):
        r = max(self.rx, self.ry)
        return self.cx - r, self.cy - r, self.cx + r, self.cy + r

    def inside(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        # y grows downwards, so turning "up" is a negative angle on screen.
        u = dx * self.c - dy * self.s
        v = dx * self.s + dy * self.c
        return (u / self.rx) ** 2 + (v / self.ry) ** 2 <= 1.0


class Polygon:
    def __init__(self, points):
        self.points = points

    def box(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return min(xs), min(ys), max(xs), max(ys)

    def inside(self, x, y):
        result = False
        pts = self.points
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result


class Rect:
    def __init__(self, x0, y0, x1, y1):
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1

    def box(self):
        return self.x0, self.y0, self.x1, self.y1

    def inside(self, x, y):
        return self.x0 <= x < self.x1 and self.y0 <= y < self.y1


def _catmull_rom(points, steps=12):
    """A smooth curve through the given points."""
    if len(points) < 3:
        return list(points)
    ext = [points[0]] + list(points) + [points[-1]]
    out = []
    for i in range(1, len(ext) - 2):
        p0, p1, p2, p3 = ext[i - 1], ext[i], ext[i + 1], ext[i + 2]
        for k in range(steps):
            t = k / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(
                0.5 * ((2 * p1[j]) + (-p0[j] + p2[j]) * t + (2 * p0[j] - 5 * p1[j] + 4 * p2[j] - p3[j]) * t2
                       + (-p0[j] + 3 * p1[j] - 3 * p2[j] + p3[j]) * t3)
                for j in range(3)))
    out.append(points[-1])
    return out


class Stroke:
    """A pen stroke along a smooth curve through (x, y, width) points; the
    width changes smoothly from point to point and the ends are round."""

    def __init__(self, points, smooth=True):
        self.path = _catmull_rom(points) if smooth else list(points)
        self.segments = []
        for (x0, y0, w0), (x1, y1, w1) in zip(self.path, self.path[1:]):
            self.segments.append((x0, y0, w0 / 2, x1, y1, w1 / 2))

    def parts(self):
        result = []
        for seg in self.segments:
            x0, y0, r0, x1, y1, r1 = seg
            r = max(r0, r1)
            box = (min(x0, x1) - r, min(y0, y1) - r, max(x0, x1) + r, max(y0, y1) + r)
            result.append((box, _segment_test(*seg)))
        return result


def _segment_test(x0, y0, r0, x1, y1, r1):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        rr = r0 + (r1 - r0) * t
        return px * px + py * py <= rr * rr

    return inside
