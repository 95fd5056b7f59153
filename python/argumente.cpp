// The readers of Python's arguments: every argument of the module passes
// one of them, so that a wrong type ends in numerik.Typfehler naming the
// argument and what it takes, never in pybind11's message of a failed cast,
// and None or complex numbers never become nan or lose their imaginary part.
#include "modul.h"

#include <string>

namespace {

// Python's type name of wert, in German where the common ones are meant.
std::string typname(const py::handle &wert) {
    if (wert.is_none()) return "None";
    if (py::isinstance<py::str>(wert)) return "Text (str)";
    if (PyComplex_Check(wert.ptr())) return "eine komplexe Zahl";
    return std::string("ein Objekt vom Typ ") + Py_TYPE(wert.ptr())->tp_name;
}

// The module numbers, held for the life of the process (no destructor that
// would run after the interpreter has gone).
py::handle numbers() {
    static PyObject *m = py::module_::import("numbers").release().ptr();
    return m;
}

bool ist_reell(const py::handle &wert) {
    return py::isinstance(wert, numbers().attr("Real"));
}

} // namespace

void typ_falsch(const char *argument, const char *erwartet, const py::handle &wert) {
    throw typfehler(std::string(argument) + ": " + erwartet + " erwartet, nicht " + typname(wert) +
                    ".");
}

double zahl_lesen(const py::handle &wert, const char *argument) {
    if (ist_reell(wert)) return py::float_(py::reinterpret_borrow<py::object>(wert));
    // A 0-d array of a real kind counts as its number.
    if (py::isinstance<py::array>(wert)) {
        auto a = py::reinterpret_borrow<py::array>(wert);
        const char art = a.dtype().kind();
        if (a.ndim() == 0 && (art == 'f' || art == 'i' || art == 'u' || art == 'b'))
            return py::float_(a.attr("item")());
    }
    typ_falsch(argument, "eine reelle Zahl", wert);
}

long long ganz_lesen(const py::handle &wert, const char *argument) {
    if (py::isinstance(wert, numbers().attr("Integral"))) {
        const py::int_ ganz(py::reinterpret_borrow<py::object>(wert));
        int ueberlauf = 0;
        const long long z = PyLong_AsLongLongAndOverflow(ganz.ptr(), &ueberlauf);
        if (ueberlauf != 0) throw bibliotheksfehler(std::string(argument) + ": zu gross.");
        return z;
    }
    typ_falsch(argument, "eine ganze Zahl", wert);
}

bool wahr_lesen(const py::handle &wert, const char *argument) {
    if (py::isinstance<py::bool_>(wert) || py::isinstance(wert, numbers().attr("Integral")))
        return py::int_(py::reinterpret_borrow<py::object>(wert)).cast<long long>() != 0;
    typ_falsch(argument, "True oder False", wert);
}

std::string text_lesen(const py::handle &wert, const char *argument) {
    if (!py::isinstance<py::str>(wert)) typ_falsch(argument, "ein Text (str)", wert);
    return wert.cast<std::string>();
}

std::string pfad_lesen(const py::handle &wert, const char *argument) {
    if (py::isinstance<py::str>(wert)) return wert.cast<std::string>();
    if (py::hasattr(wert, "__fspath__")) {
        py::object pfad = wert.attr("__fspath__")();
        if (py::isinstance<py::str>(pfad)) return pfad.cast<std::string>();
    }
    typ_falsch(argument, "ein Pfad (str oder os.PathLike)", wert);
}

zahlenfeld feld_lesen(const py::handle &wert, const char *argument) {
    if (wert.is_none()) typ_falsch(argument, "reelle Zahlen", wert);
    if (py::isinstance<py::str>(wert) || py::isinstance<py::bytes>(wert))
        typ_falsch(argument, "reelle Zahlen", wert);
    py::array a;
    try {
        a = py::module_::import("numpy").attr("asarray")(wert);
    } catch (py::error_already_set &) {
        // Rows of unequal length and the like.
        typ_falsch(argument, "reelle Zahlen (ein Feld gleich langer Zeilen)", wert);
    }
    const char art = a.dtype().kind();
    if (art == 'c')
        throw typfehler(std::string(argument) + ": reelle Zahlen erwartet, nicht komplexe.");
    if (art == 'U' || art == 'S')
        throw typfehler(std::string(argument) + ": reelle Zahlen erwartet, nicht Text.");
    if (art == 'O') {
        // Python objects: each must be a real number (None, a complex
        // number or a text is named).
        for (const py::handle e : a.attr("ravel")()) {
            if (!ist_reell(e))
                throw typfehler(std::string(argument) + ": reelle Zahlen erwartet, darunter " +
                                typname(e) + ".");
        }
        a = a.attr("astype")("float64");
    } else if (art != 'f' && art != 'i' && art != 'u' && art != 'b') {
        throw typfehler(std::string(argument) + ": reelle Zahlen erwartet, nicht den Datentyp " +
                        py::str(a.dtype()).cast<std::string>() + ".");
    }
    return zahlenfeld::ensure(a);
}
