"""sextrix-catalog as an observer runs it, with no network: the demo field's
stars written as a Gaia archive CSV are imported, the cone lists exactly
those within it to the limit, brightest first, a cut file leaves the
catalogue as it was, and sextrix-solve solves the demo picture from the
local catalogue alone, then with no hint at all from its index; a
catalogue with none of the picture's stars declines it.

    catalog_cli_test.py SEXTRIX_CATALOG SEXTRIX_SOLVE DEMO_FOLDER WORK_FOLDER
"""
import csv
import json
import math
import os
import random
import shutil
import subprocess
import sys

tool, solve, demo, work = sys.argv[1:5]
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
failures = []

stars = list(csv.DictReader(open(os.path.join(demo, "m67-field-stars.csv"))))
archive = os.path.join(work, "m67.csv")
with open(archive, "w") as f:
    f.write("source_id,ra,dec,pmra,pmdec,phot_g_mean_mag,phot_bp_mean_mag,phot_rp_mean_mag\n")
    for k, s in enumerate(stars):
        f.write("%d,%s,%s,,,,,%s\n" % (4000 + k, s["ra_deg"], s["dec_deg"], s["mag_vt"]))
catalogue = os.path.join(work, "m67.vsx")
r = subprocess.run([tool, "import", catalogue, archive], capture_output=True, text=True)
if r.returncode != 0 or "stars     %d" % len(stars) not in r.stdout or "Gaia DR3" not in r.stdout:
    failures.append("import: exit %d %s %s" % (r.returncode, r.stdout, r.stderr))

# The cone: the stars within 0.15 degrees to magnitude 11, brightest first.
ra, dec, radius, limit = 132.84, 11.82, 0.15, 11.0


def distance(s):
    a, d = math.radians(float(s["ra_deg"])), math.radians(float(s["dec_deg"]))
    c = math.sin(d) * math.sin(math.radians(dec)) + math.cos(d) * math.cos(math.radians(dec)) * math.cos(
        a - math.radians(ra))
    return math.degrees(math.acos(min(1, c)))


expected = sorted(4000 + k for k, s in enumerate(stars) if float(s["mag_vt"]) <= limit and distance(s) <= radius)
r = subprocess.run([tool, "cone", catalogue, str(ra), str(dec), str(radius), "--mag", str(limit)],
                   capture_output=True, text=True)
rows = [line.split() for line in r.stdout.splitlines()]
mags = [float(row[3]) for row in rows]
if r.returncode != 0 or sorted(int(row[0]) for row in rows) != expected or mags != sorted(mags) or not expected:
    failures.append("cone: exit %d %r, expected %r" % (r.returncode, rows, expected))

# A file cut inside a line is refused with its name and line; the catalogue stays.
before = open(catalogue, "rb").read()
cut = os.path.join(work, "cut.csv")
with open(cut, "w") as f:
    f.write(open(archive).read()[:300])
r = subprocess.run([tool, "import", catalogue, archive, cut], capture_output=True, text=True)
if r.returncode != 2 or "cut.csv" not in r.stderr or open(catalogue, "rb").read() != before:
    failures.append("cut file: exit %d %s" % (r.returncode, r.stderr))
if sorted(os.listdir(work)) != sorted(["m67.csv", "m67.vsx", "cut.csv"]):
    failures.append("files left behind: %r" % sorted(os.listdir(work)))

# The demo picture solved from the local catalogue, with no answer file.
r = subprocess.run([solve, os.path.join(demo, "m67.jpg"), "--ra", "08 51 18", "--dec", "+11 48 00", "--scale", "2.5",
                    "--catalogue", catalogue, "--wcs", os.path.join(work, "m67.wcs"), "--json"],
                   capture_output=True, text=True)
if r.returncode != 0 or '"solved":true' not in r.stdout:
    failures.append("solve from the local catalogue: exit %d %s %s" % (r.returncode, r.stdout, r.stderr))

# With no hint: the index beside the catalogue, then --blind.
r = subprocess.run([tool, "index", catalogue], capture_output=True, text=True)
if r.returncode != 0 or not os.path.exists(os.path.join(work, "m67.index")):
    failures.append("index: exit %d %s %s" % (r.returncode, r.stdout, r.stderr))
blind = [solve, os.path.join(demo, "m67.jpg"), "--blind", "--wcs", os.path.join(work, "blind.wcs"), "--json"]
r = subprocess.run([*blind, "--catalogue", catalogue], capture_output=True, text=True)
got = json.loads(r.stdout) if r.returncode == 0 else {}
if not got.get("solved") or abs(got["ra_deg"] - 132.825) * 3600 * 0.98 > 2 or abs(got["dec_deg"] - 11.8) * 3600 > 2:
    failures.append("blind solve: exit %d %s %s" % (r.returncode, r.stdout, r.stderr))

# As many stars scattered at random: none of the picture's figures in the index, declined.
random.seed(5)
elsewhere = os.path.join(work, "elsewhere.csv")
with open(elsewhere, "w") as f:
    f.write("source_id,ra,dec,pmra,pmdec,phot_g_mean_mag,phot_bp_mean_mag,phot_rp_mean_mag\n")
    for k, s in enumerate(stars):
        f.write("%d,%.7f,%.7f,,,,,%s\n" % (4000 + k, 132.4 + 0.8 * random.random(), 11.4 + 0.8 * random.random(),
                                           s["mag_vt"]))
other = os.path.join(work, "elsewhere.vsx")
for command in ([tool, "import", other, elsewhere], [tool, "index", other]):
    subprocess.run(command, capture_output=True, check=True)
r = subprocess.run([*blind, "--catalogue", other], capture_output=True, text=True)
if r.returncode != 1 or json.loads(r.stdout).get("solved") is not False:
    failures.append("hopeless blind solve: exit %d %s %s" % (r.returncode, r.stdout, r.stderr))

for f in failures:
    print(f)
sys.exit(1 if failures else 0)
