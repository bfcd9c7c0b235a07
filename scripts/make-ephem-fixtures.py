#!/usr/bin/python3
"""Writes the reference tables the astronomy-core and drawing tests compare against.

Reference values come from independent libraries: PyEphem (Debian python3-ephem) for the Sun,
Moon, planets, Pluto (positions and visual magnitudes), the moons of Jupiter and Saturn, the
rising/transit/setting of real catalogue stars at real places and where stars and planets stand
in the sky of a place; ERFA (python3-erfa) for the mean sidereal time and, through its complete
catalogue-to-observed chain (atco13), for where catalogue stars stand. Run it once with the system
Python (apt-get install python3-ephem python3-erfa); the CSV files it writes into
tests/astro/fixtures/ and tests/render/fixtures/ are committed, the libraries are not needed to
build or test.

    /usr/bin/python3 scripts/make-ephem-fixtures.py
"""
import math
import os
import random

import ephem
import ephem.cities
import ephem.stars
import erfa

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "astro", "fixtures")
RENDER_OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "render", "fixtures")
R2D = 180.0 / math.pi
DUBLIN_JD = 2415020.0  # ephem dates count days from 1899-12-31 12:00

BODIES = [ephem.Sun, ephem.Moon, ephem.Mercury, ephem.Venus, ephem.Mars, ephem.Jupiter, ephem.Saturn,
          ephem.Uranus, ephem.Neptune, ephem.Pluto]
NAMES = ["sun", "moon", "mercury", "venus", "mars", "jupiter", "saturn", "uranus", "neptune", "pluto"]


def random_instant(rng, y0, y1):
    return (rng.randint(y0, y1), rng.randint(1, 12), rng.randint(1, 28), rng.randint(0, 23), rng.randint(0, 59))


def bodies(rng, n=240):
    """Geocentric ecliptic longitude and latitude of date (degrees), distance from the Earth (AU) and
    visual magnitude at UT instants 1900-2100."""
    rows = []
    for _ in range(n):
        y, mo, d, h, mi = random_instant(rng, 1900, 2100)
        date = ephem.Date((y, mo, d, h, mi, 0))
        row = [y, mo, d, h, mi]
        for cls in BODIES:
            b = cls()
            b.compute(date, epoch=date)
            ecl = ephem.Ecliptic(ephem.Equatorial(b.a_ra, b.a_dec, epoch=date), epoch=date)
            row += ["%.6f" % (float(ecl.lon) * R2D), "%.6f" % (float(ecl.lat) * R2D),
                    "%.7f" % b.earth_distance, "%.2f" % b.mag]
        rows.append(row)
    header = "year,month,day,hour,minute," + ",".join("%s_lon,%s_lat,%s_dist,%s_mag" % (n, n, n, n) for n in NAMES)
    write("bodies.csv", header, rows, "UT instants; geocentric ecliptic of date, astrometric, distance and "
          "visual magnitude (PyEphem %s)" % ephem.__version__)


def sidereal(rng, n=200):
    """Local mean sidereal time (degrees) for local clock readings at random places and zones."""
    rows = []
    for _ in range(n):
        y, mo, d, h, mi = random_instant(rng, 1900, 2100)
        zone = rng.randint(-12, 14)
        lat = round(rng.uniform(-89.0, 89.0), 4)
        lon = round(rng.uniform(-180.0, 180.0), 4)
        jd_ut = float(ephem.Date((y, mo, d, h, mi, 0))) + DUBLIN_JD - zone / 24.0
        gmst = erfa.gmst82(jd_ut, 0.0) * R2D
        lmst = (gmst + lon) % 360.0
        rows.append([y, mo, d, h, mi, zone, lat, lon, "%.7f" % lmst])
    write("sidereal.csv", "year,month,day,hour,minute,zone,lat,lon,lmst",
          rows, "local clock, zone (local - UT, hours), place; LMST from ERFA gmst82 (UT1 = UT)")


