#!/usr/bin/python3
"""The Bernstein parameter of Runge's function 1/(1+x^2) on [-9, 9], which
its AAA fit from data must find: its poles +-i lie at z = +-i/9 in the
scaled variable z = (2x - a - b)/(b - a), and rho = |z + sqrt(z^2 - 1)|
(the branch with modulus > 1) is 1/9 + sqrt(1 + 1/81) there.  Computed
both ways in 40 digits, without the library (tests/unit/warum_daten_test.cpp
takes the figure).

    /usr/bin/python3 tests/erwartet/warum_daten.py
"""
import mpmath

mpmath.mp.dps = 40

z = mpmath.mpc(0, 1) / 9
w = z + mpmath.sqrt(z * z - 1)
rho = max(abs(w), 1 / abs(w))
geschlossen = mpmath.mpf(1) / 9 + mpmath.sqrt(1 + mpmath.mpf(1) / 81)
assert abs(rho - geschlossen) < mpmath.mpf(10) ** -35
print(mpmath.nstr(rho, 17))
