#!/usr/bin/env python3
"""Expected tables of fehlerstudie's program cases, computed without the
program: the Newton and the natural and periodic spline figures come from
the tables the cases held before the columns Bary-t and abl.Sp-a (vetted
then); the new columns are computed here in 200-bit arithmetic (mpmath) from
the same double nodes and values, against f in the same precision: the
interpolating polynomial (Bary-t) and the cubic spline with the exact second
derivatives of f at the ends (abl.Sp-a).

    python3 tests/erwartet/fehlerstudie_tabellen.py ALTE_TABELLE PUNKTE

reads the old stdout (one or more problems) and prints the new one.
"""
import math
import sys

import mpmath

mpmath.mp.prec = 200

PROBLEME = {
    1: (math.sin, mpmath.sin, -3.14159265, 3.14159265, lambda x: -math.sin(x)),
    2: (math.sin, mpmath.sin, -9.0, 9.0, lambda x: -math.sin(x)),
    3: (abs, abs, -0.3, 0.3, lambda x: 0.0),
    4: (lambda x: 1.0 / (x * x + 1.0), lambda x: 1 / (x * x + 1), -9.0, 9.0,
        lambda x: (6 * x * x - 2) / (x * x + 1) ** 3),
}


def knoten(art, n, a, b):
    if art == "a":
        return [(i * b + (n - i) * a) / n for i in range(n + 1)]
    pi = 4.0 * math.atan(1.0)
    mitte, diff = (a + b) / 2.0, a - b
    return [mitte + math.cos(i * pi / n) * diff / 2.0 for i in range(n + 1)]


def polynomfehler(m, art, n, punkte):
    f, fm, a, b, _ = PROBLEME[m]
    xs = knoten(art, n, a, b)
    X = [mpmath.mpf(x) for x in xs]
    Y = [mpmath.mpf(f(x)) for x in xs]
    w = []
    for j in range(n + 1):
        p = mpmath.mpf(1)
        for k in range(n + 1):
            if k != j:
                p *= X[j] - X[k]
        w.append(1 / p)
    N = punkte - 1
    groesster = mpmath.mpf(0)
    for i in range(N + 1):
        x = mpmath.mpf((i * b + (N - i) * a) / N)
        zaehler = nenner = mpmath.mpf(0)
        wert = None
        for j in range(n + 1):
            d = x - X[j]
            if d == 0:
                wert = Y[j]
                break
            zaehler += w[j] / d * Y[j]
            nenner += w[j] / d
        if wert is None:
            wert = zaehler / nenner
        groesster = max(groesster, abs(wert - fm(x)))
    return float(groesster)


def splinefehler(m, n, punkte):
    """Cubic spline on equidistant nodes with S''(a) = f''(a), S''(b) = f''(b)."""
    f, fm, a, b, f2 = PROBLEME[m]
    X = [mpmath.mpf(x) for x in knoten("a", n, a, b)]
    Y = [mpmath.mpf(f(x)) for x in knoten("a", n, a, b)]
    h = [X[i + 1] - X[i] for i in range(n)]
    M = [mpmath.mpf(0)] * (n + 1)
    M[0], M[n] = mpmath.mpf(f2(a)), mpmath.mpf(f2(b))
    # Tridiagonal system for M(1..n-1), solved by elimination.
    d = [(Y[i + 1] - Y[i]) / h[i] for i in range(n)]
    unter, haupt, ober, rechts = [], [], [], []
    for i in range(1, n):
        unter.append(h[i - 1])
        haupt.append(2 * (h[i - 1] + h[i]))
        ober.append(h[i])
        r = 6 * (d[i] - d[i - 1])
        if i == 1:
            r -= h[0] * M[0]
        if i == n - 1:
            r -= h[n - 1] * M[n]
        rechts.append(r)
    k = n - 1
    for i in range(1, k):
        faktor = unter[i] / haupt[i - 1]
        haupt[i] -= faktor * ober[i - 1]
        rechts[i] -= faktor * rechts[i - 1]
    loesung = [mpmath.mpf(0)] * k
    for i in range(k - 1, -1, -1):
        loesung[i] = (rechts[i] - (ober[i] * loesung[i + 1] if i + 1 < k else 0)) / haupt[i]
    M[1:n] = loesung
    N = punkte - 1
    groesster = mpmath.mpf(0)
    for i in range(N + 1):
        x = mpmath.mpf((i * b + (N - i) * a) / N)
        j = min(max(int((x - X[0]) / h[0]), 0), n - 1)
        while j > 0 and x < X[j]:
            j -= 1
        while j < n - 1 and x > X[j + 1]:
            j += 1
        t1, t0 = X[j + 1] - x, x - X[j]
        s = (M[j] * t1 ** 3 + M[j + 1] * t0 ** 3) / (6 * h[j]) \
            + (Y[j] / h[j] - M[j] * h[j] / 6) * t1 + (Y[j + 1] / h[j] - M[j + 1] * h[j] / 6) * t0
        groesster = max(groesster, abs(s - fm(x)))
    return float(groesster)


