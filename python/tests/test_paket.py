"""The package route: a wheel built once with pip from a copy of the
sources (the project's folders stay untouched), `pip install .` into a
fresh venv, pip show, uninstall, and the wheel into a second venv; the
installed module computes the build's doubles and is stripped."""

import os
import shutil
import subprocess
import sys
import tempfile

import pytest

import numerik

QUELLE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
# What the package is built from.
TEILE = ["pyproject.toml", "setup.py", "README.md", "LICENSE", "CMakeLists.txt", "include",
         "numerik", "python"]
PROBE = ("import numerik, sys; s = numerik.Spline([0.0, 0.3, 1.0, 2.0], [1.0, 2.0, 0.0, 5.0]);"
         "print(numerik.__file__); print(repr(float(s(0.77))), repr(float(s.integral(0.1, 1.9))))")


def laufen(*befehl, cwd=None):
    # Neither the build's module nor a user's pip configuration comes in.
    umgebung = {k: v for k, v in os.environ.items() if k != "PYTHONPATH" and not k.startswith("PIP_")}
    umgebung["PIP_DISABLE_PIP_VERSION_CHECK"] = "1"
    # Unoptimised, which compiles in a third of the time: the test is about
    # the package, and without fused multiply-add the module computes the
    # same doubles at any optimisation.
    umgebung["CFLAGS"] = "-O0"
    lauf = subprocess.run(list(befehl), cwd=cwd, env=umgebung, capture_output=True, text=True)
    assert lauf.returncode == 0, f"{befehl}:\n{lauf.stdout}\n{lauf.stderr}"
    return lauf.stdout


@pytest.fixture(scope="module")
def ordner():
    with tempfile.TemporaryDirectory(prefix="numerik-paket-") as o:
        quelle = os.path.join(o, "quelle")
        for teil in TEILE:
            von = os.path.join(QUELLE, teil)
            if os.path.isdir(von):
                shutil.copytree(von, os.path.join(quelle, teil),
                                ignore=shutil.ignore_patterns("tests", "__pycache__", "*.pyc"))
            else:
                os.makedirs(quelle, exist_ok=True)
                shutil.copy(von, quelle)
        yield o


def venv(ordner, name):
    pfad = os.path.join(ordner, name)
    laufen(sys.executable, "-m", "venv", "--system-site-packages", pfad)
    return os.path.join(pfad, "bin", "python")


@pytest.fixture(scope="module")
def rad(ordner):
    """The wheel, built once; its objects stay for pip install . below."""
    laufen(sys.executable, "-m", "pip", "wheel", "--no-build-isolation", "--no-index", "--no-deps",
           "-w", os.path.join(ordner, "raeder"), ".", cwd=os.path.join(ordner, "quelle"))
    (datei,) = os.listdir(os.path.join(ordner, "raeder"))
    return os.path.join(ordner, "raeder", datei)


def test_pip_install_show_uninstall(ordner, rad):
    python = venv(ordner, "v1")
    laufen(python, "-m", "pip", "install", "--no-build-isolation", "--no-index", ".",
           cwd=os.path.join(ordner, "quelle"))
    datei, werte = laufen(python, "-c", PROBE, cwd=ordner).splitlines()
    assert datei.startswith(os.path.join(ordner, "v1"))
    # The doubles of the build's module (same sources, same flags).
    s = numerik.Spline([0.0, 0.3, 1.0, 2.0], [1.0, 2.0, 0.0, 5.0])
    assert werte == f"{float(s(0.77))!r} {float(s.integral(0.1, 1.9))!r}"
    angaben = dict(z.split(": ", 1) for z in laufen(python, "-m", "pip", "show", "numerik").splitlines()
                   if ": " in z)
    with open(os.path.join(QUELLE, "CMakeLists.txt"), encoding="utf-8") as cmake:
        assert f"project(numerik VERSION {angaben['Version']} " in cmake.read()
    assert angaben["Name"] == "numerik" and angaben["License"] == "MIT"
    assert "Interpolation" in angaben["Summary"]
    laufen(python, "-m", "pip", "uninstall", "-y", "numerik")
    fehlt = subprocess.run([python, "-c", "import numerik"], cwd=ordner, capture_output=True,
                           env={k: v for k, v in os.environ.items() if k != "PYTHONPATH"})
    assert fehlt.returncode != 0


def test_rad_in_zweiter_umgebung(ordner, rad):
    assert os.path.basename(rad).startswith("numerik-") and rad.endswith(".whl")
    python = venv(ordner, "v2")
    laufen(python, "-m", "pip", "install", "--no-index", rad)
    datei, _ = laufen(python, "-c", PROBE, cwd=ordner).splitlines()
    assert datei.startswith(os.path.join(ordner, "v2"))
    modul = [os.path.join(w, d) for w, _, ds in os.walk(os.path.dirname(datei)) for d in ds
             if d.startswith("_numerik") and d.endswith(".so")]
    assert len(modul) == 1
    abschnitte = laufen("readelf", "-S", "-W", modul[0])
    assert ".symtab" not in abschnitte and ".debug_info" not in abschnitte
