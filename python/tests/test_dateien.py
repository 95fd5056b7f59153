"""Files move between the module and the programs: what splineerzeuger
writes loads in Python, and what Python writes the programs read."""

import os
import tempfile
import unittest

import numpy as np
from scipy.interpolate import CubicSpline

import numerik
from hilfen import matrizen_lesen, programm


class Dateiwege(unittest.TestCase):
    def setUp(self):
        self._verzeichnis = tempfile.TemporaryDirectory()
        self.ordner = self._verzeichnis.name

    def tearDown(self):
        self._verzeichnis.cleanup()

    def pfad(self, name):
        return os.path.join(self.ordner, name)

    def test_splineerzeuger_nach_python(self):
        programm("splineerzeuger", "-a", "-n", "10", "1", "s", cwd=self.ordner)
        s = numerik.laden(self.pfad("s"))
        self.assertIsInstance(s, numerik.Spline)
        self.assertEqual(s.name, "Beispielfunktion Sinus auf [-pi,pi] mit n = 10")
        # The problem as the file states it, read here line by line.
        with open(self.pfad("s")) as f:
            zeilen = f.read().splitlines()
        a = float(zeilen[2].split("=")[1])
        b = float(zeilen[3].split("=")[1])
        y = np.array([float(z) for z in zeilen[8:19]])
        i = np.arange(11)
        x = (i * b + (10 - i) * a) / 10
        punkte = np.linspace(a, b, 97)
        np.testing.assert_allclose(s(punkte), CubicSpline(x, y, bc_type="natural")(punkte), atol=1e-12)

    def pruefen_mit_kurvenpunkte(self, ip, name):
        ip.speichern(self.pfad(name), voll=True)
        programm("kurvenpunkte", "-v", "40", name, name + ".werte", cwd=self.ordner)
        with open(self.pfad(name + ".werte")) as f:
            matrizen = matrizen_lesen(f.read())
        x = np.array(matrizen["X-Werte"])[:, 0]
        (y,) = [np.array(w)[:, 0] for titel, w in matrizen.items() if titel.startswith("Y-Werte")]
        links, rechts = ip.grenzen
        i = np.arange(41)
        np.testing.assert_array_equal(x, (i * rechts + (40 - i) * links) / 40)
        # 17 digits read back exactly: the program computed the same doubles.
        np.testing.assert_array_equal(y, ip(x))

    def test_python_nach_kurvenpunkte(self):
        x = np.array([0.0, 0.3, 1.0, 1.7, 2.0, 2.9])
        y = np.cos(3 * x)
        objekte = {
            "spline": numerik.Spline(x, y, ende="not-a-knot", name="aus Python"),
            "eingespannt": numerik.Spline(x, y, ende="eingespannt", links=0.0, rechts=1.0),
            "newton": numerik.Newton("tschebyscheff", np.arange(9.0) ** 2, a=-1.0, b=2.0, leja=True),
            "bary": numerik.Baryzentrisch(x, y),
            "rational": numerik.Rational(x, y, d=2),
            "hermite": numerik.Hermite(x, y, steigungen="akima"),
        }
        for name, ip in objekte.items():
            with self.subTest(name=name):
                self.pruefen_mit_kurvenpunkte(ip, name)
                wieder = numerik.laden(self.pfad(name))
                self.assertIs(type(wieder), type(ip))
                np.testing.assert_array_equal(wieder(x + 0.1), ip(x + 0.1))

    def test_beiwerte_liest_die_koeffizienten(self):
        x = np.array([0.0, 0.5, 1.5, 2.0, 3.5])
        h = numerik.Hermite(x, np.sqrt(x + 1))
        h.speichern(self.pfad("h"), voll=True)
        text = programm("beiwerte", "-v", "h", cwd=self.ordner).split("# --")[0]
        (koeffizienten,) = matrizen_lesen(text).values()
        np.testing.assert_array_equal(np.array(koeffizienten), h.koeffizienten)

    def test_sechs_stellen_wie_die_programme(self):
        s = numerik.Spline([0.0, 1.0, 2.0], [1.0 / 3.0, 2.0, 0.1234567], name="kurz")
        s.speichern(self.pfad("kurz"), voll=False)
        with open(self.pfad("kurz")) as f:
            text = f.read()
        self.assertIn("0.333333\n", text)
        self.assertIn("0.123457\n", text)
        self.assertTrue(text.startswith("SPLINE_INTERPOLATION: kurz\n"))


if __name__ == "__main__":
    unittest.main()
