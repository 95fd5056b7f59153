#!/usr/bin/python3
"""Evaluation at 10^7 uniformly random points on 10^6 given nodes: SciPy's
natural CubicSpline and its Akima1DInterpolator beside the library's array
slot on one thread (zufall_bench's numerik_zufall/1000000/0/0 and /0/1, the
same kind of nodes, values sin(40 x) and points), by turns in each round;
medians over the rounds and their ratio, in processor time.

  /usr/bin/python3 bench/zufall_scipy.py build-bench/bin/zufall_bench [-r RUNDEN]
"""
import argparse
import os
import statistics
import subprocess
import time

import numpy as np
from scipy.interpolate import Akima1DInterpolator, CubicSpline

KNOTEN = 1_000_000
PUNKTE = 10_000_000

FAELLE = [
    ("Spline", "numerik_zufall/1000000/0/0", lambda x, y: CubicSpline(x, y, bc_type="natural")),
    ("Hermite (Akima)", "numerik_zufall/1000000/0/1", Akima1DInterpolator),
]


def daten():
    zufall = np.random.default_rng(12345)
    x = np.sort(zufall.uniform(0.0, 1.0, KNOTEN))
    x[0], x[-1] = 0.0, 1.0
    return x, np.sin(40 * x), zufall.uniform(0.0, 1.0, PUNKTE)


def bibliothek_ms(programm, fall):
    umgebung = dict(os.environ, NUMERIK_FAEDEN="1")
    aus = subprocess.run([programm, f"--benchmark_filter=^{fall}$", "--benchmark_format=csv"],
                         check=True, capture_output=True, text=True, env=umgebung).stdout
    for zeile in aus.splitlines():
        teile = zeile.split(",")
        if teile[0].strip('"') == fall:
            zeit, einheit = float(teile[3]), teile[4].strip('"')
            return zeit * {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[einheit]
    raise RuntimeError(f"kein Ergebnis fuer {fall}")


def scipy_ms(interpolant, punkte):
    interpolant(punkte[:1000])
    anfang = time.process_time()
    interpolant(punkte)
    return (time.process_time() - anfang) * 1e3


def main():
    argumente = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    argumente.add_argument("programm", help="zufall_bench")
    argumente.add_argument("-r", "--runden", type=int, default=5)
    a = argumente.parse_args()
    x, y, punkte = daten()
    print(f"{'Fall':<16} {'numerik ms':>11} {'SciPy ms':>10} {'ns/Punkt':>9} {'Verhaeltnis':>12}")
    for name, fall, scipy_erzeugen in FAELLE:
        interpolant = scipy_erzeugen(x, y)
        b, s = [], []
        for _ in range(a.runden):
            b.append(bibliothek_ms(a.programm, fall))
            s.append(scipy_ms(interpolant, punkte))
        b, s = statistics.median(b), statistics.median(s)
        print(f"{name:<16} {b:11.1f} {s:10.1f} {b * 1e6 / PUNKTE:9.1f} {b / s:12.3f}")


if __name__ == "__main__":
    main()
