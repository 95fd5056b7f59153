#!/usr/bin/env python3
"""Expected figures of the further methods of the study (Leja-ordered
Newton form, the rational form of Floater and Hormann, Chebyshev points of
the first kind), computed without the library in 200-bit arithmetic
(mpmath) from the same double nodes and values, against f in the same
precision, on the study's grid of PUNKTE equidistant points:

    python3 tests/erwartet/weitere_methoden.py [PUNKTE]

prints, for problem 4 (Runge's function 1 / (1 + x^2) on [-9, 9]):
  - the interpolating polynomial on the Chebyshev extreme points, n = 64
    (what the Newton form in Leja order must give up to rounding),
  - the polynomial on the Chebyshev points of the first kind, n = 64,
  - the rational interpolant with d = 3 on equidistant and on Chebyshev
    extreme points, n = 64.
"""
import math
import sys

import mpmath

mpmath.mp.prec = 200

A, B = -9.0, 9.0


def f(x):
    return 1.0 / (x * x + 1.0)


def fm(x):
    return 1 / (x * x + 1)


def knoten(art, n):
    pi = 4.0 * math.atan(1.0)
    mitte, diff = (A + B) / 2.0, A - B
    if art == "a":
        return [(i * B + (n - i) * A) / n for i in range(n + 1)]
    if art == "t":
        return [mitte + math.cos(i * pi / n) * diff / 2.0 for i in range(n + 1)]
    # First kind: the roots of T(n+1).
    return [mitte + math.cos((2.0 * i + 1.0) * pi / (2.0 * n + 2.0)) * diff / 2.0
            for i in range(n + 1)]


def polynomgewichte(X):
    w = []
    for j in range(len(X)):
        p = mpmath.mpf(1)
        for k in range(len(X)):
            if k != j:
                p *= X[j] - X[k]
        w.append(1 / p)
    return w


def rationalgewichte(X, d):
    """w_k = (-1)^(k-d) sum_{i in J_k} prod_{j=i..i+d, j != k} 1/|x_k - x_j|
    over ascending nodes."""
    n = len(X) - 1
    w = []
    for k in range(n + 1):
        s = mpmath.mpf(0)
        for i in range(max(0, k - d), min(k, n - d) + 1):
            p = mpmath.mpf(1)
            for j in range(i, i + d + 1):
                if j != k:
                    p /= abs(X[k] - X[j])
            s += p
        w.append((-1) ** ((k - d) % 2) * s)
    return w


def fehler(xs, w, punkte):
    X = [mpmath.mpf(x) for x in xs]
    Y = [mpmath.mpf(f(x)) for x in xs]
    N = punkte - 1
    groesster = mpmath.mpf(0)
    for i in range(N + 1):
        x = mpmath.mpf((i * B + (N - i) * A) / N)
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
        groesster = max(groesster, abs(wert - fm(x)))
    return groesster


def main():
    punkte = int(sys.argv[1]) if len(sys.argv) > 1 else 1001
    n = 64
    for titel, art, gewichte in [
            ("Polynom, Tschebyscheff (Newton in Leja-Ordnung)", "t", polynomgewichte),
            ("Polynom, Tschebyscheff 1. Art", "1", polynomgewichte),
            ("rational d = 3, aequidistant", "a", lambda X: rationalgewichte(X, 3)),
            ("rational d = 3, Tschebyscheff", "t", lambda X: rationalgewichte(X, 3))]:
        xs = knoten(art, n)
        X = [mpmath.mpf(x) for x in xs]
        print("%-50s n = %d: %s" % (titel, n, mpmath.nstr(fehler(xs, gewichte(X), punkte), 12)))


main()