def rise_transit_set_hours(ob, star, midnight):
    """Hours after local midnight of the next rising, transit and setting; None when it never rises
    or never sets."""
    try:
        return ((ob.next_rising(star, start=midnight) - midnight) * 24.0,
                (ob.next_transit(star, start=midnight) - midnight) * 24.0,
                (ob.next_setting(star, start=midnight) - midnight) * 24.0)
    except (ephem.AlwaysUpError, ephem.NeverUpError):
        return None


def rise_transit_set(rng, n=160):
    """Rise, transit and set of catalogue stars (J2000 positions) as local clock hours."""
    stars = sorted(ephem.stars.stars)
    cities = sorted(ephem.cities._city_data.items())
    rows = []
    while len(rows) < n:
        name = rng.choice(stars)
        city, (slat, slon, _elev) = rng.choice(cities)
        lat, lon = float(slat), float(slon)
        if abs(lat) > 60:
            continue
        star = ephem.star(name)
        ra, dec = float(star._ra) * R2D, float(star._dec) * R2D
        cos_h0 = (math.sin(math.radians(-0.5667)) - math.sin(math.radians(lat)) * math.sin(math.radians(dec))) / (
            math.cos(math.radians(lat)) * math.cos(math.radians(dec)))
        if abs(cos_h0) > 0.9:
            continue  # near the circumpolar limit rise and set are too sensitive to precession
        y, mo, d = rng.randint(1995, 2025), rng.randint(1, 12), rng.randint(1, 28)
        zone = int(round(lon / 15.0))
        midnight = ephem.Date(ephem.Date((y, mo, d, 0, 0, 0)) - zone * ephem.hour)
        ob = ephem.Observer()
        ob.lat, ob.lon = math.radians(lat), math.radians(lon)
        ob.elevation = 0
        ob.pressure = 0
        ob.horizon = math.radians(-0.5667)
        ob.date = midnight
        hours = rise_transit_set_hours(ob, star, midnight)
        if hours is None:
            continue
        rise, transit, setting = hours
        rows.append([name.replace(",", " "), city.replace(",", " "), "%.6f" % ra, "%.6f" % dec, y, mo, d, zone,
                     "%.6f" % lat, "%.6f" % lon, "%.5f" % rise, "%.5f" % transit, "%.5f" % setting])
    write("rts.csv", "star,city,ra,dec,year,month,day,zone,lat,lon,rise,transit,set", rows,
          "J2000 star positions (PyEphem catalogue); horizon -0.5667 deg, no refraction; local clock hours")


def moons(rng, n=60):
    """Moons of Jupiter (x, y) and Saturn (x, y, z) in planet radii, PyEphem's frame, with each planet's
    distance from the Earth (AU) for the light time. PyEphem's moon theories hold near the present,
    so the instants lie in 2000-2025 (before 1998 its Saturn moons drift by tens of degrees)."""
    jup = [ephem.Io, ephem.Europa, ephem.Ganymede, ephem.Callisto]
    sat = [ephem.Mimas, ephem.Enceladus, ephem.Tethys, ephem.Dione, ephem.Rhea, ephem.Titan, ephem.Hyperion,
           ephem.Iapetus]
    rows = []
    for _ in range(n):
        y, mo, d, h, mi = random_instant(rng, 2000, 2025)
        date = ephem.Date((y, mo, d, h, mi, 0))
        row = [y, mo, d, h, mi, "%.6f" % ephem.Jupiter(date).earth_distance,
               "%.6f" % ephem.Saturn(date).earth_distance]
        for cls in jup:
            m = cls(date)
            row += ["%.5f" % m.x, "%.5f" % m.y]
        for cls in sat:
            m = cls(date)
            row += ["%.5f" % m.x, "%.5f" % m.y, "%.5f" % m.z]
        rows.append(row)
    header = ("year,month,day,hour,minute,jupiter_delta,saturn_delta," + ",".join("j%d_x,j%d_y" % (k, k) for k in range(1, 5)) + "," +
              ",".join("s%d_x,s%d_y,s%d_z" % (k, k, k) for k in range(1, 9)))
    write("moons.csv", header, rows, "UT instants; planet radii, x east, y south, z toward the Earth")


