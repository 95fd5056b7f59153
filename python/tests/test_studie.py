"""The study as data: the figures fehlerstudie prints, and for a Python
function the errors measured independently with scipy."""

import math
import subprocess
import sys
import unittest

import numpy as np
from scipy.interpolate import BarycentricInterpolator, CubicSpline

import numerik
from numerik import _studie_werte
from hilfen import programm


def tabellen_lesen(text):
    """fehlerstudie's error and order tables: the column titles and, per
    table, the rows as lists of cells (n first).  A wide table comes in
    blocks of columns, each with its own title line; they are joined."""
    tabellen = []
    for teil in text.split("Beobachtete Ordnung"):
        kopf, zeilen, im_block = [], {}, False
        for zeile in teil.splitlines():
            felder = zeile.split()
            if felder[:1] == ["n"]:
                kopf += felder[1:]
                im_block = True
            elif im_block and felder and felder[0].isdigit():
                zeilen.setdefault(felder[0], [felder[0]]).extend(felder[1:])
            else:
                im_block = False
        tabellen.append((kopf, list(zeilen.values())))
    return tabellen


class WieFehlerstudie(unittest.TestCase):
    def vergleichen(self, *argumente):
        (kopf, fehler), (kopf_ordnung, ordnungen) = tabellen_lesen(programm("fehlerstudie", *argumente))
        self.assertEqual(kopf, kopf_ordnung)
        m = int([a for a in argumente if not a.startswith("-")][0])
        n = [int(a) for a in argumente if not a.startswith("-")][1:]
        e = _studie_werte(m, n=n, methoden=kopf)
        self.assertEqual(e["methoden"], kopf)
        self.assertEqual(list(e["n"]), [int(z[0]) for z in fehler])
        for k, zeile in enumerate(fehler):
            self.assertEqual(len(zeile), len(kopf) + 1)
            for j, zelle in enumerate(zeile[1:]):
                self.assertEqual("%.3g" % e["fehler"][k, j], zelle.rstrip("*#!"), (k, kopf[j]))
                marke = zelle[-1] if zelle[-1] in "*#!" else ""
                self.assertEqual(e["marke"][k, j], marke, (k, kopf[j]))
        for k, zeile in enumerate(ordnungen, start=1):
            self.assertEqual(len(zeile), len(kopf) + 1)
            for j, zelle in enumerate(zeile[1:]):
                self.assertEqual("%.2f" % e["ordnung"][k, j], zelle, (k, kopf[j]))
        self.assertTrue(np.isnan(e["ordnung"][0]).all())

    def test_runge_uebersicht(self):
        self.vergleichen("4", "16", "64")

    def test_alle_spalten_des_sinus(self):
        # Two blocks of columns; rounding marks in the Newton columns.
        self.vergleichen("-p", "-s", "1", "16", "32", "64")

    def test_polynome_des_betrags(self):
        self.vergleichen("-p", "3", "8", "32", "128")


class Formel(unittest.TestCase):
    def test_wie_fehlerstudie_f(self):
        # The formula through muparser against the program's -f, and against
        # the compiled example function it names (problem 4).
        text = programm("fehlerstudie", "-p", "-f", "1/(1+x^2)", "-9", "9", "16", "64")
        (kopf, fehler), _ = tabellen_lesen(text)
        e = _studie_werte("1/(1+x^2)", -9, 9, n=[16, 64], methoden=kopf)
        for k, zeile in enumerate(fehler):
            for j, zelle in enumerate(zeile[1:]):
                self.assertEqual("%.3g" % e["fehler"][k, j], zelle.rstrip("*#!"), (k, kopf[j]))
        beispiel = _studie_werte(4, n=[16, 64], methoden=kopf)
        np.testing.assert_array_equal(e["fehler"], beispiel["fehler"])

    def test_falsche_formel(self):
        with self.assertRaisesRegex(numerik.Fehler, r'Formel "1/\(1\+x\^": Zeile endet nach "\^" \(Position 7\)'):
            _studie_werte("1/(1+x^", -1, 1)
        with self.assertRaises(numerik.Fehler):
            _studie_werte("sin(x)", n=[4])


