#!/usr/bin/python3
"""Writes the reference positions the orbit viewer's propagation tests compare against.

For 50 real asteroids of the built data/wanderocs.txt (every 30th line) and five instants from 1990
to 2040, the heliocentric ecliptic position (J2000, AU) from PyEphem's elliptical bodies (Debian
python3-ephem), an independent two-body propagation of the same elements. PyEphem keeps elements in
single precision, so the elements are first rounded to single precision and written to the fixture
as used. PyEphem places a body at the ephemeris time less the light time; the instant given to it
is chosen so that the position is the geometric one at the fixture's Julian day. Run it once with
the system Python (apt-get install python3-ephem) after scripts/build-data; the CSV it writes into
tests/orbitviewer/fixtures/ is committed, PyEphem is not needed to build or test.

    /usr/bin/python3 scripts/make-wanderoc-fixtures.py
"""
import math
import os
import struct

import ephem

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
SOURCE = os.path.join(ROOT, "data", "wanderocs.txt")
OUT = os.path.join(ROOT, "tests", "orbitviewer", "fixtures", "ephem_positions.csv")
DUBLIN_JD = 2415020.0   # ephem dates count days from 1899-12-31 12:00
J2000_JD = 2451545.0    # the epoch the mean anomaly is given at for ephem
GAUSS = 0.9856076686    # degrees per day for a = 1 AU
LIGHT_SECONDS_PER_AU = 499.004782
INSTANTS = [(1990, 3, 15, 6, 30), (2003, 7, 1, 0, 0), (2015, 11, 20, 18, 45), (2027, 2, 8, 12, 15),
            (2040, 9, 30, 23, 59)]


def single(v):
    return struct.unpack("f", struct.pack("f", v))[0]


def read_elements():
    rows = []
    with open(SOURCE, encoding="ascii") as f:
        for k, line in enumerate(f):
            if k % 30 != 0 or k >= 1500:
                continue
            fields = line.split("\t")
            number = int(fields[0].split(" ")[0])
            a, e, i, peri, node, m0 = (float(v) for v in fields[2:8])
            rows.append((number, a, e, i, peri, node, m0))
    return rows


def elements_in_single_precision(a, e, i, peri, node, m0):
    """The elements rounded to single precision, with the mean anomaly at J2000 (for ephem) and at
    Julian day 0.0 (for the fixture) describing the same motion."""
    a, e, i, peri, node = (single(v) for v in (a, e, i, peri, node))
    n = GAUSS / a ** 1.5
    m_j2000 = single((m0 + n * J2000_JD) % 360.0)
    m_jd0 = (m_j2000 - n * J2000_JD) % 360.0
    return a, e, i, peri, node, m_j2000, m_jd0


def ephem_position(a, e, i, peri, node, m_j2000, jd):
    body = ephem.EllipticalBody()
    body._a, body._e, body._inc, body._om, body._Om, body._M = a, e, i, peri, node, m_j2000
    body._epoch_M = ephem.Date(J2000_JD - DUBLIN_JD)
    target = jd - DUBLIN_JD
    given = target
    for _ in range(8):
        # The elements' equinox is the instant itself, so no precession enters.
        body._epoch = ephem.Date(target)
        body.compute(ephem.Date(given))
        placed = given + ephem.delta_t(ephem.Date(given)) / 86400.0 - \
            body.earth_distance * LIGHT_SECONDS_PER_AU / 86400.0
        given += target - placed
    r, lon, lat = body.sun_distance, float(body.hlon), float(body.hlat)
    return r * math.cos(lat) * math.cos(lon), r * math.cos(lat) * math.sin(lon), r * math.sin(lat)


def kepler_position(a, e, i, peri, node, m_j2000, jd):
    """A converged solution of the same orbit, to check the ephem values before they are written."""
    rad = math.pi / 180.0
    m = ((m_j2000 + GAUSS / a ** 1.5 * (jd - J2000_JD)) % 360.0) * rad
    big_e = m
    for _ in range(100):
        big_e -= (big_e - e * math.sin(big_e) - m) / (1.0 - e * math.cos(big_e))
    nu = math.atan2(math.sqrt(1.0 - e * e) * math.sin(big_e), math.cos(big_e) - e)
    r = a * (1.0 - e * math.cos(big_e))
    u, n, inc = nu + peri * rad, node * rad, i * rad
    return (r * (math.cos(n) * math.cos(u) - math.sin(n) * math.sin(u) * math.cos(inc)),
            r * (math.sin(n) * math.cos(u) + math.cos(n) * math.sin(u) * math.cos(inc)),
            r * math.sin(u) * math.sin(inc))


def main():
    rows, worst = [], 0.0
    for number, *elements in read_elements():
        a, e, i, peri, node, m_j2000, m_jd0 = elements_in_single_precision(*elements)
        for y, mo, d, h, mi in INSTANTS:
            jd = float(ephem.Date((y, mo, d, h, mi, 0))) + DUBLIN_JD
            x = ephem_position(a, e, i, peri, node, m_j2000, jd)
            check = kepler_position(a, e, i, peri, node, m_j2000, jd)
            worst = max(worst, math.dist(x, check))
            rows.append([number, repr(a), repr(e), repr(i), repr(peri), repr(node), repr(m_jd0), y, mo, d, h, mi] +
                        ["%.10f" % v for v in x])
    assert worst < 1e-6, worst
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with open(OUT, "w") as f:
        f.write("# 50 asteroids of data/wanderocs.txt (elements rounded to single precision), 5 UT instants;\n")
        f.write("# heliocentric ecliptic J2000 x, y, z in AU from PyEphem %s EllipticalBody, geometric.\n" %
                ephem.__version__)
        f.write("# PyEphem against a converged Kepler solution of the same elements: %.1e AU at most.\n" % worst)
        f.write("number,a,e,i,peri,node,M0,year,month,day,hour,minute,x,y,z\n")
        for row in rows:
            f.write(",".join(str(v) for v in row) + "\n")
    print("wrote %d rows to %s (ephem vs converged Kepler: %.2e AU at most)" % (len(rows), OUT, worst))


if __name__ == "__main__":
    main()
