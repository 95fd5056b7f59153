"""What the library concludes from a study is the same in every front end:
fehlerstudie's table marks and plot keys (its .gp script), the dict of
numerik.studie and the JSON text that the page takes."""

import json
import math
import os
import subprocess
import tempfile
import unittest

import numpy as np

import numerik
from numerik import _studie_werte


def fehlerstudie_mit_diagramm(argumente):
    """fehlerstudie -d in a temporary folder, without gnuplot on PATH: its
    table and its convergence script."""
    with tempfile.TemporaryDirectory() as ordner:
        lauf = subprocess.run([os.path.join(os.environ["NUMERIK_BIN"], "fehlerstudie"), "-d",
                               "-w", *argumente], cwd=ordner, capture_output=True, text=True,
                              encoding="utf-8", check=True,
                              env={"PATH": os.environ["NUMERIK_BIN"]})
        m = zahlen_der_studie(argumente)[1][0]
        with open(os.path.join(ordner, f"fehlerstudie_{m}.gp"), encoding="utf-8") as skript:
            return lauf.stdout, skript.read()


def zahlen_der_studie(argumente):
    """The grid of -g (None without) and the numbers after the switches:
    m, then n."""
    argumente = list(argumente)
    punkte = None
    if "-g" in argumente:
        i = argumente.index("-g")
        punkte = int(argumente.pop(i + 1))
        argumente.pop(i)
    return punkte, [int(a) for a in argumente if not a.startswith("-")]


def marken(tabelle):
    """The mark behind each cell of the error table ('' for none), per column
    title (a wide table comes in blocks, each with its own title line)."""
    text = tabelle.split("Beobachtete Ordnung")[0]
    spalten, markiert, titel = [], {}, []
    for zeile in text.splitlines():
        felder = zeile.split()
        if felder[:1] == ["n"]:
            titel = felder[1:]
            spalten += titel
        elif titel and felder and felder[0].isdigit():
            for name, zelle in zip(titel, felder[1:]):
                markiert.setdefault(name, []).append(zelle[-1] if zelle[-1] in "*#!" else "")
        else:
            titel = []
    return spalten, markiert


def schluessel(skript):
    """The plot keys of the convergence script, in column order, with the
    ceiling and the floor of its y range."""
    titel = [z.split(" title '")[1].split("'")[0] for z in skript.splitlines()
             if "with linespoints" in z]
    decke = float([z for z in skript.splitlines() if z.startswith("decke = ")][0].split()[2])
    boden = float([z for z in skript.splitlines() if z.startswith("set yrange [")][0]
                  .split("[")[1].split(":")[0])
    return titel, decke, boden


