// The Python object over interpolations of the library: evaluation,
// derivatives and integrals per column, the continuation beyond the
// interval, the vectors, files and the state that pickle and copy carry.
#include "objekt.h"

#include "numerik/nmmatrix.h"
#include "numerik/zahlen.h"

#include <pybind11/stl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// A FILE held for the length of one call, closed on every path.
struct datei_schliesser {
    void operator()(FILE *f) const { std::fclose(f); }
};
using datei_zeiger = std::unique_ptr<FILE, datei_schliesser>;

// Full precision or six decimals for the length of one call, the former
// form restored on every path.
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

// x wrapped into [a, b): a + ((x - a) mod (b - a)).
double periodisch_abbilden(double x, double a, double b) {
    if (!std::isfinite(x)) return x;
    const double p = b - a;
    double r = std::fmod(x - a, p);
    if (r < 0) r += p;
    if (r >= p) r = 0;
    return a + r;
}

// The integral of ip from a to x for its periodic continuation with period
// b - a: whole periods and the rest.
double periodisches_integral_bis(objekt *ip, double a, double b, double x) {
    const double p = b - a;
    const double q = std::floor((x - a) / p);
    double r = (x - a) - q * p;
    if (r < 0) r = 0;
    if (r > p) r = p;
    const double ganz = q != 0 ? q * interpolation_integral(ip, a, b) : 0.0;
    return ganz + interpolation_integral(ip, a, a + r);
}

} // namespace

int fortsetzung_lesen(const py::handle &wert, int sonst) {
    if (wert.is_none()) return sonst;
    if (py::isinstance<py::bool_>(wert))
        return wert.cast<bool>() ? FORTSETZUNG_KLASSE : FORTSETZUNG_NAN;
    if (py::isinstance<py::str>(wert) && wert.cast<std::string>() == "periodisch")
        return FORTSETZUNG_PERIODISCH;
    typ_falsch("extrapolate", "True, False oder \"periodisch\"", wert);
}

py::object fortsetzung_wert(int f) {
    if (f == FORTSETZUNG_PERIODISCH) return py::str("periodisch");
    return py::bool_(f == FORTSETZUNG_KLASSE);
}

std::string text_von(objekt *ip, bool voll) {
    char *text = nullptr;
    std::size_t laenge = 0;
    FILE *aus = open_memstream(&text, &laenge);
    if (aus == nullptr) numerik_fehler("Kein Speicher fuer den Text der Interpolation.\n");
    // Released on every path, after the stream is closed.
    struct freigabe {
        char **text;
        ~freigabe() { std::free(*text); }
    } gehalten{&text};
    {
        datei_zeiger datei(aus);
        zahlform_wahl form(voll);
        interpolation_tabelle(ip)->speichern(ip, aus);
    }
    return std::string(text != nullptr ? text : "", laenge);
}

interpolation_zeiger aus_text(const std::string &text) {
    if (text.empty()) numerik_fehler("Leerer Text einer Interpolation.\n");
    std::string kopie = text;
    datei_zeiger ein(fmemopen(kopie.data(), kopie.size(), "r"));
    if (!ein) numerik_fehler("Kein Speicher fuer den Text der Interpolation.\n");
    interpolation_zeiger ip(interpolation_laden(ein.get(), nullptr));
    if (std::ferror(ein.get()) != 0) numerik_fehler("Fehler in der Eingabe.\n");
    return ip;
}

interpolation::interpolation(bestand b)
    : spalten_(std::move(b.spalten)), wertform_(std::move(b.wertform)), achse_(b.achse),
      fortsetzung_(b.fortsetzung) {}

// a, whose first vorne axes are those of the points, with the points' axes
// where the nodes stood in y.
py::object interpolation::wertgestalt(py::array a, std::size_t vorne) {
    if (wertform_.empty() || achse_ == 0 || vorne == 0) return a;
    py::list von, nach;
    for (std::size_t i = 0; i < vorne; ++i) {
        von.append(i);
        nach.append(static_cast<std::size_t>(achse_) + i);
    }
    return py::module_::import("numpy").attr("moveaxis")(a, von, nach);
}

