"""The Settings dialog's world map: the Earth picture of stellarium-data (textures/earth_cmap.png,
equirectangular, north up, longitude -180 at the left edge) averaged down to 300 x 150 pixels, so
that each pixel covers 1.2 x 1.2 degrees and longitude 0 falls in the middle."""
from . import png

WIDTH, HEIGHT = 300, 150


def _spans(source, target):
    """For each target cell, the (first, end) source indices whose centres fall inside it."""
    out = []
    for i in range(target):
        first = (i * source + target // 2) // target
        end = ((i + 1) * source + target // 2) // target
        out.append((first, max(end, first + 1)))
    return out


def build(source_png):
    w, h, rgb = png.decode(source_png)
    cols, rows = _spans(w, WIDTH), _spans(h, HEIGHT)
    out = bytearray(WIDTH * HEIGHT * 3)
    for y, (r0, r1) in enumerate(rows):
        for x, (c0, c1) in enumerate(cols):
            total = [0, 0, 0]
            for r in range(r0, r1):
                base = (r * w + c0) * 3
                cells = rgb[base:base + (c1 - c0) * 3]
                total[0] += sum(cells[0::3])
                total[1] += sum(cells[1::3])
                total[2] += sum(cells[2::3])
            n = (r1 - r0) * (c1 - c0)
            o = (y * WIDTH + x) * 3
            out[o:o + 3] = bytes((t + n // 2) // n for t in total)
    return WIDTH, HEIGHT, bytes(out)
