#!/usr/bin/python3
"""sextrix-solve --blind on the real photographs of ../shared/real-photos:
no hint at all, over the Tycho-2 stars of astrometry.net's index 07 made
into a local catalogue by blind_compare.py, indexed here for frames of 512
to 1024 pixels at 2 to 60 "/px. Each solution is judged as the hinted runs
are (the worst point of a 10 x 10 grid within max(5", 2 px) of the truth).

    bench/solve_compare/blind_real.py BUILD_DIR CASES_DIR IMAGE_DIR [WORK_DIR]

CASES_DIR holds one folder per case with its truth.json, IMAGE_DIR the
images named in them (the shared real-photos/fields, and the folder its
make_images.py wrote). Exits 1 when a solution is wrong.
"""
import glob
import json
import os
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "realcases"))
import realcase as rc  # noqa: E402


def main():
    build, cases_dir, images = (os.path.abspath(a) for a in sys.argv[1:4])
    work = os.path.abspath(sys.argv[4] if len(sys.argv) > 4 else "/tmp/blind_real")
    os.makedirs(work, exist_ok=True)
    made = "/tmp/blind_compare/tycho07.vsx"  # blind_compare.py's catalogue, in its default folder
    if not os.path.exists(made):
        sys.exit("no %s: run blind_compare.py first, it makes the catalogue" % made)
    vsx = os.path.join(work, "tycho07wide.vsx")
    if not os.path.exists(os.path.splitext(vsx)[0] + ".index"):
        shutil.copyfile(made, vsx)
        r = subprocess.run([os.path.join(build, "bin", "sextrix-catalog"), "index", vsx, "--scale-range", "2", "60",
                            "--size", "1024", "512"], capture_output=True, text=True, check=True)
        print(r.stdout)
    tally = {}
    print("%-18s %6s | %-8s %7s %7s %6s" % ("case", "\"/px", "blind", "worst\"", "limit\"", "t s"))
    for path in sorted(glob.glob(os.path.join(cases_dir, "*", "truth.json"))):
        with open(path) as f:
            case = json.load(f)
        image = os.path.join(images, case["image"]["file"])
        wcs = os.path.join(work, case["case"] + ".blind.wcs")
        if os.path.exists(wcs):
            os.remove(wcs)
        t0 = time.perf_counter()
        p = subprocess.run([os.path.join(build, "bin", "sextrix-solve"), image, "--blind", "--catalogue", vsx,
                            "--scale-range", "2", "60", "--wcs", wcs, "--json"], capture_output=True, text=True)
        seconds = time.perf_counter() - t0
        worst = None
        if p.returncode == 0:
            with open(wcs, encoding="latin-1") as f:
                worst = rc.compare(f.read(), case)["grid_worst"]
            status = "right" if worst <= rc.limit_arcsec(case) else "WRONG"
        else:
            status = "declined" if p.returncode == 1 else "error"
        tally[status] = tally.get(status, 0) + 1
        print("%-18s %6.2f | %-8s %7s %7.1f %6.2f" % (case["case"], case["truth"]["scale_arcsec_per_px"], status,
                                                     "-" if worst is None else "%.1f" % worst, rc.limit_arcsec(case),
                                                     seconds), flush=True)
    print(tally)
    sys.exit(1 if tally.get("WRONG") or tally.get("error") else 0)


if __name__ == "__main__":
    main()