// f(ip, ein, aus, anzahl) over the points of x for each column into an
// array of the shape of x followed by the shape of a value: in C++,
// without the GIL, one thread on the object at a time.
template <class F>
py::object interpolation::feldweise(const py::handle &x_py, int fortsetzung, F f) {
    const zahlenfeld x = feld_lesen(x_py, "x");
    const std::size_t k = spalten_.size();
    std::vector<py::ssize_t> form(x.shape(), x.shape() + x.ndim());
    const std::size_t vorne = form.size();
    form.insert(form.end(), wertform_.begin(), wertform_.end());
    py::array_t<double> y(form);
    const auto anzahl = static_cast<std::size_t>(x.size());
    const double *punkte = x.data();
    double *aus = y.mutable_data();
    {
        py::gil_scoped_release ohne_gil;
        std::lock_guard<std::mutex> sperre(mutex_);
        const interpolation_funktionen *fi = interpolation_tabelle(erste());
        const double a = fi->linkeGrenze(erste());
        const double b = fi->rechteGrenze(erste());
        const double *ein = punkte;
        std::vector<double> verschoben;
        if (fortsetzung == FORTSETZUNG_PERIODISCH) {
            verschoben.resize(anzahl);
            for (std::size_t i = 0; i < anzahl; ++i)
                verschoben[i] = periodisch_abbilden(punkte[i], a, b);
            ein = verschoben.data();
        }
        if (k == 1) {
            f(erste(), ein, aus, anzahl);
        } else {
            std::vector<double> spalte(anzahl);
            for (std::size_t c = 0; c < k; ++c) {
                f(spalten_[c].get(), ein, spalte.data(), anzahl);
                for (std::size_t i = 0; i < anzahl; ++i)
                    aus[i * k + c] = spalte[i];
            }
        }
        if (fortsetzung == FORTSETZUNG_NAN)
            for (std::size_t i = 0; i < anzahl; ++i)
                if (punkte[i] < a || punkte[i] > b)
                    for (std::size_t c = 0; c < k; ++c)
                        aus[i * k + c] = NAN;
    }
    return wertgestalt(y, vorne);
}

py::object interpolation::werte(const py::handle &x, const py::handle &extrapolate) {
    return feldweise(x, fortsetzung_lesen(extrapolate, fortsetzung_),
                     [](objekt *ip, const double *ein, double *aus, std::size_t anzahl) {
                         interpolation_werte(ip, ein, aus, anzahl);
                     });
}

py::object interpolation::ableitung(const py::handle &x, const py::handle &k_py,
                                    const py::handle &extrapolate) {
    const long long k = ganz_lesen(k_py, "k");
    if (k < 0 || k > 2) numerik_fehler("Ableitung %lld nicht moeglich (0, 1 oder 2).\n", k);
    return feldweise(x, fortsetzung_lesen(extrapolate, fortsetzung_),
                     [k](objekt *ip, const double *ein, double *aus, std::size_t anzahl) {
                         for (std::size_t i = 0; i < anzahl; ++i)
                             aus[i] = interpolation_ableitung(ip, static_cast<int>(k), ein[i]);
                     });
}

py::object interpolation::integral(const py::handle &a_py, const py::handle &b_py) {
    const double x1 = zahl_lesen(a_py, "a");
    const double x2 = zahl_lesen(b_py, "b");
    std::lock_guard<std::mutex> sperre(mutex_);
    const interpolation_funktionen *fi = interpolation_tabelle(erste());
    const double a = fi->linkeGrenze(erste());
    const double b = fi->rechteGrenze(erste());
    const bool innen = x1 >= a && x1 <= b && x2 >= a && x2 <= b;
    if (fortsetzung_ == FORTSETZUNG_NAN && !innen && std::isfinite(x1) && std::isfinite(x2))
        numerik_fehler("Integrationsgrenzen ausserhalb [%.17g, %.17g], und extrapolate=False.\n", a,
                       b);
    std::vector<double> ergebnis;
    for (const interpolation_zeiger &ip : spalten_) {
        if (fortsetzung_ == FORTSETZUNG_PERIODISCH && !innen && std::isfinite(x1) &&
            std::isfinite(x2))
            ergebnis.push_back(periodisches_integral_bis(ip.get(), a, b, x2) -
                               periodisches_integral_bis(ip.get(), a, b, x1));
        else
            ergebnis.push_back(interpolation_integral(ip.get(), x1, x2));
    }
    if (wertform_.empty()) return py::float_(ergebnis.front());
    py::array_t<double> feld(wertform_);
    std::copy(ergebnis.begin(), ergebnis.end(), feld.mutable_data());
    return feld;
}

py::array interpolation::vektor(int index) {
    std::lock_guard<std::mutex> sperre(mutex_);
    const std::size_t k = index == 0 ? 1 : spalten_.size();
    objekt *v0 = interpolation_tabelle(erste())->imVektor(erste(), index);
    const matrix_funktionen *fm = matrix_tabelle(v0);
    const int zeilen = fm->hoehe(v0);
    const int breite = fm->breite(v0);
    std::vector<py::ssize_t> form{zeilen};
    if (breite != 1) form.push_back(breite);
    if (index != 0) form.insert(form.end(), wertform_.begin(), wertform_.end());
    py::array_t<double> a(form);
    double *d = a.mutable_data();
    for (std::size_t c = 0; c < k; ++c) {
        objekt *ip = spalten_[c].get();
        objekt *v = interpolation_tabelle(ip)->imVektor(ip, index);
        for (int i = 1; i <= zeilen; ++i)
            for (int j = 1; j <= breite; ++j)
                d[(static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(breite) +
                   static_cast<std::size_t>(j - 1)) *
                      k +
                  c] = matrix_tabelle(v)->amIndex(v, i, j);
    }
    if (index == 1 && !wertform_.empty() && achse_ != 0)
        return py::module_::import("numpy").attr("moveaxis")(a, 0, achse_);
    return a;
}

