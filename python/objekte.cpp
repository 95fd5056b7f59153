// The module numerik._numerik: the interpolation classes as Python objects
// over the shared library, the node kinds, the methods and example problems
// as data, and the library's fatal path as the exception numerik.Fehler.
// Python-side conveniences (the study's callables, pandas, the plots) live
// in numerik/__init__.py and numerik/plot.py.
#include "modul.h"

#include "numerik/aaaipl.h"
#include "numerik/beispielfunktionen.h"
#include "numerik/knotenarten.h"
#include "numerik/methoden.h"
#include "numerik/nmmatrix.h"
#include "numerik/trigipl.h"
#include "numerik/zahlen.h"

#include <pybind11/stl.h>

#include <array>
#include <climits>
#include <cmath>
#include <complex>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

namespace {

// The library's handler: every failure leaves the failing call as a C++
// exception, which pybind11 turns into numerik.Fehler.  The message loses
// only its closing line break.
[[noreturn]] void ausnahme_werfen(const char *meldung, int /*status*/) {
    std::string text = meldung != nullptr ? meldung : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    throw bibliotheksfehler(text.empty() ? "Fehler in der Bibliothek numerik" : text);
}

// The category of the library's warnings in Python (numerik.Warnung).
PyObject *warnungsklasse = nullptr;

// The library's handler of warnings: each becomes warnings.warn(meldung,
// numerik.Warnung), with the GIL taken (a study may warn while it runs
// without it).  Where the filters turn it into an error, that error leaves
// the library's call, which releases what it had made.
void warnung_weitergeben(const char *meldung) {
    py::gil_scoped_acquire gil;
    std::string text = meldung != nullptr ? meldung : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    if (PyErr_WarnEx(warnungsklasse, text.c_str(), 1) < 0) throw py::error_already_set();
}

// A FILE held for the length of one call, closed on every path.
struct datei_schliesser {
    void operator()(FILE *f) const { std::fclose(f); }
};
using datei_zeiger = std::unique_ptr<FILE, datei_schliesser>;

// Full precision for the length of one call, the former form restored on
// every path.
class zahlform_wahl {
  public:
    explicit zahlform_wahl(bool voll)
        : vorher_(zahl_form_setzen(voll ? ZAHL_FORM_VOLL : ZAHL_FORM_F)) {}
    ~zahlform_wahl() { zahl_form_setzen(vorher_); }
    zahlform_wahl(const zahlform_wahl &) = delete;
    zahlform_wahl &operator=(const zahlform_wahl &) = delete;

  private:
    int vorher_;
};

// An interpolation of the library held by a Python object.  Evaluation runs
// without the GIL; the mutex keeps two threads off one object (a periodic
// spline fixes its bounds at its first evaluation).
class interpolation {
  public:
    explicit interpolation(objekt *ip) : ip_(ip) {}
    virtual ~interpolation() = default;
    interpolation(const interpolation &) = delete;
    interpolation &operator=(const interpolation &) = delete;

    py::array_t<double>
    werte(const py::array_t<double, py::array::c_style | py::array::forcecast> &x) {
        return feldweise(x, [&](const double *ein, double *aus, std::size_t anzahl) {
            interpolation_werte(ip_.get(), ein, aus, anzahl);
        });
    }

    // The k-th derivative (k = 0, 1, 2) at the points x, through the
    // library's checking entry.
    py::array_t<double>
    ableitung(const py::array_t<double, py::array::c_style | py::array::forcecast> &x, int k) {
        if (k < 0 || k > 2) numerik_fehler("Ableitung %d nicht moeglich (0, 1 oder 2).\n", k);
        return feldweise(x, [&](const double *ein, double *aus, std::size_t anzahl) {
            for (std::size_t i = 0; i < anzahl; ++i)
                aus[i] = interpolation_ableitung(ip_.get(), k, ein[i]);
        });
    }

    // The definite integral over [x1, x2].
    double integral(double x1, double x2) {
        std::lock_guard<std::mutex> sperre(mutex_);
        return interpolation_integral(ip_.get(), x1, x2);
    }

