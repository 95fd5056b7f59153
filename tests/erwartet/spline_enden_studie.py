#!/usr/bin/python3
"""Checks the spline columns of a fehlerstudie table (-p -s, every block)
without the program: each figure is recomputed with scipy's CubicSpline on
the same nodes and grid, with the end condition of its column,

    nat.Sp-a, nat.Sp-t  natural             bc_type='natural'
    abl.Sp-a            exact f'' at ends   bc_type=((2, f''(a)), (2, f''(b)))
    per.Sp-a            periodic            bc_type='periodic'
    nak.Sp-a, nak.Sp-t  not-a-knot          bc_type='not-a-knot'
    ein.Sp-a            exact f' at ends    bc_type=((1, f'(a)), (1, f'(b)))

and printed as "%.3g", the orders as "%.2f" from those figures.

    /usr/bin/python3 tests/erwartet/spline_enden_studie.py TABELLE [PUNKTE]

TABELLE is fehlerstudie's stdout for one problem; PUNKTE the grid (default
1001).  Prints every cell it checked and exits 1 on a difference.  The
polynomial columns are left to fehlerstudie_tabellen.py.

    /usr/bin/python3 tests/erwartet/spline_enden_studie.py -t M TOLERANZ

prints the smallest n of fehlerstudie -t's search (n doubled from 2, then
bisected, up to 100000, each n on max(1001, 10 n + 1) points) for the
not-a-knot and clamped columns of problem M.
"""
import math
import sys

import numpy as np
from scipy.interpolate import CubicSpline

PROBLEME = {
    1: (np.sin, -3.14159265, 3.14159265, lambda x: -math.sin(x), math.cos),
    2: (np.sin, -9.0, 9.0, lambda x: -math.sin(x), math.cos),
    3: (np.abs, -0.3, 0.3, lambda x: 0.0, lambda x: -1.0 if x < 0 else 1.0),
    4: (lambda x: 1.0 / (x * x + 1.0), -9.0, 9.0,
        lambda x: (6 * x * x - 2) / (x * x + 1) ** 3,
        lambda x: -2 * x / (x * x + 1) ** 2),
}


def knoten(art, n, a, b):
    if art == "a":
        return np.array([(i * b + (n - i) * a) / n for i in range(n + 1)])
    pi = 4.0 * math.atan(1.0)
    mitte, diff = (a + b) / 2.0, a - b
    return np.array([mitte + math.cos(i * pi / n) * diff / 2.0 for i in range(n + 1)])


def fehler(m, spalte, n, punkte):
    f, a, b, f2, f1 = PROBLEME[m]
    art = spalte[-1]
    x = knoten(art, n, a, b)
    y = f(x)
    rand = {
        "nat": "natural",
        "abl": ((2, f2(a)), (2, f2(b))),
        "per": "periodic",
        "nak": "not-a-knot",
        "ein": ((1, f1(a)), (1, f1(b))),
    }[spalte[:3]]
    if rand == "periodic":
        mittel = (y[0] + y[-1]) / 2
        y[0] = y[-1] = mittel
    s = CubicSpline(x, y, bc_type=rand)
    N = punkte - 1
    gitter = np.array([(i * b + (N - i) * a) / N for i in range(N + 1)])
    return float(np.max(np.abs(s(gitter) - f(gitter))))


def ordnung(e0, n0, e1, n1):
    if not (e0 > 0 and e1 > 0 and math.isfinite(e0) and math.isfinite(e1)):
        return None
    return math.log(e0 / e1) / math.log(n1 / n0)


def bloecke(text):
    """{column: {n: cell}} of one table (all its blocks)."""
    tabelle = {}
    spalten = None
    for zeile in text.split("\n"):
        teile = zeile.split()
        if not teile:
            spalten = None
            continue
        if teile[0] == "n":
            spalten = teile[1:]
            continue
        if spalten is None or not teile[0].isdigit():
            continue
        for s, w in zip(spalten, teile[1:]):
            tabelle.setdefault(s, {})[int(teile[0])] = w.rstrip("*")
    return tabelle


def suche(m, spalte, toleranz, n_max=100000):
    return suche_allgemein(lambda n: fehler(m, spalte, n, max(1001, 10 * n + 1)),
                           toleranz, n_max)


def suche_allgemein(fehler_bei, toleranz, n_max):
    """fehlerstudie -t's search: n doubled from 2, then bisected."""
    erreicht = lambda n: fehler_bei(n) <= toleranz
    verfehlt, n = 0, 2
    while not erreicht(n):
        if n >= n_max:
            return 0
        verfehlt = n
        n = n_max if n > n_max // 2 else 2 * n
    while n - verfehlt > 1:
        mitte = verfehlt + (n - verfehlt) // 2
        if erreicht(mitte):
            n = mitte
        else:
            verfehlt = mitte
    return n


def main():
    if sys.argv[1] == "-t":
        m, toleranz = int(sys.argv[2]), float(sys.argv[3])
        for spalte in ("nak.Sp-a", "nak.Sp-t", "ein.Sp-a"):
            print(spalte, suche(m, spalte, toleranz))
        return
    sys.exit(tabelle_pruefen(sys.argv[1:], lambda s: s[:3] in ("nat", "abl", "per", "nak", "ein"),
                             fehler))


def tabelle_pruefen(argumente, gewaehlt, fehler_von):
    """Checks every cell of the chosen columns of the table in file
    argumente[0] (grid argumente[1], default 1001) against
    fehler_von(m, spalte, n, punkte): prints each cell, returns 1 on a
    difference, else 0."""
    text = open(argumente[0]).read()
    punkte = int(argumente[1]) if len(argumente) > 1 else 1001
    m = int(text.split(":")[0].split()[-1])
    fehlertext, _, ordnungstext = text.partition("\nBeobachtete Ordnung")
    fehlerzellen = bloecke(fehlertext)
    ordnungszellen = bloecke(ordnungstext)
    falsch = 0
    for spalte, zellen in fehlerzellen.items():
        if not gewaehlt(spalte):
            continue
        werte = {n: fehler_von(m, spalte, n, punkte) for n in sorted(zellen)}
        for n, zelle in zellen.items():
            soll = "%.3g" % werte[n]
            gleich = soll == zelle
            falsch += not gleich
            print("%-9s n=%-6d %9s %9s %s" % (spalte, n, zelle, soll, "" if gleich else "FALSCH"))
        liste = sorted(werte)
        for n0, n1 in zip(liste, liste[1:]):
            p = ordnung(werte[n0], n0, werte[n1], n1)
            soll = "-" if p is None else "%.2f" % p
            zelle = ordnungszellen.get(spalte, {}).get(n1)
            gleich = soll == zelle
            falsch += not gleich
            print("%-9s n=%-6d %9s %9s %s (Ordnung)" %
                  (spalte, n1, zelle, soll, "" if gleich else "FALSCH"))
    return 1 if falsch else 0

if __name__ == "__main__":
    main()
