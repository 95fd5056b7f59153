#!/usr/bin/python3
"""From which step on a local method shows its order near a pole: the
local orders log2(e(n/2)/e(n)) of the cubic splines (not-a-knot and with
exact f', scipy's CubicSpline) and of Floater-Hormann d = 3 (its weights
written here) for f = 1/(x^2 + d^2) on [-1, 1], over h/d with h = 2/n.

    /usr/bin/python3 tests/erwartet/vorasymptotik.py

The splines' orders lie within 0.1 of 4 from h <= d/6 on (at h = d/3.2
still 2.5), the blend's (within 0.15, rounding) from h <= d/25 on (at h = d/13 still 2.6, before
that up to 15).  Exits 1 where that no longer holds.
"""
import sys
from math import comb

import numpy as np
from scipy.interpolate import CubicSpline


def floater_hormann(x, y, d, t):
    n = len(x) - 1
    w = np.array([(-1) ** (k - d) * sum(comb(d, k - i)
                                        for i in range(max(0, k - d), min(k, n - d) + 1))
                  for k in range(n + 1)], float)
    diff = t[:, None] - x[None, :]
    gleich = diff == 0
    diff[gleich] = 1.0
    c = w / diff
    r = (c @ y) / c.sum(1)
    i, j = np.nonzero(gleich)
    r[i] = y[j]
    return r


def main():
    fehlt = False
    for d in [0.1, 0.05]:
        f = lambda x: 1.0 / (x * x + d * d)
        f1 = lambda x: -2.0 * x / (x * x + d * d) ** 2
        t = np.linspace(-1, 1, 40001)
        vorher = None
        for n in [8, 16, 32, 64, 128, 256, 512, 1024, 2048]:
            x = np.linspace(-1, 1, n + 1)
            e = {
                "nak": np.max(np.abs(CubicSpline(x, f(x))(t) - f(t))),
                "ein": np.max(np.abs(CubicSpline(x, f(x), bc_type=((1, f1(-1.0)), (1, f1(1.0))))(t)
                                     - f(t))),
                "fh3": np.max(np.abs(floater_hormann(x, f(x), 3, t) - f(t))),
            }
            if vorher:
                q = 2.0 / n / d
                o = {k: np.log2(vorher[k] / e[k]) for k in e}
                print("d = %.2f n = %4d h/d = %.3f  " % (d, n, q)
                      + "  ".join("%s %.2f" % (k, o[k]) for k in o))
                if q <= 1 / 6 and (abs(o["nak"] - 4) > 0.1 or abs(o["ein"] - 4) > 0.1):
                    fehlt = True
                if q <= 1 / 25 and abs(o["fh3"] - 4) > 0.15:
                    fehlt = True
            vorher = e
    sys.exit(1 if fehlt else 0)


main()
