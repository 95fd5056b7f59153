// studie/: the convergence study over the example problems
// (beispielfunktionen.cpp) and the table of methods (methoden.cpp): the
// measuring loop, the figures over n and the pointwise values of one n
// (studie.cpp), cost and threads (studie_kosten.cpp), the tolerance search
// (toleranzsuche.cpp), what the figures show (befund.cpp, befund_json.cpp
// for the JSON text), and the tables as text (studie_text.cpp).  It uses
// the library only through its public headers and its own studie_intern.h,
// and stands on every folder below it; the programs, the page and Python
// are thin callers of it.
#include "numerik/studie.h"

#include "studie_intern.h"

#include "numerik/fehler.h"
#include "numerik/knotenarten.h"
#include "numerik/nmmatrix.h"
#include "numerik/zahlen.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace {

constexpr double ENDWERT_TOLERANZ = 1e-6;

// The values of f at the nodes of a kind, in a vector of the library: in
// one call of the problem's hook where it has one.
matrix_zeiger werte_an_stuetzstellen(const beispielfunktion &problem, int art, int n) {
    nmmatrix_parameter p = {n + 1, 1, "Stuetzwerte", 1};
    matrix_zeiger werte(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    const std::vector<double> x = stuetzstellen(problem, art, n);
    std::vector<double> y(x.size());
    beispiel_werte(&problem, x.data(), y.data(), x.size());
    for (int i = 0; i <= n; ++i)
        nmmatrix_setzen(werte.get(), i + 1, 1, y[i]);
    return werte;
}

// f at the punkte points of the grid.
std::vector<double> f_auf_gitter(const beispielfunktion &problem, int punkte) {
    std::vector<double> x(static_cast<std::size_t>(punkte));
    for (int i = 0; i < punkte; ++i)
        x[i] = aequidistanter_punkt(i, punkte - 1, problem.a, problem.b);
    std::vector<double> y(x.size());
    beispiel_werte(&problem, x.data(), y.data(), x.size());
    return y;
}

// max |f| of the values (a value that is not a number left out).
double betragsmaximum(const std::vector<double> &y) {
    double groesster = 0.0;
    for (double w : y)
        groesster = std::fmax(groesster, std::fabs(w));
    return groesster;
}

// The start of the names of a study's objects and of its progress texts:
// "Beispielfunktion 4", or the name of a problem without number ("Formel",
// a caller's own function).
std::string kurzname(const beispielfunktion &problem, int m) {
    return m == FORMEL_PROBLEM && problem.name != nullptr ? std::string(problem.name)
                                                          : problem_kurzname(m);
}

// The problem hands creation its derivatives at the ends only where it has
// both; a method that needs them then says that they are not known.
interpolation_zeiger erzeugen_aus(const methode &me, const beispielfunktion &problem, int m, int n,
                                  objekt *werte) {
    std::string name = kurzname(problem, m) + ", " + me.titel + ", n = " + std::to_string(n);
    // A row that samples f takes the problem whatever derivatives it has.
    const beispielfunktion *ableitungen =
        (problem.abl1 != nullptr && problem.abl2 != nullptr) || me.probe != PROBE_KNOTEN ? &problem
                                                                                         : nullptr;
    return interpolation_zeiger(methode_erzeugen(&me, name.c_str(), me.stuetzstellenart, nullptr,
                                                 problem.a, problem.b, werte, ableitungen));
}

} // namespace

