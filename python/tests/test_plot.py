"""The plots: files written with the Agg backend, a line per method in the
table's colour, the polynomials of the Runge plot on their nodes."""

import os
import tempfile
import unittest

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

import numerik  # noqa: E402
import numerik.plot  # noqa: E402


class Bilder(unittest.TestCase):
    def setUp(self):
        # Kept where the build can show them (NUMERIK_TESTBILDER), else in a
        # temporary folder.
        self.ordner = os.environ.get("NUMERIK_TESTBILDER") or tempfile.mkdtemp()
        os.makedirs(self.ordner, exist_ok=True)

    def tearDown(self):
        plt.close("all")

    def ist_png(self, datei):
        with open(datei, "rb") as f:
            self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")

    def test_konvergenz(self):
        datei = os.path.join(self.ordner, "konvergenz.png")
        spalten = ["Newton-a", "Bary-t", "nat.Sp-a"]
        ax = numerik.plot.konvergenz(4, n=[8, 16, 32, 64], methoden=spalten, datei=datei)
        self.ist_png(datei)
        farben = {m["spalte"]: m["farbe"] for m in numerik.methoden()}
        linien = [l for l in ax.get_lines() if l.get_label() and not l.get_label().startswith("_")]
        self.assertEqual([l.get_label().split()[0] for l in linien], spalten)
        for linie, name in zip(linien, spalten):
            self.assertEqual(matplotlib.colors.to_hex(linie.get_color()), farben[name].lower())
        e = numerik._studie_werte(4, n=[8, 16, 32, 64], methoden=spalten)
        np.testing.assert_array_equal(linien[1].get_ydata(), e["fehler"][:, 1])
        self.assertEqual(ax.get_xscale(), "log")

    def test_runge(self):
        datei = os.path.join(self.ordner, "runge.png")
        ax = numerik.plot.runge(4, n=[10, 16], datei=datei)
        self.ist_png(datei)
        titel = [l.get_label() for l in ax.get_lines() if not l.get_label().startswith("_")]
        self.assertEqual(titel, ["f", "aequidistant, n = 10", "aequidistant, n = 16",
                                 "tschebyscheff, n = 10", "tschebyscheff, n = 16"])
        # The polynomial passes through f at its nodes.
        knoten = numerik.knoten("tschebyscheff", -9.0, 9.0, 16)
        punkte = ax.get_lines()[-1]
        np.testing.assert_array_equal(punkte.get_xdata(), knoten)
        np.testing.assert_array_equal(punkte.get_ydata(), numerik.beispielwerte(4, knoten))


    def test_eigene_funktion_und_achsen(self):
        _, ax = plt.subplots()
        self.assertIs(numerik.plot.runge(np.cos, n=6, a=0.0, b=3.0, ax=ax), ax)


if __name__ == "__main__":
    unittest.main()