def fixed_star(name):
    """A catalogue star as PyEphem has it (J2000), with its proper motion left out: the chart's
    catalogue directions are fixed."""
    cat = ephem.star(name)
    star = ephem.FixedBody()
    star._ra, star._dec, star._epoch = cat._ra, cat._dec, ephem.J2000
    return star


def observer(lat, lon, date):
    ob = ephem.Observer()
    ob.lat, ob.lon = math.radians(lat), math.radians(lon)
    ob.elevation = 0
    ob.pressure = 0  # no refraction
    ob.date = date
    return ob


def true_sky(rng, n=120):
    """Altitude and azimuth of catalogue stars (J2000) at random places and local clock readings
    1700-2300, from PyEphem's sky of date (precession, nutation, aberration; no refraction), and
    their rise, transit and set as local clock hours of that day (horizon -0.5667 degrees)."""
    stars = sorted(ephem.stars.stars)
    rows = []
    while len(rows) < n:
        name = rng.choice(stars)
        lat = round(rng.uniform(-60.0, 60.0), 4)
        lon = round(rng.uniform(-180.0, 180.0), 4)
        y, mo, d, h, mi = random_instant(rng, 1700, 2300)
        zone = int(round(lon / 15.0))
        star = fixed_star(name)
        ra, dec = float(star._ra) * R2D, float(star._dec) * R2D
        cos_h0 = (math.sin(math.radians(-0.5667)) - math.sin(math.radians(lat)) * math.sin(math.radians(dec))) / (
            math.cos(math.radians(lat)) * math.cos(math.radians(dec)))
        if abs(cos_h0) > 0.9:
            continue  # near the circumpolar limit rise and set hang on fractions of an arcminute
        instant = ephem.Date(ephem.Date((y, mo, d, h, mi, 0)) - zone * ephem.hour)
        ob = observer(lat, lon, instant)
        star.compute(ob)
        alt, az = float(star.alt) * R2D, float(star.az) * R2D
        midnight = ephem.Date(ephem.Date((y, mo, d, 0, 0, 0)) - zone * ephem.hour)
        ob = observer(lat, lon, midnight)
        ob.horizon = math.radians(-0.5667)
        hours = rise_transit_set_hours(ob, star, midnight)
        if hours is None:
            continue
        rise, transit, setting = hours
        rows.append([name.replace(",", " "), "%.6f" % ra, "%.6f" % dec, y, mo, d, h, mi, zone, "%.4f" % lat,
                     "%.4f" % lon, "%.5f" % alt, "%.5f" % az, "%.5f" % rise, "%.5f" % transit, "%.5f" % setting])
    write("truesky.csv", "star,ra,dec,year,month,day,hour,minute,zone,lat,lon,alt,az,rise,transit,set", rows,
          "J2000 star positions without proper motion (PyEphem catalogue); sky of the date, no refraction; "
          "local clock; azimuth from north through east; rise/transit/set hours of the local day")


# Three places and local clock readings for the drawing's placement test.
PLACES = [("London", 51.5074, -0.1278, 0, (1995, 3, 4, 21, 30)),
          ("Sydney", -33.8688, 151.2093, 10, (2019, 7, 20, 20, 0)),
          ("Quito", -0.1807, -78.4678, -5, (2040, 11, 15, 4, 0))]
PLANETS = [("mercury", ephem.Mercury), ("venus", ephem.Venus), ("mars", ephem.Mars), ("jupiter", ephem.Jupiter),
           ("saturn", ephem.Saturn), ("uranus", ephem.Uranus), ("neptune", ephem.Neptune)]