class EigeneFunktion(unittest.TestCase):
    def test_wie_scipy(self):
        f = lambda x: 1.0 / (1.0 + x * x)  # noqa: E731
        a, b = -5.0, 5.0
        n_liste = [10, 20, 160]
        e = _studie_werte(f, a, b, n=n_liste, methoden=["nat.Sp-a", "Bary-t"])
        for k, n in enumerate(n_liste):
            punkte = max(1001, 10 * n + 1) - 1
            i = np.arange(punkte + 1)
            gitter = (i * b + (punkte - i) * a) / punkte
            j = np.arange(n + 1)
            x = (j * b + (n - j) * a) / n
            spline = np.abs(CubicSpline(x, f(x), bc_type="natural")(gitter) - f(gitter)).max()
            t = (a + b) / 2 + (a - b) / 2 * np.cos(j * np.pi / n)
            bary = np.abs(BarycentricInterpolator(t, f(t))(gitter) - f(gitter)).max()
            self.assertEqual(e["gitter"][k], punkte + 1)
            np.testing.assert_allclose(e["fehler"][k], [spline, bary], rtol=1e-6, atol=1e-13)

    def test_gleich_beispiel_eins(self):
        # math.sin takes no arrays: the study asks point by point and gets
        # the very doubles of example problem 1 (the sine of the C library).
        spalten = ["Newton-a", "Bary-t", "nat.Sp-a", "per.Sp-a"]
        eigen = _studie_werte(math.sin, -3.14159265, 3.14159265, n=[8, 16], methoden=spalten)
        beispiel = _studie_werte(1, n=[8, 16], methoden=spalten)
        np.testing.assert_array_equal(eigen["fehler"], beispiel["fehler"])
        # Without a list: the overview, less what needs f'' at the ends.
        ohne = _studie_werte(math.sin, -3.14159265, 3.14159265, n=[8])["methoden"]
        self.assertEqual(ohne, ["Newton-a", "Newton-t", "Bary-t", "nat.Sp-a", "nat.Sp-t", "per.Sp-a"])
        self.assertNotIn("per.Sp-a", _studie_werte(np.exp, 0.0, 1.0, n=[8])["methoden"])

    def test_grobes_gitter_und_grenzen(self):
        e = _studie_werte(2, n=[8, 16, 10000], methoden=["Bary-a", "Newton-a"], punkte=101)
        np.testing.assert_array_equal(e["grob"], [False, True, True])
        np.testing.assert_array_equal(e["gitter"], [101, 101, 101])
        # The Newton columns reach n = 10^4 and stop beyond it.
        self.assertTrue(e["berechnet"].all())
        e = _studie_werte(2, n=[8, 10001], methoden=["Newton-a"], punkte=101)
        np.testing.assert_array_equal(e["berechnet"][:, 0], [True, False])
        self.assertTrue(np.isnan(e["fehler"][1, 0]))
        e = _studie_werte(2, a=-1.0, b=1.0, n=[8])
        self.assertEqual((e["a"], e["b"]), (-1.0, 1.0))

    def test_immer_dasselbe_dict_und_die_tabelle(self):
        import pandas
        e = numerik.studie(3, n=[8, 16])
        self.assertIsInstance(e, dict)
        schluessel = set(e)
        for t in (e.tabelle(), numerik.studie(3, n=[8, 16], als_tabelle=True)):
            self.assertIsInstance(t, pandas.DataFrame)
            self.assertEqual(len(t), 2 * len(e["methoden"]))
            # Every field: per cell, per n, per method and of the study.
            self.assertTrue(schluessel - {"bezug", "bezugszeilen", "kosten", "warum"} <= set(t.columns) | {"methoden"})
            np.testing.assert_array_equal(t["fehler"].to_numpy(), e["fehler"].ravel())
            np.testing.assert_array_equal(t["gitter"].to_numpy(), np.repeat(e["gitter"], len(e["methoden"])))
            self.assertEqual(set(t["a"]) | set(t["b"]) | set(t["f_groesste"]), {e["a"], e["b"], e["f_groesste"]})
            self.assertEqual(list(t["methode"][: len(e["methoden"])]), e["methoden"])
            self.assertEqual(t.attrs["befund"]["kosten"], e["kosten"])
        # Without pandas the same dict, and the table says what it needs.
        programm = ("import sys; sys.modules['pandas'] = None\n"
                    "import numerik\n"
                    "e = numerik.studie(3, n=[8, 16])\n"
                    "print(type(e).__name__, isinstance(e, dict))\n"
                    "try:\n    e.tabelle()\nexcept numerik.Fehler as f:\n    print(f)\n")
        lauf = subprocess.run([sys.executable, "-c", programm], capture_output=True, text=True, check=True)
        self.assertEqual(lauf.stdout, "Studie True\nDie Tabelle braucht pandas (Debian: python3-pandas).\n")

    def test_grobes_gitter_nennt_punkte(self):
        with self.assertWarns(numerik.Warnung) as w:
            numerik.studie(4, n=[8, 64], methoden=["Bary-t"], punkte=200)
        text = str(w.warning)
        self.assertIn("genauer mit punkte=641.", text)
        self.assertNotIn("-g", text)


if __name__ == "__main__":
    unittest.main()
