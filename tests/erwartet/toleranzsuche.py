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
from spline_enden_studie import suche_allgemein


def fehler(n):
    # The polynomial on Chebyshev points of problem 4, on the search's grid.
    return polynomfehler(4, "t", n, max(1001, 10 * n + 1))


print(suche_allgemein(fehler, 1e-6, 2000))
