#!/usr/bin/python3
"""The errors of exact arithmetic for the interpolating polynomial on
equidistant nodes: for the sine on [-9, 9] (example problem 2) and
1/(1+x^2) on [-9, 9] (problem 4), max |p(x) - f(x)| over the study's grid
(max(1001, 10 n + 1) points x(i) = (i*b + (N-i)*a)/N, formed in double as
the library forms them), with nodes, weights (-1)^j binomial(n, j), values
and the barycentric formula in 90-digit arithmetic (mpmath), without the
library.  Beside it the Lebesgue constant of the nodes, sampled on the same
grid and at the midpoints of the node intervals in the same arithmetic.

A figure of the library minus the exact one is what its doubles add;
Befund.EquidistantRoundingLiesBelowItsFloor holds it below the floor of
the equidistant nodes, and the sine's column must carry the rounding mark
where its figure exceeds the exact one.

    /usr/bin/python3 tests/erwartet/rundung_aequidistant.py            # the table
    /usr/bin/python3 tests/erwartet/rundung_aequidistant.py 2 64       # one row
"""
import sys

import mpmath

mpmath.mp.dps = 90

PROBLEME = {
    2: (mpmath.sin, -9.0, 9.0),
    4: (lambda x: 1 / (1 + x * x), -9.0, 9.0),
}


def gitter(n, a, b):
    punkte = max(1001, 10 * n + 1)
    intervalle = punkte - 1
    return [(i * b + (intervalle - i) * a) / intervalle for i in range(punkte)]


def zeile(m, n):
    f, a, b = PROBLEME[m]
    a_, b_ = mpmath.mpf(a), mpmath.mpf(b)
    x = [a_ + (b_ - a_) * j / n for j in range(n + 1)]
    w = [(-1) ** j * mpmath.binomial(n, j) for j in range(n + 1)]
    y = [f(t) for t in x]
    fehler = mpmath.mpf(0)
    lam = mpmath.mpf(1)
    punkte = [mpmath.mpf(t) for t in gitter(n, a, b)]
    punkte += [(x[j] + x[j + 1]) / 2 for j in range(n)]
    for t in punkte:
        z = nz = s = mpmath.mpf(0)
        wert = None
        for xj, wj, yj in zip(x, w, y):
            d = t - xj
            if d == 0:
                wert = yj
                break
            q = wj / d
            z += q * yj
            nz += q
            s += abs(q)
        if wert is None:
            wert = z / nz
            lam = max(lam, s / abs(nz))
        fehler = max(fehler, abs(wert - f(t)))
    return mpmath.nstr(fehler, 6), mpmath.nstr(lam, 6)


if __name__ == "__main__":
    if len(sys.argv) == 3:
        print(*zeile(int(sys.argv[1]), int(sys.argv[2])))
    else:
        for m in PROBLEME:
            for n in (8, 16, 24, 32, 48, 64, 96, 128):
                print(m, n, *zeile(m, n), flush=True)
