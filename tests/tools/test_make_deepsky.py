"""Tests of tools/make_deepsky.py.

The generated lines are read back with a reader written here from the
catalogue layout the program uses (fixed 1-based columns, lenient number
parse, sign taken from column 32), not with the generator's own helpers, so a
column that slips by one shows up as a wrong value.

Run from the repository root:  python3 -m unittest discover -s tests/tools
"""

import contextlib
import io
import os
import re
import shutil
import sys
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
sys.dont_write_bytecode = True      # leave no cache folder in tools/
sys.path.insert(0, os.path.join(ROOT, "tools"))
import make_deepsky  # noqa: E402

OPENNGC = os.environ.get("OPENNGC_DIR", make_deepsky.DEFAULT_SOURCE)
COLUMNS = ("Name;Type;RA;Dec;Const;MajAx;MinAx;PosAng;B-Mag;V-Mag;J-Mag;"
           "H-Mag;K-Mag;SurfBr;Hubble;Pax;Pm-RA;Pm-Dec;RadVel;Redshift;"
           "Cstar U-Mag;Cstar B-Mag;Cstar V-Mag;M;NGC;IC;Cstar Names;"
           "Identifiers;Common names;NED notes;OpenNGC notes;Sources"
           ).split(";")


def lenient(text):
    """Leading number, blanks anywhere ignored, 0 when there is none."""
    text = re.sub(r"[ \t\n]", "", text)
    m = re.match(r"[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?", text)
    return float(m.group(0)) if m else 0.0


def read_object(line, prefix):
    """One catalogue line as the program reads it (RA, Dec in degrees)."""
    col = lambda first, width: line[first - 1:first - 1 + width]
    hours = (lenient(col(21, 2)) * 3600 + lenient(col(24, 2)) * 60
             + lenient(col(27, 4))) / 3600
    g = -1 if col(32, 1) == "-" else 1
    dec = g * (g * lenient(col(32, 3)) * 3600 + lenient(col(36, 2)) * 60
               + lenient(col(39, 2))) / 3600
    size1, size2 = lenient(col(62, 6)), lenient(col(69, 5))
    pgc = lenient(col(88, 7))
    return {"name": "%s%g" % (prefix, lenient(col(1, 5))),
            "ra": hours * 15, "dec": dec, "size1": size1,
            "size2": size2 or size1, "pa": lenient(col(75, 3)),
            "text51": col(51, 4), "text79": col(79, 8),
            "pgc": "PGC %d" % pgc, "text97": col(97, 15),
            "text113": col(113, 15)}


def split_lines(data):
    """CR LF or CR ends a line; a lone LF does not."""
    lines = re.split(b"\r\n|\r", data)
    if lines and lines[-1] == b"":
        lines.pop()
    return [line.decode("ascii") for line in lines]


def row(name, **fields):
    values = dict.fromkeys(COLUMNS, "")
    values.update(Name=name, Type="G", RA="00:00:00.00", Dec="+00:00:00.0",
                  Const="Ori")
    values.update({k.replace("_", "-"): v for k, v in fields.items()})
    return values


def hms(h, m, s):
    return (h + m / 60 + s / 3600) * 15


def dms(sign, d, m, s):
    return sign * (d + m / 60 + s / 3600)


def build_one(r, catalogue="NGC"):
    lines = make_deepsky.build([r], catalogue, "test")
    assert len(lines) == 3, lines
    return lines[2]


