#!/usr/bin/env python3
"""Writes the seed inputs of one fuzz target from the repository's tests.

    saat.py ZIEL QUELLE AUSGABEVERZEICHNIS

zahl_lesen: every line of the program cases' input files and the sample data.
matrix_laden: every input file of the program cases, the sample data, and the
object texts written as string literals in the library tests.
formel_lesen: every formula of the program cases, and some that must be refused.
<program>: every data case of that program, as the target's container
(arguments, then "%%name" sections for its files and "%%-" for stdin); the
programs that read an interpolation also every sample file on standard input.
"""
import ast
import hashlib
import pathlib
import re
import sys

ziel, quelle, ausgabe = sys.argv[1], pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3])
ausgabe.mkdir(parents=True, exist_ok=True)
faelle = quelle / "tests" / "faelle"


def ablegen(daten: bytes):
    (ausgabe / hashlib.sha1(daten).hexdigest()).write_bytes(daten)


def literale(text: str):
    """Adjacent C string literals joined, escapes decoded."""
    for folge in re.finditer(r'(?:"(?:[^"\\\n]|\\.)*"\s*)+', text):
        teile = re.findall(r'"((?:[^"\\\n]|\\.)*)"', folge.group(0))
        try:
            yield "".join(ast.literal_eval('"' + t + '"') for t in teile)
        except (ValueError, SyntaxError):
            pass


if ziel == "matrix_laden":
    for datei in list(faelle.glob("*/*/in/*")) + list(faelle.glob("*/*/stdin")) + \
            list((quelle / "daten").glob("*")):
        if datei.is_file():
            ablegen(datei.read_bytes())
    for test in (quelle / "tests" / "unit").glob("*.cpp"):
        for text in literale(test.read_text()):
            if "MATRIX" in text and ":" in text:
                ablegen(text.encode("latin-1", "replace"))
elif ziel == "zahl_lesen":
    zeilen = set()
    for datei in list(faelle.glob("*/*/in/*")) + list(faelle.glob("*/*/stdin")) + \
            list((quelle / "beispiele").glob("*")):
        if datei.is_file():
            zeilen.update(datei.read_bytes().splitlines(keepends=True))
    for zeile in zeilen:
        ablegen(zeile)
elif ziel == "formel_lesen":
    # Every formula of the program cases: the argument after -f's n or m.
    for args in faelle.glob("*/*/args"):
        zeilen = args.read_bytes().splitlines()
        if b"-f" not in zeilen:
            continue
        for zeile in zeilen:
            if zeile.startswith(b"-"):
                continue
            try:
                float(zeile)
            except ValueError:
                ablegen(zeile)
    for formel in [b"x=1", b"x+=2", b"x\x01*2", b"1e309*x", b"x*1e-400", b"(x>=0)\t*x"]:
        ablegen(formel)
else:
    # Programs that read an interpolation: every sample file of every kind
    # (splines of each kind, Hermite, rational, ...) on standard input.
    if ziel in ("kurvenpunkte", "beiwerte", "integral"):
        n = b"4\n" if ziel == "kurvenpunkte" else b""
        for datei in sorted((quelle / "beispiele").glob("*.txt")):
            ablegen(n + b"%%-\n" + datei.read_bytes())
    for fall in sorted((faelle / ziel).glob("*")):
        if not fall.is_dir() or (fall / "skript").exists():
            continue
        teile = [(fall / "args").read_bytes() if (fall / "args").exists() else b""]
        if teile[0] and not teile[0].endswith(b"\n"):
            teile[0] += b"\n"
        for datei in sorted((fall / "in").glob("*")) if (fall / "in").is_dir() else []:
            if datei.is_file():
                teile.append(b"%%" + datei.name.encode() + b"\n" + datei.read_bytes())
        if (fall / "stdin").exists():
            teile.append(b"%%-\n" + (fall / "stdin").read_bytes())
        ablegen(b"".join(teile))