def placement():
    """Where the bright catalogue stars (J2000, no proper motion) and the planets stand in the sky of
    three places, with ERFA's catalogue-to-observed chain for the stars (no refraction, UT1 = UTC)
    and PyEphem for the planets."""
    rows = []
    for place, lat, lon, zone, (y, mo, d, h, mi) in PLACES:
        instant = ephem.Date(ephem.Date((y, mo, d, h, mi, 0)) - zone * ephem.hour)
        uy, umo, ud, uh, umi, us = ephem.Date(instant).tuple()
        utc1, utc2 = erfa.dtf2d("UTC", uy, umo, ud, uh, umi, round(us))
        for name in sorted(ephem.stars.stars):
            star = fixed_star(name)
            ra, dec = float(star._ra), float(star._dec)
            aob, zob = erfa.atco13(ra, dec, 0.0, 0.0, 0.0, 0.0, utc1, utc2, 0.0, math.radians(lon),
                                   math.radians(lat), 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.55)[:2]
            alt = 90.0 - zob * R2D
            if alt < 10.0:
                continue
            rows.append([place, y, mo, d, h, mi, zone, lat, lon, name.replace(",", " "), "%.6f" % (ra * R2D),
                         "%.6f" % (dec * R2D), "%.5f" % alt, "%.5f" % ((aob * R2D) % 360.0)])
        ob = observer(lat, lon, instant)
        for key, cls in PLANETS:
            b = cls(ob)
            rows.append([place, y, mo, d, h, mi, zone, lat, lon, key, "", "", "%.5f" % (float(b.alt) * R2D),
                         "%.5f" % (float(b.az) * R2D)])
    header = "place,year,month,day,hour,minute,zone,lat,lon,object,ra,dec,alt,az"
    write("placement.csv", header, rows, "local clock; stars: J2000 ra/dec and ERFA atco13 observed place, no "
          "refraction; planets: PyEphem topocentric apparent, no refraction; azimuth from north through east",
          RENDER_OUT)


# Instants when each body shows a large disc (oppositions, near inferior conjunctions but clear of
# the Sun, a full Moon).
SIZE_DATES = [("sun", ephem.Sun, (2026, 1, 3, 12, 0)), ("moon", ephem.Moon, (2026, 12, 24, 1, 0)),
              ("mercury", ephem.Mercury, (2022, 5, 26, 0, 0)), ("venus", ephem.Venus, (2020, 6, 12, 18, 0)),
              ("mars", ephem.Mars, (2003, 8, 27, 10, 0)), ("jupiter", ephem.Jupiter, (2022, 9, 26, 20, 0)),
              ("saturn", ephem.Saturn, (2003, 12, 31, 12, 0)), ("uranus", ephem.Uranus, (2022, 11, 9, 8, 0)),
              ("neptune", ephem.Neptune, (2022, 9, 16, 22, 0))]


def body_distances():
    """Geocentric distances (AU) of the bodies at instants when their discs are large; the drawing
    test takes their true angular diameters from these and the published radii."""
    rows = []
    for key, cls, (y, mo, d, h, mi) in SIZE_DATES:
        b = cls(ephem.Date((y, mo, d, h, mi, 0)))
        rows.append([key, y, mo, d, h, mi, "%.9f" % b.earth_distance])
    write("distances.csv", "body,year,month,day,hour,minute,distance", rows,
          "UT instants; geocentric distance in AU (PyEphem %s)" % ephem.__version__, RENDER_OUT)


def write(name, header, rows, note, folder=OUT):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "w") as f:
        f.write("# %s\n" % note)
        f.write(header + "\n")
        for r in rows:
            f.write(",".join(str(v) for v in r) + "\n")


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    rng = random.Random(20240607)
    bodies(rng)
    sidereal(rng)
    rise_transit_set(rng)
    moons(rng)
    true_sky(rng)
    placement()
    body_distances()