class PositionTest(unittest.TestCase):
    """Rounding and carries of the RA and Dec columns, read back."""

    CASES = [  # (RA, Dec, expected RA deg, expected Dec deg)
        ("00:42:44.35", "+41:16:08.6", hms(0, 42, 44.4), dms(1, 41, 16, 9)),
        ("05:59:59.97", "-10:59:59.6", hms(6, 0, 0), dms(-1, 11, 0, 0)),
        ("23:59:59.96", "+89:59:59.5", 0.0, dms(1, 90, 0, 0)),
        ("12:00:00.25", "-00:30:00.0", hms(12, 0, 0.2), -0.5),
        ("12:00:00.35", "-00:00:01.5", hms(12, 0, 0.4), dms(-1, 0, 0, 2)),
        ("01:02:03.4", "+00:00:00.5", hms(1, 2, 3.4), 0.0),
    ]

    def test_read_back(self):
        for ra, dec, want_ra, want_dec in self.CASES:
            with self.subTest(ra=ra, dec=dec):
                got = read_object(build_one(row("NGC0001", RA=ra, Dec=dec)),
                                  "NGC ")
                self.assertAlmostEqual(got["ra"], want_ra, places=9)
                self.assertAlmostEqual(got["dec"], want_dec, places=9)


class FieldTest(unittest.TestCase):
    """Sizes, magnitude, PGC and the text columns, read back."""

    def read(self, name="NGC0001", catalogue="NGC", **fields):
        line = build_one(row(name, **fields), catalogue)
        self.assertEqual(len(line), make_deepsky.LINE_WIDTH)
        return read_object(line, catalogue + " ")

    def test_andromeda_row(self):
        got = self.read(
            "NGC0224", RA="00:42:44.35", Dec="+41:16:08.6", Const="And",
            MajAx="177.83", MinAx="69.66", PosAng="35", B_Mag="4.29",
            V_Mag="3.44", Hubble="Sb", M="031",
            Identifiers="IRAS 00400+4059,MCG +07-02-016,PGC 002557",
            **{"Common names": "Andromeda Galaxy"})
        self.assertEqual(got["name"], "NGC 224")
        self.assertEqual((got["size1"], got["size2"], got["pa"]),
                         (177.83, 69.66, 35))
        self.assertEqual(got["text51"], "3.4 ")      # V, not B (4.29)
        self.assertEqual(got["text79"], "Galaxy  ")
        self.assertEqual(got["pgc"], "PGC 2557")
        self.assertEqual(got["text97"].rstrip(), "M 31")
        self.assertEqual(got["text113"].rstrip(), "Sb")

    def test_sizes(self):
        cases = [  # (MajAx, MinAx, PosAng) -> (size1, size2, pa)
            (("1.57", "1.07", "112"), (1.57, 1.07, 112)),
            (("299.92", "179.89", "45"), (299.92, 179.9, 45)),
            (("0.02", "", ""), (0.02, 0.02, 0)),
            (("", "", ""), (0.5, 0.5, 0)),      # nominal circle
        ]
        for (major, minor, pa), want in cases:
            with self.subTest(major=major, minor=minor):
                got = self.read(MajAx=major, MinAx=minor, PosAng=pa)
                self.assertEqual((got["size1"], got["size2"], got["pa"]),
                                 want)
                self.assertGreater(got["size1"], 0)

    def test_magnitude_and_pgc(self):
        cases = [  # (B, V, identifiers) -> (text51, pgc)
            (("13.69", "12.93", "PGC 000564,UGC 00057"), ("12.9", "PGC 564")),
            (("15.46", "", "PGC 043663,PGC 043675"), ("15.5", "PGC 43663")),
            (("", "9.95", "PGC 1"), ("10.0", "PGC 1")),
            (("12.25", "", "PGC 2"), ("12.2", "PGC 2")),   # half to even
            (("", "", "2MASX J00424433+4116074"), ("", "PGC 0")),
            (("", "", "PGC 5061234"), ("", "PGC 5061234")),
        ]
        for (b, v, ids), (text51, pgc) in cases:
            with self.subTest(ids=ids):
                got = self.read(B_Mag=b, V_Mag=v, Identifiers=ids)
                self.assertEqual(got["text51"].rstrip(), text51)
                self.assertEqual(lenient(got["text51"]),
                                 float(text51) if text51 else 0)
                self.assertEqual(got["pgc"], pgc)

    def test_object_types(self):
        # Every type OpenNGC defines (NGC_guide.txt) except the two that are
        # never written, in words within the column.
        guide_types = ["*", "**", "*Ass", "OCl", "GCl", "Cl+N", "G", "GPair",
                       "GTrpl", "GGroup", "PN", "HII", "DrkN", "EmN", "Neb",
                       "RfN", "SNR", "Nova", "Other"]
        seen = set()
        for code in guide_types:
            with self.subTest(code=code):
                text = self.read(Type=code)["text79"].rstrip()
                self.assertRegex(text, "[A-Za-z]")     # a word, not a code
                seen.add(text)
        self.assertEqual(len(seen), len(guide_types))     # all distinct
        with self.assertRaises(make_deepsky.SourceError):
            build_one(row("NGC0001", Type="Quasar"))

    def test_text_columns(self):
        cases = [  # (name, catalogue, fields) -> (read name, text79, 97, 113)
            (("IC0434", "IC", {"Type": "HII", "Common names":
                               "Flame Nebula,Orion B"}),
             ("IC 434", "HII reg.", "Flame Nebula", "Orion")),
            (("NGC0281", "NGC", {"Type": "HII", "IC": "0011",
                                 "Const": "Cas"}),
             ("NGC 281", "HII reg.", "= IC 11", "Cassiopeia")),
            (("IC0186A", "IC", {"Hubble": "S0", "Const": "Cet"}),
             ("IC 186", "Galaxy", "IC 186A", "S0")),
            (("IC0080 NED01", "IC", {"Const": "Se2"}),
             ("IC 80", "Galaxy", "IC 80 NED01", "Serpens Cauda")),
            (("NGC0070", "NGC", {"Type": "GGroup", "Const": "TrA"}),
             ("NGC 70", "Gal.Grp.", "", "Triangulum Aus.")),
            (("NGC1977", "NGC", {"Type": "HII", "Common names":
                                 "the Running Man Nebula", "Const": "Ori"}),
             ("NGC 1977", "HII reg.", "Running Man", "Orion")),
            (("NGC7000", "NGC", {"Type": "HII", "Common names":
                                 "North America Nebula", "Const": "Cyg"}),
             ("NGC 7000", "HII reg.", "North America", "Cygnus")),
        ]
        for (name, catalogue, fields), want in cases:
            with self.subTest(name=name):
                got = self.read(name, catalogue, **fields)
                self.assertEqual(
                    (got["name"], got["text79"].rstrip(),
                     got["text97"].rstrip(), got["text113"].rstrip()), want)


