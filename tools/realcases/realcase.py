"""What the real-photograph test needs: the nebula textures
of Debian's stellarium-data, the test image made from a texture, WCS headers
evaluated at pixels, and one run of sextrix-solve judged against a case's
truth.

Pixels are x right, y down, 0-based from the top-left pixel's centre; a FITS
header numbers the same pixel x + 1, y + 1.
"""
import hashlib
import json
import math
import os
import re
import subprocess
import time

TEXTURES = os.path.join("nebulae", "default")
MAX_SIDE = 2000


class CaseError(Exception):
    """Input that cannot make or run a case; the message says why."""


# ---------------------------------------------------------------- textures
def read_textures(share):
    """textures.json of STELLARIUM_SHARE -> {imageUrl: entry}. The file
    writes some numbers without the 0 before the point (-.98), which the
    json module refuses; those get their 0."""
    path = os.path.join(share, TEXTURES, "textures.json")
    try:
        with open(path, encoding="utf-8") as f:
            text = f.read()
    except OSError as e:
        raise CaseError("cannot read %s (%s); install Debian's stellarium-data" % (path, e.strerror))
    text = re.sub(r"(?<=[\[,:\s])(-?)\.(\d)", r"\g<1>0.\2", text)
    try:
        tiles = json.loads(text)["subTiles"]
    except (ValueError, KeyError) as e:
        raise CaseError("%s is not the texture list expected: %s" % (path, e))
    return {t["imageUrl"]: t for t in tiles if "imageUrl" in t}


def credit_of(entry):
    c = entry.get("imageCredits", {})
    out = {"short": (c.get("short") or c.get("Short") or "").strip()}
    if c.get("infoUrl"):
        out["infoUrl"] = c["infoUrl"]
    return out


def file_sha256(path):
    h = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            h.update(block)
    return h.hexdigest()


def make_image(texture, out):
    """The test image of a texture: 8-bit RGB, what is transparent laid on
    black (the texture is drawn over a black sky), shrunk with Lanczos to
    MAX_SIDE pixels on its long side when larger, saved as a PNG. Returns
    (width, height, sha256 of the RGB pixel bytes)."""
    from PIL import Image

    with Image.open(texture) as im:
        im.load()
        if im.mode == "P" and "transparency" in im.info:
            im = im.convert("RGBA")
        if im.mode in ("LA", "PA", "RGBA"):
            rgba = im.convert("RGBA")
            im = Image.new("RGB", rgba.size, (0, 0, 0))
            im.paste(rgba.convert("RGB"), mask=rgba.getchannel("A"))
        im = im.convert("RGB")
        if max(im.size) > MAX_SIDE:
            f = MAX_SIDE / max(im.size)
            im = im.resize((round(im.width * f), round(im.height * f)), Image.LANCZOS)
        im.save(out)
        return im.width, im.height, hashlib.sha256(im.tobytes()).hexdigest()


def prepare_image(case, share, out_dir):
    """Makes a case's image in out_dir from the installed texture after
    checking that the texture and the image are those its truth was made
    from. Returns the image's path."""
    src = case["source"]
    path = os.path.join(share, TEXTURES, src["texture"])
    if not os.path.isfile(path):
        raise CaseError("texture missing: %s (install Debian's stellarium-data)" % path)
    if file_sha256(path) != src["sha256"]:
        raise CaseError("texture %s differs from the one the truth was made from (sha256)" % path)
    image = os.path.join(out_dir, case["image"]["file"])
    w, h, pixels = make_image(path, image)
    if [w, h, pixels] != [case["image"]["width"], case["image"]["height"], case["image"]["pixels_sha256"]]:
        raise CaseError("%s: the image made here is not the one of the truth (%dx%d)" % (case["case"], w, h))
    return image


# ---------------------------------------------------------------- sky
def unit(ra, dec):
    a, d = math.radians(ra), math.radians(dec)
    return (math.cos(d) * math.cos(a), math.cos(d) * math.sin(a), math.sin(d))


