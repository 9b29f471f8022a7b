#!/usr/bin/env python3
"""Build the deep-sky catalogue files data/deepobj1.txt (NGC) and
data/deepobj2.txt (IC) from the OpenNGC database.

Usage, from the repository root:

    python3 tools/make_deepsky.py [--source DIR] [--out DIR]

DIR defaults to $OPENNGC_DIR, else tools/openngc beside this script (a copy
of the OpenNGC release, see its SOURCE.md); it must hold NGC.csv
(semicolon-separated, described in NGC_guide.txt) and
LICENSE-CC-BY-SA-4.0.txt. The output is a pure function of NGC.csv: rows are
sorted, nothing depends on the clock or the locale, so a re-run gives the same
bytes. The licence is copied beside the output as OPENNGC-LICENSE.txt; the
derived files stay under CC-BY-SA-4.0 (see data/DEEPSKY-ATTRIBUTION.md).

File layout. Two header lines (skipped by the program), then one object per
line, ASCII, every line 127 characters and ending in CR LF. Columns, 1-based:

     1-5   catalogue number, right-aligned, no suffix (see below)
     7-11  component suffix, "A", "NED01"... (for people; the program skips it)
    21-22  RA hours      24-25 RA minutes      27-30 RA seconds, "ss.s"
    32-34  Dec degrees with sign "+dd"/"-dd"   36-37 arcmin   39-40 arcsec
    51-54  total magnitude, V band, else B when OpenNGC gives no V; to
           0.1 mag, left-aligned ("12.9", "3.4"); blank if neither
    62-67  major axis, arcmin, "%6.2f"
    69-73  minor axis, arcmin ("%5.2f", "%5.1f" from 100'); blank = unknown,
           which the program reads as 0 and turns into a circle
    75-77  position angle, degrees east of north; blank = unknown (reads as 0)
    79-86  object type in words, see OBJECT_TYPES ("Galaxy", "Open Cl.")
    88-94  PGC number, right-aligned; blank if OpenNGC lists none
    97-111 Messier number "M 31", else common name, else "= IC 11"-style
           cross-identification (for a suffixed component: its designation)
   113-127 Hubble type, else the constellation's name

The program's details panel labels column 51 as the magnitude and column 79
as the object type, so those are what the two columns hold.

Rounding. Positions are rounded half-to-even on the exact decimal text of
NGC.csv (RA to 0.1 s, Dec to 1"), carrying into minutes, hours and degrees;
RA 24h wraps to 0h.

Entries left out. "Dup" rows are another catalogue entry for an object that
has its own full row (the master, named in the Dup row's NGC/IC column). The
program draws every line in the field, so keeping both would put two outlines
and two labels on one object; the Dup row carries no data of its own. Only
the master is written, and its NGC/IC cross-reference appears in column 97
when that column has nothing better. "NonEx" rows are objects that are not
there (most have no position at all): nothing to draw, so they are dropped.

Suffixes. OpenNGC splits some entries into components ("IC0186A",
"IC0080 NED01", "IC0715NW"); every such component has a row for its base
entry too. The program keeps only a number from columns 1-5, so a component
is written with its base number (the label on the chart reads "IC 186") and
its own designation goes to column 97, where the details panel shows it.
Components are real objects, nearly all galaxies, with their own position,
size and PGC number, so they are kept rather than folded into the base.

Nominal size. About 1,300 kept objects (mostly stars, double stars and
"Other") have no size in OpenNGC. The program divides by the major axis when
it traces an outline, so they get a major axis of 0.50' and a blank minor axis
(a circle). Half an arcminute is the size of the smallest tenth of the measured
NGC/IC galaxies, so the mark claims no more than a faint galaxy would, and at
the one to a few arcsec per pixel of typical plates it is a circle of roughly
10 to 30 pixels: visible, yet plainly a marker rather than an extent.
"""

import argparse
import csv
import os
import re
import shutil
import sys
import unicodedata
from decimal import Decimal, ROUND_HALF_EVEN