class SelectionTest(unittest.TestCase):
    def test_dup_nonex_and_other_catalogue_left_out_components_sorted(self):
        rows = [row("NGC0010B"), row("NGC0010"), row("NGC0009"),
                row("NGC0010 NED01"), row("IC0005"),
                row("NGC0011", Type="Dup", NGC="0009"),
                row("NGC0012", Type="NonEx"),
                row("NGC0013", Type="NonEx", RA="", Dec="")]
        lines = make_deepsky.build(rows, "NGC", "test")[2:]
        self.assertEqual([(l[:5], l[6:11].rstrip()) for l in lines],
                         [("    9", ""), ("   10", ""), ("   10", "B"),
                          ("   10", "NED01")])


class FileTest(unittest.TestCase):
    """Whole run on a small source folder: bytes, line ends, licence."""

    def setUp(self):
        self.tmp = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.tmp)
        self.src = os.path.join(self.tmp, "src")
        self.out = os.path.join(self.tmp, "out")
        os.makedirs(self.src)
        os.makedirs(self.out)
        rows = [row("NGC0001", **{"Common names": "Caf\u00e9 Nebula"}),
                row("IC0001", Type="**"), row("IC0002", Dec="-01:02:03.0")]
        with open(os.path.join(self.src, "NGC.csv"), "w",
                  encoding="utf-8", newline="") as f:
            f.write(";".join(COLUMNS) + "\n")
            for r in rows:
                f.write(";".join(r[c] for c in COLUMNS) + "\n")
        with open(os.path.join(self.src, "LICENSE-CC-BY-SA-4.0.txt"),
                  "w", encoding="utf-8") as f:
            f.write("licence text \u201cquoted\u201d\n")

    def run_tool(self):
        with contextlib.redirect_stdout(io.StringIO()):
            status = make_deepsky.main(["--source", self.src,
                                        "--out", self.out])
        self.assertEqual(status, 0)
        files = {}
        for name in ("deepobj1.txt", "deepobj2.txt", "OPENNGC-LICENSE.txt"):
            with open(os.path.join(self.out, name), "rb") as f:
                files[name] = f.read()
        return files

    def test_files(self):
        first = self.run_tool()
        self.assertEqual(self.run_tool(), first)   # same bytes on a re-run
        for name, count in (("deepobj1.txt", 1), ("deepobj2.txt", 2)):
            data = first[name]
            self.assertTrue(data.endswith(b"\r\n"))
            self.assertNotIn(b"\n", data.replace(b"\r\n", b""))
            lines = split_lines(data)          # also proves ASCII
            self.assertEqual(len(lines), 2 + count)
            self.assertTrue(all(len(l) == 127 for l in lines[2:]))
        self.assertEqual(read_object(split_lines(first["deepobj1.txt"])[2],
                                     "NGC ")["text97"].rstrip(), "Cafe Nebula")
        with open(os.path.join(self.src, "LICENSE-CC-BY-SA-4.0.txt"),
                  "rb") as f:
            self.assertEqual(first["OPENNGC-LICENSE.txt"], f.read())