def sep_deg(ra1, d1, ra2, d2):
    """Angle between two directions, degrees (haversine, exact when small)."""
    r = math.radians
    s = (math.sin((r(d2) - r(d1)) / 2) ** 2 +
         math.cos(r(d1)) * math.cos(r(d2)) * math.sin((r(ra2) - r(ra1)) / 2) ** 2)
    return math.degrees(2 * math.asin(min(1.0, math.sqrt(s))))


def offset(ra, dec, dist_deg, pa_deg):
    """The direction dist_deg from (ra, dec) towards position angle pa_deg
    (east of north)."""
    d0, r, p = math.radians(dec), math.radians(dist_deg), math.radians(pa_deg)
    d = math.asin(math.sin(d0) * math.cos(r) + math.cos(d0) * math.sin(r) * math.cos(p))
    a = math.atan2(math.sin(p) * math.sin(r) * math.cos(d0), math.cos(r) - math.sin(d0) * math.sin(d))
    return (ra + math.degrees(a)) % 360.0, math.degrees(d)


# ---------------------------------------------------------------- WCS
def header_text(cards):
    return "\n".join(cards) + "\n"


def read_cards(text):
    """FITS header text (80-column cards, with or without line ends) ->
    {keyword: float, bool or str}."""
    text = text.replace("\r", "")
    lines = text.split("\n") if "\n" in text.strip() else [text[i:i + 80] for i in range(0, len(text), 80)]
    cards = {}
    for card in lines:
        key = card[:8].strip()
        if key == "END":
            break
        if not key or card[8:10] != "= ":
            continue
        value = card[10:].strip()
        if value.startswith("'"):
            cards[key] = value[1:].split("'", 1)[0].rstrip()
            continue
        value = value.split("/", 1)[0].strip()
        if value in ("T", "F"):
            cards[key] = value == "T"
        else:
            try:
                cards[key] = float(value.replace("D", "E"))
            except ValueError:
                cards[key] = value
    return cards


def _tan_sip(cards, pixels):
    """Pixel -> sky of a TAN or TAN-SIP header with LONPOLE 180, for a
    Python without astropy."""
    c = read_cards(cards)
    if not (str(c.get("CTYPE1", "")).startswith("RA---TAN") and str(c.get("CTYPE2", "")).startswith("DEC--TAN")):
        raise CaseError("not a TAN header: CTYPE1 = %r" % c.get("CTYPE1"))
    cd = [float(c.get(k, 0.0)) for k in ("CD1_1", "CD1_2", "CD2_1", "CD2_2")]
    if "CD1_1" not in c:
        s1, s2 = float(c["CDELT1"]), float(c["CDELT2"])
        pc = [float(c.get(k, d)) for k, d in (("PC1_1", 1), ("PC1_2", 0), ("PC2_1", 0), ("PC2_2", 1))]
        cd = [s1 * pc[0], s1 * pc[1], s2 * pc[2], s2 * pc[3]]
    sip = []
    if str(c["CTYPE1"]).endswith("-SIP"):
        for ax in "AB":
            n = int(c.get(ax + "_ORDER", 0))
            sip.append([(p, q, float(c["%s_%d_%d" % (ax, p, q)])) for p in range(n + 1) for q in range(n + 1 - p)
                        if "%s_%d_%d" % (ax, p, q) in c])
    a0, d0 = math.radians(float(c["CRVAL1"])), math.radians(float(c["CRVAL2"]))
    out = []
    for x, y in pixels:
        u, v = x + 1 - float(c["CRPIX1"]), y + 1 - float(c["CRPIX2"])
        if sip:
            u, v = (u + sum(k * u ** p * v ** q for p, q, k in sip[0]),
                    v + sum(k * u ** p * v ** q for p, q, k in sip[1]))
        xi, eta = math.radians(cd[0] * u + cd[1] * v), math.radians(cd[2] * u + cd[3] * v)
        den = math.cos(d0) - eta * math.sin(d0)
        ra = math.degrees(a0 + math.atan2(xi, den)) % 360.0
        out.append((ra, math.degrees(math.atan2(math.sin(d0) + eta * math.cos(d0), math.hypot(xi, den)))))
    return out