// The measurement of groesster_fehler over the grid points von..bis-1 of
// a grid of punkte points, telling fs of its progress every so many
// points; with ableitung 1 that of the first derivative, p' against the
// problem's f'.  NaN as soon as a point's error is not a number.
double fehler_messen(objekt *ip, const beispielfunktion &problem, int punkte,
                     const fortschrittsstand *fs, int ableitung, int von, int bis,
                     const double *f_werte) {
    const interpolation_funktionen *fi = interpolation_tabelle(ip);
    const int intervalle = punkte - 1;
    if (bis < 0) bis = punkte;
    double fehlerwert = 0.0;
    // The grid a block at a time: the interpolant's values through the
    // array slot (sorted points, so a piecewise cubic steps from interval
    // to interval), f point by point or from f_werte.  Progress is told at
    // the start of each block, every 1024 points as ever.
    constexpr int BLOCK = 1024;
    double x[BLOCK];
    double p[BLOCK];
    for (int anfang = von; anfang < bis; anfang += BLOCK) {
        if (fs != nullptr) fs->melden(fs->basis + fs->je_punkt * (anfang - von));
        const int teil = std::min(BLOCK, bis - anfang);
        for (int i = 0; i < teil; ++i)
            x[i] = aequidistanter_punkt(anfang + i, intervalle, problem.a, problem.b);
        if (ableitung == 0) {
            interpolation_werte(ip, x, p, static_cast<std::size_t>(teil));
        } else {
            for (int i = 0; i < teil; ++i)
                p[i] = fi->ableitung1(ip, x[i]);
        }
        for (int i = 0; i < teil; ++i) {
            double f = 0.0;
            if (ableitung != 0)
                f = beispiel_abl1(&problem, x[i]);
            else if (f_werte != nullptr)
                f = f_werte[anfang + i];
            else
                f = beispiel_f(&problem, x[i]);
            double abstand = std::fabs(p[i] - f);
            if (std::isnan(abstand)) return abstand;
            if (abstand > fehlerwert) fehlerwert = abstand;
        }
    }
    return fehlerwert;
}

const beispielfunktion &studie_problem(const beispielfunktion &p, int m) {
    return p.f != nullptr ? p : funktion[m - 1];
}

std::string problem_kurzname(int m) {
    return m == FORMEL_PROBLEM ? std::string("Formel") : "Beispielfunktion " + std::to_string(m);
}

std::string problem_titel(const beispielfunktion &problem, int m) {
    if (m != FORMEL_PROBLEM) return problem_kurzname(m) + ": " + problem.name;
    // A function without formula (a caller's own) is titled by its name.
    if (problem.formel == nullptr) return problem.name != nullptr ? problem.name : "Formel";
    return std::string("Formel: ") + problem.formel;
}

std::string problem_stamm(int m) {
    return m == FORMEL_PROBLEM ? std::string("formel") : std::to_string(m);
}

void studie_n_pruefen(int n, const std::vector<int> &vorher) {
    if (n < 2) numerik_fehler("n muss mindestens 2 sein!\n");
    if (n > STUDIE_MAX_N) numerik_fehler("n darf hoechstens %d sein!\n", STUDIE_MAX_N);
    if (!vorher.empty() && n <= vorher.back())
        numerik_fehler("Die Werte von n muessen aufsteigend sein!\n");
}

void studie_gitter_pruefen(int punkte, const std::vector<int> &n_liste) {
    if (punkte == 0) return;
    for (int n : n_liste)
        if (punkte < gitterpunkte_fuer(n)) {
            numerik_warnung("Warnung: Messgitter mit %d Punkten fuer n ab %d zu grob (weniger als "
                            "10 Schritte je Intervall); genauer mit -g %d.\n",
                            punkte, n, gitterpunkte_fuer(n_liste.back()));
            return;
        }
}

int hoechstes_n(const methode &me) {
    return me.hoechstes_n;
}

// Problem 1 ends at -3.14159265 and 3.14159265, not at +-pi, so its end
// values differ by 7.2e-9; it counts as periodic, and the library averages
// the end values (with its warning), which puts a floor of about 3.6e-9
// under that column's error.
bool periodisch(const beispielfunktion &problem) {
    return std::fabs(beispiel_f(&problem, problem.a) - beispiel_f(&problem, problem.b)) <=
           ENDWERT_TOLERANZ;
}

std::vector<const methode *> spalten_waehlen(const beispielfunktion &problem, int wahl) {
    std::vector<const methode *> spalten;
    for (int i = 0; i < methoden_anzahl; ++i) {
        const methode &me = methoden[i];
        bool gewaehlt =
            wahl == SPALTEN_UEBERSICHT ? me.uebersicht : (me.gruppe & wahl) == me.gruppe;
        if (gewaehlt && (!me.periodisch || periodisch(problem))) spalten.push_back(&me);
    }
    return spalten;
}

