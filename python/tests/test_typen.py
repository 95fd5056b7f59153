"""Arguments of the wrong type raise numerik.Typfehler, a TypeError and a
numerik.Fehler, naming the argument and what it takes; None and complex
numbers never become nan or lose their imaginary part."""

import numpy as np
import pytest

import numerik

X = np.array([0.0, 1.0, 2.0, 3.0])
Y = np.array([1.0, 0.0, 2.0, 1.0])
S = numerik.Spline(X, Y)

FAELLE = [
    # (call, argument named, what it takes)
    (lambda: numerik.Spline(X, Y, ende="abl2", links="a", rechts=1.0), "links", "reelle Zahl"),
    (lambda: numerik.Spline(X, Y, ende="eingespannt", links=1j, rechts=1.0), "links", "komplexe"),
    (lambda: numerik.Spline(X, Y, ende=None), "ende", "natuerlich"),
    (lambda: numerik.Spline(X, Y, ende=1.5), "ende", "natuerlich"),
    (lambda: numerik.Rational(X, Y, d=2.5), "d", "ganze Zahl"),
    (lambda: numerik.Newton(X, Y, leja="ja"), "leja", "ganze Zahl"),
    (lambda: numerik.Spline(None, Y), "x", "reelle Zahlen"),
    (lambda: numerik.Spline(X, None), "y", "reelle Zahlen"),
    (lambda: numerik.Spline(X, [1.0, None, 2.0, 1.0]), "y", "None"),
    (lambda: numerik.Newton(X, Y + 1j), "y", "komplexe"),
    (lambda: numerik.Newton(["eins", "zwei"], [1.0, 2.0]), "x", "Text"),
    (lambda: numerik.Newton(X, [[1.0], [2.0, 3.0]]), "y", "gleich langer"),
    (lambda: numerik.Spline("aequidistant", Y, a="0", b=1.0), "a", "reelle Zahl"),
    (lambda: numerik.Spline(X, Y, name=3), "name", "Text"),
    (lambda: numerik.Spline(X, Y, extrapolate="ja"), "extrapolate", "periodisch"),
    (lambda: numerik.Spline(X, Y, axis=0.0), "axis", "ganze Zahl"),
    (lambda: numerik.Spline(X), "y", "fehlt"),
    (lambda: numerik.Spline(X, Y, glatt=True), "glatt", "moeglich"),
    (lambda: numerik.Spline(X, Y, "natuerlich", 1.0, 2.0, 3.0), "Spline", "hoechstens"),
    (lambda: numerik.Spline(X, Y, ende="natuerlich", x=X), "x", "doppelt"),
    (lambda: S(None), "x", "None"),
    (lambda: S([0.5, None]), "x", "None"),
    (lambda: S(0.5 + 0j), "x", "komplexe"),
    (lambda: S("0.5"), "x", "Text"),
    (lambda: S(0.5, extrapolate=None or "nein"), "extrapolate", "periodisch"),
    (lambda: S.ableitung(0.5, k=1.0), "k", "ganze Zahl"),
    (lambda: S.integral("0", 1.0), "a", "reelle Zahl"),
    (lambda: S.integral(0.0, None), "b", "reelle Zahl"),
    (lambda: S.speichern(3), "pfad", "Pfad"),
    (lambda: S.speichern("s.txt", voll="ja"), "voll", "True oder False"),
    (lambda: numerik.laden(None), "pfad", "Pfad"),
    (lambda: numerik.knoten("aequidistant", 0.0, 1.0, 4.0), "n", "ganze Zahl"),
    (lambda: numerik.knoten(2, 0.0, 1.0, 4), "art", "Text"),
    (lambda: numerik.knoten("aequidistant", None, 1.0, 4), "a", "reelle Zahl"),
    (lambda: numerik.beispiel("4"), "m", "ganze Zahl"),
    (lambda: numerik.beispielwerte(4, [1j]), "x", "komplexe"),
    (lambda: numerik.studie(4, a="x"), "a", "reelle Zahl"),
    (lambda: numerik.studie(4, n=["8"]), "n", "ganze Zahl"),
    (lambda: numerik.studie(4, n=8.0), "n", "Folge ganzer Zahlen"),
    (lambda: numerik.studie(4, punkte=100.5), "punkte", "ganze Zahl"),
    (lambda: numerik.studie(4, methoden=[1]), "methoden", "Spaltennamen"),
    (lambda: numerik.studie(None), "f", "Beispielnummer"),
    (lambda: numerik.studie(4, n=[8], als_tabelle="ja"), "als_tabelle", "True oder False"),
]


@pytest.mark.parametrize("aufruf,argument,erwartet", FAELLE, ids=[f"{i}-{f[1]}" for i, f in enumerate(FAELLE)])
def test_typfehler(aufruf, argument, erwartet, tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)
    with pytest.raises(TypeError) as fehler:
        aufruf()
    assert isinstance(fehler.value, numerik.Fehler)
    text = str(fehler.value)
    assert text.startswith(argument) or f" {argument}" in text, text
    assert erwartet in text, text
    assert text.isascii() and "cast" not in text.lower() and "pybind" not in text.lower(), text
    assert not list(tmp_path.iterdir())


def test_zahlen_die_python_so_nennt():
    # What numbers.Real counts is taken: numpy's scalars, fractions, 0-d arrays, bools.
    from fractions import Fraction
    s = numerik.Spline(X, Y, ende="eingespannt", links=np.float32(0.5), rechts=Fraction(1, 4))
    assert (s.links, s.rechts) == (0.5, 0.25)
    assert numerik.Rational(X, Y, d=np.int64(2)).d == 2
    assert numerik.Newton(X, Y, leja=True).leja == 1
    assert numerik.knoten("aequidistant", np.array(0.0), 1, np.int32(2)).tolist() == [0.0, 0.5, 1.0]
    np.testing.assert_array_equal(S(np.array([0.5, 1.5], dtype=object)), S([0.5, 1.5]))
    np.testing.assert_array_equal(numerik.Spline(X.astype(int), Y.astype(np.float32))(X), Y)