def have_astropy():
    try:
        import astropy.wcs  # noqa: F401
        return True
    except ImportError:
        return False


def sky_at(text, pixels, builtin=False):
    """[(x, y)] 0-based -> [(ra, dec)] degrees through the header's WCS:
    astropy's all_pix2world when it is there, else the TAN-SIP above."""
    if builtin or not have_astropy():
        return _tan_sip(text, pixels)
    import warnings
    from astropy.io import fits
    from astropy.wcs import WCS

    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        w = WCS(fits.Header.fromstring(text, sep="\n" if "\n" in text.strip() else ""))
        sky = w.all_pix2world([list(p) for p in pixels], 0)
    return [(float(a) % 360.0, float(d)) for a, d in sky]


def grid_pixels(width, height, n=10):
    return [(round(i * (width - 1) / (n - 1)), round(j * (height - 1) / (n - 1))) for j in range(n) for i in range(n)]


# ---------------------------------------------------------------- judging
def limit_arcsec(case):
    return max(5.0, 2.0 * case["truth"]["scale_arcsec_per_px"])


def compare(text, case, builtin=False):
    """A solution's header against the truth: worst and median distance at
    the grid, RMS at solve-field's matched stars (arcseconds)."""
    grid = case["truth"]["grid"]
    sky = sky_at(text, [(g[0], g[1]) for g in grid], builtin)
    d = sorted(sep_deg(g[2], g[3], s[0], s[1]) * 3600 for g, s in zip(grid, sky))
    out = {"grid_worst": d[-1], "grid_median": d[len(d) // 2]}
    m = case["truth"]["matches"]
    if m:
        sky = sky_at(text, [(a[0], a[1]) for a in m], builtin)
        md = [sep_deg(a[2], a[3], s[0], s[1]) * 3600 for a, s in zip(m, sky)]
        out["matches_rms"] = math.sqrt(sum(v * v for v in md) / len(md))
    return out


def run_solver(solver, image, hint, case, case_dir, wcs, timeout, builtin=False):
    """One sextrix-solve run with a hint of truth.json. Status: right (exit
    0, worst grid point within the limit), WRONG (exit 0, beyond it),
    declined (exit 1), error (anything else: exit 2, a crash, the time-out,
    no sidecar)."""
    cmd = [solver, image, "--ra", hint["ra"], "--dec", hint["dec"], "--scale", "%g" % hint["scale"],
           "--radius", "%g" % hint["radius_arcmin"], "--catalogue", os.path.join(case_dir, hint["catalogue"]),
           "--wcs", wcs, "--json"]
    if os.path.exists(wcs):
        os.remove(wcs)
    t0 = time.perf_counter()
    try:
        p = subprocess.run(cmd, capture_output=True, text=True, timeout=timeout)
        rc, out, err = p.returncode, p.stdout, p.stderr
    except subprocess.TimeoutExpired:
        rc, out, err = None, "", "no answer within %g s" % timeout
    r = {"hint": hint["name"], "rc": rc, "seconds": time.perf_counter() - t0, "stderr": err.strip()[-400:]}
    for line in out.splitlines():
        if line.startswith("{"):
            try:
                r["json"] = json.loads(line)
            except ValueError:
                pass
    if rc == 1:
        r["status"] = "declined"
    elif rc == 0 and os.path.exists(wcs):
        with open(wcs, encoding="latin-1") as f:
            r["cmp"] = compare(f.read(), case, builtin)
        r["status"] = "right" if r["cmp"]["grid_worst"] <= limit_arcsec(case) else "WRONG"
    else:
        r["status"] = "error"
        if rc == 0:
            r["stderr"] = "exit 0 without a sidecar"
    return r


def hints_of(case):
    """The good hint then the wrong ones, each with its name."""
    return [dict(case["hint"], name="good")] + case["wrong_hints"]
