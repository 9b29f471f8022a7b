"""sextrix-solve from the outside: the demo field solves (exit 0, sidecar
written, centre within 1" of 08 51 18 +11 48 00, the field's true centre),
and bad input ends with status 2 and a one-line reason. A catalogue whose
area, kept beside it, lies elsewhere is warned of and still solves. Several
frames solved at once come out one JSON line each, in the order given, the
unreadable one among them reported without stopping the others. With RENDER_FIELD,
the same field as a 16-bit FITS file solves too, and its sidecar, in the
file's own row order, puts the image's corners where the JPEG's does.

    solve_cli_test.py SEXTRIX_SOLVE DEMO_FOLDER WORK_FOLDER [RENDER_FIELD]
"""
import json
import math
import os
import shutil
import subprocess
import sys

solve, demo, work = sys.argv[1:4]
render = sys.argv[4] if len(sys.argv) > 4 else None
os.makedirs(work, exist_ok=True)
hints = ["--ra", "08 51 18", "--dec", "+11 48 00", "--corr", "1409.57", "1440"]
image, answer = os.path.join(demo, "m67.jpg"), os.path.join(demo, "data.txt")
failures = []

sidecar = os.path.join(work, "m67.wcs")
if os.path.exists(sidecar):
    os.remove(sidecar)
r = subprocess.run([solve, image, *hints, "--catalogue", answer, "--wcs", sidecar, "--json"],
                   capture_output=True, text=True)
if r.returncode != 0:
    failures.append("demo: exit %d, expected 0: %s" % (r.returncode, r.stderr))
else:
    result = json.loads(r.stdout)
    d_ra = (result["ra_deg"] - 132.825) * 0.97887 * 3600  # cos(11.8 deg)
    d_dec = (result["dec_deg"] - 11.8) * 3600
    if abs(d_ra) > 1 or abs(d_dec) > 1:
        failures.append('demo: centre off by %.2f", %.2f"' % (d_ra, d_dec))
    if not os.path.exists(sidecar) or "CD1_1" not in open(sidecar).read():
        failures.append("demo: no sidecar with a CD matrix at " + sidecar)

if render and not failures:
    import warnings
    from astropy.io import fits
    from astropy.wcs import WCS

    warnings.simplefilter("ignore")  # a header-only file: astropy notes NAXIS 0

    subprocess.run([render, os.path.join(demo, "m67-field-stars.csv"), work, "--fits"], check=True,
                   capture_output=True)
    fits_sidecar = os.path.join(work, "m67.fits.wcs")
    r = subprocess.run([solve, os.path.join(work, "m67.fits"), *hints, "--catalogue", answer, "--wcs", fits_sidecar],
                       capture_output=True, text=True)
    if r.returncode != 0:
        failures.append("FITS: exit %d, expected 0: %s" % (r.returncode, r.stderr))
    else:
        header = fits.getheader(fits_sidecar)
        jpeg, raw = WCS(fits.getheader(sidecar)), WCS(header)
        width, height = header["IMAGEW"], header["IMAGEH"]
        # Picture pixel (x, y), y down, is FITS (x + 1, y + 1) in the JPEG and
        # (x + 1, height - y) in the FITS file.
        for x, y in [(0, 0), (width - 1, 0), (0, height - 1), (width - 1, height - 1)]:
            a = jpeg.all_pix2world([[x + 1, y + 1]], 1)[0]
            b = raw.all_pix2world([[x + 1, height - y]], 1)[0]
            off = math.hypot((a[0] - b[0]) * math.cos(math.radians(a[1])), a[1] - b[1]) * 3600
            if off > 1:
                failures.append('FITS: corner (%d, %d) %.1f" from the JPEG solution' % (x, y, off))

garbage = os.path.join(work, "garbage.txt")
with open(garbage, "w") as f:
    f.write("<html>not a catalogue answer</html>\n")
bad = {
    "missing image": [os.path.join(work, "none.jpg"), *hints, "--catalogue", answer],
    "not an image": [answer, *hints, "--catalogue", answer],
    "scale not a number": [image, "--ra", "08 51 18", "--dec", "+11 48 00", "--scale", "two", "--catalogue", answer],
    "no scale": [image, "--ra", "08 51 18", "--dec", "+11 48 00", "--catalogue", answer],
    "ra beyond 24 h": [image, "--ra", "25 00 00", "--dec", "+11 48 00", "--scale", "2.5", "--catalogue", answer],
    "catalogue without stars": [image, *hints, "--catalogue", garbage],
    "missing catalogue": [image, *hints, "--catalogue", os.path.join(work, "none.txt")],
    "four picks": [image, *hints, "--catalogue", answer, "--picks", "1,1 2,2 3,3 4,4"],
    "one sidecar for two images": [image, image, *hints, "--catalogue", answer, "--wcs", sidecar],
    "measuring two images": [image, image, *hints, "--catalogue", answer, "--measure", "533,464"],
    "no jobs": [image, *hints, "--catalogue", answer, "--jobs", "0"],
}
for name, args in bad.items():
    r = subprocess.run([solve, *args], capture_output=True, text=True)
    lines = r.stderr.strip().splitlines()
    if r.returncode != 2 or len(lines) != 1:
        failures.append("%s: exit %d, expected 2 with one line: %r" % (name, r.returncode, r.stderr))