    // Vector number index as an array: one column as a 1-d array, more as
    // rows x columns (the layout beiwerte prints).
    py::array_t<double> vektor(int index) {
        std::lock_guard<std::mutex> sperre(mutex_);
        objekt *v = interpolation_tabelle(ip_.get())->imVektor(ip_.get(), index);
        const matrix_funktionen *fm = matrix_tabelle(v);
        const int zeilen = fm->hoehe(v);
        const int spalten = fm->breite(v);
        std::vector<py::ssize_t> form{zeilen};
        if (spalten != 1) form.push_back(spalten);
        py::array_t<double> a(form);
        double *d = a.mutable_data();
        for (int i = 1; i <= zeilen; ++i)
            for (int j = 1; j <= spalten; ++j)
                *d++ = fm->amIndex(v, i, j);
        return a;
    }

    void speichern(const std::string &pfad, bool voll) {
        std::lock_guard<std::mutex> sperre(mutex_);
        datei_zeiger aus(std::fopen(pfad.c_str(), "w"));
        if (!aus) numerik_fehler("Oeffnen der Datei %s fehlgeschlagen.\n", pfad.c_str());
        zahlform_wahl form(voll);
        interpolation_tabelle(ip_.get())->speichern(ip_.get(), aus.get());
        const bool fehler = std::ferror(aus.get()) != 0;
        if (std::fclose(aus.release()) != 0 || fehler)
            numerik_fehler("Schreiben der Datei %s fehlgeschlagen.\n", pfad.c_str());
    }

    std::string name() { return interpolation_tabelle(ip_.get())->name(ip_.get()); }
    // f(the library's object), one thread on the object at a time.
    template <class F> auto mit_objekt(F f) {
        std::lock_guard<std::mutex> sperre(mutex_);
        return f(ip_.get());
    }
    std::string klasse() {
        objekt *k = interpolation_tabelle(ip_.get())->klasse(ip_.get());
        return interpolation_tabelle(k)->name(k);
    }
    std::pair<double, double> grenzen() {
        std::lock_guard<std::mutex> sperre(mutex_);
        const interpolation_funktionen *fi = interpolation_tabelle(ip_.get());
        return {fi->linkeGrenze(ip_.get()), fi->rechteGrenze(ip_.get())};
    }

  private:
    // f(ein, aus, anzahl) over the points of x into an array of the same
    // shape: in C++, without the GIL, one thread on the object at a time.
    template <class F>
    py::array_t<double>
    feldweise(const py::array_t<double, py::array::c_style | py::array::forcecast> &x, F f) {
        std::vector<py::ssize_t> form(x.shape(), x.shape() + x.ndim());
        py::array_t<double> y(form);
        const double *ein = x.data();
        double *aus = y.mutable_data();
        const auto anzahl = static_cast<std::size_t>(x.size());
        {
            py::gil_scoped_release ohne_gil;
            std::lock_guard<std::mutex> sperre(mutex_);
            f(ein, aus, anzahl);
        }
        return y;
    }

