#!/usr/bin/python3
"""Floater-Hormann weights (d = 3) at n = 10^4 ascending nodes: a plain numpy
version beside the library's whole creation through the generic entry
(api_erzeugung_bench's case api_erzeugung/rational), by turns in each
round; medians over the rounds and their ratio, in processor time (the
benchmark's CPU time, time.process_time here).

  /usr/bin/python3 bench/fh_numpy.py build-bench/bin/api_erzeugung_bench [-r RUNDEN]

With PYTHONPATH naming the module's build (build/python), the numpy
weights are also compared with the module's own (to 1e-12 relative).
"""
import argparse
import statistics
import subprocess
import time

import numpy as np

N = 10_000
D = 3


def gewichte(x, d):
    """w(k) = sum over the windows i of k of (-1)^i / prod_{j != k} (x(k) - x(j)),
    the windows' products one offset pair at a time over all windows."""
    n = len(x) - 1
    fenster = n - d + 1
    vorzeichen = np.where(np.arange(fenster) % 2 == 0, 1.0, -1.0)
    w = np.zeros(n + 1)
    for a in range(d + 1):
        produkt = np.ones(fenster)
        for b in range(d + 1):
            if b != a:
                produkt *= x[a:a + fenster] - x[b:b + fenster]
        w[a:a + fenster] += vorzeichen / produkt
    return w / np.abs(w).max()


def numpy_ms(x, mal=50):
    zeiten = []
    for _ in range(mal):
        anfang = time.process_time()
        gewichte(x, D)
        zeiten.append((time.process_time() - anfang) * 1e3)
    return statistics.median(zeiten)


def bibliothek_ms(programm):
    aus = subprocess.run([programm, "--benchmark_filter=^api_erzeugung/rational/",
                          "--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true",
                          "--benchmark_format=csv"], check=True, capture_output=True,
                         text=True).stdout
    for zeile in aus.splitlines():
        teile = zeile.split(",")
        if teile[0].strip('"').startswith("api_erzeugung/rational/") and \
                teile[0].strip('"').endswith("_median"):
            zeit, einheit = float(teile[3]), teile[4].strip('"')
            return zeit * {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[einheit]
    raise RuntimeError("kein Ergebnis")


def main():
    argumente = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    argumente.add_argument("programm", help="api_erzeugung_bench")
    argumente.add_argument("-r", "--runden", type=int, default=5)
    a = argumente.parse_args()
    x = np.sort(np.random.default_rng(1).uniform(0.0, 1.0, N + 1))
    try:
        import numerik
        r = numerik.Rational(x, np.sin(40 * x), d=D)
        eigene = np.asarray(r.koeffizienten).ravel()
        v = gewichte(x, D)
        # The two sign conventions may differ by a common factor -1.
        v = v * np.sign(v[0]) * np.sign(eigene[0])
        print(f"numpy gegen das Modul: groesste Abweichung {np.max(np.abs(v - eigene)):.2e}")
    except ImportError:
        pass
    b, p = [], []
    for _ in range(a.runden):
        b.append(bibliothek_ms(a.programm))
        p.append(numpy_ms(x))
    b, p = statistics.median(b), statistics.median(p)
    print(f"Floater-Hormann d = {D}, n = {N}: Bibliothek {b:.3f} ms, numpy {p:.3f} ms, "
          f"Verhaeltnis {b / p:.2f}")


if __name__ == "__main__":
    main()
