"""The interpolation classes against independent computations: scipy's
splines and shape-preserving cubics, divided differences and
Floater-Hormann weights formed here in numpy, and closed forms."""

import unittest

import numpy as np
from scipy.interpolate import Akima1DInterpolator, BarycentricInterpolator, CubicSpline, PchipInterpolator

import numerik

X = np.array([0.0, 0.4, 1.1, 1.5, 2.3, 3.0, 3.2, 4.0])
Y = np.array([1.0, 2.0, 0.5, -0.3, 0.8, 2.5, 2.4, 1.0])
PUNKTE = np.linspace(-0.2, 4.2, 301)


class Splines(unittest.TestCase):
    def vergleichen(self, s, referenz):
        np.testing.assert_allclose(s(PUNKTE), referenz(PUNKTE), rtol=1e-12, atol=1e-12)
        # beiwerte's layout: row i holds c3, c2, c1, c0 in t = x - x(i).
        np.testing.assert_allclose(s.koeffizienten, referenz.c.T, rtol=1e-12, atol=1e-12)

    def test_enden(self):
        faelle = [
            (dict(ende="natuerlich"), "natural"),
            (dict(ende="not-a-knot"), "not-a-knot"),
            (dict(ende="abl2", links=0.5, rechts=-2.0), ((2, 0.5), (2, -2.0))),
            (dict(ende="eingespannt", links=1.5, rechts=0.25), ((1, 1.5), (1, 0.25))),
        ]
        for optionen, scipy_ende in faelle:
            with self.subTest(ende=optionen["ende"]):
                self.vergleichen(numerik.Spline(X, Y, **optionen), CubicSpline(X, Y, bc_type=scipy_ende))

    def test_periodisch(self):
        y = Y.copy()
        y[-1] = y[0]
        s = numerik.Spline(X, y, ende="periodisch")
        referenz = CubicSpline(X, y, bc_type="periodic")
        innen = PUNKTE[(PUNKTE >= 0) & (PUNKTE <= 4)]
        np.testing.assert_allclose(s(innen), referenz(innen), rtol=1e-12, atol=1e-12)
        # Continued with the period beyond the interval.
        np.testing.assert_allclose(s(innen + 4.0), referenz(innen), rtol=1e-12, atol=1e-12)

    def test_knotenart_statt_stuetzstellen(self):
        x = numerik.knoten("aequidistant", -1.0, 2.0, 9)
        s = numerik.Spline("aequidistant", np.exp(x), a=-1.0, b=2.0)
        np.testing.assert_array_equal(s.x, x)
        self.assertEqual(s.grenzen, (-1.0, 2.0))
        np.testing.assert_allclose(s(PUNKTE / 2), CubicSpline(x, np.exp(x), bc_type="natural")(PUNKTE / 2),
                                   rtol=1e-12)


class Polynome(unittest.TestCase):
    def test_newton_koeffizienten_sind_dividierte_differenzen(self):
        tafel = Y.copy()
        erwartet = [tafel[0]]
        for k in range(1, len(X)):
            tafel = (tafel[1:] - tafel[:-1]) / (X[k:] - X[:-k])
            erwartet.append(tafel[0])
        p = numerik.Newton(X, Y)
        np.testing.assert_allclose(p.koeffizienten, erwartet, rtol=1e-12)

    def test_ein_polynom_in_jeder_form(self):
        referenz = BarycentricInterpolator(X, Y)(PUNKTE)
        for p in (numerik.Newton(X, Y), numerik.Newton(X, Y, leja=True), numerik.Baryzentrisch(X, Y),
                  numerik.Rational(X, Y, d=len(X) - 1)):
            with self.subTest(klasse=p.klasse):
                np.testing.assert_allclose(p(PUNKTE), referenz, rtol=1e-9, atol=1e-9)

    def test_tschebyscheff_knoten_geschlossen(self):
        a, b, n = -2.0, 3.0, 6
        i = np.arange(n + 1)
        faelle = {
            "aequidistant": (i * b + (n - i) * a) / n,
            "tschebyscheff": (a + b) / 2 + (a - b) / 2 * np.cos(i * np.pi / n),
            "tschebyscheff1": (a + b) / 2 + (a - b) / 2 * np.cos((2 * i + 1) * np.pi / (2 * n + 2)),
        }
        for art, erwartet in faelle.items():
            with self.subTest(art=art):
                np.testing.assert_allclose(numerik.knoten(art, a, b, n), erwartet, rtol=0, atol=1e-15)
                p = numerik.Baryzentrisch(art, np.cos(erwartet), a=a, b=b)
                np.testing.assert_allclose(p(erwartet), np.cos(erwartet), atol=1e-14)
        schluessel = [k["schluessel"] for k in numerik.knotenarten()]
        self.assertEqual(sorted(schluessel), ["aequidistant", "gegeben", "tschebyscheff", "tschebyscheff1"])

    def test_rational_nach_floater_hormann(self):
        d = 3
        n = len(X) - 1
        w = np.zeros(n + 1)
        for k in range(n + 1):
            for i in range(max(0, k - d), min(k, n - d) + 1):
                w[k] += (-1) ** i / np.prod([X[k] - X[j] for j in range(i, i + d + 1) if j != k])
        innen = np.linspace(0.013, 3.987, 157)  # no node among them
        differenz = innen[:, None] - X[None, :]
        erwartet = (w / differenz) @ Y / (w / differenz).sum(axis=1)
        np.testing.assert_allclose(numerik.Rational(X, Y, d=d)(innen), erwartet, rtol=1e-11)
        # Blending degree d reproduces polynomials of degree d.
        kubik = lambda t: 2 * t**3 - t + 1  # noqa: E731
        np.testing.assert_allclose(numerik.Rational(X, kubik(X), d=3)(innen), kubik(innen), rtol=1e-11)


