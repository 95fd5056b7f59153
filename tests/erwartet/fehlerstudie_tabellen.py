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

    python3 tests/erwartet/fehlerstudie_tabellen.py --splines [-g PUNKTE] M N...

prints the table of `fehlerstudie -s [-g PUNKTE] M N...` computed here
alone: every spline column (natural on both node kinds, exact f'' at the
ends, periodic where f(a) = f(b)) in 200-bit arithmetic, each n measured on
PUNKTE points or, without -g, on max(1001, 10 n + 1) points; a row whose
grid has fewer than ten steps per interval carries the mark ~ (alone where
the error there is 0) with its legend, as do the orders formed with it.
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


def splinefehler(m, n, punkte, art="a", rand="abl", gegen_double=False):
    """Cubic spline on nodes of kind art with S''(a) = f''(a), S''(b) = f''(b)
    (rand "abl") or 0 at both ends (rand "nat"), or periodic (rand "per").
    gegen_double: measured against f's double values, as the program
    measures, so that at a grid point that is a node the spline, which
    takes that very value there, has no error at all (against the exact f
    it would show the rounding of the value, some 1e-16)."""
    f, fm, a, b, f2 = PROBLEME[m]
    X = [mpmath.mpf(x) for x in knoten(art, n, a, b)]
    Y = [mpmath.mpf(f(x)) for x in knoten(art, n, a, b)]
    h = [X[i + 1] - X[i] for i in range(n)]
    if rand == "per":
        return auswerten(m, X, Y, h, periodische_momente(Y, h), punkte, gegen_double)
    M = [mpmath.mpf(0)] * (n + 1)
    if rand == "abl":
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
    return auswerten(m, X, Y, h, M, punkte, gegen_double)


def tridiagonal(unter, haupt, ober, rechts):
    """Solves a tridiagonal system (unter[0] and ober[-1] unused) by elimination."""
    k = len(haupt)
    haupt, rechts = haupt[:], rechts[:]
    for i in range(1, k):
        faktor = unter[i] / haupt[i - 1]
        haupt[i] -= faktor * ober[i - 1]
        rechts[i] -= faktor * rechts[i - 1]
    x = [mpmath.mpf(0)] * k
    for i in range(k - 1, -1, -1):
        x[i] = (rechts[i] - (ober[i] * x[i + 1] if i + 1 < k else 0)) / haupt[i]
    return x


def periodische_momente(Y, h):
    """S'' at the nodes of the periodic spline: the cyclic system
    h[i-1] M[i-1] + 2 (h[i-1] + h[i]) M[i] + h[i] M[i+1] = 6 (d[i] - d[i-1]),
    indices modulo n, solved with the Sherman-Morrison formula: the cyclic
    matrix is a tridiagonal one plus u v^T with the two corner entries."""
    n = len(h)
    d = [(Y[i + 1] - Y[i]) / h[i] for i in range(n)]
    unter = [h[(i - 1) % n] for i in range(n)]
    haupt = [2 * (h[(i - 1) % n] + h[i]) for i in range(n)]
    ober = [h[i] for i in range(n)]
    rechts = [6 * (d[i] - d[(i - 1) % n]) for i in range(n)]
    # Corners: A[0][n-1] = unter[0], A[n-1][0] = ober[n-1].  With
    # gamma = -haupt[0], u = (gamma, 0, .., ober[n-1]), v = (1, 0, .., unter[0]/gamma).
    gamma = -haupt[0]
    haupt2 = haupt[:]
    haupt2[0] -= gamma
    haupt2[-1] -= ober[n - 1] * unter[0] / gamma
    u = [mpmath.mpf(0)] * n
    u[0], u[-1] = gamma, ober[n - 1]
    x = tridiagonal(unter, haupt2, ober, rechts)
    z = tridiagonal(unter, haupt2, ober, u)
    faktor = (x[0] + unter[0] / gamma * x[-1]) / (1 + z[0] + unter[0] / gamma * z[-1])
    M = [x[i] - faktor * z[i] for i in range(n)]
    return M + [M[0]]


def auswerten(m, X, Y, h, M, punkte, gegen_double=False):
    f, fm, a, b, _ = PROBLEME[m]
    if gegen_double:
        fm = lambda x: mpmath.mpf(f(float(x)))
    n = len(h)
    N = punkte - 1
    groesster = mpmath.mpf(0)
    for i in range(N + 1):
        x = mpmath.mpf((i * b + (N - i) * a) / N)
        j = min(max(int((x - X[0]) / h[0]), 0), n - 1) if h[0] == h[-1] else 0
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


def gitter_text(gitter):
    if len(set(gitter)) == 1:
        return str(gitter[0])
    return "max(1001, 10 n + 1)"


def splinestudie(argumente):
    punkte = None
    if argumente[0] == "-g":
        punkte = int(argumente[1])
        argumente = argumente[2:]
    m = int(argumente[0])
    ns = [int(x) for x in argumente[1:]]
    f, _, a, b, _ = PROBLEME[m]
    spalten = [("nat.Sp-a", "a", "nat"), ("nat.Sp-t", "t", "nat"), ("abl.Sp-a", "a", "abl")]
    if abs(f(a) - f(b)) <= 1e-6:
        spalten.append(("per.Sp-a", "a", "per"))
    gitter = [punkte if punkte else max(1001, 10 * n + 1) for n in ns]
    grob = [g < 10 * n + 1 for g, n in zip(gitter, ns)]
    namen = {1: "Sinus auf [-pi,pi]", 2: "Sinus auf [-9,9]", 3: "Betrag auf [-0.3,0.3]",
             4: "Ableitung zu arctan auf [-9,9]"}
    aus = ["Beispielfunktion %d: %s" % (m, namen[m]),
           "Groesster Fehler max |p(x) - f(x)| an %s Punkten von [%g,%g]"
           % (gitter_text(gitter), a, b), ""]
    kopf = "%6s" % "n" + "".join(" %9s" % s[0] for s in spalten)
    aus.append(kopf)
    e = {}
    for k, n in enumerate(ns):
        z = "%6d" % n
        for name, art, rand in spalten:
            wert = splinefehler(m, n, gitter[k], art, rand, True)
            # 200-bit rounding where the grid point is a node: no error.
            if wert < 1e-40:
                wert = 0.0
            e[name, n] = wert
            text = "%.3g" % wert
            if grob[k]:
                text = "~" if wert == 0.0 else text + "~"
            z += " %9s" % text
        aus.append(z)
    if any(grob):
        aus.append("~ Messgitter zu grob (weniger als 10 Schritte je Intervall): der Fehler ist")
        aus.append("  mindestens so gross; ~ allein: an den Messpunkten kein Fehler, zwischen")
        aus.append("  ihnen nicht gemessen.  Genauer mit -g %d." % (10 * ns[-1] + 1))
    if len(ns) > 1:
        aus += ["", "Beobachtete Ordnung log(e(n_vorher)/e(n)) / log(n/n_vorher)", "", kopf]
        for k in range(1, len(ns)):
            z = "%6d" % ns[k]
            for name, _, _ in spalten:
                p = ordnung(e[name, ns[k - 1]], ns[k - 1], e[name, ns[k]], ns[k])
                text = "-" if p is None else "%.2f" % p
                if p is not None and (grob[k - 1] or grob[k]):
                    text += "~"
                z += " %9s" % text
            aus.append(z)
    sys.stdout.write("\n".join(aus) + "\n")


def main():
    if sys.argv[1] == "--splines":
        splinestudie(sys.argv[2:])
        return
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
