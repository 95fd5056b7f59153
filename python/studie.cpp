// The convergence study of numerik.studie: the figures of fehlerstudie for
// an example problem, or for values that Python gives (any callable), as
// arrays.  The loop is the library's (numerik/studie.h): the same nodes,
// the same creation through the method table, the same grid of equidistant
// points and the same maximum, so that an example problem gives bit for
// bit the figures the program prints.  The marks (rounding, coarse grid)
// and the orders come from the library's own functions over a study put
// together here.
#include "modul.h"

#include "numerik/formel.h"
#include "numerik/interplt.h"
#include "numerik/knotenarten.h"
#include "numerik/methoden.h"
#include "numerik/nmmatrix.h"
#include "numerik/studie.h"

#include <pybind11/stl.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// The function of a study: an example problem of the library, or a Python
// callable that takes a 1-d array of points and returns as many values.
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
            problem_ = beispielfunktion{.f = nullptr,
                                        .a = a,
                                        .b = b,
                                        .name = "eigene Funktion",
                                        .abl2 = nullptr,
                                        .abl1 = nullptr,
                                        .kontext = nullptr,
                                        .formel = nullptr};
        }
        if (!std::isnan(a)) problem_.a = a;
        if (!std::isnan(b)) problem_.b = b;
        if (!std::isfinite(problem_.a) || !std::isfinite(problem_.b))
            numerik_fehler("Intervall [%f,%f]: a und b muessen endlich sein.\n", problem_.a,
                           problem_.b);
        interpolation_intervall_pruefen(problem_.a, problem_.b);
    }

    // f at the points x; needs the GIL for a Python callable.
    std::vector<double> an(const std::vector<double> &x) const {
        if (m_ > 0 || formel_) {
            std::vector<double> y(x.size());
            for (std::size_t i = 0; i < x.size(); ++i)
                y[i] = beispiel_f(&problem_, x[i]);
            return y;
        }
        py::array_t<double> punkte(static_cast<py::ssize_t>(x.size()), x.data());
        auto y =
            py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(werte_(punkte));
        if (!y) {
            PyErr_Clear();
            numerik_fehler("Die Funktion liefert keine Zahlen.\n");
        }
        if (y.ndim() != 1 || static_cast<std::size_t>(y.size()) != x.size())
            numerik_fehler("Die Funktion liefert %zd Werte fuer %zu Punkte.\n", y.size(), x.size());
        return {y.data(), y.data() + y.size()};
    }

    const beispielfunktion &problem() const { return problem_; }
    // The record handed to creation for the derivatives at the ends: none
    // for a callable, so that a method that needs them says so.
    const beispielfunktion *ableitungen() const {
        return m_ > 0 || formel_ ? &problem_ : nullptr;
    }
    int nummer() const { return m_; }
    bool formel() const { return formel_ != nullptr; }

  private:
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

matrix_zeiger vektor(const std::vector<double> &werte) {
    nmmatrix_parameter p = {static_cast<int>(werte.size()), 1, "Stuetzwerte", 1};
    matrix_zeiger v(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    for (std::size_t i = 0; i < werte.size(); ++i)
        nmmatrix_setzen(v.get(), static_cast<int>(i) + 1, 1, werte[i]);
    return v;
}

// max |p(x) - f(x)| over the grid, not a number as soon as one difference
// is not a number (as groesster_fehler measures).
double fehler_messen(objekt *ip, const std::vector<double> &x, const std::vector<double> &fx) {
    const interpolation_funktionen *fi = interpolation_tabelle(ip);
    double groesster = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double abstand = std::fabs(fi->funktionswert(ip, x[i]) - fx[i]);
        if (std::isnan(abstand)) return abstand;
        if (abstand > groesster) groesster = abstand;
    }
    return groesster;
}

py::array_t<double> matrix_aus(const std::vector<std::vector<double>> &zeilen,
                               std::size_t spalten) {
    py::array_t<double> a(
        {static_cast<py::ssize_t>(zeilen.size()), static_cast<py::ssize_t>(spalten)});
    double *d = a.mutable_data();
    for (const auto &zeile : zeilen)
        for (double w : zeile)
            *d++ = w;
    return a;
}

py::array_t<bool> marken_aus(const std::vector<std::vector<bool>> &zeilen, std::size_t spalten) {
    py::array_t<bool> a(
        {static_cast<py::ssize_t>(zeilen.size()), static_cast<py::ssize_t>(spalten)});
    bool *d = a.mutable_data();
    for (const auto &zeile : zeilen)
        for (bool w : zeile)
            *d++ = w;
    return a;
}

