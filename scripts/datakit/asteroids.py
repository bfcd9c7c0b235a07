"""The orbit viewer's asteroid file, wanderocs.txt, from the JPL Small-Body Database elements that
Debian's kstars-data ships (usr/share/kstars/asteroids.dat, one JSON object of rows of strings).

One line per asteroid, fields separated by tabs and the line closed by a tab:
    number and name, absolute magnitude H, a (AU), e, i, argument of perihelion, ascending node,
    mean anomaly at Julian day 0.0
with the angles in degrees (ecliptic and equinox J2000, as published). The mean anomaly is moved
from the elements' epoch to Julian day 0.0 with the Gaussian mean motion the viewer uses:
M0 = M - n * JD_epoch, n = 0.9856076686 / a^1.5 degrees per day, reduced to [0, 360)."""
import json
import re

COUNT = 1500
GAUSS_DEGREES_PER_DAY = 0.9856076686
MJD_ZERO_JD = 2400000.5

# "     1 Ceres (A801 AA)": the number, the name, then the provisional designation in brackets.
FULL_NAME = re.compile(r'^\s*(\d+)\s+(.*?)\s*(\([^()]*\))?\s*$')


def mean_anomaly_at_jd0(mean_anomaly, a, epoch_jd):
    """The mean anomaly (degrees) at Julian day 0.0 of an orbit with the given one at epoch_jd."""
    n = GAUSS_DEGREES_PER_DAY / a ** 1.5
    m0 = (mean_anomaly - n * epoch_jd) % 360.0
    return 0.0 if m0 >= 360.0 else m0


def numbered(path):
    """(number, name, row as a dict) of every numbered asteroid with complete elements, by number."""
    with open(path, encoding='utf-8') as f:
        table = json.load(f)
    fields = table['fields']
    out = []
    for values in table['data']:
        row = dict(zip(fields, values))
        m = FULL_NAME.match(row['full_name'] or '')
        if not m:
            continue
        if any(row[k] is None for k in ('a', 'e', 'i', 'w', 'om', 'ma', 'epoch_mjd')):
            continue
        number = int(m.group(1))
        name = m.group(2) or m.group(3) or ''
        out.append((number, name, row))
    out.sort(key=lambda t: t[0])
    return out


def _number(text):
    """The shortest text that reads back as the same double ("0.0786" for ".0786")."""
    return repr(float(text))


def line(number, name, row):
    a = float(row['a'])
    epoch_jd = float(row['epoch_mjd']) + MJD_ZERO_JD
    m0 = mean_anomaly_at_jd0(float(row['ma']), a, epoch_jd)
    label = ('%d %s' % (number, name)).replace('\t', ' ')
    fields = [label, row['H'] or '', _number(row['a']), _number(row['e']), _number(row['i']), _number(row['w']),
              _number(row['om']), repr(m0)]
    return '\t'.join(fields) + '\t\n'


def write(path, source):
    """Writes the first COUNT numbered asteroids; returns (count, last number written)."""
    rows = numbered(source)[:COUNT]
    with open(path, 'w', newline='', encoding='ascii', errors='replace') as f:
        for number, name, row in rows:
            f.write(line(number, name, row))
    return len(rows), rows[-1][0] if rows else 0
