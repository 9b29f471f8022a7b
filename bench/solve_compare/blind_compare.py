#!/usr/bin/python3
"""Solving with no hint: sextrix-solve --blind against solve-field given no hint.

The local catalogue is made from the stars of the astrometry-data-tycho2
index 07 (1.87 million Tycho-2 stars, read whole with query-starkd), with
sextrix-catalog import and index, so both programs know the same sky. Each
field is a 1000 x 800 8-bit PNG rendered by render_compare_field from those
stars, at a random place, scale, rotation and parity. Neither program gets a
hint: solve-field tries every index of /etc/astrometry.cfg (Tycho-2 07 to
19) at every scale, sextrix-solve its index at 1 to 10 "/px. Wall time runs
from the image file to the written WCS, and includes reading the index.
A solution is right when its WCS puts the rendered stars within 2 px RMS of
where they are.

    bench/solve_compare/blind_compare.py BUILD_DIR [FIELDS] [WORK_DIR]

Needs the Debian packages astrometry.net, astrometry-data-tycho2 and
python3-astropy. Writes BLIND_RESULTS.md beside this script, keeping what
follows its "<!-- notes -->" line.
"""
import math
import os
import random
import sys

import numpy as np
from astropy.io import fits

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from compare import INDEX, WIDTH, HEIGHT, run, stars_csv, theirs, timed, wcs_rms  # noqa: E402

OURS_REPEATS = 3  # solve-field runs once per field: a blind run takes it tens of seconds


def local_catalogue(build, work):
    """The index's stars as a local catalogue with its blind index; made once."""
    vsx = os.path.join(work, "tycho07.vsx")
    if os.path.exists(os.path.splitext(vsx)[0] + ".index"):
        return vsx, "(kept from an earlier run)"
    every = os.path.join(work, "tycho07.fits")
    r = run(["query-starkd", "-r", "0", "-d", "0", "-R", "180", "-T", "-o", every, INDEX])
    if r.returncode != 0:
        raise RuntimeError(r.stderr)
    data = fits.open(every)[1].data
    csv = os.path.join(work, "tycho07.csv")
    with open(csv, "w") as f:
        f.write("TYC,RAmdeg,DEmdeg,VTmag\n")
        for i, (a, d, m) in enumerate(zip(data["RA"], data["DEC"], data["MAG_VT"])):
            if np.isfinite(m):
                f.write("%d-%d-1,%.8f,%.8f,%.3f\n" % (i // 10000 + 1, i % 10000 + 1, a, d, m))
    tool = os.path.join(build, "bin", "sextrix-catalog")
    for args in (["import", vsx, csv], ["index", vsx]):
        r = run([tool] + args)
        if r.returncode != 0:
            raise RuntimeError(r.stderr)
    return vsx, r.stdout.strip()


def ours(build, png, vsx, wcs_path):
    args = [os.path.join(build, "bin", "sextrix-solve"), png, "--blind", "--catalogue", vsx, "--wcs", wcs_path,
            "--json"]
    t, r = timed(args, OURS_REPEATS)
    if r.returncode != 0:
        return t, None
    return t, fits.getheader(wcs_path)


def verdict(header, truth):
    if header is None:
        return "declined", None
    rms = wcs_rms(header, truth)
    return ("right" if rms < 2 else "WRONG"), rms


def main():
    build = os.path.abspath(sys.argv[1])
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 16
    work = os.path.abspath(sys.argv[3] if len(sys.argv) > 3 else "/tmp/blind_compare")
    os.makedirs(work, exist_ok=True)
    vsx, index_text = local_catalogue(build, work)
    print(index_text, flush=True)
    rng = random.Random(23)
    rows = []
    for i in range(count):
        ra, dec = rng.uniform(0, 360), math.degrees(math.asin(rng.uniform(-1, 1)))
        scale, pa, mirror = rng.uniform(2, 10), rng.uniform(0, 360), rng.random() < 0.2
        base = os.path.join(work, "field%d" % i)
        stars_csv(ra, dec, math.hypot(WIDTH, HEIGHT) * scale / 3600, base + ".csv")
        r = run([os.path.join(build, "bin", "render_compare_field"), base + ".csv", base, str(ra), str(dec),
                 str(scale), str(pa), "1" if mirror else "0", str(i + 1)])
        if r.returncode != 0:
            raise RuntimeError(r.stderr)
        truth = np.loadtxt(base + ".truth.csv", delimiter=",", skiprows=1, ndmin=2)
        t_ours, h_ours = ours(build, base + ".png", vsx, base + ".ours.wcs")
        outdir = base + "_anet"
        os.makedirs(outdir, exist_ok=True)
        t_theirs, h_theirs = theirs(base + ".png", None, outdir, repeats=1)
        rows.append((ra, dec, scale, pa, mirror, len(truth), t_ours, verdict(h_ours, truth), t_theirs,
                     verdict(h_theirs, truth)))
        print(rows[-1], flush=True)

    def cell(v):
        return v[0] if v[1] is None else "%s, %.3f px" % v

    lines = ["# sextrix-solve --blind against solve-field with no hint", "",
             "Produced by `bench/solve_compare/blind_compare.py` (see its header): %d random 1000 x 800 fields "
             "of the Tycho-2 stars of astrometry.net's index 07 at 2 to 10 \"/px, a fifth of them mirrored. "
             "Wall time from the image file to the written WCS (sextrix-solve: median of %d runs; solve-field: "
             "one run, limited to 120 s of CPU)." % (count, OURS_REPEATS), "",
             "| RA, Dec | \"/px | up PA | mirrored | stars on image | sextrix-solve s | result | solve-field s "
             "| result | speed-up |", "|---|---|---|---|---|---|---|---|---|---|"]
    for (ra, dec, scale, pa, mirror, n, to, vo, tt, vt) in rows:
        both = vo[0] == "right" and vt[0] == "right"
        lines.append("| %.1f, %+.1f | %.1f | %.0f | %s | %d | %.2f | %s | %.1f | %s | %s |" % (
            ra, dec, scale, pa, "yes" if mirror else "no", n, to, cell(vo), tt, cell(vt),
            "%.0fx" % (tt / to) if both else "-"))
    both = [(to, tt) for (*_, to, vo, tt, vt) in rows if vo[0] == "right" and vt[0] == "right"]
    tally = lambda k, v: sum(1 for r in rows if r[k][0] == v)
    lines += ["", "sextrix-solve: %d right, %d wrong, %d declined; slowest %.2f s. solve-field: %d right, %d wrong, "
              "%d unsolved." % (tally(7, "right"), tally(7, "WRONG"), tally(7, "declined"), max(r[6] for r in rows),
                                tally(9, "right"), tally(9, "WRONG"), tally(9, "declined"))]
    if both:
        ratios = sorted(tt / to for to, tt in both)
        lines.append("On the %d fields both solved: sextrix-solve %.2f s, solve-field %.1f s in all; speed-up %.0fx "
                     "to %.0fx, median %.0fx." % (len(both), sum(b[0] for b in both), sum(b[1] for b in both),
                                                  ratios[0], ratios[-1], ratios[len(ratios) // 2]))
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "BLIND_RESULTS.md")
    notes = open(out).read().split("\n<!-- notes -->\n", 1) if os.path.exists(out) else [""]
    with open(out, "w") as f:
        f.write("\n".join(lines) + "\n" + ("\n<!-- notes -->\n" + notes[1] if len(notes) > 1 else ""))
    print("\n".join(lines))


if __name__ == "__main__":
    main()
