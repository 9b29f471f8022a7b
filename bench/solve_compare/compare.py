#!/usr/bin/python3
"""Speed and accuracy of sextrix-solve against astrometry.net's solve-field.

Each field is rendered by render_compare_field from real Tycho-2 stars (the
astrometry-data-tycho2 index 07, read with query-starkd; one field from a
simulated dense catalogue, indexed for solve-field with
build-astrometry-index), as an 8-bit PNG or a 16-bit FITS, then both programs
get the same hints: a centre off by up to a quarter field and a scale off by
up to 5 %. Wall time runs from the image file to the written WCS. Accuracy is
the RMS distance, in pixels, between where each WCS puts the catalogue stars
on the image and where they truly are. Each program runs REPEATS times per
field and the median time counts: the machine is shared.

    bench/solve_compare/compare.py BUILD_DIR [WORK_DIR]

Needs the Debian packages astrometry.net, astrometry-data-tycho2 and
python3-astropy. Writes the table to RESULTS.md beside this script, keeping
what follows its "<!-- notes -->" line.
"""
import json
import math
import os
import subprocess
import sys
import time

import numpy as np
from astropy.io import fits
from astropy.wcs import WCS
import warnings

warnings.filterwarnings("ignore")

INDEX = "/usr/share/astrometry/index-tycho2-07.littleendian.fits"
WIDTH, HEIGHT = 1000, 800
REPEATS = 5  # each program runs this often per field; the median time counts

# name, RA, Dec (deg), scale ("/px), up position angle, mirrored,
# hint offset (fractions of the field across and down), hint scale error,
# image: "png" (8-bit), "fits" (16-bit FITS) or "dense" (a PNG of a simulated
# catalogue dense enough for the scale; solve-field gets an index built
# from the same catalogue)
FIELDS = [
    ("Cygnus", 305.0, 40.5, 5.0, 20.0, False, (0.20, 0.10), 0.03, "png"),
    ("Carina", 160.0, -59.5, 3.5, 130.0, False, (-0.15, 0.20), -0.04, "png"),
    ("Pisces 0h", 359.6, 5.0, 10.0, 275.0, False, (0.25, 0.0), 0.05, "png"),
    ("Scutum mirrored", 279.0, -8.0, 2.5, 60.0, True, (0.1, -0.2), -0.02, "png"),
    ("Orion", 84.0, -3.0, 7.5, 200.0, False, (-0.2, -0.15), 0.04, "png"),
    ("Crux mirrored", 187.0, -60.0, 6.0, 330.0, True, (0.0, 0.25), 0.0, "png"),
    ("Sagittarius", 271.0, -24.0, 2.0, 95.0, False, (0.15, 0.15), 0.03, "png"),
    ("Cygnus 1.5\"/px", 305.0, 40.5, 1.5, 20.0, False, (0.15, 0.15), 0.03, "png"),
    ("Cassiopeia FITS", 10.0, 60.0, 4.0, 165.0, False, (-0.2, 0.1), -0.03, "fits"),
    ("Ophiuchus FITS mirrored", 262.0, -20.0, 3.0, 300.0, True, (0.1, 0.2), 0.02, "fits"),
    ("Pole", 40.0, 88.5, 6.0, 240.0, False, (0.2, -0.2), 0.04, "png"),
    ("Dense 0.5\"/px mirrored", 120.0, 30.0, 0.5, 310.0, True, (0.2, 0.1), -0.04, "dense"),
]
DENSE_PER_SQ_DEG = 12000  # stars of magnitude 9..15.5 in the simulated catalogue


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, **kw)


def hint_for(ra, dec, scale, offset, scale_error):
    fw, fh = WIDTH * scale / 3600, HEIGHT * scale / 3600
    hdec = dec + offset[1] * fh
    hra = (ra + offset[0] * fw / math.cos(math.radians(dec))) % 360
    return hra, hdec, scale * (1 + scale_error)


