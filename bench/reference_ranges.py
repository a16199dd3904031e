#!/usr/bin/python3
# Reference for `noctaris-cli ephemeris --range ... --precise --format csv` with PyEphem
# (Debian's python3-ephem): the seven planets' places at every moment of a range and their
# rising and setting on its local day (searched once a day), one CSV row per planet and
# moment, written as made. Run both under
# /usr/bin/time -v for time and peak memory, as bench/ranges.sh does.
#   /usr/bin/python3 bench/reference_ranges.py MOMENTS [STEP_MINUTES]
import csv
import sys

import ephem

moments = int(sys.argv[1]) if len(sys.argv) > 1 else 10000
step = (int(sys.argv[2]) if len(sys.argv) > 2 else 1) * ephem.minute
site = ephem.Observer()
site.lat, site.lon, site.elevation = "50.836667", "12.854444", 0
bodies = [ephem.Mercury(), ephem.Venus(), ephem.Mars(), ephem.Jupiter(), ephem.Saturn(),
          ephem.Uranus(), ephem.Neptune()]
out = csv.writer(sys.stdout)
out.writerow(["utc", "planet", "hlon", "hlat", "sun_distance", "earth_distance", "ra", "dec",
              "size", "mag", "rise", "set", "constellation", "az", "alt"])

def event(search, body):
    try:
        return search(body)
    except ephem.CircumpolarError:
        return None

start = ephem.Date("1999/12/31 23:00")
day, events = None, {}
for i in range(moments):
    t = ephem.Date(start + i * step)
    midnight = ephem.Date(int(t + 1 / 24.0 - 0.5) + 0.5 - 1 / 24.0)  # local midnight, UT+1
    if midnight != day:
        day = midnight
        site.date = midnight
        events = {b.name: (event(site.next_rising, b), event(site.next_setting, b)) for b in bodies}
    for b in bodies:
        rise, sets = events[b.name]
        site.date = t
        b.compute(site)
        out.writerow([str(t), b.name, b.hlon, b.hlat, b.sun_distance, b.earth_distance, b.ra,
                      b.dec, b.size, b.mag, rise, sets, ephem.constellation(b)[1], b.az, b.alt])