std::vector<double> stuetzstellen(const beispielfunktion &problem, int art, int n) {
    nmmatrix_parameter p = {n + 1, 1, "Stuetzstellen", 1};
    matrix_zeiger knoten(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    stuetzstellen_platzieren(knoten.get(), art, n, problem.a, problem.b, "Stuetzstellen");
    std::vector<double> x(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i <= n; ++i)
        x[i] = nmmatrix_amIndex(knoten.get(), i + 1, 1);
    return x;
}

interpolation_zeiger erzeugen(const methode &me, const beispielfunktion &problem, int m, int n,
                              bool endwerte_mitteln) {
    matrix_zeiger werte = werte_an_stuetzstellen(problem, me.stuetzstellenart, n);
    if (endwerte_mitteln && me.periodisch) {
        double mittel =
            (nmmatrix_amIndex(werte.get(), 1, 1) + nmmatrix_amIndex(werte.get(), n + 1, 1)) / 2;
        nmmatrix_setzen(werte.get(), 1, 1, mittel);
        nmmatrix_setzen(werte.get(), n + 1, 1, mittel);
    }
    return erzeugen_aus(me, problem, m, n, werte.get());
}

double groesster_fehler(objekt *ip, const beispielfunktion &problem, int punkte) {
    return fehler_messen(ip, problem, punkte, nullptr);
}

int gitterpunkte_fuer(int n) {
    return 10 * n + 1;
}

int studie_punkte(int punkte, int n) {
    return punkte > 0 ? punkte : std::max(STUDIE_MIN_PUNKTE, gitterpunkte_fuer(n));
}

studie studie_durchfuehren(int m, const std::vector<int> &n_liste, int punkte, int wahl,
                           const studie_fortschritt *fortschritt, int ableitung) {
    return studie_durchfuehren(funktion[m - 1], m, n_liste, punkte, wahl, fortschritt, ableitung);
}

studie studie_durchfuehren(const beispielfunktion &problem, int m, const std::vector<int> &n_liste,
                           int punkte, int wahl, const studie_fortschritt *fortschritt,
                           int ableitung) {
    return studie_durchfuehren(problem, m, n_liste, punkte, spalten_waehlen(problem, wahl),
                               fortschritt, ableitung);
}

studie studie_durchfuehren(const beispielfunktion &problem, int m, const std::vector<int> &n_liste,
                           int punkte, const std::vector<const methode *> &spalten,
                           const studie_fortschritt *fortschritt, int ableitung) {
    if (ableitung != 0 && ableitung != 1)
        numerik_fehler("Ableitung %d nicht messbar (0 oder 1).\n", ableitung);
    if (ableitung == 1 && problem.abl1 == nullptr)
        numerik_fehler("Beispielfunktion %d hat keine 1. Ableitung.\n", m);
    studie s;
    s.m = m;
    s.problem = problem;
    s.ableitung = ableitung;
    s.punkte = punkte;
    s.n = n_liste;
    s.spalten = spalten;
    for (int n : n_liste)
        s.gitter.push_back(studie_punkte(punkte, n));
    // max |f| on the finest grid of the study, the last n's.  A problem
    // with a hook gives f on each row's grid anyway: from the last row's.
    const bool haken = problem.werte != nullptr;
    if (!haken || n_liste.empty())
        s.f_groesste = betragsmaximum(
            f_auf_gitter(problem, s.gitter.empty() ? studie_punkte(punkte, 2) : s.gitter.back()));
    const double gesamt = studie_kosten_schaetzen(spalten, n_liste, punkte).operationen;
    fortschrittsstand fs;
    fs.rueckruf = fortschritt;
    for (std::size_t k = 0; k < n_liste.size(); ++k) {
        const int n = n_liste[k];
        std::vector<messwert> zeile;
        // The values at each kind of nodes, made once and shared by the
        // methods on those nodes; keyed by the kind, whatever kinds there are.
        std::map<int, matrix_zeiger> werte_je_art;
        // Every object of the row is made first, in column order, so that
        // what creation warns of comes in that order however the
        // measurements are shared.
        std::vector<messauftrag> auftraege;
        zeile.resize(s.spalten.size());
        // A problem with a hook: f on the grid in one call, which every
        // column then reads.
        std::vector<double> f_gitter;
        if (haken && ableitung == 0) {
            f_gitter = f_auf_gitter(problem, s.gitter[k]);
            if (k + 1 == n_liste.size()) s.f_groesste = betragsmaximum(f_gitter);
        } else if (haken && k + 1 == n_liste.size()) {
            s.f_groesste = betragsmaximum(f_auf_gitter(problem, s.gitter[k]));
        }
        for (std::size_t j = 0; j < s.spalten.size(); ++j) {
            const methode *me = s.spalten[j];
            if (n > hoechstes_n(*me)) continue;
            messauftrag a;
            a.spalte = j;
            a.punkte = s.gitter[k];
            a.kosten = methode_kosten(*me, n, s.gitter[k]);
            a.teilbar = ueber_alle_knoten(*me);
            a.was = kurzname(problem, m) + ", " + me->spalte + ", n = " + std::to_string(n);
            matrix_zeiger &werte = werte_je_art[me->stuetzstellenart];
            if (!werte) werte = werte_an_stuetzstellen(problem, me->stuetzstellenart, n);
            a.ip = erzeugen_aus(*me, problem, m, n, werte.get());
            auftraege.push_back(std::move(a));
        }
        zeile_messen(auftraege, problem, f_gitter.empty() ? nullptr : f_gitter.data(), gesamt, fs,
                     fortschritt != nullptr, ableitung, zeile);
        s.werte.push_back(zeile);
    }
    return s;
}

int gitter_bei(const studie &s, std::size_t k) {
    return k < s.gitter.size() ? s.gitter[k] : studie_punkte(s.punkte, s.n[k]);
}

std::string studie_gitter_text(const studie &s) {
    bool einheitlich = true;
    for (std::size_t k = 0; k < s.n.size(); ++k)
        einheitlich = einheitlich && gitter_bei(s, k) == gitter_bei(s, 0);
    if (einheitlich && !s.n.empty()) return std::to_string(gitter_bei(s, 0));
    if (s.n.empty() && s.punkte > 0) return std::to_string(s.punkte);
    return "max(" + std::to_string(STUDIE_MIN_PUNKTE) + ", 10 n + 1)";
}

verlauf verlauf_berechnen(int m, int n, int punkte, int wahl,
                          const studie_fortschritt *fortschritt) {
    return verlauf_berechnen(funktion[m - 1], m, n, punkte, wahl, fortschritt);
}

verlauf verlauf_berechnen(const beispielfunktion &problem, int m, int n, int punkte, int wahl,
                          const studie_fortschritt *fortschritt) {
    verlauf v;
    v.m = m;
    v.problem = problem;
    v.n = n;
    v.spalten = spalten_waehlen(problem, wahl);
    for (int i = 0; i < punkte; ++i) {
        double x = aequidistanter_punkt(i, punkte - 1, problem.a, problem.b);
        v.x.push_back(x);
        v.f.push_back(beispiel_f(&problem, x));
        v.f_groesste = std::fmax(v.f_groesste, std::fabs(v.f.back()));
    }
    fortschrittsstand fs;
    fs.rueckruf = fortschritt;
    const double spalten = static_cast<double>(v.spalten.size());
    for (std::size_t j = 0; j < v.spalten.size(); ++j) {
        const methode *me = v.spalten[j];
        std::vector<double> p;
        if (n <= hoechstes_n(*me)) {
            fs.was = "Verlauf, " + problem_kurzname(m) + ", " + me->spalte;
            interpolation_zeiger ip = erzeugen(*me, problem, m, n);
            const interpolation_funktionen *fi = interpolation_tabelle(ip.get());
            for (std::size_t i = 0; i < v.x.size(); ++i) {
                if ((i & 1023) == 0) fs.melden((j + static_cast<double>(i) / punkte) / spalten);
                p.push_back(fi->funktionswert(ip.get(), v.x[i]));
            }
        }
        v.p.push_back(p);
    }
    return v;
}

std::vector<int> lebesgue_arten(const std::vector<const methode *> &spalten) {
    std::vector<int> arten;
    for (int i = 0; i < knotenarten_anzahl(); ++i) {
        const knotenart *k = knotenart_an(i);
        if (k->punkt == nullptr) continue;
        if (std::any_of(spalten.begin(), spalten.end(),
                        [k](const methode *me) { return me->stuetzstellenart == k->nummer; }))
            arten.push_back(k->nummer);
    }
    return arten;
}

lebesgue_tabelle lebesgue_berechnen(const studie &s) {
    const beispielfunktion &problem = studie_problem(s.problem, s.m);
    lebesgue_tabelle t;
    t.m = s.m;
    t.n = s.n;
    t.arten = lebesgue_arten(s.spalten);
    for (std::size_t z = 0; z < s.n.size(); ++z) {
        std::vector<double> zeile;
        for (int art : t.arten)
            zeile.push_back(
                lebesgue_konstante(art, s.n[z], problem.a, problem.b, gitter_bei(s, z)));
        t.werte.push_back(zeile);
    }
    return t;
}
