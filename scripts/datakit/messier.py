"""Messier objects: centres from d3-celestial's messier.json, picture boxes from the corner points
of the stellarium-data nebula pictures (textures.json), and the pictures resampled into those boxes.

A picture is drawn by the chart over a right-ascension/declination box with its left edge at the
box's larger right ascension (east) and its top at the larger declination (north), as sky pictures
are shown. Each source picture is resampled into the box that bounds its four corner points."""
import json
import math
import os
import re

from . import image, png

# Objects that lie inside another object's picture: the parent picture and the crop size factor.
CROPS = {32: 31, 110: 31, 43: 42, 84: 'virgo_cluster', 86: 'virgo_cluster', 87: 'virgo_cluster'}
CROP_SCALE = 0.75      # box side = this times the object's largest dimension
M40_SIDE_DEG = 0.03
MAX_SIZE = 256


def load_centres(d3_dir):
    """{N: (ra_deg, dec_deg, largest dimension in arcmin or None)}"""
    with open(os.path.join(d3_dir, 'messier.json')) as f:
        features = json.load(f)['features']
    out = {}
    for ft in features:
        n = int(ft['id'][1:])
        lon, lat = ft['geometry']['coordinates']
        dims = [float(x) for x in re.findall(r'[\d.]+', ft['properties'].get('dim') or '')]
        out[n] = (round(lon % 360.0, 4), round(lat, 4), max(dims) if dims else None)
    return out


def load_pictures(st_dir):
    """{key: entry} for every Messier picture, keyed by object number (or 'virgo_cluster')."""
    base = os.path.join(st_dir, 'nebulae', 'default')
    text = open(os.path.join(base, 'textures.json')).read()
    text = re.sub(r'(?<=[\[,:\s])(-?)\.(\d)', r'\g<1>0.\2', text)
    out = {}
    for t in json.loads(text)['subTiles']:
        url = t['imageUrl']
        m = re.match(r'm(\d+)(?!\d)', url)
        if m:
            key = int(m.group(1))
        else:
            key = {'pleiades.png': 45, 'virgo_cluster.png': 'virgo_cluster'}.get(url)
        if key is None or key in out:
            continue
        credits = t.get('imageCredits', {})
        credit = credits.get('short') or credits.get('Short') or ''
        out[key] = {'file': os.path.join(base, url), 'url': url, 'corners': t['worldCoords'][0],
                    'texcoords': t['textureCoords'][0], 'credit': credit, 'info': credits.get('infoUrl', '')}
    return out


def _unwrap(ras, ref):
    return [ref + ((r - ref + 180.0) % 360.0 - 180.0) for r in ras]


def picture_box(entry):
    ras = _unwrap([c[0] for c in entry['corners']], entry['corners'][0][0])
    decs = [c[1] for c in entry['corners']]
    ra1, ra2 = min(ras), max(ras)
    if ra1 < 0:
        ra1, ra2 = ra1 + 360.0, ra2 + 360.0
    return (round(ra1, 4), round(ra2, 4), round(min(decs), 4), round(max(decs), 4))


def crop_box(ra, dec, side_deg):
    half_dec = side_deg / 2
    half_ra = half_dec / math.cos(math.radians(dec))
    return (round(ra - half_ra, 4), round(ra + half_ra, 4), round(dec - half_dec, 4), round(dec + half_dec, 4))


def table_rows(centres, pictures):
    """{N: (ra, dec, ra1, ra2, dec1, dec2, source)} for all 110 objects."""
    rows = {}
    for n in range(1, 111):
        ra, dec, dim = centres[n]
        if n in pictures:
            rows[n] = (ra, dec) + picture_box(pictures[n]) + (n,)
        elif n in CROPS:
            rows[n] = (ra, dec) + crop_box(ra, dec, CROP_SCALE * dim / 60.0) + (CROPS[n],)
        elif n == 40:
            rows[n] = (ra, dec) + crop_box(ra, dec, M40_SIDE_DEG) + (None,)
        else:
            raise RuntimeError('no picture for M%d' % n)
    return rows


