// The convergence study of numerik.studie: the figures of fehlerstudie for
// an example problem, a formula, or values that Python gives (any
// callable), as arrays, with everything the library concludes from them
// (numerik/befund.h).  The measuring loop is the library's own
// (studie_durchfuehren), so that an example problem gives bit for bit the
// figures the program prints; a callable reaches it through the function
// record's hook, which asks it for the values of a whole grid or node set
// in one call, holding the GIL only for that call.
#include "modul.h"

#include "numerik/befund.h"
#include "numerik/formel.h"
#include "numerik/interplt.h"
#include "numerik/methoden.h"
#include "numerik/studie.h"

#include <pybind11/complex.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <complex>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// The function of a study: an example problem of the library, a formula,
// or a Python callable that takes a 1-d array of points and returns as
// many values.  The problem record of a callable points back at this
// object, so it is neither copied nor moved.
class studienfunktion {
  public:
    studienfunktion(int m, py::object werte, double a, double b, const std::string &formel)
        : m_(m), werte_(std::move(werte)) {
        if (!formel.empty()) {
            if (std::isnan(a) || std::isnan(b))
                numerik_fehler("Fuer eine Formel fehlen a und b.\n");
            formel_.reset(formel_erzeugen(formel.c_str(), a, b));
            problem_ = formel_als_funktion(formel_.get());
        } else if (m_ > 0) {
            problem_ = funktion[m_ - 1];
        } else {
            // No derivatives: a method that needs them at the ends says so.
            problem_ = beispielfunktion{.f = einzeln,
                                        .a = a,
                                        .b = b,
                                        .name = "eigene Funktion",
                                        .abl2 = nullptr,
                                        .abl1 = nullptr,
                                        .kontext = this,
                                        .formel = nullptr,
                                        .werte = gesammelt};
        }
        if (!std::isnan(a)) problem_.a = a;
        if (!std::isnan(b)) problem_.b = b;
        if (!std::isfinite(problem_.a) || !std::isfinite(problem_.b))
            numerik_fehler("Intervall [%f,%f]: a und b muessen endlich sein.\n", problem_.a,
                           problem_.b);
        interpolation_intervall_pruefen(problem_.a, problem_.b);
    }
    studienfunktion(const studienfunktion &) = delete;
    studienfunktion &operator=(const studienfunktion &) = delete;

    // f at the points x.
    std::vector<double> an(const std::vector<double> &x) const {
        std::vector<double> y(x.size());
        beispiel_werte(&problem_, x.data(), y.data(), x.size());
        return y;
    }

    const beispielfunktion &problem() const { return problem_; }
    int nummer() const { return m_; }
    bool formel() const { return formel_ != nullptr; }

  private:
    // The hook of a callable: its values at anzahl points, with the GIL
    // held for the call (the study runs without it).
    static void gesammelt(const void *kontext, const double *x, double *y, std::size_t anzahl) {
        py::gil_scoped_acquire gil;
        const auto *f = static_cast<const studienfunktion *>(kontext);
        py::array_t<double> punkte(static_cast<py::ssize_t>(anzahl), x);
        auto werte = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(
            f->werte_(punkte));
        if (!werte) {
            PyErr_Clear();
            numerik_fehler("Die Funktion liefert keine Zahlen.\n");
        }
        if (werte.ndim() != 1 || static_cast<std::size_t>(werte.size()) != anzahl)
            numerik_fehler("Die Funktion liefert %zd Werte fuer %zu Punkte.\n", werte.size(),
                           anzahl);
        std::copy(werte.data(), werte.data() + anzahl, y);
    }

    // One value through the hook, for what asks f point by point.
    static double einzeln(const void *kontext, double x) {
        double y = 0.0;
        gesammelt(kontext, &x, &y, 1);
        return y;
    }

    struct formel_freigabe {
        void operator()(formelfunktion *f) const { formel_freigeben(f); }
    };
    int m_;
    py::object werte_;
    std::unique_ptr<formelfunktion, formel_freigabe> formel_;
    beispielfunktion problem_{};
};

