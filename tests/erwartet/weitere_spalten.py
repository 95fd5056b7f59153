#!/usr/bin/python3
"""Checks the columns of the further methods in a fehlerstudie table (-p -s,
every block) without the program, each figure recomputed from the same
double nodes and values on the same grid:

    Rat-a, Rat-t  Floater-Hormann, d = 3: barycentric weights from their
                  defining sum, evaluated in 200-bit arithmetic (mpmath)
    Leja-t        the polynomial through the Chebyshev extreme points (any
                  order of the nodes gives it), product-formula weights, 200 bits
    Bary-t1       the polynomial through the roots of T(n+1), the same way
    FC-a          scipy's PchipInterpolator (Fritsch-Carlson slopes,
                  three-point shape-keeping ends)
    Akima-a       modified Akima slopes written out below, evaluated as
                  cubic Hermite pieces by scipy's CubicHermiteSpline

and printed as "%.3g", the orders as "%.2f" from those figures.

    /usr/bin/python3 tests/erwartet/weitere_spalten.py TABELLE [PUNKTE]

TABELLE is fehlerstudie's stdout for one problem; PUNKTE the grid (default
1001).  Prints every cell it checked and exits 1 on a difference.

    /usr/bin/python3 tests/erwartet/weitere_spalten.py -t M TOLERANZ

prints the smallest n of fehlerstudie -t's search (n doubled from 2, then
bisected, up to 2000 for the global forms and 100000 for the Hermite
forms, each n on max(1001, 10 n + 1) points).  The search evaluates in
double precision (numpy), which at the errors it compares (1e-6 and up)
differs from 200 bits far below the third digit.
"""
import math
import sys

import mpmath
import numpy as np
from scipy.interpolate import CubicHermiteSpline, PchipInterpolator

from spline_enden_studie import PROBLEME, suche_allgemein, tabelle_pruefen

mpmath.mp.prec = 200

GLOBAL = ("Rat-a", "Rat-t", "Leja-t", "Bary-t1")
LOKAL = ("FC-a", "Akima-a")


def knoten(art, n, a, b):
    pi = 4.0 * math.atan(1.0)
    mitte, diff = (a + b) / 2.0, a - b
    if art == "a":
        return [(i * b + (n - i) * a) / n for i in range(n + 1)]
    if art == "t":
        return [mitte + math.cos(i * pi / n) * diff / 2.0 for i in range(n + 1)]
    return [mitte + math.cos((2.0 * i + 1.0) * pi / (2.0 * n + 2.0)) * diff / 2.0
            for i in range(n + 1)]


def spaltenknoten(spalte, n, a, b):
    art = {"Rat-a": "a", "Rat-t": "t", "Leja-t": "t", "Bary-t1": "1",
           "FC-a": "a", "Akima-a": "a"}[spalte]
    # Ascending, as the rational weights' sum and the Hermite pieces expect.
    return sorted(knoten(art, n, a, b))


def gewichte(spalte, X, null, eins, betrag):
    """Barycentric weights in the arithmetic of null/eins (mpmath or float)."""
    n = len(X) - 1
    w = []
    if spalte.startswith("Rat"):
        d = min(3, n)
        for k in range(n + 1):
            s = null
            for i in range(max(0, k - d), min(k, n - d) + 1):
                p = eins
                for j in range(i, i + d + 1):
                    if j != k:
                        p /= betrag(X[k] - X[j])
                s += p
            w.append((-1) ** ((k - d) % 2) * s)
        return w
    for j in range(n + 1):
        p = eins
        for k in range(n + 1):
            if k != j:
                p *= X[j] - X[k]
        w.append(eins / p)
    return w


def gitter(a, b, punkte):
    N = punkte - 1
    return [(i * b + (N - i) * a) / N for i in range(N + 1)]


