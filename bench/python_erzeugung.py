#!/usr/bin/python3
"""Creation at 10^6 nodes from numpy arrays: the Python module beside the
library's own time (the cases of api_erzeugung_bench, the same work through
the generic entry from arrays of doubles) and beside SciPy, by turns in each
round; medians over the rounds, and the ratios of the medians.  Times are
processor times (the benchmark's CPU time, time.process_time in Python):
on a machine shared with other work the wall time says more about the
scheduler than about creation.

  PYTHONPATH=build/python /usr/bin/python3 bench/python_erzeugung.py \\
      build-bench/bin/api_erzeugung_bench [-r RUNDEN] [-f FALL ...]

The module and the benchmark should come from builds of the same type
(scripts/bauen makes both RelWithDebInfo).  Data: 10^6 + 1 sorted uniform
draws on [0, 1] as nodes, sin(40 x) as values (for the periodic spline
the last value the first one's).  A rule SciPy does not have shows "-".
"""
import argparse
import statistics
import subprocess
import time

import numpy as np
import scipy.interpolate as si

import numerik

N = 1_000_000

FAELLE = [
    # name, numerik, SciPy (None: SciPy has no such rule)
    ("hermite", lambda x, y: numerik.Hermite(x, y), lambda x, y: si.PchipInterpolator(x, y)),
    ("akima", lambda x, y: numerik.Hermite(x, y, steigungen="akima"),
     lambda x, y: si.Akima1DInterpolator(x, y)),
    # SciPy's modified Akima slopes (method="makima") came after 1.10.
    ("akima_modifiziert", lambda x, y: numerik.Hermite(x, y, steigungen="akima-modifiziert"),
     (lambda x, y: si.Akima1DInterpolator(x, y, method="makima"))
     if "method" in si.Akima1DInterpolator.__init__.__code__.co_varnames else None),
    ("notaknot", lambda x, y: numerik.Spline(x, y, ende="not-a-knot"),
     lambda x, y: si.CubicSpline(x, y)),
    ("natuerlich", lambda x, y: numerik.Spline(x, y, ende="natuerlich"),
     lambda x, y: si.CubicSpline(x, y, bc_type="natural")),
    ("abl2", lambda x, y: numerik.Spline(x, y, ende="abl2", links=0.5, rechts=-1.0),
     lambda x, y: si.CubicSpline(x, y, bc_type=((2, 0.5), (2, -1.0)))),
    ("eingespannt", lambda x, y: numerik.Spline(x, y, ende="eingespannt", links=0.5, rechts=-1.0),
     lambda x, y: si.CubicSpline(x, y, bc_type=((1, 0.5), (1, -1.0)))),
    ("periodisch", lambda x, y: numerik.Spline(x, y, ende="periodisch"),
     lambda x, y: si.CubicSpline(x, y, bc_type="periodic")),
]


def bibliothek_ms(programm, fall):
    """The benchmark's processor time of one creation in ms."""
    aus = subprocess.run([programm, f"--benchmark_filter=^api_erzeugung/{fall}/",
                          "--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true",
                          "--benchmark_format=csv"], check=True, capture_output=True,
                         text=True).stdout
    for zeile in aus.splitlines():
        teile = zeile.split(",")
        if teile[0].strip('"').startswith(f"api_erzeugung/{fall}/") and \
                teile[0].strip('"').endswith("_median"):
            zeit, einheit = float(teile[3]), teile[4].strip('"')
            return zeit * {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[einheit]
    raise RuntimeError(f"kein Ergebnis fuer {fall}")


def python_ms(erzeugen, x, y, mal=5, vorab=3):
    """The median processor time of mal creations in ms, after vorab
    untimed ones: the first creations of a process wait on fresh pages
    while glibc's malloc moves its thresholds up to the sizes of the
    arrays (as api_erzeugung_bench does before it times)."""
    for _ in range(vorab):
        erzeugen(x, y)
    zeiten = []
    for _ in range(mal):
        anfang = time.process_time()
        objekt = erzeugen(x, y)
        zeiten.append((time.process_time() - anfang) * 1e3)
        del objekt
    return statistics.median(zeiten)


def main():
    argumente = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    argumente.add_argument("programm", help="api_erzeugung_bench")
    argumente.add_argument("-r", "--runden", type=int, default=5)
    argumente.add_argument("-f", "--fall", action="append",
                           help="nur diese Faelle (mehrfach moeglich)")
    a = argumente.parse_args()
    zufall = np.random.default_rng(1)
    x = np.sort(zufall.uniform(0.0, 1.0, N + 1))
    y = np.sin(40 * x)
    print(f"{'Fall':<17} {'Python ms':>10} {'Bibl. ms':>10} {'SciPy ms':>10} "
          f"{'Py/Bibl.':>9} {'Py/SciPy':>9}")
    yp = y.copy()
    yp[-1] = yp[0]
    for name, numerik_erzeugen, scipy_erzeugen in FAELLE:
        if a.fall and name not in a.fall:
            continue
        werte = yp if name == "periodisch" else y
        p, b, s = [], [], []
        for _ in range(a.runden):
            b.append(bibliothek_ms(a.programm, name))
            p.append(python_ms(numerik_erzeugen, x, werte))
            if scipy_erzeugen is not None:
                s.append(python_ms(scipy_erzeugen, x, werte))
        p, b = statistics.median(p), statistics.median(b)
        if s:
            s = statistics.median(s)
            print(f"{name:<17} {p:10.2f} {b:10.2f} {s:10.2f} {p / b:9.2f} {p / s:9.2f}")
        else:
            print(f"{name:<17} {p:10.2f} {b:10.2f} {'-':>10} {p / b:9.2f} {'-':>9}")


if __name__ == "__main__":
    main()