// The default columns: the overview of fehlerstudie, for a callable without
// the methods that need f'' or f' at the ends.
std::vector<const methode *> standardspalten(const studienfunktion &f) {
    if (f.nummer() > 0 || f.formel()) return spalten_waehlen(f.problem(), SPALTEN_UEBERSICHT);
    const std::vector<double> enden = f.an({f.problem().a, f.problem().b});
    // The library's test of periodisch(), on the values Python gives.
    const bool periodisch_f = std::fabs(enden[0] - enden[1]) <= 1e-6;
    std::vector<const methode *> spalten;
    for (int i = 0; i < methoden_anzahl; ++i) {
        const methode &me = methoden[i];
        if (me.uebersicht && !me.abl2 && (!me.periodisch || periodisch_f)) spalten.push_back(&me);
    }
    return spalten;
}

// An array of rows x spalten from a value per cell.
template <class T, class F> py::array_t<T> feld(std::size_t zeilen, std::size_t spalten, F wert) {
    py::array_t<T> a({static_cast<py::ssize_t>(zeilen), static_cast<py::ssize_t>(spalten)});
    T *d = a.mutable_data();
    for (std::size_t k = 0; k < zeilen; ++k)
        for (std::size_t j = 0; j < spalten; ++j)
            *d++ = wert(k, j);
    return a;
}

// A 1-d array of a value per index.
template <class T, class F> py::array_t<T> reihe(std::size_t anzahl, F wert) {
    py::array_t<T> a(static_cast<py::ssize_t>(anzahl));
    T *d = a.mutable_data();
    for (std::size_t i = 0; i < anzahl; ++i)
        d[i] = wert(i);
    return a;
}

// The study of f as the library runs it and its befund, handed to fertig
// while f, which the study's problem record points into, still lives.
template <class F>
auto studie_rechnen(int m, const py::object &werte, double a, double b,
                    const std::vector<int> &n_liste, const std::vector<std::string> &namen,
                    int punkte, const std::string &formel, F fertig,
                    double toleranz = WARUM_TOLERANZ_STANDARD) {
    if (!(toleranz > 0.0 && std::isfinite(toleranz)))
        numerik_fehler("Toleranz muss eine positive Zahl sein!\n");
    if (m < 0 || m > funktion_anzahl) numerik_fehler("Funktion Nr. %i nicht definiert.\n", m);
    if (n_liste.empty()) numerik_fehler("Die Liste der n ist leer.\n");
    std::vector<int> vorher;
    for (int n : n_liste) {
        studie_n_pruefen(n, vorher);
        vorher.push_back(n);
    }
    if (punkte != 0 && punkte < 2) numerik_fehler("Das Messgitter braucht mindestens 2 Punkte.\n");
    // The library's check of the grid, in the words of Python's keyword.
    if (punkte != 0)
        for (int n : n_liste)
            if (punkte < gitterpunkte_fuer(n)) {
                numerik_warnung("Warnung: Messgitter mit %d Punkten fuer n ab %d zu grob (weniger "
                                "als 10 Schritte je Intervall); genauer mit punkte=%d.\n",
                                punkte, n, gitterpunkte_fuer(n_liste.back()));
                break;
            }
    const studienfunktion f(m, werte, a, b, formel);
    std::vector<const methode *> spalten;
    if (namen.empty()) {
        spalten = standardspalten(f);
    } else {
        for (const std::string &name : namen) {
            const methode *me = methode_suchen(name.c_str());
            if (me == nullptr) numerik_fehler("Unbekannte Methode %s.\n", name.c_str());
            spalten.push_back(me);
        }
    }
    studie s;
    befund bf;
    {
        py::gil_scoped_release ohne_gil;
        s = studie_durchfuehren(f.problem(), m, n_liste, punkte, spalten);
        bf = studie_befund(s, toleranz);
    }
    return fertig(s, bf);
}