void interpolation::speichern(const py::handle &pfad_py, const py::handle &voll_py) {
    const std::string pfad = pfad_lesen(pfad_py, "pfad");
    const bool voll = wahr_lesen(voll_py, "voll");
    if (spalten_.size() != 1 || !wertform_.empty())
        numerik_fehler("Eine Datei haelt eine Interpolation mit einer Zahl je Stuetzstelle; "
                       "dieses Objekt hat Werte der Form %s.\n",
                       py::str(py::tuple(py::cast(wertform_))).cast<std::string>().c_str());
    std::lock_guard<std::mutex> sperre(mutex_);
    datei_zeiger aus(std::fopen(pfad.c_str(), "w"));
    if (!aus) numerik_fehler("Oeffnen der Datei %s fehlgeschlagen.\n", pfad.c_str());
    zahlform_wahl form(voll);
    interpolation_tabelle(erste())->speichern(erste(), aus.get());
    const bool fehler = std::ferror(aus.get()) != 0;
    if (std::fclose(aus.release()) != 0 || fehler)
        numerik_fehler("Schreiben der Datei %s fehlgeschlagen.\n", pfad.c_str());
}

py::tuple interpolation::zustand() {
    std::lock_guard<std::mutex> sperre(mutex_);
    py::list texte;
    for (const interpolation_zeiger &ip : spalten_)
        texte.append(py::bytes(text_von(ip.get(), true)));
    return py::make_tuple(1, texte, py::tuple(py::cast(wertform_)), achse_, fortsetzung_);
}

bestand interpolation::aus_zustand(const py::tuple &t) {
    if (t.size() != 5 || ganz_lesen(t[0], "Zustand") != 1)
        numerik_fehler("Unbekannter Zustand einer Interpolation.\n");
    bestand b;
    for (const py::handle text : t[1])
        b.spalten.push_back(aus_text(text.cast<std::string>()));
    if (b.spalten.empty()) numerik_fehler("Unbekannter Zustand einer Interpolation.\n");
    for (const py::handle l : t[2])
        b.wertform.push_back(static_cast<py::ssize_t>(ganz_lesen(l, "Zustand")));
    b.achse = static_cast<int>(ganz_lesen(t[3], "Zustand"));
    b.fortsetzung = static_cast<int>(ganz_lesen(t[4], "Zustand"));
    return b;
}

std::string interpolation::name() {
    std::lock_guard<std::mutex> sperre(mutex_);
    return interpolation_tabelle(erste())->name(erste());
}

std::string interpolation::klasse() {
    std::lock_guard<std::mutex> sperre(mutex_);
    objekt *k = interpolation_tabelle(erste())->klasse(erste());
    return interpolation_tabelle(k)->name(k);
}

std::pair<double, double> interpolation::grenzen() {
    std::lock_guard<std::mutex> sperre(mutex_);
    const interpolation_funktionen *fi = interpolation_tabelle(erste());
    return {fi->linkeGrenze(erste()), fi->rechteGrenze(erste())};
}

// The options by key: the name of a named value (or its number where it
// has none), None for a number option not set.
py::dict interpolation::optionen() {
    std::lock_guard<std::mutex> sperre(mutex_);
    py::dict d;
    const interpolationstyp *t = interpolationstyp_von(erste());
    if (t == nullptr) return d;
    for (int k = 0; k < t->optionen_anzahl; ++k) {
        const interpolation_option &o = t->optionen[k];
        const double wert = t->option(erste(), k);
        py::object py_wert = o.ganzzahlig       ? py::object(py::int_(static_cast<long long>(wert)))
                             : std::isnan(wert) ? py::object(py::none())
                                                : py::object(py::float_(wert));
        for (const interpolation_wahl *w = o.wahlen; w != nullptr && w->schluessel != nullptr; ++w)
            if (w->wert == wert) py_wert = py::str(w->schluessel);
        d[o.schluessel] = py_wert;
    }
    return d;
}

std::string interpolation::darstellung(const std::string &pyname) {
    const auto [a, b] = grenzen();
    int n = 0;
    {
        std::lock_guard<std::mutex> sperre(mutex_);
        objekt *x = interpolation_tabelle(erste())->imVektor(erste(), 0);
        n = matrix_tabelle(x)->hoehe(x) - 1;
    }
    std::string text = "<numerik." + pyname + " n=" + std::to_string(n) + " auf [" +
                       py::repr(py::float_(a)).cast<std::string>() + ", " +
                       py::repr(py::float_(b)).cast<std::string>() + "]";
    for (const auto &[schluessel, wert] : optionen())
        if (!wert.is_none())
            text += " " + schluessel.cast<std::string>() + "=" + py::repr(wert).cast<std::string>();
    if (!wertform_.empty())
        text += " werte=" + py::repr(py::tuple(py::cast(wertform_))).cast<std::string>();
    if (fortsetzung_ != FORTSETZUNG_KLASSE)
        text += " extrapolate=" + py::repr(fortsetzung_wert(fortsetzung_)).cast<std::string>();
    const std::string nm = name();
    if (nm != "unbenannt") text += " name=" + py::repr(py::str(nm)).cast<std::string>();
    return text + ">";
}