LINE_WIDTH = 127
NOMINAL_SIZE = Decimal("0.50")   # arcmin, see the header
TEXT_WIDTH = 15                  # columns 97-111 and 113-127
DEFAULT_SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                              "openngc")
NOTE = "From OpenNGC (M. Verga), CC-BY-SA-4.0, see OPENNGC-LICENSE.txt."

# Column starts (1-based) and widths of the fields written.
COLUMNS = {
    "number": (1, 5), "suffix": (7, 5),
    "ra_h": (21, 2), "ra_m": (24, 2), "ra_s": (27, 4),
    "dec_d": (32, 3), "dec_m": (36, 2), "dec_s": (39, 2),
    "mag": (51, 4), "size1": (62, 6), "size2": (69, 5), "pa": (75, 3),
    "type": (79, 8), "pgc": (88, 7), "text97": (97, 15), "text113": (113, 15),
}

# OpenNGC type codes (NGC_guide.txt) in words that fit the 8-character
# column; "Cl." and "Neb." as in the common names. Dup and NonEx rows are
# never written.
OBJECT_TYPES = {
    "*": "Star", "**": "Dbl.Star", "*Ass": "St.Assoc",
    "OCl": "Open Cl.", "GCl": "Glob.Cl.", "Cl+N": "Cl+Neb.",
    "G": "Galaxy", "GPair": "Gal.Pair", "GTrpl": "Gal.Trio",
    "GGroup": "Gal.Grp.", "PN": "Plan.Neb", "HII": "HII reg.",
    "DrkN": "Dark Neb", "EmN": "Em.Neb.", "Neb": "Nebula",
    "RfN": "Refl.Neb", "SNR": "SN remn.", "Nova": "Nova", "Other": "Other",
}

# IAU names; OpenNGC splits Serpens into Se1 (Caput) and Se2 (Cauda). The
# three names longer than the column are given short forms.
CONSTELLATIONS = {
    "And": "Andromeda", "Ant": "Antlia", "Aps": "Apus", "Aql": "Aquila",
    "Aqr": "Aquarius", "Ara": "Ara", "Ari": "Aries", "Aur": "Auriga",
    "Boo": "Bootes", "CMa": "Canis Major", "CMi": "Canis Minor",
    "CVn": "Canes Venatici", "Cae": "Caelum", "Cam": "Camelopardalis",
    "Cap": "Capricornus", "Car": "Carina", "Cas": "Cassiopeia",
    "Cen": "Centaurus", "Cep": "Cepheus", "Cet": "Cetus",
    "Cha": "Chamaeleon", "Cir": "Circinus", "Cnc": "Cancer",
    "Col": "Columba", "Com": "Coma Berenices", "CrA": "Corona Austr.",
    "CrB": "Corona Borealis", "Crt": "Crater", "Cru": "Crux",
    "Crv": "Corvus", "Cyg": "Cygnus", "Del": "Delphinus", "Dor": "Dorado",
    "Dra": "Draco", "Equ": "Equuleus", "Eri": "Eridanus", "For": "Fornax",
    "Gem": "Gemini", "Gru": "Grus", "Her": "Hercules", "Hor": "Horologium",
    "Hya": "Hydra", "Hyi": "Hydrus", "Ind": "Indus", "LMi": "Leo Minor",
    "Lac": "Lacerta", "Leo": "Leo", "Lep": "Lepus", "Lib": "Libra",
    "Lup": "Lupus", "Lyn": "Lynx", "Lyr": "Lyra", "Men": "Mensa",
    "Mic": "Microscopium", "Mon": "Monoceros", "Mus": "Musca",
    "Nor": "Norma", "Oct": "Octans", "Oph": "Ophiuchus", "Ori": "Orion",
    "Pav": "Pavo", "Peg": "Pegasus", "Per": "Perseus", "Phe": "Phoenix",
    "Pic": "Pictor", "PsA": "Piscis Austr.", "Psc": "Pisces",
    "Pup": "Puppis", "Pyx": "Pyxis", "Ret": "Reticulum",
    "Scl": "Sculptor", "Sco": "Scorpius", "Sct": "Scutum",
    "Se1": "Serpens Caput", "Se2": "Serpens Cauda", "Ser": "Serpens",
    "Sex": "Sextans", "Sge": "Sagitta", "Sgr": "Sagittarius",
    "Tau": "Taurus", "Tel": "Telescopium", "TrA": "Triangulum Aus.",
    "Tri": "Triangulum", "Tuc": "Tucana", "UMa": "Ursa Major",
    "UMi": "Ursa Minor", "Vel": "Vela", "Vir": "Virgo", "Vol": "Volans",
    "Vul": "Vulpecula",
}