// What the theory says: the analysis of f, a verdict, a predicted curve
// and orders per method, the recommendation and the text of fehlerstudie -w.
py::dict warum_woerterbuch(const studie &s, const befund &bf) {
    const warum &w = bf.erklaerung;
    const warum_analyse &a = w.analyse;
    py::list singularitaeten;
    for (const singularitaet &p : a.singularitaeten) {
        py::dict e;
        e["stelle"] = std::complex<double>(p.re, p.im);
        e["rho"] = p.rho;
        e["residuum"] = std::complex<double>(p.res_re, p.res_im);
        e["runge"] = p.runge;
        singularitaeten.append(e);
    }
    py::dict urteile;
    py::dict vorhersage;
    py::dict ordnungen;
    std::vector<std::string> titel;
    for (std::size_t j = 0; j < s.spalten.size() && j < w.spalten.size(); ++j) {
        const warum_spalte &v = w.spalten[j];
        const char *name = s.spalten[j]->spalte;
        titel.emplace_back(name);
        urteile[name] = v.urteil;
        vorhersage[name] =
            py::array_t<double>(static_cast<py::ssize_t>(v.vorhersage.size()), v.vorhersage.data());
        ordnungen[name] = py::make_tuple(v.ordnung_vorhergesagt, v.ordnung_beobachtet);
    }
    const char *abfall[] = {nullptr, "geometrisch", "algebraisch", "sofort"};
    py::dict d;
    d["beurteilbar"] = a.beurteilbar;
    d["grund"] = a.grund;
    d["singularitaeten"] = singularitaeten;
    d["rho"] = a.rho;
    d["runge"] = a.runge_abstand < 0.0;
    d["abfall"] = a.abfall > 0 && a.abfall < 4 ? py::object(py::str(abfall[a.abfall]))
                                               : py::object(py::none());
    d["alpha"] = a.alpha;
    d["koeffizienten"] = py::array_t<double>(static_cast<py::ssize_t>(a.koeffizienten.size()),
                                             a.koeffizienten.data());
    d["urteil"] = urteile;
    d["vorhersage"] = vorhersage;
    d["ordnung"] = ordnungen;
    d["toleranz"] = w.toleranz;
    d["empfehlung"] = w.empfehlung;
    d["text"] = warum_text(titel, w);
    return d;
}

