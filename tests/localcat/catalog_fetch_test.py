"""sextrix-catalog fetch against a VizieR stand-in on 127.0.0.1 that answers
asu-tsv cone queries of I/355/gaiadr3 from the demo field's stars: the
catalogue made holds the stars of the region once each; a fetch stopped by
an HTML page names the tile, and the same command then asks only for the
tiles missing; a folder of another request is refused.

    catalog_fetch_test.py SEXTRIX_CATALOG DEMO_FOLDER WORK_FOLDER
"""
import csv
import http.server
import math
import os
import re
import shutil
import subprocess
import sys
import threading
import urllib.parse

tool, demo, work = sys.argv[1:4]
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
failures = []
stars = list(csv.DictReader(open(os.path.join(demo, "m67-field-stars.csv"))))


def distance(ra1, dec1, ra2, dec2):
    a1, d1, a2, d2 = map(math.radians, (ra1, dec1, ra2, dec2))
    c = math.sin(d1) * math.sin(d2) + math.cos(d1) * math.cos(d2) * math.cos(a1 - a2)
    return math.degrees(math.acos(min(1, c)))


UNITS = {"Source": "", "RA_ICRS": "deg", "DE_ICRS": "deg", "pmRA": "mas/yr", "pmDE": "mas/yr", "BPmag": "mag",
         "RPmag": "mag"}


def answer(query):
    """The asu-tsv answer of a cone query, or None for a query VizieR would not get from the fetch."""
    q = {k: v[0] for k, v in urllib.parse.parse_qs(query).items()}
    if q.get("-source") != "I/355/gaiadr3" or q.get("-oc.form") != "dec" or not q.get("RPmag", "").startswith("<"):
        return None
    ra, dec = map(float, q["-c"].split())
    radius, limit, columns = float(q["-c.rm"]) / 60, float(q["RPmag"][1:]), q["-out"].split(",")
    rows = []
    for k, s in enumerate(stars):
        if distance(ra, dec, float(s["ra_deg"]), float(s["dec_deg"])) <= radius and float(s["mag_vt"]) < limit:
            cells = {"Source": str(4000 + k), "RA_ICRS": s["ra_deg"], "DE_ICRS": s["dec_deg"], "RPmag": s["mag_vt"]}
            rows.append("\t".join(cells.get(c, "") for c in columns))
    text = "#\n#   VizieR Astronomical Server 127.0.0.1\n#\n#INFO\t-out.max=%s\t\n" % q["-out.max"]
    if rows:
        text += "#Table\tI_355_gaiadr3:\n#Name: I/355/gaiadr3\n" + "\t".join(columns) + "\n"
        text += "\t".join(UNITS[c] for c in columns) + "\n" + "\t".join("-" * 7 for _ in columns) + "\n"
        text += "".join(r + "\n" for r in rows) + "\n"
    return text + "#INFO\tmatches=%d\tmatching records\n" % len(rows)


class Server(http.server.BaseHTTPRequestHandler):
    requests = []
    fail_at = None  # the number of the request answered with an error page

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        Server.requests.append(url.query)
        body = answer(url.query) if url.path == "/viz-bin/asu-tsv" else None
        if body is None or len(Server.requests) == Server.fail_at:
            body = "<html><body><h1>Service unavailable</h1><p>Try again later</p></body></html>"
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body.encode())))
        self.send_header("Connection", "close")  # no stale kept-alive connection for the client to retry on
        self.end_headers()
        self.wfile.write(body.encode())

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Server)
threading.Thread(target=server.serve_forever, daemon=True).start()
hosts = os.path.join(work, "hosts.cfg")
with open(hosts, "w") as f:
    f.write("star=vizier-gaia:http://127.0.0.1:%d\n" % server.server_address[1])
catalogue = os.path.join(work, "m67.vsx")
folder = catalogue + ".fetch"
ra, dec, radius, limit = 132.84, 11.82, 0.3, 12.0


def fetch(mag=limit, fail_at=None):
    Server.requests, Server.fail_at = [], fail_at
    return subprocess.run([tool, "fetch", catalogue, "--region", str(ra), str(dec), str(radius), "--mag", str(mag),
                           "--hosts", hosts], capture_output=True, text=True)


try:
    # The third tile's answer is an error page: the fetch stops there.
    r = fetch(fail_at=3)
    stopped = re.search(r"tile (\d+-\d+) \(RA [^)]*\): not a whole VizieR answer: .*HTML page", r.stderr)
    saved = sorted(f for f in os.listdir(folder) if f.endswith(".tsv")) if os.path.isdir(folder) else []
    if r.returncode != 2 or not stopped or len(saved) != 2 or os.path.exists(catalogue):
        failures.append("stopped fetch: exit %d, tiles %r, %s" % (r.returncode, saved, r.stderr))

    # Another request over that folder is refused before any query.
    r = fetch(mag=11)
    if r.returncode != 2 or "another request" not in r.stderr or Server.requests:
        failures.append("other request: exit %d, %d queries, %s" % (r.returncode, len(Server.requests), r.stderr))

    # The same request goes on: only the tiles missing are asked.
    r = fetch()
    counts = re.findall(r"tile \d+ of (\d+)", r.stderr)
    if r.returncode != 0 or not counts or len(Server.requests) != int(counts[-1]) - 2 or os.path.exists(folder):
        failures.append("resumed fetch: exit %d, %d queries, %s" % (r.returncode, len(Server.requests), r.stderr))

    # The catalogue holds the region's stars to the limit, each once, and no other.
    expected = sorted(4000 + k for k, s in enumerate(stars) if float(s["mag_vt"]) < limit and
                      distance(ra, dec, float(s["ra_deg"]), float(s["dec_deg"])) <= radius)
    r = subprocess.run([tool, "cone", catalogue, str(ra), str(dec), "2", "--mag", "20"], capture_output=True,
                       text=True)
    listed = sorted(int(line.split()[0]) for line in r.stdout.splitlines())
    if r.returncode != 0 or listed != expected or len(expected) < 10:
        failures.append("catalogue: exit %d, %r, expected %r" % (r.returncode, listed, expected))
finally:
    server.shutdown()

for f in failures:
    print(f)
sys.exit(1 if failures else 0)
