#!/usr/bin/env python3
"""benchsurvey against GNU PSPP on generated surveys, in the same run, alternating.

Usage: vergleich.py BENCHSURVEY BENCHDIR [RUNS] [SIZE...]
  BENCHSURVEY  the built tools/benchsurvey/benchsurvey
  BENCHDIR     the folder of gen_survey.py and make_pspp_syntax.py
  RUNS         runs of each program per survey (default 1; medians are printed)
  SIZE         ROWSxCOLUMNS, e.g. 100000x50 (default: 10000x100 100000x50)
Surveys are written to $QV_VERGLEICH_DIR (default /tmp/qv-vergleich) and kept there.
PSPP runs only where it is installed and QV_OHNE_PSPP is not set. One line per survey:
the import with a frequency bar chart per question until every view is computed, PSPP
drawing the same charts, their ratio, peak memory of both, and the program's slowest
page switch, one-cell edit, save and load.
"""
import os
import re
import shutil
import statistics
import subprocess
import sys
import time


def peak_and_wall(cmd, env=None):
    """Runs cmd under /usr/bin/time -v: (wall seconds, peak resident MB, stdout)."""
    start = time.monotonic()
    p = subprocess.run(["/usr/bin/time", "-v"] + cmd, capture_output=True, text=True, env=env)
    wall = time.monotonic() - start
    m = re.search(r"Maximum resident set size \(kbytes\): (\d+)", p.stderr)
    if p.returncode != 0:
        sys.stderr.write(p.stderr[-2000:])
    return wall, (int(m.group(1)) / 1024 if m else 0), p.stdout


def figure(out, key):
    m = re.search(r"^" + re.escape(key) + r" ([0-9.]+)", out, re.M)
    return float(m.group(1)) if m else float("nan")


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    bench, benchdir = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 1
    sizes = sys.argv[4:] or ["10000x100", "100000x50"]
    work = os.environ.get("QV_VERGLEICH_DIR", "/tmp/qv-vergleich")
    os.makedirs(work, exist_ok=True)
    pspp = shutil.which("pspp") if not os.environ.get("QV_OHNE_PSPP") else None
    env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))
    print("| survey | import + one chart per question | PSPP | ratio | peak memory (import) "
          "| PSPP memory | slowest page | one-cell edit | save | load |")
    print("|---|---|---|---|---|---|---|---|---|---|")
    for size in sizes:
        rows, cols = (int(x) for x in size.lower().split("x"))
        csv = os.path.join(work, f"s{rows}x{cols}.csv")
        kinds = csv[:-4] + ".kinds"
        sps = csv[:-4] + ".sps"
        if not os.path.exists(csv):
            subprocess.run([sys.executable, os.path.join(benchdir, "gen_survey.py"), str(rows),
                            str(cols), csv, "--kinds-out", kinds], check=True)
        if pspp and not os.path.exists(sps):
            subprocess.run([sys.executable, os.path.join(benchdir, "make_pspp_syntax.py"), csv,
                            kinds, "freqchart", sps], check=True)
        ours, theirs = [], []
        for _ in range(runs):
            wall, rss, out = peak_and_wall([bench, csv], env)
            ours.append({
                "import": figure(out, "import_and_views_ms") / 1000,
                "hwm": figure(out, "peak_memory_mb after_import"),
                "page": figure(out, "page_switch_slowest_ms"),
                "edit": figure(out, "one_cell_edit_ms"),
                "save": figure(out, "save_ms") / 1000,
                "load": figure(out, "load_in_new_window_ms") / 1000,
            })
            if pspp:
                outdir = os.path.join(work, "pspp-out")
                os.makedirs(outdir, exist_ok=True)
                wall, rss, _ = peak_and_wall([pspp, "-o", os.path.join(outdir, "out.html"), sps])
                theirs.append({"wall": wall, "rss": rss})

        def med(rows, key):
            return statistics.median(r[key] for r in rows)

        imp = med(ours, "import")
        line = f"| {rows:,} × {cols} | {imp:.2f} s | "
        if theirs:
            pw = med(theirs, "wall")
            line += f"{pw:.1f} s | {imp / pw:.2f} | "
        else:
            line += "– | – | "
        line += f"{med(ours, 'hwm'):.0f} MB | "
        line += f"{med(theirs, 'rss'):.0f} MB | " if theirs else "– | "
        line += (f"{med(ours, 'page'):.0f} ms | {med(ours, 'edit'):.1f} ms | "
                 f"{med(ours, 'save'):.2f} s | {med(ours, 'load'):.2f} s |")
        print(line, flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
