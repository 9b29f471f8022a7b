#!/usr/bin/python3
"""sextrix-solve on a night's series: FRAMES frames of 2000 x 1500 of one
field, dithered by up to a tenth of the field, solved in one run with
--jobs 1 and with --jobs 2. The frames are rendered by render_compare_field
from a simulated catalogue (magnitudes 11..14, none saturated, as many more per magnitude
as the sky has); every run must solve every frame. Prints the median wall
time of REPEATS runs of each.

    bench/solve_jobs.py BUILD_DIR [WORK_DIR]
"""
import math
import os
import random
import statistics
import subprocess
import sys
import time

FRAMES, WIDTH, HEIGHT, SCALE = 20, 2000, 1500, 1.5  # "/px: a 50' x 37.5' field
RA, DEC = 132.825, 11.8
PER_SQ_DEG = 800  # catalogue stars down to magnitude 14
REPEATS = int(os.environ.get("REPEATS", 3))

build = sys.argv[1]
work = sys.argv[2] if len(sys.argv) > 2 else os.path.join(build, "solve_jobs")
os.makedirs(work, exist_ok=True)

rng = random.Random(1)
radius = 0.9  # degrees: the field's half-diagonal, 0.52, and the dither
stars = []
for _ in range(int(PER_SQ_DEG * math.pi * radius ** 2)):
    r, t = radius * math.sqrt(rng.random()), rng.uniform(0, 2 * math.pi)
    dec = DEC + r * math.sin(t)
    stars.append((RA + r * math.cos(t) / math.cos(math.radians(dec)), dec,
                  14 - math.log2(1 + rng.random() * (2 ** 3 - 1))))
catalogue_csv = os.path.join(work, "stars.csv")
with open(catalogue_csv, "w") as f:
    f.write("ra_deg,dec_deg,mag_vt\n")
    for ra, dec, mag in sorted(stars, key=lambda s: s[2]):
        f.write("%.8f,%.8f,%.3f\n" % (ra, dec, mag))

frames = []
for i in range(FRAMES):
    base = os.path.join(work, "frame%02d" % i)
    ra = RA + rng.uniform(-0.08, 0.08) / math.cos(math.radians(DEC))
    dec = DEC + rng.uniform(-0.06, 0.06)
    subprocess.run([os.path.join(build, "bin", "render_compare_field"), catalogue_csv, base, str(ra), str(dec),
                    str(SCALE), "0", "0", str(i + 1), "%dx%d" % (WIDTH, HEIGHT)], check=True)
    frames.append(base + ".png")
# Every frame's answer lists the same stars; the first serves the series.
answer = frames[0][:-4] + ".data.txt"

solve = os.path.join(build, "bin", "sextrix-solve")
hints = ["--ra", "08 51 18", "--dec", "+11 48 00", "--scale", str(SCALE), "--catalogue", answer, "--json"]
print("| run | frames | median s | per frame s |")
print("|---|---|---|---|")
for jobs in (1, 2):
    times = []
    for _ in range(REPEATS):
        start = time.perf_counter()
        r = subprocess.run([solve, *frames, *hints, "--jobs", str(jobs)], capture_output=True, text=True)
        times.append(time.perf_counter() - start)
        if r.returncode != 0:
            sys.exit("--jobs %d: exit %d: %s" % (jobs, r.returncode, r.stderr))
    median = statistics.median(times)
    print("| --jobs %d | %d | %.2f | %.3f |" % (jobs, FRAMES, median, median / FRAMES))