def _tex_mapping(entry):
    """Affine map from (ra, dec) to source texture (s, t) from three corner points."""
    ref_ra, ref_dec = entry['corners'][0]
    cosd = math.cos(math.radians(ref_dec))
    pts = [((r - ref_ra + 180.0) % 360.0 - 180.0) * cosd for r, _ in entry['corners']]
    pts = [(x, d - ref_dec) for x, (_, d) in zip(pts, entry['corners'])]
    tex = entry['texcoords']
    # Solve [s t] = A [x y] + b from corners 0, 1 and 3.
    (x0, y0), (x1, y1), (x3, y3) = pts[0], pts[1], pts[3]
    (s0, t0), (s1, t1), (s3, t3) = tex[0], tex[1], tex[3]
    det = (x1 - x0) * (y3 - y0) - (x3 - x0) * (y1 - y0)

    def solve(v0, v1, v3):
        a = ((v1 - v0) * (y3 - y0) - (v3 - v0) * (y1 - y0)) / det
        b = ((x1 - x0) * (v3 - v0) - (x3 - x0) * (v1 - v0)) / det
        return a, b, v0 - a * x0 - b * y0

    return ref_ra, ref_dec, cosd, solve(s0, s1, s3), solve(t0, t1, t3)


def render_box(entry, decoded, box):
    """Resamples a source picture (w, h, rgb) into the box; returns (size, size, rgb)."""
    w, h, rgb = decoded
    ra1, ra2, dec1, dec2 = box
    ref_ra, ref_dec, cosd, sm, tm = _tex_mapping(entry)
    # Source pixels per degree of declination decide the output size.
    px_per_deg = h * math.hypot(tm[0] * cosd, tm[1])
    want = max((dec2 - dec1) * px_per_deg, (ra2 - ra1) * cosd * px_per_deg)
    size = 32
    while size < want and size < MAX_SIZE:
        size *= 2
    while w >= 2 * size * 1.5 and h >= 2 * size * 1.5 and want > 0 and w / want > 2.5:
        w, h, rgb = image.halve(w, h, rgb)
    black = len(rgb)
    out = bytearray()
    for r in range(size):
        dec = dec2 - (r + 0.5) / size * (dec2 - dec1)
        y = dec - ref_dec
        offs = []
        for c in range(size):
            ra = ra2 - (c + 0.5) / size * (ra2 - ra1)
            x = ((ra - ref_ra + 180.0) % 360.0 - 180.0) * cosd
            s = sm[0] * x + sm[1] * y + sm[2]
            t = tm[0] * x + tm[1] * y + tm[2]
            if 0.0 <= s < 1.0 and 0.0 < t <= 1.0:
                offs.append((int((1.0 - t) * h) * w + int(s * w)) * 3)
            else:
                offs.append(black)
        out += image.gather(rgb, offs)
    return size, size, bytes(out)


def render_double_star(box, stars):
    """A small picture of the stars (ra, dec, v) inside the box, as soft white discs."""
    size = 64
    ra1, ra2, dec1, dec2 = box
    out = bytearray(size * size * 3)
    for ra, dec, v in stars:
        cx = (ra2 - ra) / (ra2 - ra1) * size
        cy = (dec2 - dec) / (dec2 - dec1) * size
        peak = max(0.25, min(1.0, 10 ** (-0.4 * (v - 8.0))))
        radius = 3.0 + 2.0 * peak
        for r in range(max(0, int(cy - 3 * radius)), min(size, int(cy + 3 * radius) + 1)):
            for c in range(max(0, int(cx - 3 * radius)), min(size, int(cx + 3 * radius) + 1)):
                d2 = ((c + 0.5 - cx) ** 2 + (r + 0.5 - cy) ** 2) / (radius * radius)
                val = int(255 * peak * math.exp(-2.0 * d2))
                i = (r * size + c) * 3
                for k in range(3):
                    out[i + k] = min(255, out[i + k] + val)
    return size, size, bytes(out)
