"""The rational approximation AAA and the trigonometric interpolation from
Python: poles, residues and zeros as complex arrays, the interpolant against
numpy's FFT, and their refusals as numerik.Fehler."""

import os
import tempfile
import unittest

import numpy as np

import numerik


class AAA(unittest.TestCase):
    def test_pole_residuen_nullstellen(self):
        x = np.linspace(-9, 9, 800)
        r = numerik.AAA(x, 1 / (1 + x**2))
        pole = r.pole()
        self.assertEqual(pole.dtype, np.complex128)
        reihe = np.argsort(pole.imag)
        np.testing.assert_allclose(pole[reihe], [-1j, 1j], atol=1e-10)
        np.testing.assert_allclose(r.residuen()[reihe], [0.5j, -0.5j], atol=1e-10)
        self.assertEqual(len(r.nullstellen()), 0)
        # (x - 1/2) / (x + 2) on [-1, 1]: its zero and its pole.
        q = numerik.AAA(x / 9, (x / 9 - 0.5) / (x / 9 + 2), tol=1e-14, grad=10)
        np.testing.assert_allclose(q.nullstellen(), [0.5], atol=1e-10)
        np.testing.assert_allclose(q.pole(), [-2.0], atol=1e-10)
        self.assertEqual(q.optionen, {"tol": 1e-14, "grad": 10})

    def test_datei_hin_und_zurueck(self):
        x = np.linspace(0, 2, 300)
        r = numerik.AAA(x, np.exp(-x) * np.cos(3 * x))
        with tempfile.TemporaryDirectory() as verzeichnis:
            pfad = os.path.join(verzeichnis, "r.txt")
            r.speichern(pfad, voll=True)
            s = numerik.laden(pfad)
        self.assertIsInstance(s, numerik.AAA)
        t = np.linspace(0, 2, 77)
        np.testing.assert_array_equal(s(t), r(t))

    def test_fehler(self):
        x = np.linspace(0, 1, 5)
        for aufruf, teil in [
            (lambda: numerik.AAA(x, np.ones(5)), "Alle Werte gleich"),
            (lambda: numerik.AAA(x, x, tol=0.0), "Toleranz 0 ungueltig"),
            (lambda: numerik.AAA(x, x, grad=9), "Grad 9 passt nicht zu 5 Punkten"),
            (lambda: numerik.AAA([0.0], [1.0]), "Zu wening Stuetzstellen fuer AAA_INTERPOLATION"),
        ]:
            with self.assertRaises(numerik.Fehler) as f:
                aufruf()
            self.assertIn(teil, str(f.exception))


class Trigonometrisch(unittest.TestCase):
    def test_wie_fft(self):
        a, b = -np.pi, np.pi
        for n in (7, 10):
            knoten = a + (b - a) * np.arange(n) / n
            y = np.exp(np.sin(knoten))
            p = numerik.Trigonometrisch(y, a, b)
            c = np.fft.fft(y) / n
            t = np.linspace(-4, 4, 101)
            w = 2 * np.pi * (t - a) / (b - a)
            erwartet = np.full_like(t, c[0].real)
            for j in range(1, (n + 1) // 2):
                erwartet += 2 * (c[j] * np.exp(1j * j * w)).real
            if n % 2 == 0:
                erwartet += c[n // 2].real * np.cos(n // 2 * w)
            np.testing.assert_allclose(p(t), erwartet, atol=1e-14)
            self.assertEqual(p.grenzen, (a, b))
        # The generic form with a node kind gives the same object.
        q = numerik.Trigonometrisch("aequidistant", y, a=a, b=b)
        np.testing.assert_array_equal(q(t), p(t))

    def test_fehler(self):
        with self.assertRaises(numerik.Fehler) as f:
            numerik.Trigonometrisch([0.0, 1.0, 3.0], [1.0, 2.0, 0.0])
        self.assertIn("nicht aequidistant", str(f.exception))
        with self.assertRaises(numerik.Fehler) as f:
            numerik.Trigonometrisch("tschebyscheff", [1.0, 2.0, 0.0], a=0, b=1)
        self.assertIn("braucht aequidistante Stuetzstellen", str(f.exception))


if __name__ == "__main__":
    unittest.main()