def akima_modifiziert(x, y):
    """Slopes: the secants m_k, two more at each end extrapolated linearly
    (m_{-1} = 2 m_0 - m_1, m_{-2} = 2 m_{-1} - m_0), and at node i the mean
    of m_{i-1} and m_i weighted by w1 = |m_{i+1} - m_i| + |m_{i+1} + m_i| / 2
    and w2 = |m_{i-1} - m_{i-2}| + |m_{i-1} + m_{i-2}| / 2."""
    m = list(np.diff(y) / np.diff(x))
    if len(m) == 1:
        return np.array([m[0], m[0]])
    vorn = 2 * m[0] - m[1]
    hinten = 2 * m[-1] - m[-2]
    m = [2 * vorn - m[0], vorn] + m + [hinten, 2 * hinten - m[-1]]
    d = []
    for i in range(len(x)):
        vor2, vor, nach, nach2 = m[i], m[i + 1], m[i + 2], m[i + 3]
        w1 = abs(nach2 - nach) + abs(nach2 + nach) / 2
        w2 = abs(vor - vor2) + abs(vor + vor2) / 2
        if vor == nach:
            d.append(vor)
        elif w1 + w2 == 0:
            d.append((vor + nach) / 2)
        else:
            d.append((w1 * vor + w2 * nach) / (w1 + w2))
    return np.array(d)


def fehler(m, spalte, n, punkte, genau=True):
    f, a, b = PROBLEME[m][:3]
    xs = spaltenknoten(spalte, n, a, b)
    ys = [float(f(x)) for x in xs]
    G = gitter(a, b, punkte)
    if spalte in LOKAL:
        x, y = np.array(xs), np.array(ys)
        if spalte == "FC-a":
            s = PchipInterpolator(x, y)
        else:
            s = CubicHermiteSpline(x, y, akima_modifiziert(x, y))
        g = np.array(G)
        return float(np.max(np.abs(s(g) - f(g))))
    if not genau:
        X, Y = np.array(xs), np.array(ys)
        w = np.array(gewichte(spalte, list(X), 0.0, 1.0, abs))
        g = np.array(G)
        d = g[:, None] - X[None, :]
        treffer = d == 0
        d[treffer] = 1.0
        q = w / d
        werte = (q @ Y) / q.sum(axis=1)
        zeilen, spalten = np.nonzero(treffer)
        werte[zeilen] = Y[spalten]
        return float(np.max(np.abs(werte - f(g))))
    X = [mpmath.mpf(x) for x in xs]
    Y = [mpmath.mpf(y) for y in ys]
    w = gewichte(spalte, X, mpmath.mpf(0), mpmath.mpf(1), abs)
    groesster = mpmath.mpf(0)
    for xg in G:
        x = mpmath.mpf(xg)
        zaehler = nenner = mpmath.mpf(0)
        wert = None
        for j in range(len(X)):
            d = x - X[j]
            if d == 0:
                wert = Y[j]
                break
            zaehler += w[j] / d * Y[j]
            nenner += w[j] / d
        if wert is None:
            wert = zaehler / nenner
        # f in 200 bits too: the double f would add its own rounding.
        xm = x
        if m == 4:
            exakt = 1 / (xm * xm + 1)
        elif m == 3:
            exakt = abs(xm)
        else:
            exakt = mpmath.sin(xm)
        groesster = max(groesster, abs(wert - exakt))
    return float(groesster)


def main():
    if sys.argv[1] == "-t":
        m, toleranz = int(sys.argv[2]), float(sys.argv[3])
        for spalte in GLOBAL + LOKAL:
            grenze = 2000 if spalte in GLOBAL else 100000
            print(spalte, suche_allgemein(
                lambda n: fehler(m, spalte, n, max(1001, 10 * n + 1), genau=False),
                toleranz, grenze))
        return
    sys.exit(tabelle_pruefen(sys.argv[1:], lambda s: s in GLOBAL + LOKAL, fehler))

if __name__ == "__main__":
    main()
