"""Constellation figures: the 654-segment list the sky chart draws, derived from the western sky
culture's constellationship.fab.

The current edition of that file has 676 segments over 692 stars, in the same constellation order
(Aquila first, Vela last). The program's list is the older, smaller edition of the same figures:
654 segments over 665 stars. It is recovered from the newer file by three rules:
  1. Andromeda's chain is written from gamma And (9640 -> 5447 first); in Ursa Minor the segment
     Polaris -> delta UMi comes sixth of seven (the other segments keep their order).
  2. The five faint constellations whose figure is one lone segment and whose lines the smaller
     edition did not carry are left out: Canes Venatici, Fornax, Sextans, Mensa, Telescopium.
     (A lone segment is the only removal that takes two stars with it: this is what brings the
     star count down by five more than the segment count.)
  3. Seventeen end segments (a star used by no other segment at its far end) go, the faintest
     far-end stars first: two before Ursa Major's delta -> alpha segment, fifteen after Polaris.
     Between those two places nothing is removed, which keeps the fixed places of the Ursa Major,
     Orion and Ursa Minor segments.
The result is checked against the rows whose places are known (Aquila's first two, Andromeda's
first, Ursa Major's pointers, two in Orion, Polaris, and the last segment in Vela)."""
import collections
import os

KNOWN_ROWS = {
    1: (98036, 97649), 2: (97649, 97278), 9: (9640, 5447), 283: (59774, 54061), 284: (54061, 53910),
    285: (53910, 58001), 441: (28614, 27989), 445: (24436, 25930), 510: (11767, 85822),
    654: (44816, 39953)}
DROPPED_FIGURES = ('CVn', 'For', 'Sex', 'Men', 'Tel')
SEGMENTS = 654
STARS = 665


def read_fab(st_dir):
    path = os.path.join(st_dir, 'skycultures', 'western', 'constellationship.fab')
    groups = []
    with open(path) as f:
        for line in f:
            parts = line.split()
            if not parts or parts[0].startswith('#'):
                continue
            n = int(parts[1])
            hips = [int(x) for x in parts[2:2 + 2 * n]]
            groups.append((parts[0], [(hips[2 * i], hips[2 * i + 1]) for i in range(n)]))
    return groups


def _move(pairs, pair, index):
    pairs.remove(pair)
    pairs.insert(index, pair)


def reduce_figures(groups, magnitude):
    """Returns [(abbr, hip1, hip2)] of 654 rows; magnitude maps hip -> V."""
    groups = [(abbr, list(pairs)) for abbr, pairs in groups]
    by_abbr = dict(groups)
    _move(by_abbr['And'], (9640, 5447), 0)
    _move(by_abbr['UMi'], (11767, 85822), 5)
    groups = [(a, p) for a, p in groups if a not in DROPPED_FIGURES]
    rows = [(a, p[0], p[1]) for a, pairs in groups for p in pairs]

    protected = set(KNOWN_ROWS.values())
    before_end = rows.index(('UMa',) + KNOWN_ROWS[283])
    after_start = rows.index(('UMi',) + KNOWN_ROWS[510]) + 1
    last = len(rows) - 1

    def drop(lo, hi, count):
        for _ in range(count):
            degree = collections.Counter(h for r in rows for h in r[1:])
            per_group = collections.Counter(r[0] for r in rows)
            best = None
            for i in range(lo, min(hi, len(rows))):
                a, h1, h2 = rows[i]
                if (h1, h2) in protected or i == last or per_group[a] < 2:
                    continue
                for leaf in (h1, h2):
                    if degree[leaf] == 1:
                        key = (-magnitude[leaf], i)
                        if best is None or key < best[0]:
                            best = (key, i)
            rows.pop(best[1])
            hi -= 1
        return hi

    drop(9, before_end, 2)
    after_start = rows.index(('UMi',) + KNOWN_ROWS[510]) + 1
    drop(after_start, len(rows) - 1, 15)
    return rows


def check(rows):
    assert len(rows) == SEGMENTS, len(rows)
    stars = {h for r in rows for h in r[1:]}
    assert len(stars) == STARS, len(stars)
    for place, pair in KNOWN_ROWS.items():
        assert rows[place - 1][1:] == pair, (place, rows[place - 1], pair)
    seen = []
    for r in rows:
        if not seen or seen[-1] != r[0]:
            assert r[0] not in seen, 'group split: ' + r[0]
            seen.append(r[0])
    return len(seen)