    interpolation_zeiger ip_;
    std::mutex mutex_;
};

// One Python class per interpolation class (per record of the library), so
// that isinstance tells them apart and laden returns the class of the file.
// pybind11 gives each Python class a C++ type of its own: the K-th record's
// class is klassenobjekt<K>.
template <int K> struct klassenobjekt : interpolation { using interpolation::interpolation; };

// The most classes the module can offer (the registry is checked against it
// when the module is made).
constexpr int KLASSEN_MAX = 8;

template <int... K>
constexpr std::array<std::unique_ptr<interpolation> (*)(objekt *), sizeof...(K)>
fabriken(std::integer_sequence<int, K...>) {
    return {[](objekt *ip) -> std::unique_ptr<interpolation> {
        return std::make_unique<klassenobjekt<K>>(ip);
    }...};
}

// The Python object of ip, of the class of its record.
std::unique_ptr<interpolation> geladen(objekt *ip) {
    static constexpr auto FABRIKEN = fabriken(std::make_integer_sequence<int, KLASSEN_MAX>{});
    const interpolationstyp *t = interpolationstyp_von(ip);
    for (int k = 0; k < interpolationstypen_anzahl() && k < KLASSEN_MAX; ++k)
        if (interpolationstyp_an(k) == t) return FABRIKEN[static_cast<std::size_t>(k)](ip);
    return std::make_unique<interpolation>(ip);
}

// A 1-d array of doubles as a column vector of the library.
matrix_zeiger vektor_aus(const py::handle &folge, const char *was) {
    auto a = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(folge);
    if (!a) {
        PyErr_Clear();
        numerik_fehler("%s: keine Folge von Zahlen.\n", was);
    }
    if (a.ndim() != 1)
        numerik_fehler("%s: eine Folge von Zahlen erwartet, nicht %d-dimensional.\n", was,
                       static_cast<int>(a.ndim()));
    if (a.size() >= INT_MAX) numerik_fehler("%s: zu viele Werte.\n", was);
    const int n = static_cast<int>(a.size());
    nmmatrix_parameter p = {n, 1, was, 1};
    matrix_zeiger v(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    const double *d = a.data();
    for (int i = 0; i < n; ++i)
        nmmatrix_setzen(v.get(), i + 1, 1, d[i]);
    return v;
}

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

double zahl_oder_nan(const py::object &o) {
    return o.is_none() ? NAN : o.cast<double>();
}

// The problem part shared by every class: the nodes as an array, or a node
// kind's key with the interval a, b; the values.
struct problemteil {
    interpolation_problem p{};
    matrix_zeiger x;
    matrix_zeiger y;
    std::string name;
};

problemteil problem_lesen(klasse *methode, const py::object &x, const py::object &y,
                          const py::object &a, const py::object &b, const py::object &name) {
    problemteil t;
    t.name = name.is_none() ? std::string("unbenannt") : name.cast<std::string>();
    interpolation_problem_vorbelegen(&t.p, methode);
    t.p.name = t.name.c_str();
    if (py::isinstance<py::str>(x)) {
        const knotenart &k = knotenart_zu(x.cast<std::string>());
        if (k.gespeichert)
            numerik_fehler("Knotenart %s: die Stuetzstellen selbst angeben (x als Folge).\n",
                           k.schluessel);
        if (a.is_none() || b.is_none())
            numerik_fehler("Knotenart %s: a und b fehlen.\n", k.schluessel);
        t.p.art = k.nummer;
        t.p.a = zahl_oder_nan(a);
        t.p.b = zahl_oder_nan(b);
    } else {
        if (!a.is_none() || !b.is_none())
            numerik_fehler("a und b gelten nur mit einer Knotenart statt der Stuetzstellen.\n");
        t.x = vektor_aus(x, "Stuetzstellen");
        t.p.art = STUETZSTELLEN_GEGEBEN;
        t.p.stuetzstellen = t.x.get();
    }
    t.y = vektor_aus(y, "Stuetzwerte");
    t.p.stuetzwerte = t.y.get();
    return t;
}

// The names of the named values of option o, for messages.
std::string wahlen_text(const interpolation_option &o) {
    std::string bekannt;
    for (const interpolation_wahl *w = o.wahlen; w->schluessel != nullptr; ++w)
        bekannt += std::string(bekannt.empty() ? "" : ", ") + w->schluessel;
    return bekannt;
}

// A Python value for option o: one of its names (or a whole number) where
// it has names, a whole number or truth value where it is whole, else a
// number; None leaves a number option unset (not a number).
double optionswert(const interpolation_option &o, const py::handle &wert) {
    if (o.wahlen != nullptr && py::isinstance<py::str>(wert)) {
        const std::string name = wert.cast<std::string>();
        for (const interpolation_wahl *w = o.wahlen; w->schluessel != nullptr; ++w)
            if (name == w->schluessel) return w->wert;
        numerik_fehler("Unbekannte Angabe %s = %s (moeglich: %s).\n", o.schluessel, name.c_str(),
                       wahlen_text(o).c_str());
    }
    if (wert.is_none()) {
        if (o.ganzzahlig) numerik_fehler("%s: keine Angabe (None) moeglich.\n", o.schluessel);
        return NAN;
    }
    if (o.ganzzahlig) {
        if (!py::isinstance<py::int_>(wert))
            numerik_fehler("%s: eine ganze Zahl erwartet%s%s.\n", o.schluessel,
                           o.wahlen != nullptr ? " oder einer von " : "",
                           o.wahlen != nullptr ? wahlen_text(o).c_str() : "");
        return static_cast<double>(wert.cast<long long>());
    }
    return wert.cast<double>();
}

// The object of class t from Python's arguments: the nodes (or a node
// kind's key) and the values, then the options in the order of the
// record, positionally or by key, and the keywords a, b and name.
objekt *objekt_erzeugen(const interpolationstyp &t, const py::object &x, const py::object &y,
                        const py::args &weitere, const py::kwargs &schluessel) {
    if (static_cast<int>(weitere.size()) > t.optionen_anzahl)
        numerik_fehler("%s nimmt hoechstens %d Angaben nach x und y.\n", t.kurzname,
                       t.optionen_anzahl);
    py::object a = py::none(), b = py::none(), name = py::none();
    std::vector<py::object> optionen(static_cast<std::size_t>(t.optionen_anzahl));
    for (std::size_t k = 0; k < weitere.size(); ++k)
        optionen[k] = weitere[k];
    for (const auto &[k, wert] : schluessel) {
        const std::string wort = k.cast<std::string>();
        if (wort == "a") {
            a = py::reinterpret_borrow<py::object>(wert);
        } else if (wort == "b") {
            b = py::reinterpret_borrow<py::object>(wert);
        } else if (wort == "name") {
            name = py::reinterpret_borrow<py::object>(wert);
        } else {
            const int nr = interpolation_option_nummer(&t, wort.c_str());
            if (nr < 0) {
                std::string bekannt = "a, b, name";
                for (int i = 0; i < t.optionen_anzahl; ++i)
                    bekannt += std::string(", ") + t.optionen[i].schluessel;
                numerik_fehler("%s kennt keine Angabe %s (moeglich: %s).\n", t.kurzname,
                               wort.c_str(), bekannt.c_str());
            }
            if (optionen[static_cast<std::size_t>(nr)])
                numerik_fehler("%s: %s doppelt angegeben.\n", t.kurzname, wort.c_str());
            optionen[static_cast<std::size_t>(nr)] = py::reinterpret_borrow<py::object>(wert);
        }
    }
    problemteil teil = problem_lesen(t.beschreibung, x, y, a, b, name);
    for (int k = 0; k < t.optionen_anzahl; ++k)
        if (optionen[static_cast<std::size_t>(k)])
            teil.p.optionen[k] = optionswert(t.optionen[k], optionen[static_cast<std::size_t>(k)]);
    return interpolation_erzeugen(&teil.p, nullptr);
}

// AAA's poles, residues or zeros (holen: the library's query) as a
// complex array.
py::array_t<std::complex<double>> komplexe_werte(interpolation &ip,
                                                 int (*holen)(objekt *, double *, double *, int)) {
    return ip.mit_objekt([&](objekt *o) {
        const int anzahl = holen(o, nullptr, nullptr, 0);
        std::vector<double> re(static_cast<std::size_t>(anzahl));
        std::vector<double> im(static_cast<std::size_t>(anzahl));
        holen(o, re.data(), im.data(), anzahl);
        py::array_t<std::complex<double>> z(anzahl);
        std::complex<double> *d = z.mutable_data();
        for (int k = 0; k < anzahl; ++k)
            d[k] = {re[static_cast<std::size_t>(k)], im[static_cast<std::size_t>(k)]};
        return z;
    });
}

// What a class adds to the common form: the trigonometric interpolation
// is also made from its values on [a, b) alone, AAA tells its poles,
// residues and zeros.
template <class O>
void klasse_ergaenzen(py::class_<O, interpolation> &c, const interpolationstyp *t) {
    if (t == &trig_typ)
        c.def(py::init([](const py::array_t<double, py::array::c_style | py::array::forcecast> &y,
                          double a, double b, const py::object &name) {
                  problemteil teil = problem_lesen(trig_typ.beschreibung, py::str("aequidistant"),
                                                   y, py::float_(a), py::float_(b), name);
                  interpolation_zeiger ip(interpolation_erzeugen(&teil.p, nullptr));
                  auto objekt_py = std::make_unique<O>(ip.get());
                  ip.release();
                  return objekt_py;
              }),
              py::arg("y"), py::arg("a"), py::arg("b"), py::arg("name") = py::none());
    if (t == &aaa_typ) {
        c.def("pole", [](interpolation &ip) { return komplexe_werte(ip, aaainterpolation_pole); });
        c.def("residuen",
              [](interpolation &ip) { return komplexe_werte(ip, aaainterpolation_residuen); });
        c.def("nullstellen",
              [](interpolation &ip) { return komplexe_werte(ip, aaainterpolation_nullstellen); });
    }
}

// The Python class of record K, made from Python's arguments by
// objekt_erzeugen; none where the registry has fewer classes.
template <int K> void klasse_anmelden(py::module_ &m) {
    if (K >= interpolationstypen_anzahl()) return;
    py::class_<klassenobjekt<K>, interpolation> c(m, interpolationstyp_an(K)->kurzname);
    klasse_ergaenzen<klassenobjekt<K>>(c, interpolationstyp_an(K));
    c.def(py::init([](const py::object &x, const py::object &y, const py::args &weitere,
                      const py::kwargs &schluessel) {
              interpolation_zeiger ip(
                  objekt_erzeugen(*interpolationstyp_an(K), x, y, weitere, schluessel));
              auto objekt_py = std::make_unique<klassenobjekt<K>>(ip.get());
              ip.release();
              return objekt_py;
          }),
          py::arg("x"), py::arg("y"));
}

template <int... K> void klassen_anmelden(py::module_ &m, std::integer_sequence<int, K...>) {
    if (interpolationstypen_anzahl() > KLASSEN_MAX)
        throw std::logic_error("mehr Interpolationsklassen als das Modul anbieten kann");
    (klasse_anmelden<K>(m), ...);
}

// The options of ip by key: the name of a named value (or its number where
// it has none), None for a number option not set.
py::dict optionen_von(objekt *ip) {
    py::dict d;
    const interpolationstyp *t = interpolationstyp_von(ip);
    if (t == nullptr) return d;
    for (int k = 0; k < t->optionen_anzahl; ++k) {
        const interpolation_option &o = t->optionen[k];
        const double wert = t->option(ip, k);
        py::object py_wert = o.ganzzahlig       ? py::object(py::int_(static_cast<long long>(wert)))
                             : std::isnan(wert) ? py::object(py::none())
                                                : py::object(py::float_(wert));
        for (const interpolation_wahl *w = o.wahlen; w != nullptr && w->schluessel != nullptr; ++w)
            if (w->wert == wert) py_wert = py::str(w->schluessel);
        d[o.schluessel] = py_wert;
    }
    return d;
}

std::unique_ptr<interpolation> laden(const std::string &pfad) {
    datei_zeiger ein(std::fopen(pfad.c_str(), "rb"));
    if (!ein) numerik_fehler("Oeffnen der Datei %s fehlgeschlagen.\n", pfad.c_str());
    objekt *ip = interpolation_laden(ein.get(), nullptr);
    // Held at once, so that a read error below releases it.
    std::unique_ptr<interpolation> objekt_py = geladen(ip);
    if (std::ferror(ein.get()) != 0) numerik_fehler("Fehler in der Eingabe.\n");
    return objekt_py;
}

py::array_t<double> knoten(const std::string &art, double a, double b, int n) {
    const knotenart &k = knotenart_zu(art);
    if (k.punkt == nullptr)
        numerik_fehler(
            "Knotenart %s: keine Platzierung auf [a, b], die Stuetzstellen sind gegeben.\n",
            k.schluessel);
    if (n < 1) numerik_fehler("n muss mindestens 1 sein!\n");
    if (n >= INT_MAX - 1) numerik_fehler("n zu gross!\n");
    if (!std::isfinite(a) || !std::isfinite(b))
        numerik_fehler("Intervall [%f,%f]: a und b muessen endlich sein.\n", a, b);
    nmmatrix_parameter p = {n + 1, 1, "Stuetzstellen", 1};
    matrix_zeiger x(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    stuetzstellen_platzieren(x.get(), k.nummer, n, a, b, "Stuetzstellen");
    py::array_t<double> ergebnis(n + 1);
    double *d = ergebnis.mutable_data();
    for (int i = 0; i <= n; ++i)
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

const beispielfunktion &beispiel_zu(int m) {
    if (m < 1) numerik_fehler("m muss mindestens 1 sein!\n");
    if (m > funktion_anzahl) numerik_fehler("Funktion Nr. %i nicht definiert.\n", m);
    return funktion[m - 1];
}

py::dict beispiel(int m) {
    const beispielfunktion &f = beispiel_zu(m);
    py::dict d;
    d["name"] = f.name;
    d["a"] = f.a;
    d["b"] = f.b;
    return d;
}

py::array_t<double>
beispielwerte(int m, const py::array_t<double, py::array::c_style | py::array::forcecast> &x) {
    const beispielfunktion &f = beispiel_zu(m);
    std::vector<py::ssize_t> form(x.shape(), x.shape() + x.ndim());
    py::array_t<double> y(form);
    const double *ein = x.data();
    double *aus = y.mutable_data();
    for (py::ssize_t i = 0; i < x.size(); ++i)
        aus[i] = beispiel_f(&f, ein[i]);
    return y;
}

} // namespace

PYBIND11_MODULE(_numerik, m) {
    m.doc() = "numerik: Interpolation und Konvergenzstudie (Bibliothek numerik)";
    numerik_fehlerbehandlung_setzen(ausnahme_werfen);
    py::register_exception<bibliotheksfehler>(m, "Fehler", PyExc_ValueError);
    warnungsklasse = PyErr_NewException("numerik.Warnung", PyExc_UserWarning, nullptr);
    m.attr("Warnung") = py::handle(warnungsklasse);
    numerik_warnungsbehandlung_setzen(warnung_weitergeben);

    py::class_<interpolation>(m, "Interpolation")
        .def("__call__", &interpolation::werte, py::arg("x"))
        .def("ableitung", &interpolation::ableitung, py::arg("x"), py::arg("k") = 1)
        .def("integral", &interpolation::integral, py::arg("a"), py::arg("b"))
        .def_property_readonly("koeffizienten", [](interpolation &ip) { return ip.vektor(2); })
        .def_property_readonly("x", [](interpolation &ip) { return ip.vektor(0); })
        .def_property_readonly("y", [](interpolation &ip) { return ip.vektor(1); })
        .def_property_readonly("grenzen", &interpolation::grenzen)
        .def_property_readonly("name", &interpolation::name)
        .def_property_readonly("klasse", &interpolation::klasse)
        .def_property_readonly("optionen",
                               [](interpolation &ip) { return ip.mit_objekt(optionen_von); })
        .def("speichern", &interpolation::speichern, py::arg("pfad"), py::arg("voll") = false)
        .def("__repr__",
             [](interpolation &ip) { return "<numerik." + ip.klasse() + " '" + ip.name() + "'>"; });

    klassen_anmelden(m, std::make_integer_sequence<int, KLASSEN_MAX>{});
    m.def("laden", &laden, py::arg("pfad"));
    m.def("knoten", &knoten, py::arg("art"), py::arg("a"), py::arg("b"), py::arg("n"));
    m.def("knotenarten", &knotenarten);
    m.def("methoden", &methodenliste);
    m.def("beispiel", &beispiel, py::arg("m"));
    m.def("beispielwerte", &beispielwerte, py::arg("m"), py::arg("x"));
    m.def("beispiel_anzahl", [] { return funktion_anzahl; });
    // The fatal path for the Python side of the package, so that its own
    // refusals reach the caller as the library's do.
    m.def("_fehler", [](const std::string &meldung) { numerik_fehler("%s\n", meldung.c_str()); });
    studie_anmelden(m);
}