# Generic words of common names, with the short forms used when a name is
# too long for its column.
NAME_WORDS = [("Nebula", "Neb."), ("Galaxies", "Gals."), ("Galaxy", "Gal."),
              ("Cluster", "Cl."), ("Planetary", "Plan."),
              ("Magellanic", "Mag")]
GENERIC = {"Neb.", "Gals.", "Gal.", "Cl.", "Plan."}

NAME_RE = re.compile(r"^(NGC|IC)(\d{4})(.*)$")


class SourceError(Exception):
    """A row of NGC.csv that cannot be written."""


def ascii_text(text):
    """Plain ASCII: the program counts columns in bytes."""
    text = text.replace("\u2019", "'").replace("\u2018", "'")
    text = unicodedata.normalize("NFKD", text)
    return text.encode("ascii", "ignore").decode("ascii")


def split_name(name):
    """"IC0080 NED01" -> ("IC", 80, "NED01"); "NGC0224" -> ("NGC", 224, "")."""
    m = NAME_RE.match(name)
    if not m:
        raise SourceError("unexpected name %r" % name)
    return m.group(1), int(m.group(2)), m.group(3).strip()


def designation(catalogue, number, suffix):
    """Readable name: "NGC 224", "IC 186A", "IC 80 NED01"."""
    text = "%s %d" % (catalogue, number)
    if suffix.startswith("NED"):
        return text + " " + suffix
    return text + suffix


def round_to(value, step):
    return (value / step).quantize(Decimal(1), rounding=ROUND_HALF_EVEN)


def format_ra(text):
    """"00:42:44.35" -> ("00", "42", "44.4"), rounded to 0.1 s."""
    try:
        h, m, s = text.split(":")
        tenths = int(round_to((int(h) * 60 + int(m)) * 60 + Decimal(s),
                              Decimal("0.1")))
    except (ValueError, ArithmeticError):
        raise SourceError("bad RA %r" % text)
    tenths %= 24 * 36000
    h, rest = divmod(tenths, 36000)
    m, rest = divmod(rest, 600)
    return "%02d" % h, "%02d" % m, "%02d.%d" % divmod(rest, 10)


def format_dec(text):
    """"-02:27:13.6" -> ("-02", "27", "14"), rounded to 1 arcsec."""
    try:
        sign = "-" if text.startswith("-") else "+"
        d, m, s = text.lstrip("+-").split(":")
        seconds = int(round_to((int(d) * 60 + int(m)) * 60 + Decimal(s),
                               Decimal(1)))
    except (ValueError, ArithmeticError):
        raise SourceError("bad Dec %r" % text)
    if seconds > 90 * 3600:
        raise SourceError("bad Dec %r" % text)
    d, rest = divmod(seconds, 3600)
    m, s = divmod(rest, 60)
    return "%s%02d" % (sign, d), "%02d" % m, "%02d" % s


def format_number(value, width):
    """Right-aligned, two decimals, fewer when the field is too narrow."""
    for places in (2, 1, 0):
        text = "%.*f" % (places, value.quantize(Decimal(10) ** -places,
                                                rounding=ROUND_HALF_EVEN))
        if len(text) <= width:
            return text.rjust(width)
    raise SourceError("%s does not fit %d columns" % (value, width))


