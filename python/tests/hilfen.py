"""What the module's tests share: the programs of the build and the
NM_MATRIX texts they write."""

import os
import subprocess


def programm(name, *argumente, cwd=None):
    """Runs a program of the build; returns its standard output."""
    pfad = os.path.join(os.environ["NUMERIK_BIN"], name)
    lauf = subprocess.run([pfad, *map(str, argumente)], cwd=cwd, capture_output=True, text=True,
                          check=True)
    return lauf.stdout


def matrizen_lesen(text):
    """The NM_MATRIX texts in text, by name, each as a list of rows."""
    zeilen = [z.strip() for z in text.splitlines()]
    matrizen = {}
    i = 0
    while i < len(zeilen):
        if zeilen[i].startswith("NM_MATRIX:"):
            name = zeilen[i].split(":", 1)[1].strip()
            n = int(zeilen[i + 1].split("=")[1])
            m = int(zeilen[i + 2].split("=")[1])
            zahlen = [float(z) for z in zeilen[i + 3:i + 3 + n * m]]
            matrizen[name] = [zahlen[k * m:(k + 1) * m] for k in range(n)]
            i += 3 + n * m
        else:
            i += 1
    return matrizen
