"""Reads the .wcs that wcs_sample writes with astropy.wcs and checks that
astropy puts every listed pixel where our projection does, within 0.01".

    check_wcs_astropy.py <wcs_sample> <work folder> top-down|bottom-up

The pixel list is in the picture's convention (0-based, y down); this script
applies the FITS convention itself: x + 1, and y + 1 for rows top-down or
height - y for rows bottom-up.
"""
import math
import os
import subprocess
import sys

from astropy.io import fits
from astropy.wcs import WCS


def main():
    program, folder, rows = sys.argv[1:4]
    os.makedirs(folder, exist_ok=True)
    subprocess.run([program, folder, rows], check=True)
    header = fits.getheader(os.path.join(folder, "sample.wcs"))
    wcs = WCS(header)
    height = header["IMAGEH"]
    worst = 0.0
    with open(os.path.join(folder, "pixels.txt")) as lines:
        points = [tuple(map(float, line.split())) for line in lines]
    assert len(points) == 100, len(points)
    for x, y, ra, dec in points:
        fits_y = y + 1 if rows == "top-down" else height - y
        (ra_a, dec_a), = wcs.all_pix2world([[x + 1, fits_y]], 1)
        d_ra = math.remainder(ra_a - ra, 360.0) * math.cos(math.radians(dec)) * 3600
        d_dec = (dec_a - dec) * 3600
        worst = max(worst, math.hypot(d_ra, d_dec))
    print(f"{rows}: 100 pixels, largest difference {worst:.2e} arcsec")
    if worst > 0.01:
        sys.exit(f"astropy differs by {worst} arcsec")


if __name__ == "__main__":
    main()
