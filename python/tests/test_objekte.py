"""The objects as Python's: pickle and copy bit for bit, the file in full
precision, repr, the options as attributes, the continuation beyond the
interval, periodic end values, and every docstring's example run."""

import copy
import doctest
import inspect
import os
import pickle
import subprocess
import sys

import numpy as np
import pytest
from scipy.interpolate import CubicSpline

import numerik
import numerik.plot

X = np.array([0.0, 0.4, 1.1, 1.5, 2.3, 3.0, 3.2, 4.0])
Y = np.array([1.0, 2.0, 0.5, -0.3, 0.8, 2.5, 2.4, 1.0])
PUNKTE = np.linspace(-0.7, 4.9, 577)


def objekte():
    """An object of every class with its default options, and the other
    options that change what is computed."""
    # The trigonometric interpolation takes equispaced nodes on [a, b) only.
    liste = [k(X, Y) for k in numerik.KLASSEN if k is not numerik.Trigonometrisch]
    liste += [
        numerik.Trigonometrisch(Y, 0.0, 4.0),
        numerik.Spline(X, Y, ende="eingespannt", links=0.3, rechts=-1.25, name="mit enden"),
        numerik.Spline(X, Y, ende="periodisch"),
        numerik.Spline("tschebyscheff", np.cos(numerik.knoten("tschebyscheff", -1, 2, 12)),
                       a=-1.0, b=2.0),
        numerik.Newton(X, Y, leja=True),
        numerik.Rational(X, Y, d=1),
        numerik.Hermite(X, Y, steigungen="akima"),
        numerik.Baryzentrisch(X, np.column_stack([Y, Y ** 2, -Y]), extrapolate=False),
        numerik.Spline(X, np.stack([Y, 2 * Y]), axis=1, extrapolate="periodisch"),
    ]
    return liste


def gleich(p, q):
    """p and q compute the same bits and carry the same options."""
    assert type(p) is type(q)
    assert repr(p) == repr(q)
    for feld in ("x", "y", "koeffizienten"):
        np.testing.assert_array_equal(getattr(p, feld), getattr(q, feld), strict=True)
    np.testing.assert_array_equal(p(PUNKTE), q(PUNKTE), strict=True)
    np.testing.assert_array_equal(p.ableitung(PUNKTE, 2), q.ableitung(PUNKTE, 2), strict=True)
    assert p.optionen == q.optionen and p.extrapolate == q.extrapolate and p.name == q.name


@pytest.mark.parametrize("p", objekte(), ids=repr)
def test_pickle_und_kopien_bit_fuer_bit(p):
    for protokoll in (0, pickle.HIGHEST_PROTOCOL):
        gleich(p, pickle.loads(pickle.dumps(p, protokoll)))
    gleich(p, copy.copy(p))
    gleich(p, copy.deepcopy(p))
    # A copy is an object of its own.
    assert copy.copy(p) is not p


def test_newton_gross_in_voller_genauigkeit(tmp_path):
    # Six decimals of the nodes once moved a Newton form at n = 50 by 6e12.
    x = np.sort(np.random.default_rng(5).uniform(-1.0, 1.0, 51))
    p = numerik.Newton(x, np.exp(x))
    p.speichern(tmp_path / "voll")
    gleich(p, numerik.laden(tmp_path / "voll"))
    p.speichern(str(tmp_path / "kurz"), voll=False)
    text = (tmp_path / "kurz").read_text()
    assert f"{x[1]:f}" in text and repr(float(x[1])) not in text
    with pytest.raises(numerik.Fehler, match="Form"):
        numerik.Spline(X, np.column_stack([Y, Y])).speichern(tmp_path / "zwei")


def test_darstellung_und_optionen_als_attribute():
    s = numerik.Spline(X, Y, ende="abl2", links=0.5, rechts=-2.0)
    assert repr(s) == "<numerik.Spline n=7 auf [0.0, 4.0] ende='abl2' links=0.5 rechts=-2.0>"
    assert (s.ende, s.links, s.rechts) == ("abl2", 0.5, -2.0)
    assert numerik.Spline(X, Y).links is None
    assert numerik.Newton(X, Y, leja=True).leja == 1
    assert numerik.Rational(X, Y, 2).d == 2
    assert numerik.Hermite(X, Y, steigungen="akima").steigungen == "akima"
    r = numerik.Baryzentrisch("aequidistant", np.ones((5, 2)), a=-1, b=1, name="b",
                              extrapolate=False)
    assert repr(r) == ("<numerik.Baryzentrisch n=4 auf [-1.0, 1.0] werte=(2,) extrapolate=False "
                       "name='b'>")
    # Every option of every record is an attribute of its class.
    for p in objekte():
        for schluessel, wert in p.optionen.items():
            assert getattr(p, schluessel) == wert