class Hermite(unittest.TestCase):
    def test_steigungen(self):
        innen = PUNKTE[(PUNKTE >= 0) & (PUNKTE <= 4)]
        faelle = [("fritsch-carlson", PchipInterpolator(X, Y)), ("akima", Akima1DInterpolator(X, Y))]
        for steigungen, referenz in faelle:
            with self.subTest(steigungen=steigungen):
                h = numerik.Hermite(X, Y, steigungen=steigungen)
                np.testing.assert_allclose(h(innen), referenz(innen), rtol=1e-12, atol=1e-12)
                np.testing.assert_allclose(h.koeffizienten, referenz.c.T, rtol=1e-12, atol=1e-12)

    def test_modifiziert_flach_ohne_ueberschwingen(self):
        x = np.arange(7.0)
        y = np.array([0.0, 0.0, 0.0, 1.0, 1.0, 1.0, 1.0])
        h = numerik.Hermite(x, y, steigungen="akima-modifiziert")
        np.testing.assert_array_equal(h(np.linspace(0, 2, 21)), 0.0)
        np.testing.assert_array_equal(h(np.linspace(3, 6, 31)), 1.0)
        zwischen = h(np.linspace(2, 3, 101))
        self.assertTrue(np.all(np.diff(zwischen) >= 0) and zwischen.min() >= 0 and zwischen.max() <= 1)


class Aufruf(unittest.TestCase):
    def test_form_bleibt(self):
        s = numerik.Spline(X, Y)
        self.assertEqual(s(1.0).shape, ())
        self.assertIsInstance(s(1.0), np.ndarray)
        gitter = PUNKTE.reshape(7, 43)
        np.testing.assert_array_equal(s(gitter), s(PUNKTE).reshape(7, 43))
        np.testing.assert_array_equal(s(gitter.T), s(PUNKTE).reshape(7, 43).T)
        np.testing.assert_allclose(s([0.4, 1.1]), [2.0, 0.5], rtol=1e-15)
        self.assertTrue(np.isnan(s(np.nan)))


if __name__ == "__main__":
    unittest.main()


class AbleitungUndIntegral(unittest.TestCase):
    def test_spline_wie_scipy(self):
        s = numerik.Spline(X, Y, ende="not-a-knot")
        r = CubicSpline(X, Y, bc_type="not-a-knot")
        innen = np.linspace(0.05, 3.95, 157)
        for k in (1, 2):
            np.testing.assert_allclose(s.ableitung(innen, k), r(innen, k), rtol=1e-12, atol=1e-12)
        self.assertAlmostEqual(s.integral(0.3, 3.7), r.integrate(0.3, 3.7), places=12)
        self.assertAlmostEqual(s.integral(3.7, 0.3), -r.integrate(0.3, 3.7), places=12)

    def test_polynom_exakt(self):
        # p = x^3 - 2x through five points in every polynomial form.
        x = np.array([-1.0, -0.3, 0.2, 0.9, 1.5])
        y = x**3 - 2 * x
        t = np.linspace(-1.2, 1.7, 41)
        for p in (numerik.Newton(x, y), numerik.Baryzentrisch(x, y), numerik.Rational(x, y, d=4)):
            np.testing.assert_allclose(p.ableitung(t), 3 * t**2 - 2, atol=1e-12)
            np.testing.assert_allclose(p.ableitung(t, k=2), 6 * t, atol=1e-11)
            self.assertAlmostEqual(p.integral(-1.0, 1.5), (1.5**4 / 4 - 1.5**2) - (0.25 - 1.0), places=13)
        with self.assertRaises(numerik.Fehler):
            numerik.Newton(x, y).ableitung(t, k=3)
