#!/usr/bin/python3
"""The errors of exact arithmetic for the study's polynomial on Chebyshev
points: for the example problems 1 (sine on [-3.14159265, 3.14159265]), 2
(sine on [-9, 9]) and 4 (1/(1+x^2) on [-9, 9]), the largest error
max |p(x) - f(x)| of the interpolating polynomial on the n+1 Chebyshev
points of each kind, over the grid of the study (max(1001, 10 n + 1)
points x(i) = (i*b + (N-i)*a)/N, formed in double as the library forms
them), without the library and without rounding: nodes, weights, values
and the barycentric formula in 40-digit arithmetic (mpmath).

A figure of the library minus this one is the rounding its doubles add;
the unit test Befund.RoundingFloorLiesAboveTheRoundingOfEachFigure holds
it below the floor u Lambda_n max|f| K, K = RUNDUNGSFAKTOR.  Where the
error is far below 1e-25 (problems 1 and 2 from n = 64 on, problem 4 from
n = 1024 on) the grid is not summed at all: the bound of the Chebyshev
series, 4 M rho^-n / (rho - 1) with M the largest |f| on the Bernstein
ellipse of parameter rho, is given instead, a number below 1e-25, nine
decades below any rounding of a double.

    /usr/bin/python3 tests/erwartet/rundungsboden.py           # the table
    /usr/bin/python3 tests/erwartet/rundungsboden.py 4 t 64    # one figure
"""
import sys

import mpmath

mpmath.mp.dps = 40

PROBLEME = {
    1: (mpmath.sin, -3.14159265, 3.14159265),
    2: (mpmath.sin, -9.0, 9.0),
    4: (lambda x: 1 / (1 + x * x), -9.0, 9.0),
}


def knoten_und_gewichte(art, n, a, b):
    """Exact Chebyshev points on [a, b] and their barycentric weights:
    second kind (t) cos(i pi / n) with (-1)^i, halved at the ends; first
    kind (t1) cos((2i+1) pi / (2n+2)) with (-1)^i sin((2i+1) pi / (2n+2))."""
    a, b = mpmath.mpf(a), mpmath.mpf(b)
    mitte, halb = (a + b) / 2, (a - b) / 2
    x, w = [], []
    for i in range(n + 1):
        if art == "t":
            winkel = i * mpmath.pi / n
            gewicht = (-1) ** i * (mpmath.mpf(1) / 2 if i in (0, n) else 1)
        else:
            winkel = (2 * i + 1) * mpmath.pi / (2 * n + 2)
            gewicht = (-1) ** i * mpmath.sin(winkel)
        x.append(mitte + halb * mpmath.cos(winkel))
        w.append(gewicht)
    return x, w


def gitter(n, a, b):
    punkte = max(1001, 10 * n + 1)
    intervalle = punkte - 1
    # In double, as aequidistanter_punkt forms them; each double is then an
    # exact point of the 40-digit arithmetic.
    return [(i * b + (intervalle - i) * a) / intervalle for i in range(punkte)]


def exakter_fehler(m, art, n):
    f, a, b = PROBLEME[m]
    x, w = knoten_und_gewichte(art, n, a, b)
    y = [f(t) for t in x]
    groesster = mpmath.mpf(0)
    for t in gitter(n, a, b):
        t = mpmath.mpf(t)
        zaehler = nenner = mpmath.mpf(0)
        wert = None
        for xj, wj, yj in zip(x, w, y):
            d = t - xj
            if d == 0:
                wert = yj
                break
            q = wj / d
            zaehler += q * yj
            nenner += q
        if wert is None:
            wert = zaehler / nenner
        groesster = max(groesster, abs(wert - f(t)))
    return groesster


def schranke(m, n):
    """4 M rho^-n / (rho - 1) for the Chebyshev interpolant of either kind
    (the aliasing bound: twice the tail of the Chebyshev series), on [-1, 1]
    after the affine map; M the largest |f| on the ellipse, sampled at 2000
    points of it (f is analytic inside, so the maximum lies on it and the
    samples are close to it).  rho: 20 for the entire sine, 1.1 below
    1/9 + sqrt(1 + 1/81) = 1.1173, where 1/(1+x^2) on [-9, 9] has its
    poles at +-i."""
    f, a, b = PROBLEME[m]
    rho = mpmath.mpf(20) if m in (1, 2) else mpmath.mpf("1.1")
    mitte, halb = (mpmath.mpf(a) + b) / 2, (mpmath.mpf(b) - a) / 2
    groesstes = mpmath.mpf(0)
    for k in range(2000):
        z = mpmath.expjpi(mpmath.mpf(2 * k) / 2000) * rho
        groesstes = max(groesstes, abs(f(mitte + halb * (z + 1 / z) / 2)))
    return 4 * groesstes * rho ** (-n) / (rho - 1)


def figur(m, art, n):
    s = schranke(m, n)
    if s < mpmath.mpf("1e-25"):
        return "<" + mpmath.nstr(s, 3)
    return mpmath.nstr(exakter_fehler(m, art, n), 17)


if __name__ == "__main__":
    if len(sys.argv) == 4:
        print(figur(int(sys.argv[1]), sys.argv[2], int(sys.argv[3])))
    else:
        for m in PROBLEME:
            for art in ("t", "t1"):
                for n in (16, 32, 64, 128, 256, 512, 1024, 2048, 4096, 8192, 65536):
                    print(m, art, n, figur(m, art, n), flush=True)
