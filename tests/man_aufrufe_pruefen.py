#!/usr/bin/python3
"""Runs every line of the SYNOPSIS of every manual page once or more: with
every optional part (except -h, which only prints the usage) and each
alternative of a|b in turn, and with no optional part.  Each placeholder is
a value the page's program accepts; every run must end with exit status 0.
A synopsis line that a program answers with its usage text, or a
placeholder this script does not know, is a failure.

    man_aufrufe_pruefen.py <Verzeichnis der Programme> <Verzeichnis der Handbuchseiten>

Without groff the pages cannot be read: the check is skipped (exit 0)."""
import os
import re
import shutil
import subprocess
import sys
import tempfile

programme, handbuch = os.path.abspath(sys.argv[1]), sys.argv[2]
if shutil.which("groff") is None:
    print("groff ist nicht installiert; Aufrufe werden nicht geprueft.")
    sys.exit(0)

# The values of the placeholders; files are made in the working directory.
WERTE = {
    "n": ["4"], "m": ["1"], "alle": ["alle"], "Formel": ["sin(x)"], "A": ["-1"], "B": ["1"],
    "Punkte": ["1001"], "Toleranz": ["1e-3"], "x1": ["0"], "x2": ["1"],
    "Ausgabedatei": ["aus.txt"], "Eingabedatei": ["spline.txt"],
    "Sollwertedatei": ["soll.txt"], "Istwertedatei": ["ist.txt"], "...": [],
}


def synopsis(seite):
    text = subprocess.run(["groff", "-man", "-Tascii", "-P-cbou", "-rLL=400n", seite],
                          capture_output=True, text=True, check=True).stdout
    zeilen, drin = [], False
    for zeile in text.splitlines():
        if zeile.startswith("SYNOPSIS"):
            drin = True
        elif drin and zeile and not zeile.startswith(" "):
            break
        elif drin and zeile.strip():
            zeilen.append(zeile.strip())
    return zeilen


def zerlegen(woerter, i=0):
    """A list of items up to a closing bracket: a word, or ('opt', items)."""
    teile = []
    while i < len(woerter):
        w = woerter[i]
        if w == "[":
            innen, i = zerlegen(woerter, i + 1)
            teile.append(("opt", innen))
        elif w == "]":
            return teile, i + 1
        else:
            teile.append(w)
            i += 1
    return teile, i


def ausfuehren_liste(teile, mit_optionen, wahl):
    aus = []
    for t in teile:
        if isinstance(t, tuple):
            if mit_optionen and "-h" not in str(t[1]):
                aus += ausfuehren_liste(t[1], mit_optionen, wahl)
        else:
            alternativen = t.split("|")
            aus.append(alternativen[wahl % len(alternativen)])
    return aus


def alternativen(teile):
    return max([len(t.split("|")) for t in teile if isinstance(t, str)] +
               [alternativen(t[1]) for t in teile if isinstance(t, tuple)] + [1])


def einsetzen(worte):
    aus = []
    for w in worte:
        if w.startswith("-"):
            aus.append(w)
        elif w in WERTE:
            aus += WERTE[w]
        else:
            raise SystemExit(f"unbekannter Platzhalter {w!r}")
    return aus


arbeit = tempfile.mkdtemp()
try:
    # A gnuplot that draws nothing, so that -d stays fast.
    attrappe = os.path.join(arbeit, "attrappe")
    os.mkdir(attrappe)
    with open(os.path.join(attrappe, "gnuplot"), "w") as g:
        g.write("#!/bin/sh\nexit 0\n")
    os.chmod(os.path.join(attrappe, "gnuplot"), 0o755)
    umgebung = dict(os.environ, PATH=attrappe + ":" + programme + ":" + os.environ["PATH"])

    # A program whose input file is left out reads standard input: the
    # spline problem there too.
    def lauf(befehl):
        eingabe = os.path.join(arbeit, "spline.txt")
        with open(eingabe if os.path.exists(eingabe) else os.devnull) as ein:
            return subprocess.run(befehl, cwd=arbeit, env=umgebung, capture_output=True,
                                  text=True, stdin=ein)

    def datei(name, befehl):
        ergebnis = lauf(befehl)
        if ergebnis.returncode != 0:
            raise SystemExit(f"{' '.join(befehl)}: {ergebnis.stderr}")
        with open(os.path.join(arbeit, name), "w") as f:
            f.write(ergebnis.stdout)

    ergebnis = lauf(["splineerzeuger", "-a", "-n", "4", "1"])
    with open(os.path.join(arbeit, "spline.txt"), "w") as f:
        f.write(ergebnis.stdout)
    datei("soll.txt", ["beispielwerte", "4", "1"])
    datei("ist.txt", ["kurvenpunkte", "4", os.path.join(arbeit, "spline.txt")])

    fehler = 0
    anzahl = 0
    for seite in sorted(os.listdir(handbuch)):
        if not seite.endswith(".1"):
            continue
        for zeile in synopsis(os.path.join(handbuch, seite)):
            woerter = zeile.replace("[", " [ ").replace("]", " ] ").replace(" | ", "|").split()
            teile, _ = zerlegen(woerter[1:])
            befehle = []
            for wahl in range(alternativen(teile)):
                befehle.append(ausfuehren_liste(teile, True, wahl))
            befehle.append(ausfuehren_liste(teile, False, 0))
            gesehen = set()
            for worte in befehle:
                befehl = [woerter[0]] + einsetzen(worte)
                if tuple(befehl) in gesehen:
                    continue
                gesehen.add(tuple(befehl))
                anzahl += 1
                ergebnis = lauf(befehl)
                if ergebnis.returncode != 0:
                    print(f"{seite}: {zeile}\n  {' '.join(befehl)}: Status {ergebnis.returncode}")
                    print("  " + ergebnis.stderr[:400].replace("\n", "\n  "))
                    fehler = 1
    print(f"{anzahl} Aufrufe aus den Synopsen geprueft.")
    sys.exit(fehler)
finally:
    shutil.rmtree(arbeit)
