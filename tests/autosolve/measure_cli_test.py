"""sextrix-solve measuring a target and writing the reports, as an observer
runs it: the demo field solved, one of its stars measured as if it were a
minor planet, the 80-column and ADES reports read back by the columns and
fields the Minor Planet Center publishes (not by the writer's code), and
every report that cannot be written refused with status 2, no file written
and an earlier one left whole. With RENDER_FIELD, a FITS frame takes its
time from DATE-OBS and EXPTIME.

    measure_cli_test.py SEXTRIX_SOLVE DEMO_FOLDER WORK_FOLDER [RENDER_FIELD]
"""
import json
import math
import os
import subprocess
import sys

solve, demo, work = sys.argv[1:4]
render = sys.argv[4] if len(sys.argv) > 4 else None
os.makedirs(work, exist_ok=True)
image, answer = os.path.join(demo, "m67.jpg"), os.path.join(demo, "data.txt")
base = [image, "--ra", "08 51 18", "--dec", "+11 48 00", "--scale", "2.5", "--catalogue", answer,
        "--wcs", os.path.join(work, "m67.wcs")]
# Star 10 of the demo's solution: U0975_04780767 at 132.7990875 +11.7561416, pixel (531.54, 465.05).
star_ra, star_dec = 132.7990875, 11.7561416
settings = os.path.join(work, "observer.cfg")
with open(settings, "w") as f:
    f.write("station=G70\ncontact_name=J. Smith\ncontact_address=1 Rue de la Lune, Paris\n"
            "observers=J. Smith\naperture_m=0.2\ntelescope_design=reflector\n")
mpc, psv = os.path.join(work, "report.txt"), os.path.join(work, "report.psv")
failures = []

report = ["--measure", "533,464", "--time", "2026-12-08T03:14:15.5", "--designation", "2024 AB12",
          "--observer-config", settings]
r = subprocess.run([solve, *base, *report, "--mpc", mpc, "--ades", psv, "--json"], capture_output=True, text=True)
if r.returncode != 0:
    failures.append("report: exit %d: %s" % (r.returncode, r.stderr))
else:
    m = json.loads(r.stdout)["measurements"][0]
    off = math.hypot((m["ra_deg"] - star_ra) * math.cos(math.radians(star_dec)), m["dec_deg"] - star_dec) * 3600
    if off > 0.5 or m["designation"] != "2024 AB12" or m["obs_time"] != "2026-12-08T03:14:15.500Z":
        failures.append("measurement: %r (%.2f\" from the star)" % (m, off))

    # The 80-column record, by the MPC's columns: 6-12 packed provisional
    # designation, 15 note 2, 16-32 date, 33-44 RA, 45-56 Dec, 78-80 code.
    lines = open(mpc, newline="").read().split("\r\n")[:-1]
    records = [l for l in lines if l[:3] not in ("COD", "CON", "OBS", "MEA", "TEL", "NET", "BND", "ACK", "AC2",
                                                 "COM", "NUM")]
    if lines[0] != "COD G70" or len(records) != 1 or any(len(l) > 80 for l in lines):
        failures.append("80-column: %r" % lines)
    else:
        rec = records[0]
        day = float(rec[23:32])
        ra = (int(rec[32:34]) + int(rec[35:37]) / 60 + float(rec[38:44]) / 3600) * 15
        dec = (int(rec[45:47]) + int(rec[48:50]) / 60 + float(rec[51:56]) / 3600) * (-1 if rec[44] == "-" else 1)
        checks = [len(rec) == 80, rec[5:12] == "K24A12B", rec[14] == "C", rec[15:25] == "2026 12 08",
                  abs(day - (8 + (3 * 3600 + 14 * 60 + 15.5) / 86400)) < 1e-5, abs(ra - m["ra_deg"]) < 0.01 / 240,
                  abs(dec - m["dec_deg"]) < 0.01 / 3600, rec[77:80] == "G70"]
        if not all(checks):
            failures.append("80-column record %r: checks %r" % (rec, checks))

    # ADES PSV: the version line, the keyword record, one observation.
    text = open(psv, newline="").read().split("\r\n")
    rows = [l for l in text if l and not l.startswith("#") and not l.startswith("!")]
    keys = [k.strip() for k in rows[0].split("|")]
    values = dict(zip(keys, (v.strip() for v in rows[1].split("|"))))
    if text[0] != "# version=2022" or values.get("provID") != "2024 AB12" or values.get("stn") != "G70" \
            or values.get("obsTime") != "2026-12-08T03:14:15.500Z" or values.get("astCat") != "USNOA2" \
            or abs(float(values.get("ra", 0)) - m["ra_deg"]) > 1e-5:
        failures.append("ADES: %r" % values)

# Reports that cannot be written: status 2, one line, the earlier files whole.
before = open(mpc, "rb").read() if os.path.exists(mpc) else b""
no_station = os.path.join(work, "nostation.cfg")
with open(no_station, "w") as f:
    f.write("contact_name=J. Smith\nobservers=J. Smith\n")
