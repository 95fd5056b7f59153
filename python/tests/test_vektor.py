"""Vector-valued y along an axis, against scipy and against one object per
column; two-node splines against scipy where the library takes them."""

import numpy as np
import pytest
from scipy.interpolate import BarycentricInterpolator, CubicSpline

import numerik

X = np.array([0.0, 0.4, 1.1, 1.5, 2.3, 3.0, 3.2, 4.0])
SPALTEN = np.column_stack([np.sin(X), X ** 2 - 1.0, np.exp(-X), np.cos(3 * X)])
PUNKTE = np.linspace(-0.3, 4.3, 97).reshape(97)


# AAA chooses its nodes from each column's values, so it takes scalar y
# only; the trigonometric interpolation takes equispaced nodes on [a, b).
@pytest.mark.parametrize("klasse", [k for k in numerik.KLASSEN if k is not numerik.AAA],
                         ids=lambda k: k.__name__)
def test_jede_spalte_wie_allein(klasse):
    if klasse is numerik.Trigonometrisch:
        def klasse(x, y):  # noqa: F811 - the same call on equispaced nodes
            return numerik.Trigonometrisch(y, 0.0, 4.0)
    p = klasse(X, SPALTEN)
    werte = p(PUNKTE)
    assert werte.shape == (len(PUNKTE), 4)
    for j in range(4):
        einzeln = klasse(X, SPALTEN[:, j])
        np.testing.assert_array_equal(werte[:, j], einzeln(PUNKTE), strict=True)
        np.testing.assert_array_equal(p.ableitung(PUNKTE, 1)[:, j], einzeln.ableitung(PUNKTE, 1))
        assert p.integral(0.2, 3.9)[j] == einzeln.integral(0.2, 3.9)
    np.testing.assert_array_equal(p.y, SPALTEN)
    # The points' shape first, then the value's.
    assert p(PUNKTE.reshape(1, 97)).shape == (1, 97, 4) and p(1.0).shape == (4,)


def test_aaa_nur_mit_zahlen():
    with pytest.raises(numerik.Fehler, match="nur Werte, die Zahlen sind"):
        numerik.AAA(X, SPALTEN)


def test_achsen_wie_scipy():
    y = np.stack([SPALTEN, 2 * SPALTEN])  # shape (2, 8, 4): the nodes on axis 1
    for ende, scipy_ende in (("natuerlich", "natural"), ("not-a-knot", "not-a-knot")):
        s = numerik.Spline(X, y, ende=ende, axis=1)
        referenz = CubicSpline(X, y, axis=1, bc_type=scipy_ende)
        x = PUNKTE.reshape(1, 97)
        assert s(x).shape == referenz(x).shape == (2, 1, 97, 4)
        np.testing.assert_allclose(s(x), referenz(x), rtol=1e-12, atol=1e-12)
        np.testing.assert_array_equal(s.y, y)
    s = numerik.Spline(X, SPALTEN, ende="eingespannt", links=1.0, rechts=-2.0, axis=0)
    referenz = CubicSpline(X, SPALTEN, bc_type=((1, np.full(4, 1.0)), (1, np.full(4, -2.0))))
    np.testing.assert_allclose(s(PUNKTE), referenz(PUNKTE), rtol=1e-12, atol=1e-12)
    np.testing.assert_allclose(s.integral(0.0, 4.0), referenz.integrate(0.0, 4.0), rtol=1e-12)
    b = numerik.Baryzentrisch(X, SPALTEN.T, axis=-1)
    np.testing.assert_allclose(b(PUNKTE), BarycentricInterpolator(X, SPALTEN.T, axis=-1)(PUNKTE),
                               rtol=1e-9, atol=1e-9)
    with pytest.raises(numerik.Fehler, match="axis = 2"):
        numerik.Newton(X, SPALTEN, axis=2)
    with pytest.raises(numerik.Fehler, match="inkompatibel"):
        numerik.Newton(X, SPALTEN, axis=1)


def zwei_knoten(**optionen):
    """A two-node spline, or a skip where the library does not take one yet."""
    try:
        return numerik.Spline([0.5, 2.0], [1.0, -2.0], **optionen)
    except numerik.Fehler as fehler:
        pytest.skip(f"zwei Stuetzstellen noch nicht angenommen: {fehler}")


def test_zwei_knoten_not_a_knot_ist_die_gerade():
    s = zwei_knoten(ende="not-a-knot")
    referenz = CubicSpline([0.5, 2.0], [1.0, -2.0], bc_type="not-a-knot")
    np.testing.assert_allclose(s(PUNKTE), referenz(PUNKTE), rtol=1e-13, atol=1e-13)
    np.testing.assert_allclose(s(PUNKTE), 1.0 - 2.0 * (PUNKTE - 0.5), rtol=1e-13, atol=1e-13)


def test_zwei_knoten_eingespannt_ist_hermite():
    s = zwei_knoten(ende="eingespannt", links=3.0, rechts=-1.0)
    referenz = CubicSpline([0.5, 2.0], [1.0, -2.0], bc_type=((1, 3.0), (1, -1.0)))
    np.testing.assert_allclose(s(PUNKTE), referenz(PUNKTE), rtol=1e-12, atol=1e-12)
    np.testing.assert_allclose(s.ableitung([0.5, 2.0]), [3.0, -1.0], rtol=1e-13)
