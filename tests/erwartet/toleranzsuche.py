#!/usr/bin/env python3
"""The smallest n of the tolerance search for the polynomial on Chebyshev
points (problem 4, tolerance 1e-6), computed without the program: the error
of each n the search visits is the interpolating polynomial through the
double values at the double nodes, evaluated in 200-bit arithmetic on a grid
of max(1001, 10 n + 1) points (fehlerstudie_tabellen.py); the search doubles
n from 2, then bisects.

    python3 tests/erwartet/toleranzsuche.py
"""
from fehlerstudie_tabellen import polynomfehler


def fehler(n):
    # The polynomial on Chebyshev points of problem 4, on the search's grid.
    return polynomfehler(4, "t", n, max(1001, 10 * n + 1))


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
