"""The Milky Way texture, resampled for the chart's sphere.

The chart wraps the texture on a GLU sphere (texture s = 1 - slice angle / 360 deg, t = 1 - polar
angle from +z / 180 deg, vertex (sin p sin a, sin p cos a, cos p)) drawn in the equatorial frame
after glRotatef(150, 0, 0, 1) and glRotatef(30, 1, 0, 0). So each texel (s, t) looks along
Rz(150) Rx(30) v, and takes the colour the source map has for that sky direction. The source is
equatorial (J2000) and equirectangular: column ((90 deg - RA) / 360) mod 1, row (90 - Dec) / 180.
Its left edge is at RA 6h: compact features of the picture (the Pleiades, M31, M42, M8, the
Carina nebula) sit there to within 0.1 degree."""
import math

from . import image, png

WIDTH, HEIGHT = 1024, 512
SOURCE_RA_ZERO = 90.0


def texel_direction(s, t):
    """Equatorial unit vector (star-table convention) seen through texel (s, t)."""
    a = 2 * math.pi * (1.0 - s)
    p = math.pi * (1.0 - t)
    x, y, z = math.sin(p) * math.sin(a), math.sin(p) * math.cos(a), math.cos(p)
    c, sn = math.cos(math.radians(30)), math.sin(math.radians(30))
    y, z = c * y - sn * z, sn * y + c * z
    c, sn = math.cos(math.radians(150)), math.sin(math.radians(150))
    return c * x - sn * y, sn * x + c * y, z


def build(source_png):
    w, h, rgb = png.decode(source_png)
    while w > 2 * WIDTH:
        w, h, rgb = image.halve(w, h, rgb)
    out = bytearray()
    black = len(rgb)
    for row in range(HEIGHT):          # top-down rows: row 0 is t = 1
        t = 1.0 - (row + 0.5) / HEIGHT
        offs = []
        for col in range(WIDTH):
            x, y, z = texel_direction((col + 0.5) / WIDTH, t)
            ra = math.degrees(math.atan2(-x, z))
            dec = -math.degrees(math.asin(max(-1.0, min(1.0, y))))
            u = ((SOURCE_RA_ZERO - ra) / 360.0) % 1.0
            v = (90.0 - dec) / 180.0
            sx = min(w - 1, int(u * w))
            sy = min(h - 1, int(v * h))
            offs.append((sy * w + sx) * 3)
        out += image.gather(rgb, offs)
    return WIDTH, HEIGHT, bytes(out)
