"""The extension numerik._numerik for pip: the module's sources and the
library's, compiled into one stripped shared object with setuptools and
pybind11, linked against Debian's muparser.  Intermediate files go to
build-python/ (ignored by git), beside the CMake builds."""

import glob
import os
import re

from pybind11.setup_helpers import ParallelCompile, Pybind11Extension, naive_recompile
from setuptools import setup

HIER = os.path.dirname(os.path.abspath(__file__))
ZWISCHEN = "build-python"


def version():
    """The project's version, from CMakeLists.txt."""
    with open(os.path.join(HIER, "CMakeLists.txt"), encoding="utf-8") as datei:
        treffer = re.search(r"project\(numerik VERSION ([0-9.]+)", datei.read())
    if treffer is None:
        raise RuntimeError("CMakeLists.txt nennt keine Version von numerik")
    return treffer.group(1)


def quellen():
    """The library's sources and the module's, relative to this folder."""
    bibliothek = glob.glob("numerik/**/*.cpp", root_dir=HIER, recursive=True)
    modul = glob.glob("python/*.cpp", root_dir=HIER)
    return sorted(bibliothek) + sorted(modul)


# Two compilers at a time (NUMERIK_JOBS changes that); sources whose object
# is newer are not compiled again.
ParallelCompile("NUMERIK_JOBS", default=2, needs_recompile=naive_recompile).install()
os.makedirs(os.path.join(HIER, ZWISCHEN), exist_ok=True)

setup(
    version=version(),
    packages=["numerik"],
    package_dir={"numerik": "python/numerik"},
    ext_modules=[
        Pybind11Extension(
            "numerik._numerik",
            quellen(),
            # Eigen (AAA's decompositions) from Debian's libeigen3-dev.
            include_dirs=["include", "numerik", "/usr/include/eigen3"],
            libraries=["muparser"],
            cxx_std=20,
            # As the library is built: no fused multiply-add, so that the
            # module computes the programs' doubles; stripped when linked.
            extra_compile_args=["-ffp-contract=off", "-g0", "-pthread"],
            extra_link_args=["-s", "-pthread"],
        )
    ],
    options={
        "build": {"build_base": ZWISCHEN},
        "egg_info": {"egg_base": ZWISCHEN},
    },
    zip_safe=False,
)
