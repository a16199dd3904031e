#!/usr/bin/python3
"""Builds the embedded resource FAINT: the stars from 5.0 to 6.5 mag that the chart adds when it
is zoomed in (the stars brighter than 5.0 mag are STAR0, written by gen_catalog.py).

FAINT inflates to Windows-1252 text with CR LF line ends, five lines a star: right ascension and
declination (J2000, radians), visual magnitude, colour class (1 O ... 7 M, 8 other), and the name
(constellation abbreviation, then the Bayer or Flamsteed designation, else the position), as the
star information shows it. A rerun reproduces the committed file byte for byte.
"""

import argparse
import math
import os
import sys

from gen_catalog import (MAG_LIMIT, SPECTRAL_CLASS, TWO_PI, ConstellationFinder, load_json,
                         num, parse_kstars_desig, to_cp1252, write_resource)

FAINT_LIMIT = 6.5  # the source list ends here


def read_faint_stars(path):
    stars = []
    with open(path, encoding='latin-1') as f:
        for line in f:
            if line.startswith('#') or not line.strip():
                continue
            mag = float(line[46:51])
            if not MAG_LIMIT <= mag < FAINT_LIMIT:
                continue
            ra, de = line[0:9], line[10:19]
            ra_h = int(ra[0:2]) + int(ra[2:4]) / 60 + float(ra[4:9]) / 3600
            sign = -1 if de[0] == '-' else 1
            dec = sign * (int(de[1:3]) + int(de[3:5]) / 60 + float(de[5:9]) / 3600)
            fields = [p.strip() for p in line[58:].rstrip('\n').split(',')]
            stars.append({'ra_h': ra_h, 'dec': dec, 'mag': mag, 'sp': line[56:58].strip(),
                          'desig': fields[1] if len(fields) > 1 else '',
                          'proper': fields[2] if len(fields) > 2 else ''})
    return stars


def faint_name(s, finder):
    abbr, desig = parse_kstars_desig(s['desig'])
    if not abbr:
        abbr = finder.find(s['ra_h'] * 15.0, s['dec']) or ''
    if not desig:
        desig = f'{s["ra_h"]:.3f}h {s["dec"]:+.2f}'
    name = f'{abbr} {desig}'.strip()
    if s['proper']:
        name += ',' + s['proper']
    return to_cp1252(name)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.normpath(os.path.join(here, '..', '..'))
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument('--data', default=os.path.normpath(os.path.join(root, '..', 'shared', 'data')))
    ap.add_argument('--out', default=os.path.join(root, 'resources', 'data'))
    args = ap.parse_args()
    stars = read_faint_stars(os.path.join(args.data, 'hipparcos', 'stars_bright.dat'))
    finder = ConstellationFinder(load_json(os.path.join(args.data, 'celestial', 'constellations.borders.json')))
    lines = []
    seen = set()
    for s in stars:
        ra = math.radians(s['ra_h'] * 15.0) % TWO_PI
        cls = SPECTRAL_CLASS.get(s['sp'][:1], 8) if s['sp'] else 5
        name = faint_name(s, finder)
        if name in seen:  # the components of a close pair: told apart by their brightness
            head, comma, tail = name.partition(',')
            name = f'{head} {num(s["mag"], 2)} mag{comma}{tail}'
        assert name not in seen, name
        seen.add(name)
        lines += [f'{ra:.8f}', f'{math.radians(s["dec"]):.8f}', num(s['mag'], 2), str(cls), name]
    count, size = write_resource(args.out, 'FAINT', lines)
    print(f'FAINT: {len(stars)} stars, {size} bytes')
    return 0


if __name__ == '__main__':
    sys.exit(main())
