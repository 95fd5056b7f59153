#!/usr/bin/env python3
"""Expected table of `fehlerstudie -1 M N...` (the error of the first
derivative, default columns), computed without the program:

  - the polynomial columns (Newton-a, Newton-t, Bary-t): the derivative of
    the interpolating polynomial through the same double nodes and values,
    in 200-bit arithmetic (mpmath) by the derivative of the Lagrange form,
    against f' in the same precision;
  - the spline columns (nat.Sp-a, nat.Sp-t, abl.Sp-a): scipy's CubicSpline
    with natural ends or with the exact f'' at the ends, differentiated by
    scipy, against f' in double.

Every n is measured on max(1001, 10 n + 1) points x(i) = (i*b + (N-i)*a)/N.

    /usr/bin/python3 tests/erwartet/ableitung_studie.py M N...
"""
import math
import sys

import mpmath
import numpy
from scipy.interpolate import CubicSpline

mpmath.mp.prec = 200

# f, f in mpmath, a, b, f', f' in mpmath, f''
PROBLEME = {
    2: (math.sin, mpmath.sin, -9.0, 9.0, math.cos, mpmath.cos, lambda x: -math.sin(x)),
    4: (lambda x: 1.0 / (x * x + 1.0), lambda x: 1 / (x * x + 1), -9.0, 9.0,
        lambda x: -2.0 * x / (x * x + 1.0) ** 2, lambda x: -2 * x / (x * x + 1) ** 2,
        lambda x: (6 * x * x - 2) / (x * x + 1) ** 3),
}
NAMEN = {2: "Sinus auf [-9,9]", 4: "Ableitung zu arctan auf [-9,9]"}


def knoten(art, n, a, b):
    if art == "a":
        return [(i * b + (n - i) * a) / n for i in range(n + 1)]
    pi = 4.0 * math.atan(1.0)
    mitte, diff = (a + b) / 2.0, a - b
    return [mitte + math.cos(i * pi / n) * diff / 2.0 for i in range(n + 1)]


def gitter(a, b, punkte):
    N = punkte - 1
    return [(i * b + (N - i) * a) / N for i in range(N + 1)]


def polynom_ableitungsfehler(m, art, n, punkte):
    """max |p'(x) - f'(x)|, p' = sum_j y_j l_j'(x) with
    l_j'(x) = l_j(x) sum_{k != j} 1/(x - x_k) away from the nodes, and at a
    node x_i: l_i'(x_i) = sum_{k != i} 1/(x_i - x_k), l_j'(x_i) =
    w_j / (w_i (x_i - x_j)) for j != i (w the barycentric weights)."""
    f, _, a, b, _, f1m, _ = PROBLEME[m]
    xs = knoten(art, n, a, b)
    X = [mpmath.mpf(x) for x in xs]
    Y = [mpmath.mpf(f(x)) for x in xs]
    w = []
    for j in range(n + 1):
        p = mpmath.mpf(1)
        for k in range(n + 1):
            if k != j:
                p *= X[j] - X[k]
        w.append(1 / p)
    groesster = mpmath.mpf(0)
    for xd in gitter(a, b, punkte):
        x = mpmath.mpf(xd)
        if x in X:
            i = X.index(x)
            abl = Y[i] * sum(1 / (X[i] - X[k]) for k in range(n + 1) if k != i)
            abl += sum(Y[j] * w[j] / (w[i] * (X[i] - X[j])) for j in range(n + 1) if j != i)
        else:
            omega = mpmath.mpf(1)
            for k in range(n + 1):
                omega *= x - X[k]
            s = sum(1 / (x - X[k]) for k in range(n + 1))
            abl = mpmath.mpf(0)
            for j in range(n + 1):
                lj = omega * w[j] / (x - X[j])
                abl += Y[j] * lj * (s - 1 / (x - X[j]))
        groesster = max(groesster, abs(abl - f1m(x)))
    return float(groesster)


def spline_ableitungsfehler(m, art, n, punkte, rand):
    f, _, a, b, f1, _, f2 = PROBLEME[m]
    xs = numpy.array(knoten(art, n, a, b))
    ordnung = numpy.argsort(xs)
    xs = xs[ordnung]
    ys = numpy.array([f(x) for x in xs])
    bc = "natural" if rand == "nat" else ((2, f2(a)), (2, f2(b)))
    s = CubicSpline(xs, ys, bc_type=bc).derivative(1)
    g = numpy.array(gitter(a, b, punkte))
    return float(numpy.max(numpy.abs(s(g) - numpy.array([f1(x) for x in g]))))


SPALTEN = [
    ("Newton-a", True, lambda m, n, p: polynom_ableitungsfehler(m, "a", n, p)),
    ("Newton-t", True, lambda m, n, p: polynom_ableitungsfehler(m, "t", n, p)),
    ("Bary-t", False, None),  # the same polynomial as Newton-t
    ("nat.Sp-a", False, lambda m, n, p: spline_ableitungsfehler(m, "a", n, p, "nat")),
    ("nat.Sp-t", False, lambda m, n, p: spline_ableitungsfehler(m, "t", n, p, "nat")),
    ("abl.Sp-a", False, lambda m, n, p: spline_ableitungsfehler(m, "a", n, p, "abl")),
]


def zelle(text, mit_marke):
    return " %9s" % text + (" " if mit_marke else "")


def main():
    m = int(sys.argv[1])
    n_liste = [int(t) for t in sys.argv[2:]]
    _, _, a, b, _, _, _ = PROBLEME[m]
    werte = []
    for n in n_liste:
        punkte = max(1001, 10 * n + 1)
        zeile = []
        for titel, _, rechnen in SPALTEN:
            zeile.append(zeile[1] if rechnen is None else rechnen(m, n, punkte))
        werte.append(zeile)
    gitter_text = "1001" if all(max(1001, 10 * n + 1) == 1001 for n in n_liste) \
        else "max(1001, 10 n + 1)"
    aus = ["Beispielfunktion %d: %s" % (m, NAMEN[m]),
           "Groesster Fehler der 1. Ableitung max |p'(x) - f'(x)| an %s Punkten von [%g,%g]"
           % (gitter_text, a, b)]
    kopf = "\n%6s" % "n" + "".join(zelle(t, marke) for t, marke, _ in SPALTEN)
    aus.append(kopf)
    for n, zeile in zip(n_liste, werte):
        aus.append("%6d" % n + "".join(zelle("%.3g" % e, marke)
                                       for e, (_, marke, _) in zip(zeile, SPALTEN)))
    if len(n_liste) > 1:
        aus.append("\nBeobachtete Ordnung log(e(n_vorher)/e(n)) / log(n/n_vorher)")
        aus.append(kopf)
        for k in range(1, len(n_liste)):
            zellen = ""
            for j, (_, marke, _) in enumerate(SPALTEN):
                e0, e1 = werte[k - 1][j], werte[k][j]
                if e0 > 0 and e1 > 0:
                    p = math.log(e0 / e1) / math.log(n_liste[k] / n_liste[k - 1])
                    zellen += zelle("%.2f" % p, marke)
                else:
                    zellen += zelle("-", marke)
            aus.append("%6d" % n_liste[k] + zellen)
    sys.stdout.write("\n".join(aus) + "\n")


if __name__ == "__main__":
    main()
