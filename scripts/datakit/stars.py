"""The star catalogue: positions and V from the d3-celestial Hipparcos file, spectral types from
the stellarium-data star files, proper names from its western sky culture."""
import json
import math
import os
import re
import struct

# Hipparcos numbers run to 118322, but the star table's last slot is 118321 (higher numbers
# would be clamped onto it and overwrite that star): 118322 is left out. Numbers from 120001 up
# in the source are not Hipparcos stars.
HIGHEST_HIP = 118321
MAG_OFFSET = 0.608            # the loader adds this back to the stored magnitude
DEC_SIGN_FIXES = (38256, 41884)  # stars whose declination sign is wrong in the source


def load_positions(d3_dir):
    """Returns {hip: (ra_deg, dec_deg, v, bv or None)} for Hipparcos numbers only."""
    with open(os.path.join(d3_dir, 'stars.14.json')) as f:
        features = json.load(f)['features']
    stars = {}
    for ft in features:
        hip = ft['id']
        if not isinstance(hip, int) or hip < 1 or hip > HIGHEST_HIP:
            continue
        lon, lat = ft['geometry']['coordinates']
        if hip in DEC_SIGN_FIXES and lat > 0:
            lat = -lat
        bv = ft['properties'].get('bv')
        stars[hip] = (lon % 360.0, lat, float(ft['properties']['mag']), float(bv) if bv not in (None, '') else None)
    return stars


def load_spectral_types(st_dir):
    """Returns {hip: type text} from the binary star files (first entry wins for double stars)."""
    base = os.path.join(st_dir, 'stars', 'default')
    with open(os.path.join(base, 'stars_hip_sp_0v0_4.cat'), encoding='latin-1') as f:
        names = f.read().split('\n')
    types = {}
    for level in range(3):
        data = open(os.path.join(base, 'stars_%d_0v0_8.cat' % level), 'rb').read()
        lvl = struct.unpack_from('<8i', data, 0)[4]
        zones = 20 * 4 ** lvl
        counts = struct.unpack_from('<%dI' % zones, data, 32)
        pos = 32 + 4 * zones
        total = sum(counts)
        for k in range(total):
            w0, = struct.unpack_from('<I', data, pos)
            sp, = struct.unpack_from('<H', data, pos + 14)
            pos += 28
            hip = w0 & 0xFFFFFF
            if hip and hip not in types and sp < len(names) and names[sp]:
                types[hip] = names[sp]
    return types


def class_from_bv(bv):
    if bv is None:
        return 'G'
    for limit, letter in ((-0.30, 'O'), (-0.02, 'B'), (0.30, 'A'), (0.58, 'F'), (0.81, 'G'), (1.40, 'K')):
        if bv < limit:
            return letter
    return 'M'


def clean_type(text, bv):
    """A type text whose first character is the colour letter the loader keys on."""
    text = re.sub(r'[,\s]+', '', text or '')
    m = re.search(r'[A-Z]', text)
    if m:
        rest = text[m.start():]
        letter = rest[0]
        if letter in 'OBAFGKM':
            return rest
        if letter in 'CRNS':        # carbon and S stars: cool and red
            return 'M' + rest
        return class_from_bv(bv) + rest  # W, D and the like: the colour decides
    return class_from_bv(bv) + text


def write_catalogue(path, stars, types):
    lines = []
    for hip in sorted(stars):
        ra, dec, v, bv = stars[hip]
        a, d = math.radians(ra), math.radians(dec)
        x, y, z = -math.cos(d) * math.sin(a), -math.sin(d), math.cos(d) * math.cos(a)
        lines.append('%d,%.8f,%.8f,%.8f,%.6f,%.6f,%.3f,%s\r\n' % (
            hip, x, y, z, ra, dec, v - MAG_OFFSET, clean_type(types.get(hip), bv)))
    with open(path, 'w', newline='') as f:
        f.write(''.join(lines))
    return len(lines)


def proper_names(st_dir):
    """{hip: name}, the first name given for each Hipparcos number."""
    names = {}
    path = os.path.join(st_dir, 'skycultures', 'western', 'star_names.fab')
    with open(path, encoding='utf-8') as f:
        for line in f:
            m = re.match(r'\s*(\d+)\|_\("([^"]+)"\)', line)
            if m and int(m.group(1)) not in names:
                names[int(m.group(1))] = m.group(2)
    return names


def write_star_names(path, names, stars, count=96):
    named = sorted((stars[h][2], h) for h in names if h in stars)
    with open(path, 'w', newline='', encoding='latin-1', errors='replace') as f:
        for _, hip in named[:count]:
            f.write('%s\t%d\r\n' % (names[hip], hip))
    return min(count, len(named))
