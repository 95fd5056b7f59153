#!/usr/bin/python3
"""Lebesgue constants Lambda_n = max over [-1, 1] of sum_j |l_j(x)|,
computed without the library: the nodes in 40-digit arithmetic (mpmath),
each l_j as the product prod_{k != j} (x - x_k) / (x_j - x_k), and the
maximum of each node interval (and of the stretches between an end of the
interval and the outermost node) by golden-section search in the same
precision.  Between two neighbouring nodes no l_j changes sign, so the
Lebesgue function is a polynomial there with one maximum.  The constant
does not change under an affine map, so [-1, 1] stands for every [a, b].

    /usr/bin/python3 tests/erwartet/lebesgue.py          # the figures
    /usr/bin/python3 tests/erwartet/lebesgue.py 2 4 8 16 # the table of -l
"""
import sys

import mpmath

mpmath.mp.dps = 40


def knoten(art, n):
    """The n+1 nodes of a kind on [-1, 1], ascending."""
    if art == "a":
        return [mpmath.mpf(-1) + mpmath.mpf(2) * i / n for i in range(n + 1)]
    if art == "t":  # extreme points of T_n
        return sorted(-mpmath.cos(i * mpmath.pi / n) for i in range(n + 1))
    if art == "t1":  # roots of T_(n+1)
        return sorted(-mpmath.cos((2 * i + 1) * mpmath.pi / (2 * n + 2)) for i in range(n + 1))
    raise ValueError(art)


def lebesgue_funktion(x, xs):
    summe = mpmath.mpf(0)
    for j, xj in enumerate(xs):
        l = mpmath.mpf(1)
        for k, xk in enumerate(xs):
            if k != j:
                l *= (x - xk) / (xj - xk)
        summe += abs(l)
    return summe


def maximum(u, v, xs):
    r = (mpmath.sqrt(5) - 1) / 2
    p, q = v - r * (v - u), u + r * (v - u)
    fp, fq = lebesgue_funktion(p, xs), lebesgue_funktion(q, xs)
    for _ in range(80):
        if fp >= fq:
            v, q, fq = q, p, fp
            p = v - r * (v - u)
            fp = lebesgue_funktion(p, xs)
        else:
            u, p, fp = p, q, fq
            q = u + r * (v - u)
            fq = lebesgue_funktion(q, xs)
    return max(fp, fq, lebesgue_funktion(u, xs), lebesgue_funktion(v, xs))


def konstante(art, n):
    xs = knoten(art, n)
    grenzen = [mpmath.mpf(-1)] + xs + [mpmath.mpf(1)]
    return max(maximum(u, v, xs) for u, v in zip(grenzen, grenzen[1:]) if v > u)


if __name__ == "__main__":
    if len(sys.argv) > 1:
        arten = ["a", "t"]
        print("\nLebesgue-Konstante Lambda_n = max sum_j |l_j(x)| der Stuetzstellen\n")
        print("%6s" % "n" + "".join(" %9s" % ("Knoten-" + a) for a in arten))
        for n in map(int, sys.argv[1:]):
            print("%6d" % n + "".join(" %9.4g" % float(konstante(a, n)) for a in arten))
    else:
        for art, n in [("a", 1), ("a", 2), ("t", 2), ("t1", 2), ("a", 16), ("t", 16),
                       ("t1", 16), ("a", 40), ("t", 40)]:
            print(art, n, mpmath.nstr(konstante(art, n), 17))