# A night's frames, one unreadable: the unreadable one, done first, still
# comes out in its place, and makes the status 2.
frames = [os.path.join(work, name) for name in ("f1.jpg", "f2.jpg", "broken.jpg", "f3.jpg")]
for frame in frames:
    shutil.copy(image, frame)
    if os.path.exists(frame[:-3] + "wcs"):
        os.remove(frame[:-3] + "wcs")
with open(frames[2], "wb") as f:
    f.write(b"not a picture")
r = subprocess.run([solve, *frames, *hints, "--catalogue", answer, "--jobs", "2", "--json"], capture_output=True,
                   text=True)
lines = [json.loads(line) for line in r.stdout.splitlines()]
got = [(line["image"], line["solved"], os.path.exists(line["image"][:-3] + "wcs")) for line in lines]
if r.returncode != 2 or got != [(f, f != frames[2], f != frames[2]) for f in frames] or "error" not in lines[2]:
    failures.append("frames: exit %d, %r, stderr %r" % (r.returncode, got, r.stderr))

# A value outside its range ends with status 2 and a reason naming its option.
for option, value in [("--scale", "1e-310"), ("--scale", "1e9"), ("--epoch", "1e300"), ("--epoch", "-2000000"),
                      ("--ra", "-01 33 50"), ("--ra", "01 335 0"), ("--ra", "01 33 60"), ("--dec", "+11 60 00"),
                      ("--dec", "-90 00 01"), ("--radius", "0"), ("--mag", "1e300"), ("--tolerance", "1e300")]:
    opts = {"--ra": "08 51 18", "--dec": "+11 48 00", "--scale": "2.5", option: value}
    r = subprocess.run([solve, image, *sum(opts.items(), ()), "--catalogue", answer], capture_output=True, text=True)
    if r.returncode != 2 or len(r.stderr.strip().splitlines()) != 1 or option not in r.stderr:
        failures.append("%s %s: exit %d, expected 2 naming it: %r" % (option, value, r.returncode, r.stderr))

# Installed (no data beside the executable), the solver reads the hosts.cfg
# the window keeps in the user's data folder.
prefix_bin, user = os.path.join(work, "prefix", "bin"), os.path.join(work, "xdg")
os.makedirs(prefix_bin, exist_ok=True)
os.makedirs(os.path.join(user, "velorin-sextrix"), exist_ok=True)
installed = shutil.copy(solve, prefix_bin)
hosts = os.path.join(user, "velorin-sextrix", "hosts.cfg")
with open(hosts, "w") as f:
    f.write("star=vizier:http://127.0.0.1:1/\r\nnot a setting\r\ntimeout=5\r\n")
r = subprocess.run([installed, image, *hints, "--download"], capture_output=True, text=True,
                   env=dict(os.environ, XDG_DATA_HOME=user))
if hosts + ", line 2" not in r.stderr or "127.0.0.1" not in r.stderr:
    failures.append("installed: hosts.cfg of the user's data folder not read: %r" % r.stderr)

# The demo's answer with an area around 10 h +12: another field's.
stale = os.path.join(work, "stale.txt")
data = open(answer, "rb").read()
fnv = 14695981039346656037
for byte in data:
    fnv = ((fnv ^ byte) * 1099511628211) % 2**64
open(stale, "wb").write(data)
with open(os.path.join(work, "stale.area"), "w") as f:
    f.write("ra=150\ndec=12\nradius=20\nmag=13\nservice=vizier:x\nanswer=%d %016x\n" % (len(data), fnv))
r = subprocess.run([solve, image, *hints, "--catalogue", stale, "--wcs", sidecar, "--json"], capture_output=True, text=True)
warned = "was fetched around 10h0'0'' 12°0'0''" in r.stderr
if r.returncode != 0 or not warned or "catalogue_warning" not in json.loads(r.stdout or "{}"):
    failures.append("stale area: exit %d, stderr %r" % (r.returncode, r.stderr))

for f in failures:
    print(f)
sys.exit(1 if failures else 0)