refused = {
    "no time (a JPEG without EXIF)": [r for r in report if r not in ("--time", "2026-12-08T03:14:15.5")],
    "no observatory code": [*report[:-1], no_station],
    "malformed designation": [*report[:5], "2024 ab 12", *report[6:]],
    "report without target": report[2:],
    "ADES file of another kind": [*report, "--ades", os.path.join(work, "report.txt")],
    "time that is no time": [*report[:3], "2026-13-08T03:14", *report[4:]],
}
for name, args in refused.items():
    r = subprocess.run([solve, *base, *args, "--mpc", mpc], capture_output=True, text=True)
    if r.returncode != 2 or len(r.stderr.strip().splitlines()) != 1:
        failures.append("%s: exit %d, expected 2 with one line: %r" % (name, r.returncode, r.stderr))
if before and open(mpc, "rb").read() != before:
    failures.append("a refused report changed the earlier file")

if render:
    from astropy.io import fits  # also read by the series below

    subprocess.run([render, os.path.join(demo, "m67-field-stars.csv"), work, "--fits"], check=True,
                   capture_output=True)
    frame = os.path.join(work, "m67.fits")
    with fits.open(frame, mode="update") as f:
        f[0].header["DATE-OBS"] = "2024-03-05T21:14:03"
        f[0].header["EXPTIME"] = 120.0
    r = subprocess.run([solve, frame, *base[1:], "--measure", "533,464", "--json"], capture_output=True, text=True)
    got = json.loads(r.stdout)["measurements"][0].get("obs_time") if r.returncode == 0 else r.stderr
    if got != "2024-03-05T21:15:03.000Z":
        failures.append("FITS time: %r" % got)

if render:
    # A series of four frames 5 minutes apart with an object moving at
    # 6"/min east and 3"/min north: found alone, at its rate, on every frame.
    series = os.path.join(work, "series")
    subprocess.run([render, os.path.join(demo, "m67-field-stars.csv"), series, "--series", "4"], check=True,
                   capture_output=True)
    frames = [os.path.join(series, "m67-series-%d.fits" % k) for k in range(1, 5)]
    r = subprocess.run([solve, *frames, *base[1:-2], "--moving", "--jobs", "2", "--json"], capture_output=True,
                       text=True)
    lines = r.stdout.splitlines()
    moving = json.loads(lines[-1]).get("moving") if r.returncode == 0 and len(lines) == 5 else None
    if not moving or len(moving) != 1:
        failures.append("series: exit %d, %r %s" % (r.returncode, moving, r.stderr))
    else:
        o = moving[0]
        measured = [m for m in o["measurements"] if "error" not in m and m["snr"] > 10]
        if (abs(o["rate_ra_arcsec_per_min"] - 6) > 0.1 or abs(o["rate_dec_arcsec_per_min"] - 3) > 0.1
                or len(measured) != 4):
            failures.append("series: %r" % o)
        # Reported with the name given, on every frame; one name too many is refused.
        named = ["--moving", "--observer-config", settings, "--mpc", os.path.join(series, "moving.txt")]
        r = subprocess.run([solve, *frames, *base[1:-2], *named, "--designation", "VSX0001"], capture_output=True,
                           text=True)
        lines = open(named[-1]).read().splitlines() if r.returncode == 0 else []
        if sum(l.startswith("     VSX0001") for l in lines) != 4:
            failures.append("moving report: exit %d %r %s" % (r.returncode, lines, r.stderr))
        os.remove(named[-1])
        r = subprocess.run([solve, *frames, *base[1:-2], *named, "--designation", "VSX0001,VSX0002"],
                           capture_output=True, text=True)
        if r.returncode != 2 or os.path.exists(named[-1]):
            failures.append("moving report with two names for one object: exit %d %s" % (r.returncode, r.stderr))
        # Stacked along its motion it is a point where it was at the stack's
        # mid-time (the same time as the object's place above); along the
        # stars the stack solves like a frame.
        import numpy
        from astropy.wcs import WCS

        moved, still = os.path.join(series, "moved.fits"), os.path.join(series, "still.fits")
        for target, extra in ((moved, ["--stack-rate", "6,3", "--stack-method", "median"]), (still, [])):
            r = subprocess.run([solve, *frames, *base[1:-2], "--stack", target, *extra], capture_output=True, text=True)
            if r.returncode != 0:
                failures.append("stack %s: exit %d %s" % (target, r.returncode, r.stderr))
        with open(moved[:-5] + ".wcs") as f:
            header = fits.Header.fromstring(f.read())
        x, y = (int(round(float(v))) for v in WCS(header).world_to_pixel_values(o["ra_deg"], o["dec_deg"]))
        data = fits.getdata(moved).astype(float)
        box = data[y - 3:y + 4, x - 3:x + 4] - numpy.median(data)
        ys, xs = numpy.mgrid[-3:4, -3:4]
        off = math.hypot((box * xs).sum() / box.sum(), (box * ys).sum() / box.sum())
        noise = 1.4826 * numpy.median(numpy.abs(data - numpy.median(data)))
        if box.max() < 20 * noise or off > 0.7:
            failures.append("stack along the motion: peak %.0f, %.2f px off" % (box.max(), off))
        r = subprocess.run([solve, still, *base[1:-2]], capture_output=True, text=True)
        if r.returncode != 0:
            failures.append("star stack: exit %d %s" % (r.returncode, r.stderr))

for f in failures:
    print(f)
sys.exit(1 if failures else 0)
