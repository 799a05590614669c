#!/usr/bin/env python3
"""Writes MgrsAgainstGeoConvert.inc: MGRS references of random points in every
UTM zone and latitude band, with GeographicLib's GeoConvert (package
geographiclib-tools) as the oracle.  Each row: the reference as a user would
copy it, the zone, the easting and northing of the square's centre, the
easting and northing of the point itself, and the square's size in metres.
Run from this folder: ./make_mgrs_table.py > MgrsAgainstGeoConvert.inc"""
import random
import subprocess

random.seed(23)
BANDS = "CDEFGHJKLMNPQRSTUVWX"


def geoconvert(args, lines):
    out = subprocess.run(["GeoConvert", *args], input="\n".join(lines) + "\n", capture_output=True,
                         text=True, check=True).stdout
    return out.splitlines()


points = []
for zone in range(1, 61):
    # Four bands for each zone, so that every band comes up a dozen times.
    for k in range(4):
        band = BANDS[(zone * 7 + k * 5) % len(BANDS)]
        south = -80 + 8 * BANDS.index(band)
        north = 84 if band == "X" else south + 8
        lat = random.uniform(south + 0.01, north - 0.01)
        lon = -180 + 6 * (zone - 1) + random.uniform(0.01, 5.99)
        digits = random.randint(0, 5)
        points.append((lat, lon, digits))

mgrs = []
for lat, lon, digits in points:
    mgrs += geoconvert(["-m", "-p", str(digits - 5)], [f"{lat:.9f} {lon:.9f}"])
centres = geoconvert(["-u", "-p", "1"], mgrs)
originals = geoconvert(["-u", "-p", "1"], [f"{lat:.9f} {lon:.9f}" for lat, lon, _ in points])

for n, ((lat, lon, digits), ref, centre, original) in enumerate(zip(points, mgrs, centres, originals)):
    zone_band = ref[:len(ref) - 2 - 2 * digits]
    square = ref[len(zone_band):len(zone_band) + 2]
    e, nn = ref[len(ref) - 2 * digits:len(ref) - digits], ref[len(ref) - digits:]
    # Every third row as GPS units print it, with blanks.
    text = f"{zone_band} {square} {e} {nn}".rstrip() if n % 3 == 0 else ref
    czone, ceast, cnorth = centre.split()
    ozone, oeast, onorth = original.split()
    assert czone == ozone, (ref, centre, original)
    false_northing = 0 if czone.endswith("n") else 10_000_000
    size = 10 ** (5 - digits)
    print(f'    {{"{text}", {int(czone[:-1])}, {ceast}, {float(cnorth) - false_northing:.1f}, '
          f'{oeast}, {float(onorth) - false_northing:.1f}, {size}}},')