def sexa(value, sign):
    neg = value < 0
    v = round(abs(value) * 360000) / 360000  # to the printed 0.01 s, so never "60.00"
    d = int(v)
    m = int(round((v - d) * 3600, 6) // 60)
    s = max(0.0, (v - d) * 3600 - m * 60)
    return ("-" if neg else "+" if sign else "") + "%02d %02d %05.2f" % (d, m, s)


def stars_csv(ra, dec, radius_deg, path):
    fitsout = path + ".fits"
    r = run(["query-starkd", "-r", str(ra), "-d", str(dec), "-R", str(radius_deg), "-T", "-o", fitsout, INDEX])
    if r.returncode != 0:
        raise RuntimeError(r.stderr)
    data = fits.open(fitsout)[1].data
    rows = sorted(zip(data["RA"], data["DEC"], data["MAG_VT"]), key=lambda t: t[2])
    with open(path, "w") as f:
        f.write("ra_deg,dec_deg,mag_vt\n")
        for a, d, m in rows:
            if np.isfinite(m) and -1 < m < 19.9:
                f.write("%.8f,%.8f,%.3f\n" % (a, d, m))
    return len(rows)


def dense_csv(ra, dec, radius_deg, path, seed):
    """A simulated catalogue around (ra, dec): uniform on the sky, magnitudes
    rising in number by a factor of 2 per magnitude, as faint stars do. Also
    written as a FITS table for build-astrometry-index."""
    rng = np.random.default_rng(seed)
    n = int(DENSE_PER_SQ_DEG * math.pi * radius_deg ** 2)
    r = radius_deg * np.sqrt(rng.uniform(0, 1, n))
    t = rng.uniform(0, 2 * math.pi, n)
    decs = dec + r * np.sin(t)
    ras = (ra + r * np.cos(t) / np.cos(np.radians(decs))) % 360
    mags = 15.5 - np.log2(1 + rng.uniform(0, 1, n) * (2 ** 6.5 - 1))
    order = np.argsort(mags)
    with open(path, "w") as f:
        f.write("ra_deg,dec_deg,mag_vt\n")
        for k in order:
            f.write("%.8f,%.8f,%.3f\n" % (ras[k], decs[k], mags[k]))
    cols = [fits.Column(name="RA", format="D", array=ras[order]), fits.Column(name="DEC", format="D", array=decs[order]),
            fits.Column(name="MAG", format="E", array=mags[order])]
    fits.BinTableHDU.from_columns(cols).writeto(path + ".fits", overwrite=True)
    return n


def dense_index(catalogue_fits, workdir):
    """solve-field's configuration with indexes built from the simulated
    catalogue, for fields of 6 to 12 arcmin."""
    cfg = os.path.join(workdir, "dense.cfg")
    with open(cfg, "w") as f:
        f.write("cpulimit 120\n")
        for preset in (0, 1, 2):
            out = os.path.join(workdir, "dense-%02d.fits" % preset)
            r = run(["build-astrometry-index", "-i", catalogue_fits, "-o", out, "-P", str(preset), "-S", "MAG",
                     "-E", "-M", "-I", str(9900 + preset)])
            if r.returncode != 0:
                raise RuntimeError(r.stderr)
            f.write("index %s\n" % out)
    return cfg


def wcs_rms(header, truth):
    w = WCS(header)
    x, y = w.all_world2pix(truth[:, 2], truth[:, 3], 0)
    d = np.hypot(x - truth[:, 0], y - truth[:, 1])
    return float(np.sqrt(np.mean(d ** 2)))


def timed(args, repeats=REPEATS):
    """The median wall time of `repeats` runs and the last run's result."""
    times = []
    for _ in range(repeats):
        t0 = time.perf_counter()
        r = run(args)
        times.append(time.perf_counter() - t0)
    return sorted(times)[len(times) // 2], r


def ours(build, png, data, hint, wcs_path):
    hra, hdec, hscale = hint
    args = [os.path.join(build, "bin", "sextrix-solve"), png, "--ra", sexa(hra / 15, False), "--dec",
            sexa(hdec, True), "--scale", "%.5f" % hscale, "--catalogue", data, "--wcs", wcs_path, "--json"]
    t, r = timed(args)
    out = json.loads(r.stdout) if r.stdout.strip() else {}
    if r.returncode != 0:
        return t, None, out.get("reason", r.stderr.strip())
    return t, fits.getheader(wcs_path), out


def theirs(png, hint, outdir, config=None, repeats=REPEATS):
    """solve-field on `png`; with no hint (None) it searches the whole sky at every scale."""
    args = ["solve-field", png, "--overwrite", "--no-plots", "--new-fits", "none", "--dir", outdir, "--cpulimit",
            "120", "--index-xyls", "none", "--rdls", "none", "--match", "none", "--solved", "none", "--temp-axy"]
    if hint:
        hra, hdec, hscale = hint
        fw = WIDTH * hscale / 3600
        args += ["--ra", "%.6f" % hra, "--dec", "%.6f" % hdec, "--radius", "%.4f" % (0.75 * fw), "--scale-units",
                 "arcsecperpix", "--scale-low", "%.5f" % (hscale * 0.95), "--scale-high", "%.5f" % (hscale * 1.05)]
    if config:
        args += ["--config", config]
    t, r = timed(args, repeats)
    wcs_path = os.path.join(outdir, os.path.splitext(os.path.basename(png))[0] + ".wcs")
    if not os.path.exists(wcs_path):
        return t, None
    return t, fits.open(wcs_path)[0].header


def main():
    build = os.path.abspath(sys.argv[1])
    work = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else "/tmp/solve_compare")
    os.makedirs(work, exist_ok=True)
    rows = []
    for i, (name, ra, dec, scale, pa, mirror, offset, serr, kind) in enumerate(FIELDS):
        base = os.path.join(work, "field%d" % i)
        hint = hint_for(ra, dec, scale, offset, serr)
        half_diag = math.hypot(WIDTH, HEIGHT) / 2 * scale / 3600
        config = None
        if kind == "dense":
            dense_csv(ra, dec, 2.5 * half_diag, base + ".csv", i + 1)
            config = dense_index(base + ".csv.fits", work)
        else:
            stars_csv(hint[0], hint[1], 2.0 * half_diag, base + ".csv")
        image = base + (".fits" if kind == "fits" else ".png")
        r = run([os.path.join(build, "bin", "render_compare_field"), base + ".csv", base, str(ra), str(dec),
                 str(scale), str(pa), "1" if mirror else "0", str(i + 1)] + (["fits"] if kind == "fits" else []))
        if r.returncode != 0:
            raise RuntimeError(r.stderr)
        truth = np.loadtxt(base + ".truth.csv", delimiter=",", skiprows=1, ndmin=2)
        if kind == "fits":
            truth[:, 1] = HEIGHT - 1 - truth[:, 1]  # FITS rows count up from the bottom
        t_ours, h_ours, info = ours(build, image, base + ".data.txt", hint, base + ".ours.wcs")
        outdir = base + "_anet"
        os.makedirs(outdir, exist_ok=True)
        t_theirs, h_theirs = theirs(image, hint, outdir, config)
        rms_ours = wcs_rms(h_ours, truth) if h_ours is not None else None
        rms_theirs = wcs_rms(h_theirs, truth) if h_theirs is not None else None
        rows.append((name, ra, dec, scale, pa, mirror, kind, len(truth), t_ours, rms_ours, t_theirs, rms_theirs,
                     info if h_ours is None else ""))
        print(rows[-1], flush=True)

    fmt = lambda v, f: "failed" if v is None else f % v
    lines = ["# sextrix-solve against solve-field", "",
             "Produced by `bench/solve_compare/compare.py` (see its header). 1000 x 800 simulated fields of "
             "real Tycho-2 stars (astrometry.net index 07) unless marked simulated, hints off by up to a quarter "
             "field and 5 %% in scale, the same for both programs. Wall time (median of %d runs) from the image file to the written WCS; RMS is the "
             "distance between where each WCS puts the Tycho-2 stars on the image and where they were "
             "rendered, in pixels." % REPEATS, "",
             "| field | RA, Dec | \"/px | up PA | mirrored | image | stars on image | sextrix-solve s | RMS px | "
             "solve-field s | RMS px | speed-up |",
             "|---|---|---|---|---|---|---|---|---|---|---|---|"]
    for (name, ra, dec, scale, pa, mirror, kind, n, to, ro, tt, rt, why) in rows:
        lines.append("| %s | %.1f, %+.1f | %.1f | %.0f | %s | %s | %d | %.3f | %s | %.2f | %s | %s |" % (
            name, ra, dec, scale, pa, "yes" if mirror else "no",
            {"png": "8-bit PNG", "fits": "16-bit FITS", "dense": "8-bit PNG, simulated catalogue"}[kind], n, to,
            fmt(ro, "%.3f"), tt, fmt(rt, "%.3f"), "%.0fx" % (tt / to) if rt is not None else "-"))
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "RESULTS.md")
    with open(out) as f:
        notes = f.read().split("\n<!-- notes -->\n", 1)
    with open(out, "w") as f:
        f.write("\n".join(lines) + "\n" + ("\n<!-- notes -->\n" + notes[1] if len(notes) > 1 else ""))
    print("\n".join(lines))


if __name__ == "__main__":
    main()
