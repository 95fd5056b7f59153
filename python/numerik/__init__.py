"""numerik: interpolation and the convergence study of the library numerik.

The classes Spline, Newton, Baryzentrisch, Rational, Hermite, AAA and
Trigonometrisch (one per class record of the library) hold an interpolation; each is called on a
number or an array and returns an array of the same shape.  Files written
with speichern are those of the programs (splineerzeuger, kurvenpunkte,
beiwerte) and laden reads theirs.  Every failure of the library raises
numerik.Fehler with its German message, and releases what the failing call
had made; an argument of the wrong type raises numerik.Typfehler (a Fehler
and a TypeError); the library's warnings come as numerik.Warnung through
Python's warnings.

>>> import numerik
>>> s = numerik.Spline([0.0, 1.0, 2.0, 3.0], [0.0, 1.0, 8.0, 27.0], ende="not-a-knot")
>>> print(s(1.5).round(12), s.ende)
3.375 not-a-knot
"""

import numpy as np

from ._numerik import (  # noqa: F401
    Fehler,
    Interpolation,
    Typfehler,
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
Typfehler.__module__ = "numerik"

__all__ = [
    "Fehler", "Interpolation", "Studie", "Typfehler", "Warnung", "beispiel", "beispiel_anzahl",
    "beispielwerte", "knoten", "knotenarten", "laden", "methoden", "studie", "studie_json", "warum",
]

# The interpolation classes, one per class record of the library.
KLASSEN = tuple(k for k in vars(_numerik).values()
                if isinstance(k, type) and issubclass(k, Interpolation) and k is not Interpolation)
for _klasse in KLASSEN:
    globals()[_klasse.__name__] = _klasse
    __all__.append(_klasse.__name__)
del _klasse


def _aus_zustand(zustand):
    """An interpolation from the state its __reduce__ gave (pickle, copy)."""
    return _numerik._objekt_aus_zustand(zustand)


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


import numbers

# Fields of the study per n, per method, and for the whole study.
_JE_N = ("gitter", "grob")
_JE_ZELLE = ("fehler", "ordnung", "rundung", "berechnet", "rundungsboden", "marke")
_JE_METHODE = ("konvergiert", "legende", "bezugsart", "rho", "rho_c")
_GANZ = ("m", "a", "b", "f_groesste", "decke", "boden")
# The conclusions per method or for the whole study, kept beside the long
# table.
_BEFUND = ("methoden", "konvergiert", "legende", "decke", "boden", "bezugsart", "bezugszeilen",
           "rho", "rho_c", "bezug", "kosten", "warum")


class Studie(dict):
    """The result of numerik.studie(): a dict of arrays, the same keys for
    every call; tabelle() gives it as a pandas DataFrame.

    >>> import numerik
    >>> e = numerik.studie(4, n=[8, 16], methoden=["Bary-t"])
    >>> isinstance(e, dict), e["fehler"].shape
    (True, (2, 1))
    """

    def tabelle(self):
        """The study as a long pandas DataFrame: a row per n and method, with
        every field (those per n, per method and of the whole study as
        columns); the conclusions that are no column (bezug, bezugszeilen,
        kosten) in its attrs["befund"].

        >>> import numerik
        >>> t = numerik.studie(4, n=[8, 16], methoden=["Bary-t", "nat.Sp-a"]).tabelle()
        >>> len(t), list(t.columns[:4])
        (4, ['n', 'methode', 'fehler', 'ordnung'])
        """
        try:
            import pandas
        except ImportError:
            _numerik._fehler("Die Tabelle braucht pandas (Debian: python3-pandas).")
        zeilen, spalten = self["fehler"].shape
        felder = {"n": np.repeat(self["n"], spalten),
                  "methode": np.tile(np.array(self["methoden"], dtype=object), zeilen)}
        for k in _JE_ZELLE:
            felder[k] = self[k].ravel()
        for k in _JE_N:
            felder[k] = np.repeat(self[k], spalten)
        for k in _JE_METHODE:
            felder[k] = np.tile(np.array(self[k], dtype=object if k in ("legende", "bezugsart")
                                         else None), zeilen)
        for k in _GANZ:
            felder[k] = np.full(zeilen * spalten, self[k])
        tabelle = pandas.DataFrame(felder)
        tabelle.attrs["befund"] = {k: self[k] for k in _BEFUND}
        return tabelle


def studie(f, a=None, b=None, n=(8, 16, 32, 64), methoden=None, punkte=None, als_tabelle=False):
    """The convergence study: the largest error of each method at each n.

    f: an example problem number (1 .. beispiel_anzahl(); a and b default
    to its interval), a formula in x such as "1/(1+x^2)" (the programs'
    -f; a and b needed) or any callable (a and b needed); methoden: column
    names of the method table (numerik.methoden(), e.g. "Newton-a",
    "Bary-t", "nat.Sp-a"), by default those of fehlerstudie's overview;
    punkte: a fixed grid, by default max(1001, 10 n + 1) points.

    Returns a Studie, a dict of arrays: n, gitter, fehler and ordnung (rows
    n, columns methoden; nan where not computed; ordnung from the row
    before), rundung and berechnet (the same shape, bool), grob (per n: the
    grid has fewer than ten steps per node interval), methoden, m,
    f_groesste, a, b; and what the library concludes from them, as
    fehlerstudie's plots and the page show it: konvergiert (per method),
    legende (the words its plot key adds, '' where it converges), decke and
    boden (the plot's range), rundungsboden (the rounding floor of each
    figure of a global form, nan for the others), bezugsart ('potenz',
    'geometrisch' or None per method), bezugszeilen (the rows its reference
    lines go through or its rate is fitted over), rho and rho_c (the fitted
    rate C rho^-n, nan where none), bezug (the reference lines the plot
    draws: dicts of methode, p, c, rho and werte, their values at each n)
    and kosten (operationen, sekunden, teuerste).  With als_tabelle=True
    its tabelle(), a pandas DataFrame.

    >>> import numerik
    >>> e = numerik.studie(4, n=[16, 64], methoden=["Newton-t", "Bary-t", "nat.Sp-a"])
    >>> print(" ".join(f"{v:.3g}" for v in e["fehler"][1]), e["rundung"][1].tolist())
    1.87e+03 0.000813 0.000439 [True, False, False]
    """
    ergebnis = Studie(_numerik._studie(*_argumente(f, a, b, n, methoden, punkte)))
    if not isinstance(als_tabelle, (bool, np.bool_)):
        _typfehler("als_tabelle", "True oder False", als_tabelle)
    return ergebnis.tabelle() if als_tabelle else ergebnis


def studie_json(f, a=None, b=None, n=(8, 16, 32, 64), methoden=None, punkte=None):
    """The study of studie() and its conclusions as the library's one JSON
    text, the structure the page takes (ASCII; every number in 17 digits,
    nan and inf as null).

    >>> import json, numerik
    >>> j = json.loads(numerik.studie_json(4, n=[8, 16], methoden=["Bary-t"]))
    >>> j["n"], [s["spalte"] for s in j["spalten"]]
    ([8, 16], ['Bary-t'])
    """
    return _numerik._studie_json(*_argumente(f, a, b, n, methoden, punkte))


def warum(f, a=None, b=None, n=(8, 16, 32, 64), methoden=None, punkte=None, toleranz=1e-8):
    """Why the methods converge as they do, from the theory, as fehlerstudie -w
    and the page say it: a dict of beurteilbar and grund (why nothing could
    be judged), singularitaeten (dicts of stelle, rho, residuum and runge:
    inside the Runge region of equidistant nodes), rho (the nearest
    singularity's Bernstein parameter, inf for none), runge (the exact
    equidistant interpolants diverge), abfall and alpha (the decay of f's
    Chebyshev coefficients, koeffizienten), per method urteil (the verdict
    line), vorhersage (the predicted error at each n) and ordnung
    (predicted, observed), empfehlung (the cheapest method for toleranz)
    and text (the block "Warum").  f, a, b, n, methoden, punkte as for
    studie().

    >>> import numerik
    >>> w = numerik.warum(4, n=[8, 16, 32], methoden=["Bary-a", "Bary-t"])
    >>> [round(abs(s["stelle"]), 6) for s in w["singularitaeten"]], round(w["rho"], 4)
    ([1.0, 1.0], 1.1173)
    >>> w["urteil"]["Bary-a"][:18]
    'divergiert (Runge)'
    """
    if not isinstance(toleranz, numbers.Real):
        _typfehler("toleranz", "eine reelle Zahl", toleranz)
    e = _numerik._studie(*_argumente(f, a, b, n, methoden, punkte), toleranz=float(toleranz))
    return e["warum"]


def _studie_werte(f, a=None, b=None, n=(8, 16, 32, 64), methoden=None, punkte=None):
    """studie() as the dict of arrays (kept for the plots)."""
    return studie(f, a, b, n, methoden, punkte)


def _typname(wert):
    if wert is None:
        return "None"
    if isinstance(wert, str):
        return "Text (str)"
    if isinstance(wert, numbers.Complex) and not isinstance(wert, numbers.Real):
        return "eine komplexe Zahl"
    return f"ein Objekt vom Typ {type(wert).__name__}"


def _typfehler(name, erwartet, wert):
    _numerik._typfehler(f"{name}: {erwartet} erwartet, nicht {_typname(wert)}.")


def _zahl(wert, name):
    if wert is None:
        return float("nan")
    if not isinstance(wert, numbers.Real):
        _typfehler(name, "eine reelle Zahl", wert)
    return float(wert)


def _ganz(wert, name):
    if not isinstance(wert, numbers.Integral):
        _typfehler(name, "eine ganze Zahl", wert)
    return int(wert)


def _argumente(f, a, b, n, methoden, punkte):
    """The arguments of the module's study for studie()'s."""
    formel = ""
    if isinstance(f, str):
        # A formula in x, read by the library (muparser's language).
        if a is None or b is None:
            _numerik._fehler("Fuer eine Formel fehlen a und b.")
        m, werte, formel = 0, None, f
    elif isinstance(f, numbers.Integral) and not isinstance(f, bool):
        m, werte = int(f), None
        if m < 1:
            _numerik._fehler("m muss mindestens 1 sein!")
    elif callable(f):
        if a is None or b is None:
            _numerik._fehler("Fuer eine eigene Funktion fehlen a und b.")
        m, werte = 0, _vektorisiert(f)
    else:
        _typfehler("f", "eine Beispielnummer, eine Formel oder eine Funktion", f)
    if isinstance(n, numbers.Integral):
        n = [n]
    if isinstance(n, (str, bytes)) or not hasattr(n, "__iter__"):
        _typfehler("n", "eine Folge ganzer Zahlen", n)
    if isinstance(methoden, str):
        methoden = [methoden]
    if methoden is not None:
        if not hasattr(methoden, "__iter__"):
            _typfehler("methoden", "eine Folge von Spaltennamen", methoden)
        methoden = list(methoden)
        for name in methoden:
            if not isinstance(name, str):
                _typfehler("methoden", "Spaltennamen (str)", name)
    return (
        m, werte, _zahl(a, "a"), _zahl(b, "b"),
        [_ganz(k, "n") for k in n],
        [] if methoden is None else methoden,
        0 if punkte is None else _ganz(punkte, "punkte"),
        formel)


from . import plot  # noqa: E402,F401  (matplotlib is imported when a plot is drawn)
