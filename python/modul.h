// What the two sources of the module numerik._numerik share.
#ifndef PYTHON_MODUL_H
#define PYTHON_MODUL_H

#include "numerik/fehler.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <stdexcept>

namespace py = pybind11;

// A failure of the library, thrown by the module's handler of the fatal
// path (numerik/fehler.h) with the library's message; Python sees it as
// numerik.Fehler.
struct bibliotheksfehler : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Adds the study (studie.cpp) to the module.
void studie_anmelden(py::module_ &m);

#endif
