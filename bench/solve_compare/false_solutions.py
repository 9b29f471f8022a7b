#!/usr/bin/python3
"""False-solution check: random Tycho-2 fields, random hints, many of them
hopeless (off by more than a field, or by 20 % in scale). sextrix-solve must
never report a wrong solution, and a hopeless hint must end with status 1 in
under 2 s.

    bench/solve_compare/false_solutions.py BUILD_DIR [COUNT] [WORK_DIR]
"""
import json, math, os, random, subprocess, sys, time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from compare import WIDTH, HEIGHT, stars_csv, sexa  # noqa: E402

build = os.path.abspath(sys.argv[1])
count = int(sys.argv[2]) if len(sys.argv) > 2 else 200
work = sys.argv[3] if len(sys.argv) > 3 else "/tmp/false_solutions"
os.makedirs(work, exist_ok=True)
rng = random.Random(7)
solve = os.path.join(build, "bin", "sextrix-solve")
tally = {"right": 0, "wrong": 0, "no solution": 0, "slow failure": 0}
by_kind = {k: {"right": 0, "no solution": 0} for k in ("good", "far", "scale")}
slowest_failure = 0.0
for i in range(count):
    ra, dec = rng.uniform(0, 360), math.degrees(math.asin(rng.uniform(-0.95, 0.95)))
    scale, pa, mirror = rng.uniform(3, 10), rng.uniform(0, 360), rng.random() < 0.3
    fw, fh = WIDTH * scale / 3600, HEIGHT * scale / 3600
    kind = rng.choice(["good", "far", "scale"])
    off = rng.uniform(1.2, 4) if kind == "far" else rng.uniform(0, 0.25)
    angle = rng.uniform(0, 2 * math.pi)
    hdec = max(-89.0, min(89.0, dec + off * fh * math.sin(angle)))
    hra = (ra + off * fw * math.cos(angle) / math.cos(math.radians(dec))) % 360
    hscale = scale * (rng.choice([0.8, 1.2]) if kind == "scale" else rng.uniform(0.95, 1.05))
    base = os.path.join(work, "f%d" % i)
    stars_csv(hra, hdec, 2.0 * math.hypot(WIDTH, HEIGHT) / 2 * hscale / 3600, base + ".csv")
    subprocess.run([os.path.join(build, "bin", "render_compare_field"), base + ".csv", base, str(ra), str(dec),
                    str(scale), str(pa), "1" if mirror else "0", str(i + 1)], check=True, capture_output=True)
    t0 = time.perf_counter()
    r = subprocess.run([solve, base + ".png", "--ra", sexa(hra / 15, False), "--dec", sexa(hdec, True), "--scale",
                        "%.5f" % hscale, "--catalogue", base + ".data.txt", "--wcs", base + ".wcs", "--json"],
                       capture_output=True, text=True)
    t = time.perf_counter() - t0
    if r.returncode == 0:
        out = json.loads(r.stdout)
        err = math.hypot((out["ra_deg"] - ra + 180) % 360 - 180, 0) * math.cos(math.radians(dec)) * 3600
        err = math.hypot(err, (out["dec_deg"] - dec) * 3600)
        ok = err < 5 * scale and abs(out["scale_arcsec_per_px"] / scale - 1) < 0.01
        tally["right" if ok else "wrong"] += 1
        if ok:
            by_kind[kind]["right"] += 1
        if not ok:
            print("WRONG", i, kind, ra, dec, scale, out, flush=True)
    else:
        tally["no solution"] += 1
        by_kind[kind]["no solution"] += 1
        slowest_failure = max(slowest_failure, t)
        if kind != "good" and t > 2:
            tally["slow failure"] += 1
            print("SLOW", i, kind, "%.2f s" % t, flush=True)
print(tally, by_kind, "slowest failure %.2f s" % slowest_failure)
sys.exit(1 if tally["wrong"] or tally["slow failure"] else 0)