// The study as a dict of arrays.
py::dict woerterbuch(const studie &s, const befund &bf) {
    const std::size_t zeilen = s.n.size();
    const std::size_t spalten = s.spalten.size();
    py::list methodennamen;
    py::list legende;
    py::list bezugsart;
    py::list bezugszeilen;
    for (std::size_t j = 0; j < spalten; ++j) {
        const befund_spalte &sp = bf.spalten[j];
        methodennamen.append(s.spalten[j]->spalte);
        legende.append(sp.legende);
        if (sp.bezugsart == BEZUG_POTENZ)
            bezugsart.append("potenz");
        else if (sp.bezugsart == BEZUG_GEOMETRISCH)
            bezugsart.append("geometrisch");
        else
            bezugsart.append(py::none());
        bezugszeilen.append(reihe<int>(sp.bezugszeilen.size(), [&](std::size_t i) {
            return static_cast<int>(sp.bezugszeilen[i]);
        }));
    }
    // The lines the convergence plot draws: the first spline's powers and
    // the fitted rate.
    py::list bezug;
    for (int j : {bf.bezug_potenz, bf.bezug_geometrisch}) {
        if (j < 0) continue;
        for (const bezugslinie &l : bf.spalten[static_cast<std::size_t>(j)].bezug) {
            py::dict linie;
            linie["methode"] = s.spalten[static_cast<std::size_t>(j)]->spalte;
            linie["p"] = l.p;
            linie["c"] = l.c;
            linie["rho"] = l.p == 0 ? l.rho : NAN;
            linie["werte"] =
                py::array_t<double>(static_cast<py::ssize_t>(l.werte.size()), l.werte.data());
            bezug.append(linie);
        }
    }
    py::dict kosten;
    kosten["operationen"] = bf.kosten.operationen;
    kosten["sekunden"] = bf.kosten.operationen / STUDIE_OPERATIONEN_JE_SEKUNDE;
    kosten["teuerste"] = bf.kosten.teuerste != nullptr
                             ? py::object(py::str(bf.kosten.teuerste->spalte))
                             : py::object(py::none());
    py::dict d;
    d["n"] = py::array_t<int>(static_cast<py::ssize_t>(zeilen), s.n.data());
    d["methoden"] = methodennamen;
    d["gitter"] = py::array_t<int>(static_cast<py::ssize_t>(s.gitter.size()), s.gitter.data());
    d["fehler"] = feld<double>(zeilen, spalten, [&](std::size_t k, std::size_t j) {
        return s.werte[k][j].berechnet ? s.werte[k][j].fehler : NAN;
    });
    d["ordnung"] = feld<double>(
        zeilen, spalten, [&](std::size_t k, std::size_t j) { return bf.zellen[k][j].ordnung; });
    d["rundung"] = feld<bool>(
        zeilen, spalten, [&](std::size_t k, std::size_t j) { return bf.zellen[k][j].rundung; });
    d["berechnet"] = feld<bool>(
        zeilen, spalten, [&](std::size_t k, std::size_t j) { return s.werte[k][j].berechnet; });
    d["grob"] = reihe<bool>(zeilen, [&](std::size_t k) { return bool(bf.gitter_zu_grob[k]); });
    d["m"] = s.m;
    d["f_groesste"] = s.f_groesste;
    d["a"] = s.problem.a;
    d["b"] = s.problem.b;
    // What the library concludes.
    d["konvergiert"] =
        reihe<bool>(spalten, [&](std::size_t j) { return bf.spalten[j].konvergiert; });
    d["legende"] = legende;
    d["decke"] = bf.decke;
    d["boden"] = bf.boden;
    d["rundungsboden"] = feld<double>(zeilen, spalten, [&](std::size_t k, std::size_t j) {
        return bf.zellen[k][j].rundungsboden;
    });
    d["bezugsart"] = bezugsart;
    d["bezugszeilen"] = bezugszeilen;
    d["rho"] = reihe<double>(spalten, [&](std::size_t j) { return bf.spalten[j].rho; });
    d["rho_c"] = reihe<double>(spalten, [&](std::size_t j) { return bf.spalten[j].c; });
    d["bezug"] = bezug;
    d["kosten"] = kosten;
    // The table's marks and the theory's verdicts.
    py::list marken;
    for (std::size_t k = 0; k < zeilen; ++k) {
        py::list zeile;
        for (std::size_t j = 0; j < spalten; ++j) {
            const char m = bf.zellen[k][j].marke;
            zeile.append(py::str(m == 0 ? std::string() : std::string(1, m)));
        }
        marken.append(zeile);
    }
    d["marke"] =
        py::module_::import("numpy")
            .attr("array")(marken, py::arg("dtype") = "U1")
            .attr("reshape")(static_cast<py::ssize_t>(zeilen), static_cast<py::ssize_t>(spalten));
    d["warum"] = warum_woerterbuch(s, bf);
    return d;
}

py::dict studie_py(int m, const py::object &werte, double a, double b,
                   const std::vector<int> &n_liste, const std::vector<std::string> &namen,
                   int punkte, const std::string &formel, double toleranz) {
    return studie_rechnen(m, werte, a, b, n_liste, namen, punkte, formel, woerterbuch, toleranz);
}

std::string studie_json_py(int m, const py::object &werte, double a, double b,
                           const std::vector<int> &n_liste, const std::vector<std::string> &namen,
                           int punkte, const std::string &formel) {
    return studie_rechnen(m, werte, a, b, n_liste, namen, punkte, formel, befund_json);
}

} // namespace

void studie_anmelden(py::module_ &m) {
    m.def("_studie", &studie_py, py::arg("m"), py::arg("werte"), py::arg("a"), py::arg("b"),
          py::arg("n"), py::arg("methoden"), py::arg("punkte"), py::arg("formel") = "",
          py::arg("toleranz") = WARUM_TOLERANZ_STANDARD);
    m.def("_studie_json", &studie_json_py, py::arg("m"), py::arg("werte"), py::arg("a"),
          py::arg("b"), py::arg("n"), py::arg("methoden"), py::arg("punkte"),
          py::arg("formel") = "");
}
