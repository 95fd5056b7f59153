// What the sources of the module numerik._numerik share: the exceptions,
// the readers of Python's arguments and the parts that add themselves to
// the module.
#ifndef PYTHON_MODUL_H
#define PYTHON_MODUL_H

#include "numerik/fehler.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <stdexcept>
#include <string>

namespace py = pybind11;

// A failure of the library, thrown by the module's handler of the fatal
// path (numerik/fehler.h) with the library's message; Python sees it as
// numerik.Fehler.
struct bibliotheksfehler : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// An argument of the wrong type; Python sees it as numerik.Typfehler, a
// numerik.Fehler that is also a TypeError.
struct typfehler : bibliotheksfehler {
    using bibliotheksfehler::bibliotheksfehler;
};

// The readers of arguments (argumente.cpp).  Each names the argument in
// its message and says what it takes; None, complex numbers, text and
// other objects where numbers belong raise typfehler.
[[noreturn]] void typ_falsch(const char *argument, const char *erwartet, const py::handle &wert);
double zahl_lesen(const py::handle &wert, const char *argument);
long long ganz_lesen(const py::handle &wert, const char *argument);
bool wahr_lesen(const py::handle &wert, const char *argument);
std::string text_lesen(const py::handle &wert, const char *argument);
// A path: a str or an os.PathLike giving one.
std::string pfad_lesen(const py::handle &wert, const char *argument);
// Real numbers of any shape as a C-contiguous array of doubles.
using zahlenfeld = py::array_t<double, py::array::c_style | py::array::forcecast>;
zahlenfeld feld_lesen(const py::handle &wert, const char *argument);

// The parts of the module.
void klassen_anmelden(py::module_ &m);    // klassen.cpp
void studie_anmelden(py::module_ &m);     // studie.cpp
void funktionen_anmelden(py::module_ &m); // funktionen.cpp

#endif
