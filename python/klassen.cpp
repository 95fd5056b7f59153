// The Python classes of the interpolation classes, made from the class
// records of the library: a record gives a class of its short name, with
// its options as keywords and attributes, its docstring, its repr and
// pickling through the full-precision text form.  A class added to the
// registry appears here without a line of its own.
#include "objekt.h"

#include "numerik/aaaipl.h"
#include "numerik/trigipl.h"
#include "numerik/knotenarten.h"
#include "numerik/nmmatrix.h"

#include <complex>
#include <array>
#include <climits>
#include <cmath>
#include <string>
#include <utility>

namespace {

// One Python class per record, so that isinstance tells them apart and
// laden returns the class of the file: pybind11 gives each Python class a
// C++ type of its own, the K-th record's klassenobjekt<K>.
template <int K> struct klassenobjekt : interpolation { using interpolation::interpolation; };

// The most classes the module can offer (checked against the registry when
// the module is made).
constexpr int KLASSEN_MAX = 8;

template <int... K>
constexpr std::array<std::unique_ptr<interpolation> (*)(bestand &&), sizeof...(K)>
fabriken(std::integer_sequence<int, K...>) {
    return {[](bestand &&b) -> std::unique_ptr<interpolation> {
        return std::make_unique<klassenobjekt<K>>(std::move(b));
    }...};
}

// The names of the named values of option o, for messages and help.
std::string wahlen_text(const interpolation_option &o, const char *trenner = ", ") {
    std::string bekannt;
    for (const interpolation_wahl *w = o.wahlen; w->schluessel != nullptr; ++w)
        bekannt += std::string(bekannt.empty() ? "" : trenner) + w->schluessel;
    return bekannt;
}

// The index of the option whose named values hold "periodisch", and that
// value; -1 where the class has none.
std::pair<int, int> periodische_wahl(const interpolationstyp &t) {
    for (int k = 0; k < t.optionen_anzahl; ++k)
        for (const interpolation_wahl *w = t.optionen[k].wahlen; w != nullptr && w->schluessel; ++w)
            if (std::string(w->schluessel) == "periodisch") return {k, w->wert};
    return {-1, 0};
}

// A Python value for option o: one of its names where it has names, a
// whole number (or truth value) where it is whole, else a real number;
// None leaves a number option unset (not a number).
double optionswert(const interpolation_option &o, const py::handle &wert) {
    if (o.wahlen != nullptr && py::isinstance<py::str>(wert)) {
        const std::string name = wert.cast<std::string>();
        for (const interpolation_wahl *w = o.wahlen; w->schluessel != nullptr; ++w)
            if (name == w->schluessel) return w->wert;
        numerik_fehler("Unbekannte Angabe %s = %s (moeglich: %s).\n", o.schluessel, name.c_str(),
                       wahlen_text(o).c_str());
    }
    if (o.ganzzahlig) {
        const std::string erwartet =
            o.wahlen != nullptr ? "einer von " + wahlen_text(o) : std::string("eine ganze Zahl");
        if (wert.is_none()) typ_falsch(o.schluessel, erwartet.c_str(), wert);
        if (o.wahlen != nullptr && !py::isinstance<py::int_>(wert))
            typ_falsch(o.schluessel, erwartet.c_str(), wert);
        return static_cast<double>(ganz_lesen(wert, o.schluessel));
    }
    if (wert.is_none()) return NAN;
    return zahl_lesen(wert, o.schluessel);
}

// The nodes: a 1-d array, or the key of a placed node kind with a and b.
struct knotenteil {
    int art = STUETZSTELLEN_GEGEBEN;
    matrix_zeiger x;
    double a = NAN;
    double b = NAN;
};

knotenteil knoten_lesen(const py::handle &x, const py::handle &a, const py::handle &b) {
    knotenteil t;
    if (py::isinstance<py::str>(x)) {
        const knotenart *k = &knotenart_zu(x.cast<std::string>());
        if (k->gespeichert)
            numerik_fehler("Knotenart %s: die Stuetzstellen selbst angeben (x als Folge).\n",
                           k->schluessel);
        if (a.is_none() || b.is_none())
            numerik_fehler("Knotenart %s: a und b fehlen.\n", k->schluessel);
        t.art = k->nummer;
        t.a = zahl_lesen(a, "a");
        t.b = zahl_lesen(b, "b");
        return t;
    }
    if (!a.is_none() || !b.is_none())
        numerik_fehler("a und b gelten nur mit einer Knotenart statt der Stuetzstellen.\n");
    const zahlenfeld feld = feld_lesen(x, "x");
    if (feld.ndim() != 1)
        numerik_fehler("Stuetzstellen: eine Folge von Zahlen erwartet, nicht %d-dimensional.\n",
                       static_cast<int>(feld.ndim()));
    if (feld.size() >= INT_MAX) numerik_fehler("Stuetzstellen: zu viele Werte.\n");
    // One copy of the doubles (numpy has converted other types once).
    nmmatrix_parameter p = {static_cast<int>(feld.size()), 1, "Stuetzstellen", 0};
    t.x.reset(nmmatrix_aus_feld(&p, feld.data()));
    return t;
}

// The objects of class t from Python's arguments: x and y (positionally or
// by keyword), then the options in the order of the record, positionally
// or by key, and the keywords a, b, name, axis, extrapolate and, for a
// class that can be periodic, mitteln.
bestand erzeugen(const interpolationstyp &t, const py::args &weitere,
                 const py::kwargs &schluessel) {
    const auto [periodisch_k, periodisch_wert] = periodische_wahl(t);
    const std::size_t positionen = static_cast<std::size_t>(t.optionen_anzahl) + 2;
    if (weitere.size() > positionen)
        throw typfehler(std::string(t.kurzname) + " nimmt hoechstens " +
                        std::to_string(positionen) + " Angaben ohne Namen (x, y und " +
                        std::to_string(t.optionen_anzahl) + " Optionen).");
    py::object x, y, a = py::none(), b = py::none(), name = py::none(), achse = py::int_(0),
                     extrapolate = py::bool_(true), mitteln = py::bool_(false);
    std::vector<py::object> optionen(static_cast<std::size_t>(t.optionen_anzahl));
    for (std::size_t k = 0; k < weitere.size(); ++k)
        (k == 0 ? x : k == 1 ? y : optionen[k - 2]) = weitere[k];
    auto einmal = [&](py::object &ziel, const std::string &wort, const py::handle &wert) {
        if (ziel) throw typfehler(std::string(t.kurzname) + ": " + wort + " doppelt angegeben.");
        ziel = py::reinterpret_borrow<py::object>(wert);
    };
    for (const auto &[k, wert] : schluessel) {
        const std::string wort = k.cast<std::string>();
        if (wort == "x")
            einmal(x, wort, wert);
        else if (wort == "y")
            einmal(y, wort, wert);
        else if (wort == "a")
            a = py::reinterpret_borrow<py::object>(wert);
        else if (wort == "b")
            b = py::reinterpret_borrow<py::object>(wert);
        else if (wort == "name")
            name = py::reinterpret_borrow<py::object>(wert);
        else if (wort == "axis")
            achse = py::reinterpret_borrow<py::object>(wert);
        else if (wort == "extrapolate")
            extrapolate = py::reinterpret_borrow<py::object>(wert);
        else if (wort == "mitteln" && periodisch_k >= 0)
            mitteln = py::reinterpret_borrow<py::object>(wert);
        else {
            const int nr = interpolation_option_nummer(&t, wort.c_str());
            if (nr < 0) {
                std::string bekannt = "x, y, a, b, name, axis, extrapolate";
                if (periodisch_k >= 0) bekannt += ", mitteln";
                for (int i = 0; i < t.optionen_anzahl; ++i)
                    bekannt += std::string(", ") + t.optionen[i].schluessel;
                throw typfehler(std::string(t.kurzname) + " kennt keine Angabe " + wort +
                                " (moeglich: " + bekannt + ").");
            }
            einmal(optionen[static_cast<std::size_t>(nr)], wort, wert);
        }
    }
    if (!x || !y) throw typfehler(std::string(t.kurzname) + ": " + (!x ? "x" : "y") + " fehlt.");

    bestand ergebnis;
    ergebnis.fortsetzung = fortsetzung_lesen(extrapolate, FORTSETZUNG_KLASSE);
    const bool mitteln_ja = wahr_lesen(mitteln, "mitteln");
    const std::string name_text = name.is_none() ? "unbenannt" : text_lesen(name, "name");

    interpolation_problem p{};
    interpolation_problem_vorbelegen(&p, t.beschreibung);
    p.name = name_text.c_str();
    for (int k = 0; k < t.optionen_anzahl; ++k)
        if (optionen[static_cast<std::size_t>(k)])
            p.optionen[k] = optionswert(t.optionen[k], optionen[static_cast<std::size_t>(k)]);
    const knotenteil knoten = knoten_lesen(x, a, b);
    p.art = knoten.art;
    p.stuetzstellen = knoten.x.get();
    p.a = knoten.a;
    p.b = knoten.b;

    // The values: a 1-d array, or one column per value of another shape,
    // the nodes along axis.
    py::array werte = feld_lesen(y, "y");
    if (werte.ndim() == 0)
        numerik_fehler("Stuetzwerte: eine Folge von Zahlen erwartet, nicht eine einzelne.\n");
    long long ax = ganz_lesen(achse, "axis");
    if (ax < 0) ax += werte.ndim();
    if (ax < 0 || ax >= werte.ndim())
        numerik_fehler("axis = %lld: y hat nur %d Achsen.\n", ganz_lesen(achse, "axis"),
                       static_cast<int>(werte.ndim()));
    ergebnis.achse = static_cast<int>(ax);
    py::module_ np = py::module_::import("numpy");
    werte = np.attr("moveaxis")(werte, ax, 0);
    const py::ssize_t n = werte.shape(0);
    for (py::ssize_t i = 1; i < werte.ndim(); ++i)
        ergebnis.wertform.push_back(werte.shape(i));
    // One value column a row: contiguous, each copied once into its vector.
    // For a 1-d y of doubles this is y itself.
    const zahlenfeld spalten =
        zahlenfeld::ensure(np.attr("ascontiguousarray")(werte.attr("reshape")(n, -1).attr("T")));
    const py::ssize_t k = spalten.shape(0);
    if (k == 0) numerik_fehler("Stuetzwerte: keine Werte (eine Achse der Laenge 0).\n");
    // AAA chooses its support points from the values: the columns of a
    // vector-valued y would have different nodes.
    if (&t == &aaa_typ && (k > 1 || !ergebnis.wertform.empty()))
        numerik_fehler("AAA_INTERPOLATION nimmt nur Werte, die Zahlen sind: jede Spalte waehlte "
                       "ihre eigenen Stuetzstellen.\n");
    if (n >= INT_MAX) numerik_fehler("Stuetzwerte: zu viele Werte.\n");

    const bool periodisch =
        periodisch_k >= 0 && p.optionen[periodisch_k] == static_cast<double>(periodisch_wert);
    nmmatrix_parameter vp = {static_cast<int>(n), 1, "Stuetzwerte", 0};
    for (py::ssize_t c = 0; c < k; ++c) {
        matrix_zeiger v(nmmatrix_aus_feld(&vp, spalten.data() + c * n));
        // The library would average differing end values of a periodic
        // interpolant; here only when asked.
        if (periodisch && n > 1 && !mitteln_ja) {
            const double anfang = *spalten.data(c, 0);
            const double ende = *spalten.data(c, n - 1);
            if (std::fabs(anfang - ende) > std::ldexp(1.0, -120))
                numerik_fehler("Periodisch: y[0] = %.17g und y[-1] = %.17g%s sind verschieden; "
                               "mitteln=True nimmt fuer beide ihr Mittel.\n",
                               anfang, ende,
                               k > 1 ? (" (Spalte " + std::to_string(c) + ")").c_str() : "");
        }
        p.stuetzwerte = v.get();
        ergebnis.spalten.emplace_back(interpolation_erzeugen(&p, nullptr));
    }
    return ergebnis;
}

std::string standardwert(const interpolation_option &o) {
    if (o.wahlen != nullptr)
        for (const interpolation_wahl *w = o.wahlen; w->schluessel != nullptr; ++w)
            if (w->wert == o.standard) return std::string("'") + w->schluessel + "'";
    if (std::isnan(o.standard)) return "None";
    if (o.ganzzahlig) return std::to_string(static_cast<long long>(o.standard));
    return py::repr(py::float_(o.standard)).cast<std::string>();
}

// The example of a class's help: values in which no class sees a fault.
std::string beispieldaten(const interpolationstyp &t) {
    const int anzahl = t.mindestens > 5 ? t.mindestens : 5;
    std::string x, y;
    for (int i = 0; i < anzahl; ++i) {
        x += (i > 0 ? ", " : "") + std::to_string(i) + ".0";
        y += std::string(i > 0 ? ", " : "") + (i == 0 || i == anzahl - 1 ? "1.0"
                                               : i % 2 == 1              ? "2.0"
                                                                         : "0.0");
    }
    return "[" + x + "], [" + y + "]";
}

std::string klassenhilfe(const interpolationstyp &t) {
    const bool periodisch = periodische_wahl(t).first >= 0;
    std::string kopf = std::string(t.kurzname) + "(x, y";
    std::string optionen;
    for (int k = 0; k < t.optionen_anzahl; ++k) {
        const interpolation_option &o = t.optionen[k];
        kopf += std::string(", ") + o.schluessel + "=" + standardwert(o);
        optionen += std::string("    ") + o.schluessel + ": " + o.titel;
        if (o.wahlen != nullptr) optionen += "; one of " + wahlen_text(o);
        optionen += ".\n";
    }
    kopf += ", *, a=None, b=None, name=None, axis=0, extrapolate=True";
    if (periodisch) kopf += ", mitteln=False";
    kopf += ")";
    const std::string daten = beispieldaten(t);
    const std::string erstes = t.optionen_anzahl > 0 ? t.optionen[0].schluessel : "";
    std::string text =
        kopf + "\n\nThe interpolation " + t.typtext +
        " of the library numerik through the values y at the nodes x.\n\n"
        "x: the nodes, a sequence of real numbers, or the key of a placed node kind\n"
        "    (numerik.knotenarten()) with the interval as a and b.\n"
        "y: the values, one per node; an array of more axes gives a vector-valued\n"
        "    interpolant, the nodes along axis (default 0).\n" +
        (t.optionen_anzahl > 0
             ? "Options, positionally after y or by keyword, and attributes of the object:\n" +
                   optionen
             : std::string()) +
        "name: the name in the file ('unbenannt').\n"
        "extrapolate: outside [a, b] True continues as the class does, False gives nan,\n"
        "    \"periodisch\" wraps x into [a, b).\n" +
        (periodisch ? "mitteln: periodic end values that differ raise numerik.Fehler; True "
                      "takes their mean\n    for both, with a numerik.Warnung.\n"
                    : "") +
        "\nThe object is called on a number or an array; pickle and copy carry it in\n"
        "full precision.\n\n"
        ">>> import numerik\n"
        ">>> p = numerik." +
        t.kurzname + "(" + daten + ")\n>>> p  # doctest: +ELLIPSIS\n<numerik." + t.kurzname +
        " n=... auf [0.0, ...]...>\n>>> print(p([1.0, 3.0]).round(12))\n[2. 2.]\n";
    if (!erstes.empty()) text += ">>> p." + erstes + " == p.optionen['" + erstes + "']\nTrue\n";
    return text;
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

// What a class adds to the common form: the trigonometric interpolation is
// also made from its values on [a, b) alone, AAA tells its poles, residues
// and zeros.
template <class O>
void klasse_ergaenzen(py::class_<O, interpolation> &c, const interpolationstyp *t) {
    if (t == &trig_typ)
        c.def(py::init([](const py::object &y, double a, double b, const py::object &name) {
                  py::kwargs schluessel;
                  schluessel["a"] = py::float_(a);
                  schluessel["b"] = py::float_(b);
                  schluessel["name"] = name;
                  auto weitere = py::reinterpret_steal<py::args>(
                      py::make_tuple(py::str("aequidistant"), y).release());
                  return std::make_unique<O>(erzeugen(trig_typ, weitere, schluessel));
              }),
              py::arg("y"), py::arg("a"), py::arg("b"), py::arg("name") = py::none(),
              "Trigonometrisch(y, a, b): the trigonometric interpolation of the values y\n"
              "at n equidistant nodes a + k (b - a)/n on [a, b), b left out.\n\n"
              ">>> import numerik, numpy\n"
              ">>> t = numerik.Trigonometrisch(numpy.sin(numpy.arange(8) * numpy.pi / 4), 0.0, "
              "2 * numpy.pi)\n>>> print(abs(t(1.0) - numpy.sin(1.0)) < 1e-12)\nTrue\n");
    if (t == &aaa_typ) {
        c.def(
            "pole", [](interpolation &ip) { return komplexe_werte(ip, aaainterpolation_pole); },
            "The poles of the rational approximation, a complex array.\n\n"
            ">>> import numerik, numpy\n>>> x = numpy.linspace(-9, 9, 800)\n"
            ">>> p = numerik.AAA(x, 1 / (1 + x**2)).pole()\n"
            ">>> print(numpy.allclose(sorted(p, key=lambda z: z.imag), [-1j, 1j], atol=1e-10))\n"
            "True\n");
        c.def(
            "residuen",
            [](interpolation &ip) { return komplexe_werte(ip, aaainterpolation_residuen); },
            "The residues at the poles (in the order of pole()), a complex array.\n\n"
            ">>> import numerik, numpy\n>>> x = numpy.linspace(-9, 9, 800)\n"
            ">>> r = numerik.AAA(x, 1 / (1 + x**2))\n"
            ">>> print(numpy.allclose(r.residuen() * r.pole(), [0.5, 0.5], atol=1e-10))\nTrue\n");
        c.def(
            "nullstellen",
            [](interpolation &ip) { return komplexe_werte(ip, aaainterpolation_nullstellen); },
            "The zeros of the rational approximation, a complex array.\n\n"
            ">>> import numerik, numpy\n>>> x = numpy.linspace(-1, 1, 500)\n"
            ">>> z = numerik.AAA(x, (x - 0.5) / (x + 2), tol=1e-14, grad=10).nullstellen()\n"
            ">>> print(numpy.allclose(z, [0.5], atol=1e-10))\nTrue\n");
    }
}

template <int K> void klasse_anmelden(py::module_ &m, py::class_<interpolation> &basis) {
    if (K >= interpolationstypen_anzahl()) return;
    const interpolationstyp *t = interpolationstyp_an(K);
    const std::string hilfe = klassenhilfe(*t);
    py::class_<klassenobjekt<K>, interpolation> c(m, t->kurzname, hilfe.c_str());
    klasse_ergaenzen(c, t);
    c.def(py::init([](const py::args &weitere, const py::kwargs &schluessel) {
              return std::make_unique<klassenobjekt<K>>(
                  erzeugen(*interpolationstyp_an(K), weitere, schluessel));
          }),
          hilfe.c_str());
    c.def("__repr__",
          [](klassenobjekt<K> &o) { return o.darstellung(interpolationstyp_an(K)->kurzname); });
    const std::string daten = beispieldaten(*t);
    for (int k = 0; k < t->optionen_anzahl; ++k) {
        const interpolation_option &o = t->optionen[k];
        if (py::hasattr(basis, o.schluessel)) continue;
        const std::string schluessel = o.schluessel;
        const std::string standard = standardwert(o);
        std::string doku = std::string("The option ") + o.schluessel + ": " + o.titel +
                           (o.wahlen != nullptr ? " (" + wahlen_text(o) + ")" : "") +
                           ".\n\n>>> import numerik\n>>> numerik." + t->kurzname + "(" + daten +
                           ")." + o.schluessel +
                           (standard == "None" ? " is None\nTrue\n" : "\n" + standard + "\n");
        c.def_property_readonly(
            o.schluessel,
            [schluessel](klassenobjekt<K> &ip) -> py::object {
                return ip.optionen()[schluessel.c_str()];
            },
            doku.c_str());
    }
}

template <int... K>
void alle_anmelden(py::module_ &m, py::class_<interpolation> &basis,
                   std::integer_sequence<int, K...>) {
    if (interpolationstypen_anzahl() > KLASSEN_MAX)
        throw std::logic_error("mehr Interpolationsklassen als das Modul anbieten kann");
    (klasse_anmelden<K>(m, basis), ...);
}

} // namespace

// The Python object of the class of b's record.
std::unique_ptr<interpolation> objekt_aus(bestand b) {
    static constexpr auto FABRIKEN = fabriken(std::make_integer_sequence<int, KLASSEN_MAX>{});
    const interpolationstyp *t = interpolationstyp_von(b.spalten.front().get());
    for (int k = 0; k < interpolationstypen_anzahl() && k < KLASSEN_MAX; ++k)
        if (interpolationstyp_an(k) == t)
            return FABRIKEN[static_cast<std::size_t>(k)](std::move(b));
    return std::make_unique<interpolation>(std::move(b));
}

std::unique_ptr<interpolation> geladen(interpolation_zeiger ip) {
    bestand b;
    b.spalten.push_back(std::move(ip));
    return objekt_aus(std::move(b));
}

// The common methods, documented with examples (run as doctests).
void basis_anmelden(py::class_<interpolation> &c);

void klassen_anmelden(py::module_ &m) {
    py::class_<interpolation> basis(
        m, "Interpolation",
        "The common base of the interpolation classes (Spline, Newton, ...): evaluation,\n"
        "derivatives, integrals, the vectors and the file.\n\n"
        ">>> import numerik\n"
        ">>> isinstance(numerik.Spline([0.0, 1.0, 2.0], [0.0, 1.0, 0.0]), numerik.Interpolation)\n"
        "True\n");
    basis_anmelden(basis);
    // pickle and copy: the object from its state, of the class its text names
    // (every protocol, also 0 and 1).
    m.def("_objekt_aus_zustand",
          [](const py::tuple &zustand) { return objekt_aus(interpolation::aus_zustand(zustand)); });
    basis.def("__reduce__", [](interpolation &ip) {
        return py::make_tuple(py::module_::import("numerik").attr("_aus_zustand"),
                              py::make_tuple(ip.zustand()));
    });
    alle_anmelden(m, basis, std::make_integer_sequence<int, KLASSEN_MAX>{});
}