def ordnung(e0, n0, e1, n1):
    if not (e0 > 0 and e1 > 0 and math.isfinite(e0) and math.isfinite(e1)):
        return None
    return math.log(e0 / e1) / math.log(n1 / n0)


def zelle(text, newton, mark=False):
    s = " %9s" % text
    if newton:
        s += "*" if mark else " "
    return s


NEU = {"Bary-t": lambda m, n, p: polynomfehler(m, "t", n, p),
       "abl.Sp-a": lambda m, n, p: splinefehler(m, n, p)}


def spalten_neu(alt):
    """The overview's columns: Bary-t after Newton-t, abl.Sp-a after nat.Sp-t."""
    neu = []
    for s in alt:
        neu.append(s)
        if s == "Newton-t":
            neu.append("Bary-t")
        if s == "nat.Sp-t":
            neu.append("abl.Sp-a")
    return neu


def problem_ausgeben(m, kopf, spalten, zeilen, punkte):
    # zeilen: n -> {column: text of the old table}
    ns = sorted(zeilen)
    neu = spalten_neu(spalten)
    werte = {(s, n): NEU[s](m, n, punkte) for s in NEU for n in ns}
    aus = kopf[:]
    aus.append("")
    aus.append("%6s" % "n" + "".join(zelle(s, s.startswith("Newton")) for s in neu))
    markiert = False
    for n in ns:
        z = "%6d" % n
        for s in neu:
            if s in NEU:
                z += zelle("%.3g" % werte[(s, n)], False)
            elif s == "Newton-t":
                # The twin on the same nodes is Bary-t; Newton-a has none in
                # the overview.
                e = float(zeilen[n][s])
                b = werte[("Bary-t", n)]
                mark = math.isfinite(b) and not (abs(e - b) <= b)
                markiert = markiert or mark
                z += zelle(zeilen[n][s], True, mark)
            else:
                z += zelle(zeilen[n][s], s.startswith("Newton"))
        aus.append(z)
    if markiert:
        aus.append("* Rundung ueberwiegt: die Newton-Form weicht vom stabil (baryzentrisch)")
        aus.append("  ausgewerteten Polynom derselben Stuetzstellen um mehr als dessen Fehler ab.")
    return aus, neu, ns, werte


def main():
    alt = open(sys.argv[1]).read().split("\n")
    punkte = int(sys.argv[2])
    ausgabe = []
    i = 0
    while i < len(alt):
        if not alt[i].startswith("Beispielfunktion"):
            i += 1
            continue
        m = int(alt[i].split()[1].rstrip(":"))
        kopf = alt[i:i + 2]
        spalten = alt[i + 3].split()[1:]
        zeilen = {}
        j = i + 4
        while j < len(alt) and alt[j].strip():
            teile = alt[j].split()
            zeilen[int(teile[0])] = dict(zip(spalten, teile[1:]))
            j += 1
        ordnungen = {}
        if j + 1 < len(alt) and alt[j + 1].startswith("Beobachtete"):
            j += 4
            while j < len(alt) and alt[j].strip():
                teile = alt[j].split()
                ordnungen[int(teile[0])] = dict(zip(spalten, teile[1:]))
                j += 1
        teil, neu, ns, werte = problem_ausgeben(m, kopf, spalten, zeilen, punkte)
        if ausgabe:
            ausgabe.append("")
        ausgabe += teil
        if ordnungen:
            ausgabe.append("")
            ausgabe.append("Beobachtete Ordnung log(e(n_vorher)/e(n)) / log(n/n_vorher)")
            ausgabe.append("")
            ausgabe.append("%6s" % "n" + "".join(zelle(s, s.startswith("Newton")) for s in neu))
            for k in range(1, len(ns)):
                z = "%6d" % ns[k]
                for s in neu:
                    if s in NEU:
                        p = ordnung(werte[(s, ns[k - 1])], ns[k - 1], werte[(s, ns[k])], ns[k])
                        z += zelle("-" if p is None else "%.2f" % p, False)
                    else:
                        z += zelle(ordnungen[ns[k]][s], s.startswith("Newton"))
                ausgabe.append(z)
        i = j
    sys.stdout.write("\n".join(ausgabe) + "\n")


if __name__ == "__main__":
    main()
