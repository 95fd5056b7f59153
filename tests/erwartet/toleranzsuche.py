#!/usr/bin/env python3
"""The smallest n of the tolerance search for the polynomial on Chebyshev
points (problem 4, tolerance 1e-6), computed without the program: the error
of each n the search visits is the interpolating polynomial through the
double values at the double nodes, evaluated in 200-bit arithmetic on a grid
of max(1001, 10 n + 1) points; the search doubles n from 2, then bisects.

    python3 tests/erwartet/toleranzsuche.py
"""
import math

import mpmath

mpmath.mp.prec = 200
A, B = -9.0, 9.0


def f(x):
    return 1.0 / (x * x + 1.0)


def fehler(n):
    pi = 4.0 * math.atan(1.0)
    xs = [(A + B) / 2.0 + math.cos(i * pi / n) * (A - B) / 2.0 for i in range(n + 1)]
    X = [mpmath.mpf(x) for x in xs]
    Y = [mpmath.mpf(f(x)) for x in xs]
    # Weights by the product formula at the double nodes.
    w = []
    for j in range(n + 1):
        p = mpmath.mpf(1)
        for k in range(n + 1):
            if k != j:
                p *= X[j] - X[k]
        w.append(1 / p)
    punkte = max(1001, 10 * n + 1)
    N = punkte - 1
    groesster = mpmath.mpf(0)
    for i in range(N + 1):
        x = mpmath.mpf((i * B + (N - i) * A) / N)
        z = q = mpmath.mpf(0)
        wert = None
        for j in range(n + 1):
            d = x - X[j]
            if d == 0:
                wert = Y[j]
                break
            z += w[j] / d * Y[j]
            q += w[j] / d
        wert = z / q if wert is None else wert
        groesster = max(groesster, abs(wert - 1 / (x * x + 1)))
    return groesster


def suche(toleranz, n_max):
    erreicht = lambda n: fehler(n) <= toleranz
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


print(suche(1e-6, 2000))
