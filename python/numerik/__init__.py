"""numerik: interpolation and the convergence study of the library numerik.

The classes Spline, Newton, Baryzentrisch, Rational, Hermite, AAA and
Trigonometrisch hold an interpolation of the library; each is called on a number or an array and
returns an array of the same shape.  Files written with speichern are those
of the programs (splineerzeuger, kurvenpunkte, beiwerte) and laden reads
theirs.  Every failure of the library raises numerik.Fehler with its German
message, and releases what the failing call had made; its warnings (a
periodic spline's averaged end values) come as numerik.Warnung through
Python's warnings.
"""

import numpy as np

from ._numerik import (  # noqa: F401
    AAA,
    Baryzentrisch,
    Fehler,
    Hermite,
    Interpolation,
    Newton,
    Rational,
    Spline,
    Trigonometrisch,
    Warnung,
    beispiel,
    beispiel_anzahl,
    beispielwerte,
    knoten,
    knotenarten,
    laden,
    methoden,
)
from . import _numerik

# Shown as numerik.Fehler in tracebacks.
Fehler.__module__ = "numerik"
Warnung.__module__ = "numerik"

__all__ = [
    "AAA", "Baryzentrisch", "Fehler", "Hermite", "Interpolation", "Newton", "Rational", "Spline",
    "Trigonometrisch", "Warnung",
    "beispiel", "beispiel_anzahl", "beispielwerte", "knoten", "knotenarten", "laden",
    "methoden", "studie", "studie_json",
]


def _vektorisiert(f):
    """f as a function of a 1-d array: called on the whole array when it
    returns one value per point, else point by point."""
    def werte(x):
        try:
            y = np.asarray(f(x), dtype=float)
            if y.shape == x.shape:
                return y
        except Exception:  # noqa: BLE001 - a scalar-only callable fails on arrays in any way
            pass
        y = [np.asarray(f(float(t)), dtype=float) for t in x]
        if any(w.shape != () for w in y):
            _numerik._fehler("Die Funktion liefert fuer einen Punkt keine einzelne Zahl.")
        return np.array(y, dtype=float)
    return werte


def studie(f, a=None, b=None, n=(8, 16, 32, 64), methoden=None, punkte=None):
    """The convergence study: the largest error of each method at each n.

    f: an example problem number (1 .. beispiel_anzahl(); a and b default
    to its interval), a formula in x such as "1/(1+x^2)" (the programs'
    -f; a and b needed) or any callable (a and b needed); methoden: column
    names of the method table (numerik.methoden(), e.g. "Newton-a",
    "Bary-t", "nat.Sp-a"), by default those of fehlerstudie's overview;
    punkte: a fixed grid, by default max(1001, 10 n + 1) points.

    Returns a dict of arrays: n, gitter, fehler and ordnung (rows n,
    columns methoden; nan where not computed; ordnung from the row before),
    rundung and berechnet (the same shape, bool), grob (per n: the grid has
    fewer than ten steps per node interval), methoden, f_groesste, a, b;
    and what the library concludes from them, as fehlerstudie's plots and
    the page show it: konvergiert (per method), legende (the words its plot
    key adds, '' where it converges), decke and boden (the plot's range),
    rundungsboden (the rounding floor of each figure of a global form, nan
    for the others), bezugsart ('potenz', 'geometrisch' or None per method),
    bezugszeilen (the rows its reference lines go through or its rate is
    fitted over), rho and rho_c (the fitted rate C rho^-n, nan where none),
    bezug (the reference lines the plot draws: dicts of methode, p, c, rho
    and werte, their values at each n) and kosten (operationen, sekunden,
    teuerste).  When pandas is importable, a DataFrame with one row per n
    and method instead, the conclusions per method in its attrs["befund"]."""
    ergebnis = _studie_werte(f, a, b, n, methoden, punkte)
    try:
        import pandas
    except ImportError:
        return ergebnis
    return _tabelle(pandas, ergebnis)


def studie_json(f, a=None, b=None, n=(8, 16, 32, 64), methoden=None, punkte=None):
    """The study of studie() and its conclusions as the library's one JSON
    text, the structure the page takes (ASCII; every number in 17 digits,
    nan and inf as null)."""
    return _numerik._studie_json(*_argumente(f, a, b, n, methoden, punkte))


def _studie_werte(f, a=None, b=None, n=(8, 16, 32, 64), methoden=None, punkte=None):
    """studie() as the dict of arrays, whether pandas is there or not."""
    return _numerik._studie(*_argumente(f, a, b, n, methoden, punkte))


def _argumente(f, a, b, n, methoden, punkte):
    """The arguments of the module's study for studie()'s."""
    formel = ""
    if isinstance(f, str):
        # A formula in x, read by the library (muparser's language).
        if a is None or b is None:
            _numerik._fehler("Fuer eine Formel fehlen a und b.")
        m, werte, formel = 0, None, f
    elif isinstance(f, (int, np.integer)) and not isinstance(f, bool):
        m, werte = int(f), None
        if m < 1:
            _numerik._fehler("m muss mindestens 1 sein!")
    elif callable(f):
        if a is None or b is None:
            _numerik._fehler("Fuer eine eigene Funktion fehlen a und b.")
        m, werte = 0, _vektorisiert(f)
    else:
        _numerik._fehler("f: eine Beispielnummer oder eine Funktion erwartet.")
    return (
        m, werte,
        float("nan") if a is None else float(a),
        float("nan") if b is None else float(b),
        [int(k) for k in np.atleast_1d(n)],
        [] if methoden is None else list(methoden),
        0 if punkte is None else int(punkte),
        formel)


# The conclusions per method or for the whole study, kept beside the long
# table.
_BEFUND = ("methoden", "konvergiert", "legende", "decke", "boden", "bezugsart", "bezugszeilen",
           "rho", "rho_c", "bezug", "kosten")


def _tabelle(pandas, e):
    """The study as a long table: a row per n and method."""
    zeilen, spalten = e["fehler"].shape
    tabelle = pandas.DataFrame({
        "n": np.repeat(e["n"], spalten),
        "methode": np.tile(np.array(e["methoden"], dtype=object), zeilen),
        "fehler": e["fehler"].ravel(),
        "ordnung": e["ordnung"].ravel(),
        "rundung": e["rundung"].ravel(),
        "berechnet": e["berechnet"].ravel(),
        "grob": np.repeat(e["grob"], spalten),
    })
    tabelle.attrs["befund"] = {k: e[k] for k in _BEFUND}
    return tabelle


from . import plot  # noqa: E402,F401  (matplotlib is imported when a plot is drawn)