py::dict studie_py(int m, const py::object &werte, double a, double b,
                   const std::vector<int> &n_liste, const std::vector<std::string> &namen,
                   int punkte, const std::string &formel) {
    if (m < 0 || m > funktion_anzahl) numerik_fehler("Funktion Nr. %i nicht definiert.\n", m);
    if (n_liste.empty()) numerik_fehler("Die Liste der n ist leer.\n");
    std::vector<int> vorher;
    for (int n : n_liste) {
        studie_n_pruefen(n, vorher);
        vorher.push_back(n);
    }
    if (punkte != 0 && punkte < 2) numerik_fehler("Das Messgitter braucht mindestens 2 Punkte.\n");
    studie_gitter_pruefen(punkte, n_liste);
    const studienfunktion f(m, werte, a, b, formel);
    const beispielfunktion &problem = f.problem();

    studie s;
    s.m = m;
    s.punkte = punkte;
    s.n = n_liste;
    if (namen.empty()) {
        s.spalten = standardspalten(f);
    } else {
        for (const std::string &name : namen) {
            const methode *me = methode_suchen(name.c_str());
            if (me == nullptr) numerik_fehler("Unbekannte Methode %s.\n", name.c_str());
            s.spalten.push_back(me);
        }
    }
    for (int n : n_liste)
        s.gitter.push_back(studie_punkte(punkte, n));

    for (std::size_t k = 0; k < n_liste.size(); ++k) {
        const int n = n_liste[k];
        std::vector<double> gitter(static_cast<std::size_t>(s.gitter[k]));
        for (std::size_t i = 0; i < gitter.size(); ++i)
            gitter[i] =
                aequidistanter_punkt(static_cast<int>(i), s.gitter[k] - 1, problem.a, problem.b);
        const std::vector<double> f_gitter = f.an(gitter);
        if (k + 1 == n_liste.size())
            for (double y : f_gitter)
                s.f_groesste = std::fmax(s.f_groesste, std::fabs(y));
        // The values at each kind of nodes, shared by the methods on them.
        std::map<int, matrix_zeiger> werte_je_art;
        for (const methode *me : s.spalten)
            if (n <= hoechstes_n(*me) && werte_je_art.count(me->stuetzstellenart) == 0)
                werte_je_art[me->stuetzstellenart] =
                    vektor(f.an(stuetzstellen(problem, me->stuetzstellenart, n)));
        std::vector<messwert> zeile;
        py::gil_scoped_release ohne_gil;
        for (const methode *me : s.spalten) {
            messwert mw;
            if (n <= hoechstes_n(*me)) {
                const std::string name =
                    std::string(problem.name) + ", " + me->titel + ", n = " + std::to_string(n);
                interpolation_zeiger ip(methode_erzeugen(
                    me, name.c_str(), me->stuetzstellenart, nullptr, problem.a, problem.b,
                    werte_je_art[me->stuetzstellenart].get(), f.ableitungen()));
                mw.fehler = fehler_messen(ip.get(), gitter, f_gitter);
                mw.berechnet = true;
            }
            zeile.push_back(mw);
        }
        s.werte.push_back(zeile);
    }

    const std::size_t spalten = s.spalten.size();
    std::vector<std::vector<double>> fehler, ordnungen;
    std::vector<std::vector<bool>> berechnet, rundung;
    std::vector<bool> grob;
    for (std::size_t k = 0; k < s.n.size(); ++k) {
        std::vector<double> fz, oz;
        std::vector<bool> bz, rz;
        for (std::size_t j = 0; j < spalten; ++j) {
            const messwert &mw = s.werte[k][j];
            fz.push_back(mw.berechnet ? mw.fehler : NAN);
            bz.push_back(mw.berechnet);
            rz.push_back(rundung_ueberwiegt(s, k, j));
            const bool paar = k > 0 && mw.berechnet && s.werte[k - 1][j].berechnet;
            oz.push_back(paar ? ordnung(s.werte[k - 1][j].fehler, s.n[k - 1], mw.fehler, s.n[k])
                              : NAN);
        }
        fehler.push_back(fz);
        ordnungen.push_back(oz);
        berechnet.push_back(bz);
        rundung.push_back(rz);
        grob.push_back(gitter_zu_grob(s, k));
    }
    py::list methodennamen;
    for (const methode *me : s.spalten)
        methodennamen.append(me->spalte);
    py::dict d;
    d["n"] = py::array_t<int>(static_cast<py::ssize_t>(s.n.size()), s.n.data());
    d["methoden"] = methodennamen;
    d["gitter"] = py::array_t<int>(static_cast<py::ssize_t>(s.gitter.size()), s.gitter.data());
    d["fehler"] = matrix_aus(fehler, spalten);
    d["ordnung"] = matrix_aus(ordnungen, spalten);
    d["rundung"] = marken_aus(rundung, spalten);
    d["berechnet"] = marken_aus(berechnet, spalten);
    py::array_t<bool> grob_a(static_cast<py::ssize_t>(grob.size()));
    for (std::size_t k = 0; k < grob.size(); ++k)
        grob_a.mutable_data()[k] = grob[k];
    d["grob"] = grob_a;
    d["m"] = m;
    d["f_groesste"] = s.f_groesste;
    d["a"] = problem.a;
    d["b"] = problem.b;
    return d;
}

} // namespace

void studie_anmelden(py::module_ &m) {
    m.def("_studie", &studie_py, py::arg("m"), py::arg("werte"), py::arg("a"), py::arg("b"),
          py::arg("n"), py::arg("methoden"), py::arg("punkte"), py::arg("formel") = "");
}