def test_fortsetzung():
    y = Y.copy()
    y[-1] = y[0]
    s = numerik.Spline(X, y, ende="not-a-knot")
    innen = (PUNKTE >= 0.0) & (PUNKTE <= 4.0)
    werte = s(PUNKTE)
    ohne = s(PUNKTE, extrapolate=False)
    np.testing.assert_array_equal(ohne[innen], werte[innen])
    assert np.isnan(ohne[~innen]).all() and np.isfinite(werte).all()
    np.testing.assert_array_equal(numerik.Spline(X, y, extrapolate=False)(PUNKTE)[innen],
                                  numerik.Spline(X, y)(PUNKTE)[innen])
    # Wrapped into [0, 4): against scipy's periodic continuation.
    periodisch = numerik.Spline(X, y, ende="periodisch", extrapolate="periodisch")
    referenz = CubicSpline(X, y, bc_type="periodic", extrapolate="periodic")
    np.testing.assert_allclose(periodisch(PUNKTE), referenz(PUNKTE), rtol=1e-12, atol=1e-12)
    np.testing.assert_allclose(periodisch.integral(-3.0, 9.5), referenz.integrate(-3.0, 9.5),
                               rtol=1e-12)
    p = numerik.Newton(X, y, extrapolate="periodisch")
    np.testing.assert_array_equal(p([-1.0, 5.0, 9.0]), p([3.0, 1.0, 1.0]))
    # Two periods hold twice the integral of one.
    assert p.integral(0.0, 8.0) == pytest.approx(2 * p.integral(0.0, 4.0), rel=1e-13)
    with pytest.raises(numerik.Fehler, match="extrapolate=False"):
        numerik.Newton(X, y, extrapolate=False).integral(0.0, 5.0)
    assert numerik.Newton(X, y, extrapolate=False).integral(0.0, 4.0) == p.integral(0.0, 4.0)


def test_periodische_enden():
    y = np.array([0.0, 1.0, 0.0, -1.0, 0.5])
    with pytest.raises(numerik.Fehler, match="mitteln=True"):
        numerik.Spline(np.arange(5.0), y, ende="periodisch")
    with pytest.raises(numerik.Fehler, match=r"Spalte 1"):
        numerik.Spline(np.arange(5.0), np.column_stack([np.r_[y[:4], 0.0], y]), ende="periodisch")
    with pytest.warns(numerik.Warnung, match="gemittelt"):
        s = numerik.Spline(np.arange(5.0), y, ende="periodisch", mitteln=True)
    assert s(0.0) == 0.25 and s(4.0) == 0.25
    # Only a class that can be periodic takes mitteln.
    with pytest.raises(TypeError, match="mitteln"):
        numerik.Newton(np.arange(5.0), y, mitteln=True)


def test_drei_knoten_periodisch_still():
    programm = ("import warnings, numerik\n"
                "with warnings.catch_warnings(record=True) as w:\n"
                "    warnings.simplefilter('always')\n"
                "    s = numerik.Spline([0.0, 1.0, 2.0], [0.0, 1.0, 0.0], ende='periodisch')\n"
                "print(len(w), 'NM_MATRIX' in str(w[0].message), abs(s(0.5) - s(2.5)) < 1e-15)\n")
    lauf = subprocess.run([sys.executable, "-c", programm], capture_output=True, text=True,
                          check=True)
    assert (lauf.stdout, lauf.stderr) == ("1 False True\n", "")


def dokumentierte():
    """Everything the package offers that a user calls or reads, by name."""
    for name in numerik.__all__:
        objekt = getattr(numerik, name)
        if isinstance(objekt, type) and issubclass(objekt, Exception):
            continue
        yield f"numerik.{name}", objekt
        if isinstance(objekt, type):
            for attribut, wert in vars(objekt).items():
                if attribut == "__init__" or not attribut.startswith("_") or attribut == "__call__":
                    if attribut in ("__init__",) and objekt is numerik.Interpolation:
                        continue
                    yield f"numerik.{name}.{attribut}", wert
    yield "numerik", numerik
    for name in ("konvergenz", "runge"):
        yield f"numerik.plot.{name}", getattr(numerik.plot, name)


@pytest.mark.parametrize("name,objekt", list(dokumentierte()), ids=lambda v: v if isinstance(v, str) else "")
def test_jeder_docstring_mit_beispiel(name, objekt, tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)
    text = inspect.getdoc(objekt) if not isinstance(objekt, property) else objekt.__doc__
    if text is None and hasattr(objekt, "__get__") and hasattr(objekt, "fget"):
        text = objekt.fget.__doc__
    assert text and ">>>" in text, f"{name}: keine Hilfe mit Beispiel"
    test = doctest.DocTestParser().get_doctest(text, {"np": np}, name, None, 0)
    ergebnis = doctest.DocTestRunner(optionflags=doctest.ELLIPSIS).run(test)
    assert ergebnis.failed == 0 and ergebnis.attempted > 0
    assert not list(tmp_path.iterdir()) or name.startswith("numerik.plot")