def sizes(row):
    """Major, minor (blank when unknown) and position angle texts."""
    major = Decimal(row["MajAx"]) if row["MajAx"] else Decimal(0)
    if major <= 0:
        # No outline without a major axis: nominal circle (see header).
        return format_number(NOMINAL_SIZE, 6), "", ""
    size1 = format_number(major, 6)
    if Decimal(size1) <= 0:
        raise SourceError("major axis %s rounds to 0" % row["MajAx"])
    size2 = format_number(Decimal(row["MinAx"]), 5) if row["MinAx"] else ""
    pa = ""
    if row["PosAng"]:
        pa = "%3d" % int(round_to(Decimal(row["PosAng"]), Decimal(1)))
    return size1, size2, pa


def magnitude(row):
    """V magnitude to 0.1 mag, else B; "" when OpenNGC gives neither."""
    text = row["V-Mag"] or row["B-Mag"]
    if not text:
        return ""
    try:
        value = Decimal(text).quantize(Decimal("0.1"),
                                       rounding=ROUND_HALF_EVEN)
    except ArithmeticError:
        raise SourceError("bad magnitude %r" % text)
    return "%.1f" % value


def object_type(row):
    try:
        return OBJECT_TYPES[row["Type"]]
    except KeyError:
        raise SourceError("unknown object type %r" % row["Type"])


def pgc_number(row):
    """First PGC of the identifiers (a few rows list two), else ""."""
    m = re.search(r"\bPGC (\d+)", row["Identifiers"])
    return str(int(m.group(1))) if m else ""


def abbreviate(text):
    for word, short in NAME_WORDS:
        text = re.sub(r"\b%s\b" % word, short, text)
    return text


def shorten_name(names, width=TEXT_WIDTH):
    """Fit one of the comma-separated common names into the column.

    Each step is tried on every alternative before the next, milder losses
    first: "Jupiter's Ghost Nebula" -> "Jupiter's Ghost", "Coddington's
    Nebula" -> "Coddington Neb.", "Herschel's Jewel Box" -> "Jewel Box".
    """
    options = [re.sub(r"^the\s+", "", ascii_text(n).strip(), flags=re.I)
               for n in names.split(",") if n.strip()]
    if not options:
        return ""

    def without_generic_tail(text):
        words = text.split()
        while len(words) > 1 and words[-1] in GENERIC:
            words.pop()
        kept = " ".join(words)
        # A lone possessive ("Coddington's") no longer names anything.
        return "" if kept.endswith("'s") and " " not in kept else kept

    def without_possessive(text):
        return re.sub(r"'s\b", "", text)

    def without_owner(text):
        words = text.split()
        if len(words) > 2 and words[0].endswith("'s"):
            return " ".join(words[1:])
        return ""

    steps = [lambda t: t, abbreviate,
             lambda t: without_generic_tail(abbreviate(t)),
             lambda t: without_possessive(abbreviate(t)),
             lambda t: without_owner(abbreviate(t))]
    for step in steps:
        for text in options:
            short = step(text)
            if 0 < len(short) <= width:
                return short
    # Last resort: whole words from the start.
    text = abbreviate(options[0])
    cut = text[:width + 1].rsplit(" ", 1)[0]
    return cut if 0 < len(cut) <= width else text[:width]


def cross_reference(row):
    """"= IC 11" from the NGC and IC columns, as many as fit."""
    others = []
    for catalogue in ("NGC", "IC"):
        for entry in row[catalogue].split(","):
            m = re.match(r"^\s*(\d+)\s*(.*?)\s*$", entry)
            if m:   # entries look like "0011", "0067A", "3058 NED02"
                others.append(designation(catalogue, int(m.group(1)),
                                          m.group(2)))
    text = ""
    for other in others:
        longer = (text + ", " if text else "= ") + other
        if len(longer) > TEXT_WIDTH:
            break
        text = longer
    return text


def first_text(row, catalogue, number, suffix):
    if suffix:
        return designation(catalogue, number, suffix)
    if row["M"]:
        return "M %d" % int(row["M"])
    return shorten_name(row["Common names"]) or cross_reference(row)