@unittest.skipUnless(os.path.isfile(os.path.join(OPENNGC, "NGC.csv")),
                     "OpenNGC source folder not available")
class ShippedFilesTest(unittest.TestCase):
    """data/deepobj*.txt are up to date and hold well-known objects."""

    @classmethod
    def setUpClass(cls):
        rows = make_deepsky.read_rows(os.path.join(OPENNGC, "NGC.csv"))
        cls.files = {}
        for name, prefix in (("deepobj1.txt", "NGC "),
                             ("deepobj2.txt", "IC ")):
            with open(os.path.join(ROOT, "data", name), "rb") as f:
                data = f.read()
            built = make_deepsky.build(rows, prefix.strip(), make_deepsky.NOTE)
            cls.files[name] = (data, built, prefix)

    def objects(self, name):
        data, _, prefix = self.files[name]
        found = {}
        for line in split_lines(data)[2:]:
            obj = read_object(line, prefix)
            found.setdefault(obj["name"], obj)   # base before its components
        return found

    def test_match_a_fresh_build(self):
        for name, (data, built, _) in self.files.items():
            with self.subTest(name=name):
                shipped = split_lines(data)
                stale = [(i + 1, old, new) for i, (old, new)
                         in enumerate(zip(shipped, built)) if old != new]
                self.assertEqual(len(shipped), len(built))
                self.assertEqual(stale[:1], [],
                                 "regenerate with tools/make_deepsky.py")

    def test_known_objects(self):
        ngc = self.objects("deepobj1.txt")
        m31 = ngc["NGC 224"]
        # Published J2000 position of M 31: 00 42 44.3, +41 16 09, both
        # sides rounded to 0.1 s (OpenNGC's 44.35 s is written 44.4 s).
        self.assertAlmostEqual(m31["ra"], hms(0, 42, 44.3), delta=0.101 / 240)
        self.assertAlmostEqual(m31["dec"], dms(1, 41, 16, 9), delta=1 / 3600)
        self.assertAlmostEqual(m31["size1"], 178, delta=1)
        self.assertAlmostEqual(m31["size2"], 70, delta=1)
        self.assertEqual((m31["pa"], m31["pgc"], m31["text97"].rstrip()),
                         (35, "PGC 2557", "M 31"))
        # V 3.44 in OpenNGC; published total V of M 31 is about 3.4.
        self.assertEqual((m31["text51"], m31["text79"]), ("3.4 ", "Galaxy  "))
        self.assertEqual(ngc["NGC 5194"]["pgc"], "PGC 47404")
        self.assertIn("IC 434", self.objects("deepobj2.txt"))


if __name__ == "__main__":
    unittest.main()
