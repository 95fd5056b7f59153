// The module numerik._numerik: the library's fatal path as numerik.Fehler,
// its warnings as numerik.Warnung, the common methods of the interpolation
// classes, the node kinds, the methods and example problems as data.
// Python-side conveniences (the study's callables and table, the plots)
// live in numerik/__init__.py and numerik/plot.py.
#include "objekt.h"

#include "numerik/beispielfunktionen.h"
#include "numerik/knotenarten.h"
#include "numerik/methoden.h"
#include "numerik/nmmatrix.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

std::string ohne_zeilenende(const char *meldung) {
    std::string text = meldung != nullptr ? meldung : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

// The library's handler: every failure leaves the failing call as a C++
// exception, which pybind11 turns into numerik.Fehler.  The message loses
// only its closing line break.
[[noreturn]] void ausnahme_werfen(const char *meldung, int /*status*/) {
    const std::string text = ohne_zeilenende(meldung);
    throw bibliotheksfehler(text.empty() ? "Fehler in der Bibliothek numerik" : text);
}

// The classes of the library's failures, wrong types and warnings in
// Python; they live as long as the interpreter.
PyObject *fehlerklasse = nullptr;
PyObject *typfehlerklasse = nullptr;
PyObject *warnungsklasse = nullptr;

// The library's handler of warnings: each becomes warnings.warn(meldung,
// numerik.Warnung), with the GIL taken (a study may warn while it runs
// without it).  Where the filters turn it into an error, that error leaves
// the library's call, which releases what it had made.  The node vectors
// that follow a periodic continuation are not repeated: the object's x and
// y hold them.
void warnung_weitergeben(const char *meldung) {
    const std::string text = ohne_zeilenende(meldung);
    if (text.rfind("Neue Stuetzpunkte:", 0) == 0) return;
    py::gil_scoped_acquire gil;
    if (PyErr_WarnEx(warnungsklasse, text.c_str(), 1) < 0) throw py::error_already_set();
}

std::unique_ptr<interpolation> laden(const py::handle &pfad_py) {
    const std::string pfad = pfad_lesen(pfad_py, "pfad");
    FILE *ein = std::fopen(pfad.c_str(), "rb");
    if (ein == nullptr) numerik_fehler("Oeffnen der Datei %s fehlgeschlagen.\n", pfad.c_str());
    std::unique_ptr<FILE, int (*)(FILE *)> gehalten(ein, &std::fclose);
    interpolation_zeiger ip(interpolation_laden(ein, nullptr));
    if (std::ferror(ein) != 0) numerik_fehler("Fehler in der Eingabe.\n");
    return geladen(std::move(ip));
}

py::array_t<double> knoten(const py::handle &art, const py::handle &a_py, const py::handle &b_py,
                           const py::handle &n_py) {
    const knotenart &k = knotenart_zu(text_lesen(art, "art"));
    const double a = zahl_lesen(a_py, "a");
    const double b = zahl_lesen(b_py, "b");
    const long long n = ganz_lesen(n_py, "n");
    if (k.punkt == nullptr)
        numerik_fehler(
            "Knotenart %s: keine Platzierung auf [a, b], die Stuetzstellen sind gegeben.\n",
            k.schluessel);
    if (n < 1) numerik_fehler("n muss mindestens 1 sein!\n");
    if (n >= INT_MAX - 1) numerik_fehler("n zu gross!\n");
    if (!std::isfinite(a) || !std::isfinite(b))
        numerik_fehler("Intervall [%f,%f]: a und b muessen endlich sein.\n", a, b);
    const int ni = static_cast<int>(n);
    nmmatrix_parameter p = {ni + 1, 1, "Stuetzstellen", 1};
    matrix_zeiger x(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    stuetzstellen_platzieren(x.get(), k.nummer, ni, a, b, "Stuetzstellen");
    py::array_t<double> ergebnis(ni + 1);
    double *d = ergebnis.mutable_data();
    for (int i = 0; i <= ni; ++i)
        d[i] = nmmatrix_amIndex(x.get(), i + 1, 1);
    return ergebnis;
}

py::list knotenarten() {
    py::list l;
    for (int i = 0; i < knotenarten_anzahl(); ++i) {
        const knotenart *k = knotenart_an(i);
        py::dict d;
        d["schluessel"] = k->schluessel;
        d["titel"] = k->titel;
        d["nummer"] = k->nummer;
        d["platziert"] = k->punkt != nullptr;
        d["kuerzel"] = k->kuerzel;
        l.append(d);
    }
    return l;
}

py::list methodenliste() {
    py::list l;
    for (int i = 0; i < methoden_anzahl; ++i) {
        const methode &me = methoden[i];
        py::dict d;
        d["spalte"] = me.spalte;
        d["titel"] = me.titel;
        d["schluessel"] = me.schluessel;
        d["verfahren"] = me.verfahren;
        d["knotenart"] = knotenart_nummer(me.stuetzstellenart)->schluessel;
        d["gruppe"] = me.gruppe;
        d["uebersicht"] = me.uebersicht;
        d["periodisch"] = me.periodisch;
        d["abl2"] = me.abl2 != 0;
        d["hoechstes_n"] = me.hoechstes_n;
        d["stabil"] =
            me.stabil != nullptr ? py::object(py::str(me.stabil)) : py::object(py::none());
        const methode_stil *stil = methode_stil_von(&me);
        d["farbe"] = stil->farbe;
        d["breite"] = stil->breite;
        d["strich"] = stil->strich;
        l.append(d);
    }
    return l;
}

const beispielfunktion &beispiel_zu(const py::handle &m_py) {
    const long long m = ganz_lesen(m_py, "m");
    if (m < 1) numerik_fehler("m muss mindestens 1 sein!\n");
    if (m > funktion_anzahl) numerik_fehler("Funktion Nr. %lld nicht definiert.\n", m);
    return funktion[m - 1];
}

py::dict beispiel(const py::handle &m) {
    const beispielfunktion &f = beispiel_zu(m);
    py::dict d;
    d["name"] = f.name;
    d["a"] = f.a;
    d["b"] = f.b;
    return d;
}

py::array_t<double> beispielwerte(const py::handle &m, const py::handle &x_py) {
    const beispielfunktion &f = beispiel_zu(m);
    const zahlenfeld x = feld_lesen(x_py, "x");
    std::vector<py::ssize_t> form(x.shape(), x.shape() + x.ndim());
    py::array_t<double> y(form);
    const double *ein = x.data();
    double *aus = y.mutable_data();
    for (py::ssize_t i = 0; i < x.size(); ++i)
        aus[i] = beispiel_f(&f, ein[i]);
    return y;
}

} // namespace

const knotenart &knotenart_zu(const std::string &schluessel) {
    const knotenart *k = knotenart_name(schluessel.c_str());
    if (k == nullptr) {
        std::string bekannt;
        for (int i = 0; i < knotenarten_anzahl(); ++i)
            bekannt += std::string(i > 0 ? ", " : "") + knotenart_an(i)->schluessel;
        numerik_fehler("Unbekannte Knotenart %s (moeglich: %s).\n", schluessel.c_str(),
                       bekannt.c_str());
    }
    return *k;
}

void basis_anmelden(py::class_<interpolation> &c) {
    c.def("__call__", &interpolation::werte, py::arg("x"), py::arg("extrapolate") = py::none(),
          "p(x, extrapolate=None)\n\n"
          "The values at the points x (a number or an array of any shape) as an array of\n"
          "the shape of x, followed by the shape of one value where y was vector-valued.\n"
          "extrapolate overrides the object's for this call: True continues as the class\n"
          "does, False gives nan outside [a, b], \"periodisch\" wraps x into [a, b).\n\n"
          ">>> import numerik\n"
          ">>> p = numerik.Newton([0.0, 1.0, 2.0], [1.0, 3.0, 7.0])\n"
          ">>> p([0.5, 3.0])\n"
          "array([ 1.75, 13.  ])\n"
          ">>> p(3.0, extrapolate=False)\n"
          "array(nan)\n");
    c.def("ableitung", &interpolation::ableitung, py::arg("x"), py::arg("k") = 1,
          py::arg("extrapolate") = py::none(),
          "ableitung(x, k=1, extrapolate=None)\n\n"
          "The k-th derivative (k = 0, 1 or 2) at the points x, shaped as p(x).\n\n"
          ">>> import numerik\n"
          ">>> p = numerik.Newton([0.0, 1.0, 2.0], [1.0, 3.0, 7.0])\n"
          ">>> p.ableitung([0.0, 1.0]), p.ableitung(1.0, k=2)\n"
          "(array([1., 3.]), array(2.))\n");
    c.def("integral", &interpolation::integral, py::arg("a"), py::arg("b"),
          "integral(a, b)\n\n"
          "The definite integral over [a, b] (the negative for a > b); an array of the\n"
          "shape of one value where y was vector-valued.  Beyond the interval as the\n"
          "object extrapolates; with extrapolate=False bounds outside raise numerik.Fehler.\n\n"
          ">>> import numerik\n"
          ">>> p = numerik.Newton([0.0, 1.0, 2.0], [1.0, 3.0, 7.0])\n"
          ">>> round(p.integral(0.0, 2.0), 12)\n"
          "6.666666666667\n");
    c.def_property_readonly(
        "koeffizienten", [](interpolation &ip) { return ip.vektor(2); },
        "The coefficients as beiwerte prints them: for a piecewise cubic row i holds\n"
        "c3, c2, c1, c0 in t = x - x(i); a coefficient vector comes as a 1-d array.\n\n"
        ">>> import numerik\n"
        ">>> numerik.Newton([0.0, 1.0, 2.0], [1.0, 3.0, 7.0]).koeffizienten\n"
        "array([1., 2., 1.])\n");
    c.def_property_readonly(
        "x", [](interpolation &ip) { return ip.vektor(0); },
        "The nodes.\n\n"
        ">>> import numerik\n"
        ">>> numerik.Spline('aequidistant', [0.0, 1.0, 0.0], a=0.0, b=1.0).x\n"
        "array([0. , 0.5, 1. ])\n");
    c.def_property_readonly(
        "y", [](interpolation &ip) { return ip.vektor(1); },
        "The values, in the shape y was given.\n\n"
        ">>> import numerik\n"
        ">>> numerik.Baryzentrisch([0.0, 1.0], [[1.0, 2.0], [3.0, 4.0]]).y\n"
        "array([[1., 2.],\n       [3., 4.]])\n");
    c.def_property_readonly("grenzen", &interpolation::grenzen,
                            "The interval (a, b).\n\n"
                            ">>> import numerik\n"
                            ">>> numerik.Newton([2.0, 0.0, 1.0], [1.0, 3.0, 7.0]).grenzen\n"
                            "(0.0, 2.0)\n");
    c.def_property_readonly("name", &interpolation::name,
                            "The name in the file.\n\n"
                            ">>> import numerik\n"
                            ">>> numerik.Newton([0.0, 1.0], [1.0, 3.0], name='g').name\n"
                            "'g'\n");
    c.def_property_readonly("klasse", &interpolation::klasse,
                            "The type text of the library's class.\n\n"
                            ">>> import numerik\n"
                            ">>> numerik.Spline([0.0, 1.0, 2.0], [0.0, 1.0, 0.0]).klasse\n"
                            "'SPLINE_INTERPOLATION'\n");
    c.def_property_readonly("optionen", &interpolation::optionen,
                            "The options by key, each also an attribute.\n\n"
                            ">>> import numerik\n"
                            ">>> numerik.Rational([0.0, 1.0, 2.0, 3.0], [1.0, 0.0, 1.0, 0.0], "
                            "d=2).optionen\n"
                            "{'d': 2}\n");
    c.def_property_readonly(
        "extrapolate", [](const interpolation &ip) { return fortsetzung_wert(ip.fortsetzung()); },
        "How the object continues beyond its interval: True, False or \"periodisch\".\n\n"
        ">>> import numerik\n"
        ">>> numerik.Newton([0.0, 1.0], [1.0, 3.0], extrapolate=False).extrapolate\n"
        "False\n");
    c.def("speichern", &interpolation::speichern, py::arg("pfad"), py::arg("voll") = true,
          "speichern(pfad, voll=True)\n\n"
          "Writes the text form of the programs: 17 significant digits, read back\n"
          "unchanged, or with voll=False six decimals (the programs' default).\n\n"
          ">>> import os, tempfile, numerik\n"
          ">>> p = numerik.Newton([0.0, 1.0, 2.0], [1.0, 3.0, 7.0], name='p')\n"
          ">>> with tempfile.TemporaryDirectory() as ordner:\n"
          "...     p.speichern(os.path.join(ordner, 'p.txt'))\n"
          "...     q = numerik.laden(os.path.join(ordner, 'p.txt'))\n"
          ">>> q\n"
          "<numerik.Newton n=2 auf [0.0, 2.0] leja=0 name='p'>\n");
}

void funktionen_anmelden(py::module_ &m) {
    m.def("laden", &laden, py::arg("pfad"),
          "laden(pfad)\n\n"
          "Reads an interpolation file of any class (the programs' or speichern's) and\n"
          "returns an object of its class.\n\n"
          ">>> import os, tempfile, numerik\n"
          ">>> with tempfile.TemporaryDirectory() as ordner:\n"
          "...     numerik.Spline([0.0, 1.0, 2.0], [0.0, 1.0, 0.0]).speichern(os.path.join(ordner, "
          "'s'))\n"
          "...     s = numerik.laden(os.path.join(ordner, 's'))\n"
          ">>> type(s).__name__, s.ende\n"
          "('Spline', 'natuerlich')\n");
    m.def("knoten", &knoten, py::arg("art"), py::arg("a"), py::arg("b"), py::arg("n"),
          "knoten(art, a, b, n)\n\n"
          "The n+1 nodes of a placed node kind on [a, b], bit for bit as creation places\n"
          "them.\n\n"
          ">>> import numerik\n"
          ">>> numerik.knoten('aequidistant', 0.0, 2.0, 4)\n"
          "array([0. , 0.5, 1. , 1.5, 2. ])\n");
    m.def("knotenarten", &knotenarten,
          "knotenarten()\n\n"
          "The node-kind table: a dict per kind (schluessel, titel, nummer, platziert,\n"
          "kuerzel).\n\n"
          ">>> import numerik\n"
          ">>> [k['schluessel'] for k in numerik.knotenarten() if k['platziert']]\n"
          "['aequidistant', 'tschebyscheff', 'tschebyscheff1']\n");
    m.def("methoden", &methodenliste,
          "methoden()\n\n"
          "The method table of the study: a dict per column (spalte, titel, verfahren,\n"
          "knotenart, plot style, ...).\n\n"
          ">>> import numerik\n"
          ">>> 'nat.Sp-a' in [me['spalte'] for me in numerik.methoden()]\n"
          "True\n");
    m.def("beispiel", &beispiel, py::arg("m"),
          "beispiel(m)\n\n"
          "Example problem m (1 .. beispiel_anzahl()): its name and interval.\n\n"
          ">>> import numerik\n"
          ">>> sorted(numerik.beispiel(4))\n"
          "['a', 'b', 'name']\n");
    m.def("beispielwerte", &beispielwerte, py::arg("m"), py::arg("x"),
          "beispielwerte(m, x)\n\n"
          "The values of example problem m at the points x.\n\n"
          ">>> import numerik\n"
          ">>> numerik.beispielwerte(4, [0.0, 1.0])\n"
          "array([1. , 0.5])\n");
    m.def(
        "beispiel_anzahl", [] { return funktion_anzahl; },
        "beispiel_anzahl()\n\n"
        "The number of example problems.\n\n"
        ">>> import numerik\n"
        ">>> numerik.beispiel_anzahl() >= 4\n"
        "True\n");
    // The fatal path for the Python side of the package, so that its own
    // refusals reach the caller as the library's do.
    m.def("_fehler", [](const std::string &meldung) { numerik_fehler("%s\n", meldung.c_str()); });
    m.def("_typfehler", [](const std::string &meldung) { throw typfehler(meldung); });
}

PYBIND11_MODULE(_numerik, m) {
    py::options optionen;
    optionen.disable_function_signatures();
    m.doc() = "numerik: Interpolation und Konvergenzstudie (Bibliothek numerik)";
    numerik_fehlerbehandlung_setzen(ausnahme_werfen);
    fehlerklasse = PyErr_NewException("numerik.Fehler", PyExc_ValueError, nullptr);
    m.attr("Fehler") = py::handle(fehlerklasse);
    const py::tuple basen = py::make_tuple(py::handle(fehlerklasse), py::handle(PyExc_TypeError));
    typfehlerklasse = PyErr_NewException("numerik.Typfehler", basen.ptr(), nullptr);
    m.attr("Typfehler") = py::handle(typfehlerklasse);
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const typfehler &e) {
            PyErr_SetString(typfehlerklasse, e.what());
        } catch (const bibliotheksfehler &e) {
            PyErr_SetString(fehlerklasse, e.what());
        }
    });
    warnungsklasse = PyErr_NewException("numerik.Warnung", PyExc_UserWarning, nullptr);
    m.attr("Warnung") = py::handle(warnungsklasse);
    numerik_warnungsbehandlung_setzen(warnung_weitergeben);
    klassen_anmelden(m);
    funktionen_anmelden(m);
    studie_anmelden(m);
}
