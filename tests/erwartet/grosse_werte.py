#!/usr/bin/python3
"""The integrals of the rational interpolant of blending degree 1 through x^3
at 0, 1, 2, 3 over [0, 1e6] and [0, 1e8] (tests/unit/grosse_werte_test.cpp),
at 40 digits: the weights by their defining sums, the integral by mpmath's
quadrature over pieces that grow by factors of ten."""
import mpmath as mp

mp.mp.dps = 40
x = [0, 1, 2, 3]
y = [0, 1, 8, 27]
d = 1
n = len(x) - 1

w = []
for k in range(n + 1):
    summe = mp.mpf(0)
    for i in range(max(0, k - d), min(k, n - d) + 1):
        p = mp.mpf(1)
        for j in range(i, i + d + 1):
            if j != k:
                p /= abs(x[k] - x[j])
        summe += p
    w.append((-1) ** (k - d) * summe)


def r(t):
    if t in x:
        return mp.mpf(y[x.index(t)])
    return sum(w[k] * y[k] / (t - x[k]) for k in range(n + 1)) / sum(
        w[k] / (t - x[k]) for k in range(n + 1))


stuecke = [0, 1, 2, 3, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8]
print("Gewichte", w)
for oben in (1e6, 1e8):
    print(oben, mp.quad(r, stuecke[:stuecke.index(oben) + 1]))