class EinBefundInJedemFrontend(unittest.TestCase):
    def vergleichen(self, *argumente):
        tabelle, skript = fehlerstudie_mit_diagramm(argumente)
        spalten, markiert = marken(tabelle)
        keys, decke, boden = schluessel(skript)
        punkte, zahlen = zahlen_der_studie(argumente)
        m, n = zahlen[0], zahlen[1:]
        e = _studie_werte(m, n=n, methoden=spalten, punkte=punkte)
        j = json.loads(numerik.studie_json(m, n=n, methoden=spalten, punkte=punkte))
        titel = {me["spalte"]: me["titel"] for me in numerik.methoden()}
        # The key of each column is its title and the words the library
        # concludes; the table marks what it marks.
        self.assertEqual(keys, [titel[s] + (f" ({w})" if w else "")
                                for s, w in zip(e["methoden"], e["legende"])])
        for k, name in enumerate(e["methoden"]):
            self.assertEqual(markiert[name], e["marke"][:, k].tolist(), name)
        # The verdicts of fehlerstudie -w are those of numerik.warum and of
        # the JSON the page reads.
        warum = "\nWarum\n" + tabelle.split("\nWarum\n")[1]
        self.assertEqual(warum, e["warum"]["text"])
        self.assertEqual(warum, j["warum"]["text"])
        # The plot's range, as the script writes it ("%g").
        self.assertEqual("%g" % e["decke"], "%g" % decke)
        self.assertEqual("%g" % e["boden"], "%g" % boden)
        # The JSON text says the same, every figure to the bit (null where
        # it is no finite number).
        self.assertEqual([s["spalte"] for s in j["spalten"]], e["methoden"])
        self.assertEqual((j["decke"], j["boden"]), (e["decke"], e["boden"]))
        for k, s in enumerate(j["spalten"]):
            self.assertEqual(s["legende"], e["legende"][k])
            self.assertEqual(s["konvergiert"], bool(e["konvergiert"][k]))
            self.assertEqual(s["rundung"], e["rundung"][:, k].tolist())
            self.assertEqual(s["marke"], e["marke"][:, k].tolist())
            self.assertEqual(s["urteil"], e["warum"]["urteil"][s["spalte"]])
            endlich = np.where(np.isfinite(e["fehler"][:, k]), e["fehler"][:, k], None)
            self.assertEqual(s["fehler"], endlich.tolist(), s["spalte"])
            rho = math.nan if s["rho"] is None else s["rho"]
            np.testing.assert_array_equal(rho, e["rho"][k])
        return e, j

    def test_rundung_und_divergenz(self):
        # Problem 2 on 1281 points: Newton-t rounds above the ceiling,
        # Newton-a at its rounding floor (the sine is entire: its exact
        # interpolants converge), the rest converges.  Runge's function
        # diverges on equidistant nodes.
        e, _ = self.vergleichen("-g", "1281", "2", "32", "64", "128")
        self.assertEqual(e["legende"][:2], ["Rundung (Kondition \u039b_n); gekappt",
                                            "Rundung; gekappt"])
        e, _ = self.vergleichen("4", "8", "16", "32")
        self.assertEqual(e["legende"][0], "divergiert (Runge); gekappt")

    def test_alle_spalten_mit_rate(self):
        # Runge's function, every column: the fitted rate of the Chebyshev
        # polynomial within 1 percent of 1/9 + sqrt(1 + 1/81).
        e, j = self.vergleichen("-p", "-s", "4", "2", "4", "8", "16", "32", "64", "128", "256",
                                "512", "1024")
        rho = 1 / 9 + math.sqrt(1 + 1 / 81)
        gezeichnet = j["spalten"][j["bezug_geometrisch"]]
        self.assertEqual(gezeichnet["spalte"], "Bary-t")
        self.assertAlmostEqual(gezeichnet["rho"] / rho, 1.0, delta=0.01)
        linie = [b for b in e["bezug"] if b["p"] == 0][0]
        self.assertEqual((linie["methode"], linie["rho"]), ("Bary-t", gezeichnet["rho"]))
        np.testing.assert_array_equal(linie["werte"], gezeichnet["bezug"][0]["werte"])
        # The spline lines of the first spline column.
        self.assertEqual([b["p"] for b in e["bezug"] if b["p"] > 0], [2, 4])
        self.assertEqual(j["spalten"][j["bezug_potenz"]]["spalte"], "nat.Sp-a")

    def test_sinus_am_rundungsboden(self):
        self.vergleichen("-p", "1", "16", "32", "64", "128")


class EigeneFunktion(unittest.TestCase):
    def test_befund_einer_python_funktion(self):
        # Runge's function as a Python callable: the figures and what they
        # show are those of problem 4, and the JSON is titled by its name.
        f = lambda x: 1.0 / (1.0 + x * x)  # noqa: E731
        spalten = ["Newton-t", "Bary-t", "nat.Sp-a"]
        n = [8, 16, 32, 64]
        eigen = _studie_werte(f, -9.0, 9.0, n=n, methoden=spalten)
        beispiel = _studie_werte(4, n=n, methoden=spalten)
        for schluessel in ("fehler", "rundung", "konvergiert", "rho", "rundungsboden"):
            np.testing.assert_array_equal(eigen[schluessel], beispiel[schluessel], schluessel)
        self.assertEqual(eigen["legende"], beispiel["legende"])
        j = json.loads(numerik.studie_json(f, -9.0, 9.0, n=n, methoden=spalten))
        self.assertEqual(j["titel"], "eigene Funktion")
        self.assertEqual(j["m"], 0)

    def test_fehler_der_funktion_kommt_an(self):
        # A callable that fails in the study's loop: its own exception, and
        # the next study runs as ever.
        def kaputt(x):
            if np.any(np.asarray(x) > 0.5):
                raise ZeroDivisionError("rechts")
            return np.sin(x)
        with self.assertRaisesRegex(ZeroDivisionError, "rechts"):
            _studie_werte(kaputt, 0.0, 1.0, n=[8], methoden=["Bary-t"])
        # Too few values for the points asked: the library's message.
        with self.assertRaisesRegex(numerik.Fehler, r"Die Funktion liefert 3 Werte fuer \d+ Punkte"):
            numerik._numerik._studie(0, lambda x: np.ones(3), 0.0, 1.0, [8], ["Bary-t"], 0)
        self.assertEqual(_studie_werte(np.sin, 0.0, 1.0, n=[8], methoden=["Bary-t"])["m"], 0)


if __name__ == "__main__":
    unittest.main()