def second_text(row):
    if row["Hubble"]:
        return ascii_text(row["Hubble"])[:TEXT_WIDTH]
    return CONSTELLATIONS.get(row["Const"], row["Const"])


def put(line, field, text):
    start, width = COLUMNS[field]
    if len(text) > width:
        raise SourceError("%r does not fit %s" % (text, field))
    line[start - 1:start - 1 + len(text)] = text
    return line


def object_line(row):
    """The fixed-column line of one kept OpenNGC row."""
    catalogue, number, suffix = split_name(row["Name"])
    line = [" "] * LINE_WIDTH
    fields = {"number": "%5d" % number, "suffix": suffix}
    fields.update(zip(("ra_h", "ra_m", "ra_s"), format_ra(row["RA"])))
    fields.update(zip(("dec_d", "dec_m", "dec_s"), format_dec(row["Dec"])))
    fields.update(zip(("size1", "size2", "pa"), sizes(row)))
    fields["type"] = object_type(row)
    fields["mag"] = magnitude(row)
    fields["pgc"] = pgc_number(row).rjust(7)
    fields["text97"] = first_text(row, catalogue, number, suffix)
    fields["text113"] = second_text(row)
    for field, text in fields.items():
        put(line, field, text)
    return "".join(line)


def header_lines(catalogue, source_note):
    ruler = [" "] * LINE_WIDTH
    labels = {"number": "  No.", "suffix": "Sfx",
              "ra_h": "RA", "dec_d": "Dec", "mag": "Mag",
              "size1": " Size1", "size2": "Size2", "pa": " PA",
              "type": "Type", "pgc": "    PGC", "text97": "Name",
              "text113": "Hubble/Const."}
    for field, text in labels.items():
        put(ruler, field, text)
    title = ("%s objects, J2000.0, sizes in arcmin, V magnitude (else B). %s" %
             (catalogue, source_note))[:LINE_WIDTH]
    return [title, "".join(ruler).rstrip()]


def keep(row):
    """Only real objects with a position (see header: Dup, NonEx)."""
    return row["Type"] not in ("Dup", "NonEx") and bool(row["RA"])


def sort_key(row):
    catalogue, number, suffix = split_name(row["Name"])
    return number, suffix


def build(rows, catalogue, source_note):
    """All lines of one output file, headers first, without line ends."""
    chosen = [r for r in rows
              if split_name(r["Name"])[0] == catalogue and keep(r)]
    chosen.sort(key=sort_key)
    lines = header_lines(catalogue, source_note)
    for row in chosen:
        try:
            lines.append(object_line(row))
        except (SourceError, ArithmeticError, ValueError) as err:
            raise SourceError("%s: %s" % (row["Name"], err))
    return lines


def read_rows(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f, delimiter=";"))


def write_lines(path, lines):
    data = "".join(line + "\r\n" for line in lines)
    with open(path, "wb") as f:
        f.write(data.encode("ascii"))


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--source", default=os.environ.get(
        "OPENNGC_DIR", DEFAULT_SOURCE), help="folder holding NGC.csv")
    parser.add_argument("--out", default=os.path.join(here, os.pardir, "data"),
                        help="folder for deepobj1.txt and deepobj2.txt")
    args = parser.parse_args(argv)

    csv_path = os.path.join(args.source, "NGC.csv")
    try:
        rows = read_rows(csv_path)
    except OSError as err:
        print("make_deepsky: cannot read %s: %s" % (csv_path, err),
              file=sys.stderr)
        return 1
    try:
        for file_name, catalogue in (("deepobj1.txt", "NGC"),
                                     ("deepobj2.txt", "IC")):
            lines = build(rows, catalogue, NOTE)
            write_lines(os.path.join(args.out, file_name), lines)
            print("%s: %d objects" % (file_name, len(lines) - 2))
        shutil.copyfile(os.path.join(args.source, "LICENSE-CC-BY-SA-4.0.txt"),
                        os.path.join(args.out, "OPENNGC-LICENSE.txt"))
    except (SourceError, OSError) as err:
        print("make_deepsky: %s" % err, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
