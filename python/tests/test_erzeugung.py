"""Creation from arrays of every layout: the object holds the same doubles
whether x and y come as contiguous float64 arrays, as other dtypes, as
strided views, as Fortran-ordered blocks or as lists, holds its own copy of
them, and reports equal nodes where they stand in unsorted x."""

import numpy as np
import pytest

import numerik


def bits(a):
    return np.ascontiguousarray(a, dtype=np.float64).view(np.uint64)


def gleich(p, q):
    for feld in ("x", "y", "koeffizienten"):
        np.testing.assert_array_equal(bits(getattr(p, feld)), bits(getattr(q, feld)), err_msg=feld)


RNG = np.random.default_rng(7)
X = np.sort(RNG.uniform(-1.0, 1.0, 41))
Y = np.cos(3 * X)
KLASSEN = [
    lambda x, y: numerik.Hermite(x, y),
    lambda x, y: numerik.Hermite(x, y, steigungen="akima"),
    lambda x, y: numerik.Spline(x, y, ende="not-a-knot"),
    lambda x, y: numerik.Rational(x, y, d=3),
]


@pytest.mark.parametrize("klasse", KLASSEN)
def test_every_layout_gives_the_same_doubles(klasse):
    soll = klasse(X, Y)
    breit = np.zeros((len(X), 3))
    breit[:, 1] = X
    for x, y in [
        (X.tolist(), Y.tolist()),
        (breit[:, 1], np.repeat(Y, 2)[::2]),
        (np.array(X, dtype=">f8"), np.asfortranarray(Y)),
    ]:
        gleich(klasse(x, y), soll)


def test_other_dtypes_are_converted_once():
    xi = np.arange(12, dtype=np.int32)
    yf = (xi * xi).astype(np.float32)
    gleich(numerik.Hermite(xi, yf), numerik.Hermite(xi.astype(float), yf.astype(float)))


@pytest.mark.parametrize("ordnung", ["C", "F"])
def test_columns_of_vector_values_in_any_order(ordnung):
    werte = np.asarray(np.stack([Y, 2 * Y, Y * Y], axis=1), order=ordnung)
    v = numerik.Spline(X, werte, ende="not-a-knot")
    t = numerik.Spline(X, np.asarray(werte.T, order=ordnung), ende="not-a-knot", axis=1)
    punkte = np.linspace(-1.0, 1.0, 17)
    for spalte in range(3):
        einzeln = numerik.Spline(X, werte[:, spalte], ende="not-a-knot")
        np.testing.assert_array_equal(bits(v(punkte)[:, spalte]), bits(einzeln(punkte)))
        np.testing.assert_array_equal(bits(t(punkte)[spalte]), bits(einzeln(punkte)))


def test_the_object_keeps_its_own_copy():
    x, y = X.copy(), Y.copy()
    p = numerik.Hermite(x, y)
    vorher = p(0.3)
    x[:] = 0.0
    y[:] = 5.0
    assert p(0.3) == vorher
    np.testing.assert_array_equal(p.x, X)


def test_equal_nodes_named_in_unsorted_and_sorted_x():
    with pytest.raises(numerik.Fehler, match=r"x\(2\) und x\(5\) gleich"):
        numerik.Baryzentrisch([0.0, 3.0, 1.0, 2.0, 3.0], [1.0, 2.0, 3.0, 4.0, 5.0])
    with pytest.raises(numerik.Fehler, match=r"x\(2\) und x\(3\) gleich"):
        numerik.Baryzentrisch([0.0, 1.0, 1.0, 2.0], [1.0, 2.0, 3.0, 4.0])
    with pytest.raises(numerik.Fehler, match="zu dicht"):
        numerik.Baryzentrisch([0.0, 1.0, 1.0 + 1e-16 * 4, 2.0], [1.0, 2.0, 3.0, 4.0])
